#include "settings/IniText.h"

#include "common/ShiftJis.h"

namespace initext {
namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// Upper-case form of a lower-case letter of code page 932, as (lead, trail); the lead byte is unchanged.
// Zero when the character has no upper-case form.
unsigned char UpperTrail(unsigned char lead, unsigned char trail) {
    if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) // full-width a..z
        return trail - 0x21;
    if (lead == 0x83 && trail >= 0xBF && trail <= 0xD6) // Greek
        return trail - 0x20;
    if (lead == 0x84 && trail >= 0x70 && trail <= 0x7E) // Cyrillic, before the gap at 0x7F
        return trail - 0x30;
    if (lead == 0x84 && trail >= 0x80 && trail <= 0x91) // Cyrillic, after the gap
        return trail - 0x31;
    return 0;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

std::optional<qint32> ParseHex(QByteArrayView digits) {
    if (digits.isEmpty())
        return std::nullopt;
    quint64 value = 0;
    for (char c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return std::nullopt;
        value = value * 16 + static_cast<quint64>(digit);
        if (value > 0xFFFFFFFFu)
            return std::nullopt;
    }
    return static_cast<qint32>(static_cast<quint32>(value));
}

std::optional<qint32> ParseDecimal(QByteArrayView text) {
    bool negative = false;
    if (!text.isEmpty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text = text.sliced(1);
    }
    if (text.isEmpty())
        return std::nullopt;
    const qint64 limit = negative ? qint64(1) << 31 : (qint64(1) << 31) - 1;
    qint64 value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > limit)
            return std::nullopt;
    }
    return static_cast<qint32>(negative ? -value : value);
}

} // namespace

QByteArrayView TrimControl(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && IsControl(text[begin]))
        ++begin;
    while (end > begin && IsControl(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

bool HasControlAtEnds(QByteArrayView text) {
    return !text.isEmpty() && (IsControl(text.front()) || IsControl(text.back()));
}

QByteArray FoldName(const QByteArray& name) {
    QByteArray folded = name; // shares the data until the first change
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size;) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (sjis::isLeadByte(b) && i + 1 < size) {
            if (const unsigned char upper = UpperTrail(b, static_cast<unsigned char>(name[i + 1])))
                folded[i + 1] = static_cast<char>(upper);
            i += 2;
            continue;
        }
        if (b >= 'a' && b <= 'z')
            folded[i] = static_cast<char>(b - 'a' + 'A');
        ++i;
    }
    return folded;
}

QByteArray Unquote(const QByteArray& value) {
    if (!value.startsWith('"'))
        return value;
    QByteArray text;
    text.reserve(value.size());
    bool closed = false;
    for (qsizetype i = 1; i < value.size(); ++i) {
        if (value[i] == '"') {
            if (i + 1 < value.size() && value[i + 1] == '"') {
                text += '"';
                ++i;
                continue;
            }
            closed = true;
            break;
        }
        text += value[i];
    }
    if (!closed && !text.isEmpty()) {
        // Drop a whole double-byte character, never half of one.
        const bool lastIsTrail = sjis::byteClassAt(text, text.size() - 1) == sjis::ByteClass::Trail;
        text.chop(lastIsTrail ? 2 : 1);
    }
    return text.isEmpty() ? value : text;
}

QByteArray Quote(const QByteArray& value) {
    // A leading quote is quoted too: stored bare, it would read back without its quotes.
    if (!HasControlAtEnds(value) && !value.startsWith('"'))
        return value;
    QByteArray quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    for (char c : value) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    quoted += '"';
    return quoted;
}

std::optional<qint32> ParseInteger(QByteArrayView text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseHex(text.sliced(2));
    if (!text.isEmpty() && text.front() == '$')
        return ParseHex(text.sliced(1));
    return ParseDecimal(text);
}

} // namespace initext
