#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Text rules of the settings file, on code page 932 bytes: trimming, name hashing, value quoting and
// integer values. Lines split as common/TextLines does; names compare as common/SjisCase does.
namespace initext {

// The text up to its first CR or LF: a name or value written with a break inside could not be read back
// as written, and what followed the break would read as lines of their own.
QByteArrayView FirstLine(QByteArrayView text);

// The text without the bytes 0..32 (blanks and control characters) at both ends.
QByteArrayView TrimControl(QByteArrayView text);

// True when the text begins or ends with a byte 0..32.
bool HasControlAtEnds(QByteArrayView text);

// A hash of the name as its letter case folds (sjis::toUpper): names equal ignoring case hash alike.
// Does not allocate.
quint32 FoldedHash(QByteArrayView name);

// A stored value as it reads: a value in double quotes loses them and its doubled quotes stand for one;
// without a closing quote the last character is dropped; an empty result leaves the value as it was.
QByteArray Unquote(QByteArrayView value);

// Appends the value as it is stored: enclosed in double quotes, inner quotes doubled, when it would
// otherwise not read back unchanged (a blank or control byte at either end, or a leading double quote).
void AppendQuoted(QByteArray& out, QByteArrayView value);

// A 32-bit integer: decimal with an optional sign, or hexadecimal after "$", "0x" or "0X" (up to
// FFFFFFFF, which wraps to the negative range). Anything else has no value.
std::optional<qint32> ParseInteger(QByteArrayView text);

} // namespace initext
