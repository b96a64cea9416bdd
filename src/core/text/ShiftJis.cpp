#include "core/text/ShiftJis.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>
#include <memory>

namespace sjis {
namespace {

// glibc's CP932 rejects these five single bytes; Windows maps them into the private use area.
struct ExtraByte {
    unsigned char byte;
    char16_t unicode;
};
constexpr ExtraByte kExtraBytes[] = {
    {0x80, 0x0080}, {0xA0, 0xF8F0}, {0xFD, 0xF8F1}, {0xFE, 0xF8F2}, {0xFF, 0xF8F3},
};

std::optional<char16_t> extraByteToUnicode(unsigned char b) {
    for (const auto& e : kExtraBytes)
        if (e.byte == b)
            return e.unicode;
    return std::nullopt;
}

std::optional<unsigned char> unicodeToExtraByte(char32_t cp) {
    for (const auto& e : kExtraBytes)
        if (e.unicode == cp)
            return e.byte;
    return std::nullopt;
}

thread_local int openedConverters = 0;

class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) { ++openedConverters; }
    ~Converter() {
        if (ok())
            iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts as much as it can; returns the number of input bytes consumed and appends the output.
    size_t convert(const char* in, size_t inLen, QByteArray& out) {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in);
        size_t inLeft = inLen;
        char buffer[4096];
        while (inLeft > 0) {
            char* outPtr = buffer;
            size_t outLeft = sizeof buffer;
            const size_t rc = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            out.append(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
            if (rc == static_cast<size_t>(-1) && errno != E2BIG)
                break;
        }
        return inLen - inLeft;
    }

private:
    iconv_t cd_;
};

Converter& decoder() {
    thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& encoder() {
    thread_local Converter c("CP932", "UTF-8");
    return c;
}

// ASCII reads the same in the code page, both ways, so text of ASCII alone needs no converter: most URLs are,
// and the converter's tables (loaded on first use) then never come into memory.
bool isAscii(const QByteArray& bytes) {
    return std::all_of(bytes.cbegin(), bytes.cend(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

bool isTrailByte(unsigned char b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

// Length and code point of the UTF-8 sequence at p (the input comes from QString::toUtf8, so it is valid).
int utf8Sequence(const unsigned char* p, size_t left, char32_t& cp) {
    int len = 1;
    if (p[0] >= 0xF0)
        len = 4;
    else if (p[0] >= 0xE0)
        len = 3;
    else if (p[0] >= 0xC0)
        len = 2;
    if (static_cast<size_t>(len) > left)
        len = static_cast<int>(left);
    cp = len == 1 ? p[0] : p[0] & (0x7F >> len);
    for (int i = 1; i < len; ++i)
        cp = (cp << 6) | (p[i] & 0x3F);
    return len;
}

void appendPercentEncoded(QByteArray& out, const unsigned char* p, int len) {
    static const char hex[] = "0123456789ABCDEF";
    for (int i = 0; i < len; ++i) {
        out.append('%');
        out.append(hex[p[i] >> 4]);
        out.append(hex[p[i] & 0x0F]);
    }
}

void appendUtf16AsUtf8(QByteArray& out, char16_t u) {
    out.append(QString(QChar(u)).toUtf8());
}

// The converter writes these as a byte or pair that reads back as another character ("¥" as 0x5C, which
// reads as a backslash; "〜" as the pair of "～"), so none of them counts as held by the code page.
constexpr char16_t kOneWay[] = {0x00A2, 0x00A3, 0x00A5, 0x00AC, 0x2014, 0x2016, 0x203E, 0x2212, 0x301C};

bool isLoneSurrogate(QStringView text, qsizetype i) {
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 >= text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

// A character the code page never holds although the converter takes it.
bool isNeverHeld(QStringView text, qsizetype i) {
    return std::find(std::begin(kOneWay), std::end(kOneWay), text[i].unicode()) != std::end(kOneWay) ||
           isLoneSurrogate(text, i);
}

// Its percent-encoded UTF-8. A lone surrogate has no UTF-8 form: it stands for U+FFFD, as it would after any
// UTF-8 round trip, so that it never turns into a character of its own (UTF-8 encoders write it as "?").
void appendNeverHeld(QByteArray& out, QChar c) {
    const QByteArray utf8 = c.isSurrogate() ? QByteArray("\xEF\xBF\xBD") : QString(c).toUtf8();
    appendPercentEncoded(out, reinterpret_cast<const unsigned char*>(utf8.constData()), int(utf8.size()));
}

// Converts text that holds no one-way character and no lone surrogate; false when policy refuses.
bool appendConverted(QStringView text, Unencodable policy, QByteArray& out) {
    const QByteArray utf8 = text.toUtf8();
    if (isAscii(utf8)) {
        out.append(utf8);
        return true;
    }
    Converter& conv = encoder();
    const auto* data = reinterpret_cast<const unsigned char*>(utf8.constData());
    size_t pos = 0;
    const size_t size = static_cast<size_t>(utf8.size());
    while (pos < size) {
        if (conv.ok())
            pos += conv.convert(reinterpret_cast<const char*>(data) + pos, size - pos, out);
        if (pos >= size)
            break;
        char32_t cp = 0;
        const int len = utf8Sequence(data + pos, size - pos, cp);
        if (const auto extra = unicodeToExtraByte(cp)) {
            out.append(static_cast<char>(*extra));
        } else if (!conv.ok() && cp < 0x80) {
            out.append(static_cast<char>(cp));
        } else if (policy == Unencodable::PercentEncode) {
            appendPercentEncoded(out, data + pos, len);
        } else {
            return false;
        }
        pos += static_cast<size_t>(len);
    }
    return true;
}

} // namespace

int charLength(const QByteArray& text, qsizetype pos) {
    if (pos < 0 || pos >= text.size())
        return 0;
    return isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

ByteClass byteClassAt(const QByteArray& text, qsizetype pos) {
    qsizetype i = 0;
    while (i < text.size()) {
        const int len = charLength(text, i);
        if (pos < i + len)
            return len == 1 ? ByteClass::Single : (pos == i ? ByteClass::Lead : ByteClass::Trail);
        i += len;
    }
    return ByteClass::Single;
}

qsizetype indexOfChar(const QByteArray& text, char ch, qsizetype from) {
    qsizetype i = 0;
    while (i < text.size()) {
        const int len = charLength(text, i);
        if (len == 1 && i >= from && text[i] == ch)
            return i;
        i += len;
    }
    return -1;
}

QString toUnicode(const QByteArray& bytes) {
    if (isAscii(bytes))
        return QString::fromLatin1(bytes);
    QByteArray utf8;
    utf8.reserve(bytes.size() * 3 / 2);
    Converter& conv = decoder();
    const auto* data = reinterpret_cast<const unsigned char*>(bytes.constData());
    size_t pos = 0;
    const size_t size = static_cast<size_t>(bytes.size());
    while (pos < size) {
        if (conv.ok())
            pos += conv.convert(reinterpret_cast<const char*>(data) + pos, size - pos, utf8);
        if (pos >= size)
            break;
        // The converter stopped at a byte it does not take: decide that character by hand.
        const unsigned char b = data[pos];
        if (const auto extra = extraByteToUnicode(b)) {
            appendUtf16AsUtf8(utf8, *extra);
            pos += 1;
        } else if (!conv.ok() && b < 0x80) {
            utf8.append(static_cast<char>(b));
            pos += 1;
        } else {
            // Bytes that form no character stay visible and recoverable as "%XX", a pair as two of them
            // (its second byte may look like "|", which it is not).
            const int len = isLeadByte(b) && pos + 1 < size && isTrailByte(data[pos + 1]) ? 2 : 1;
            appendPercentEncoded(utf8, data + pos, len);
            pos += static_cast<size_t>(len);
        }
    }
    return QString::fromUtf8(utf8);
}

qsizetype decodedIndexOf(const QByteArray& bytes, qsizetype byteOffset) {
    qsizetype offset = std::clamp<qsizetype>(byteOffset, 0, bytes.size());
    if (offset < bytes.size() && byteClassAt(bytes, offset) == ByteClass::Trail)
        --offset;
    return toUnicode(bytes.left(offset)).size();
}

std::optional<QByteArray> fromUnicode(QStringView text, Unencodable policy) {
    QByteArray out;
    out.reserve(text.size());
    qsizetype segment = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!isNeverHeld(text, i))
            continue;
        if (policy == Unencodable::Refuse || !appendConverted(text.sliced(segment, i - segment), policy, out))
            return std::nullopt;
        appendNeverHeld(out, text[i]);
        segment = i + 1;
    }
    if (!appendConverted(text.sliced(segment), policy, out))
        return std::nullopt;
    return out;
}

QByteArray fromUnicodeUrl(QStringView text) {
    return *fromUnicode(text, Unencodable::PercentEncode);
}

bool isEncodable(QStringView text) {
    return fromUnicode(text, Unencodable::Refuse).has_value();
}

int encodedLength(QChar c) {
    const char16_t u = c.unicode();
    if (u < 0x80 || u == 0x80 || (u >= 0xFF61 && u <= 0xFF9F) || (u >= 0xF8F0 && u <= 0xF8F3))
        return 1;
    return 2;
}

qsizetype byteOffsetOf(QStringView text, qsizetype index) {
    qsizetype bytes = 0;
    const qsizetype end = qMin(index, text.size());
    for (qsizetype i = 0; i < end; ++i)
        bytes += encodedLength(text[i]);
    return bytes;
}

qsizetype indexOfByteOffset(QStringView text, qsizetype byteOffset) {
    qsizetype bytes = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int len = encodedLength(text[i]);
        if (bytes + len > byteOffset)
            return i;
        bytes += len;
    }
    return text.size();
}

int convertersOpenedOnThisThread() {
    return openedConverters;
}

} // namespace sjis
