#include "settings/IniText.h"

#include "common/ShiftJis.h"

namespace initext {
namespace {

bool IsControl(char c) {
    return static_cast<unsigned char>(c) <= 32;
}

// The trail byte of the upper-case form of a double-byte letter (the lead byte stays); the trail byte
// itself when the character has no upper-case form.
unsigned char FoldTrail(unsigned char lead, unsigned char trail) {
    if (lead == 0x82 && trail >= 0x81 && trail <= 0x9A) // full-width a..z
        return trail - 0x21;
    if (lead == 0x83 && trail >= 0xBF && trail <= 0xD6) // Greek
        return trail - 0x20;
    if (lead == 0x84 && trail >= 0x70 && trail <= 0x7E) // Cyrillic, before the gap at 0x7F
        return trail - 0x30;
    if (lead == 0x84 && trail >= 0x80 && trail <= 0x91) // Cyrillic, after the gap
        return trail - 0x31;
    return trail;
}

// Per-byte facts for the name loops, as table look-ups: they run for every key of a long list.
struct ByteTable {
    bool lead[256] = {};
    unsigned char upper[256] = {};
    constexpr ByteTable() {
        for (int b = 0; b < 256; ++b) {
            lead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); // as sjis::isLeadByte
            upper[b] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
        }
    }
};
constexpr ByteTable kBytes;

unsigned char FoldSingle(unsigned char b) {
    return kBytes.upper[b];
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

QByteArray FoldName(const QByteArray& name) {
    QByteArray folded = name; // shares the data until the first change
    const qsizetype size = name.size();
    for (qsizetype i = 0; i < size;) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (sjis::isLeadByte(b) && i + 1 < size) {
            const auto trail = static_cast<unsigned char>(name[i + 1]);
            if (const unsigned char upper = FoldTrail(b, trail); upper != trail)
                folded[i + 1] = static_cast<char>(upper);
            i += 2;
            continue;
        }
        if (const unsigned char upper = FoldSingle(b); upper != b)
            folded[i] = static_cast<char>(upper);
        ++i;
    }
    return folded;
}

bool EqualFolded(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size())
        return false;
    // Equal folded bytes so far mean equal character boundaries: folding never changes a lead byte and
    // never turns a single byte into one.
    const auto* x = reinterpret_cast<const unsigned char*>(a.data());
    const auto* y = reinterpret_cast<const unsigned char*>(b.data());
    const qsizetype size = a.size();
    for (qsizetype i = 0; i < size;) {
        if (kBytes.lead[x[i]] && i + 1 < size) {
            if (x[i] != y[i] || FoldTrail(x[i], x[i + 1]) != FoldTrail(y[i], y[i + 1]))
                return false;
            i += 2;
            continue;
        }
        if (kBytes.upper[x[i]] != kBytes.upper[y[i]])
            return false;
        ++i;
    }
    return true;
}

quint32 FoldedHash(QByteArrayView name) {
    // FNV-1a over the folded bytes, then MurmurHash3's finaliser.
    const auto* p = reinterpret_cast<const unsigned char*>(name.data());
    const qsizetype size = name.size();
    quint32 hash = 2166136261u;
    for (qsizetype i = 0; i < size;) {
        unsigned char b = p[i];
        if (kBytes.lead[b] && i + 1 < size) {
            hash = (hash ^ b) * 16777619u;
            b = FoldTrail(b, p[i + 1]);
            i += 2;
        } else {
            b = kBytes.upper[b];
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
