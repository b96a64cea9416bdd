#include "core/messages/ErrorReport.h"

QString ErrorReportText(const QString& message) {
    if (!message.isEmpty() && message.back() > QLatin1Char('.'))
        return message + QLatin1Char('.');
    return message;
}

QString CannotCreateFileMessage(const QString& path) {
    return QString::fromUtf8("ファイル %1 を作成できません").arg(path);
}

QString CannotOpenFileMessage(const QString& path) {
    return QString::fromUtf8("ファイル %1 は開けません").arg(path);
}

QString CannotWriteFileMessage(const QString& path) {
    return QString::fromUtf8("%1 に書き込めません").arg(path);
}
