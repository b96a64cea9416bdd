#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstring>
#include <optional>

// Text rules of the settings file, on code page 932 bytes: line splitting, trimming, name folding, value
// quoting and integer values.
namespace initext {

// Calls fn(QByteArrayView line) for each line of text, split at CR LF, a lone CR or a lone LF. A break
// after the last line makes no empty line; an empty text has no lines.
template <typename Fn> void ForEachLine(QByteArrayView text, Fn&& fn) {
    if (text.isEmpty())
        return;
    const char* p = text.data();
    const char* const end = p + text.size();
    // memchr keeps a multi-megabyte file fast also in unoptimised builds.
    const auto next = [end](const char* from, char c) {
        const void* hit = std::memchr(from, c, static_cast<size_t>(end - from));
        return hit ? static_cast<const char*>(hit) : end;
    };
    const char* cr = next(p, '\r');
    const char* lf = next(p, '\n');
    while (p < end) {
        if (cr < p)
            cr = next(p, '\r');
        if (lf < p)
            lf = next(p, '\n');
        const char* const lineEnd = cr < lf ? cr : lf;
        fn(QByteArrayView(p, lineEnd - p));
        if (lineEnd == end)
            break;
        p = (lineEnd == cr && lineEnd + 1 == lf) ? lineEnd + 2 : lineEnd + 1;
    }
}

// The text up to its first CR or LF: a name or value written with a break inside could not be read back
// as written, and what followed the break would read as lines of their own.
QByteArrayView FirstLine(QByteArrayView text);

// The text without the bytes 0..32 (blanks and control characters) at both ends.
QByteArrayView TrimControl(QByteArrayView text);

// True when the text begins or ends with a byte 0..32.
bool HasControlAtEnds(QByteArrayView text);

// The key under which a section or key name is looked up: letters upper-cased as the Japanese locale
// does (ASCII, and the full-width Latin, Greek and Cyrillic letters of code page 932). The second byte
// of a double-byte character is never touched. Shares the name's data when nothing changes.
QByteArray FoldName(const QByteArray& name);

// True when both names fold to the same bytes; a hash of the folded bytes. Neither allocates.
bool EqualFolded(QByteArrayView a, QByteArrayView b);
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
