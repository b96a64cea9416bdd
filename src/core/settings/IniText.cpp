#include "core/settings/IniText.h"

#include "core/text/ShiftJis.h"
#include "core/text/SjisCase.h"

namespace initext {
namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
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

QByteArrayView FirstLine(QByteArrayView text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (text[i] == '\r' || text[i] == '\n')
            return text.first(i);
    return text;
}

QByteArrayView TrimControl(QByteArrayView text) {
    const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = begin + text.size();
    while (begin < end && *begin <= 32)
        ++begin;
    while (end > begin && end[-1] <= 32)
        --end;
    return QByteArrayView(reinterpret_cast<const char*>(begin), end - begin);
}

bool HasControlAtEnds(QByteArrayView text) {
    return !text.isEmpty() && (IsControl(text.front()) || IsControl(text.back()));
}

quint32 FoldedHash(QByteArrayView name) {
    // FNV-1a over the folded bytes, then MurmurHash3's finaliser.
    const auto* p = reinterpret_cast<const unsigned char*>(name.data());
    const qsizetype size = name.size();
    quint32 hash = 2166136261u;
    for (qsizetype i = 0; i < size;) {
        unsigned char b = p[i];
        if (sjis::kCaseBytes.lead[b] && i + 1 < size) {
            hash = (hash ^ b) * 16777619u;
            b = sjis::upperTrail(b, p[i + 1]);
            i += 2;
        } else {
            b = sjis::upperSingle(b);
            ++i;
        }
        hash = (hash ^ b) * 16777619u;
    }
    // FNV's low bits depend on the low bits of the input only; the index takes its slot from them.
    hash ^= hash >> 16;
    hash *= 0x85EBCA6Bu;
    hash ^= hash >> 13;
    hash *= 0xC2B2AE35u;
    hash ^= hash >> 16;
    return hash;
}

QByteArray Unquote(QByteArrayView value) {
    if (value.isEmpty() || value.front() != '"')
        return value.toByteArray();
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
    return text.isEmpty() ? value.toByteArray() : text;
}

void AppendQuoted(QByteArray& out, QByteArrayView value) {
    // A leading quote is quoted too: stored bare, it would read back without its quotes.
    if (!HasControlAtEnds(value) && !(!value.isEmpty() && value.front() == '"')) {
        out.append(value);
        return;
    }
    out += '"';
    for (qsizetype start = 0;;) {
        const qsizetype quote = value.indexOf('"', start);
        const qsizetype end = quote < 0 ? value.size() : quote + 1;
        out.append(value.sliced(start, end - start));
        if (quote < 0)
            break;
        out += '"';
        start = end;
    }
    out += '"';
}

std::optional<qint32> ParseInteger(QByteArrayView text) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return ParseHex(text.sliced(2));
    if (!text.isEmpty() && text.front() == '$')
        return ParseHex(text.sliced(1));
    return ParseDecimal(text);
}

} // namespace initext
