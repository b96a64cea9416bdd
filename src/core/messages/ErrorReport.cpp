#include "core/messages/ErrorReport.h"

#include <QCoreApplication>

QString ErrorReportText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

QString CannotCreateFileMessage(const QString& path) {
    return QCoreApplication::translate("ErrorReport", "ファイル %1 を作成できません").arg(path);
}

QString CannotOpenFileMessage(const QString& path) {
    return QCoreApplication::translate("ErrorReport", "ファイル %1 は開けません").arg(path);
}

QString CannotWriteFileMessage(const QString& path) {
    return QCoreApplication::translate("ErrorReport", "%1 に書き込めません").arg(path);
}
