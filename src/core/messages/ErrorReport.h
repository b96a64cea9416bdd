#pragma once

#include <QString>

// The text of the general error report: the message, with "." appended when its last character sorts
// after "." in code order.
QString ErrorReportText(const QString& message);

// "ファイル %s を作成できません" and "ファイル %s は開けません" with the path filled in.
QString CannotCreateFileMessage(const QString& path);
QString CannotOpenFileMessage(const QString& path);
// "%s に書き込めません" with the path filled in: a shortcut file that cannot be written.
QString CannotWriteFileMessage(const QString& path);
