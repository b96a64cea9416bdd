// The code page 932 converter both ways. The first byte picks the direction; the rest is the input.
// Bytes to text to bytes gives the same bytes, or "%XX" in place of bytes that form no character, or the
// other code of a character that has two. Any
// UTF-16 text (lone surrogates too) converts; what the code page holds reads back as itself.
#include "FuzzCheck.h"
#include "core/text/ShiftJis.h"

namespace {

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

// out is bytes with some bytes written as "%XX" (upper-case hex digits): a byte that forms no character, or
// both bytes of a pair that forms none. A "%" itself is always a character, so reading is unambiguous.
bool SameOrPercentForm(const QByteArray& bytes, const QByteArray& out) {
    qsizetype j = 0;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (j < out.size() && out[j] == bytes[i]) {
            ++j;
            continue;
        }
        // A character with two codes (the NEC and IBM extensions repeat some) comes back under the code
        // the converter writes for it: the same character, the same length.
        if (sjis::charLength(bytes, i) == 2 && j + 2 <= out.size() &&
            sjis::toUnicode(bytes.mid(i, 2)) == sjis::toUnicode(out.mid(j, 2)) &&
            !sjis::toUnicode(out.mid(j, 2)).startsWith(u'%')) {
            ++i;
            j += 2;
            continue;
        }
        if (j + 3 > out.size() || out[j] != '%' || !IsHexDigit(out[j + 1]) || !IsHexDigit(out[j + 2]) ||
            out.mid(j + 1, 2).toUInt(nullptr, 16) != static_cast<unsigned char>(bytes[i]))
            return false;
        j += 3;
    }
    return j == out.size();
}

void BytesToText(const QByteArray& bytes) {
    const QString text = sjis::toUnicode(bytes);
    FUZZ_CHECK(!text.contains(QChar::ReplacementCharacter));
    const auto back = sjis::fromUnicode(text, sjis::Unencodable::Refuse);
    FUZZ_CHECK(back.has_value());
    FUZZ_CHECK(SameOrPercentForm(bytes, *back));
    FUZZ_CHECK(sjis::toUnicode(*back) == text);
    FUZZ_CHECK(sjis::decodedIndexOf(bytes, bytes.size()) == text.size());
}

void TextToBytes(const QString& text) {
    const QByteArray url = sjis::fromUnicodeUrl(text);
    // The percent-encoded form is held by the code page: it reads back as itself.
    FUZZ_CHECK(sjis::fromUnicode(sjis::toUnicode(url), sjis::Unencodable::Refuse) == url);
    const auto held = sjis::fromUnicode(text, sjis::Unencodable::Refuse);
    FUZZ_CHECK(held.has_value() == sjis::isEncodable(text));
    if (!held)
        return;
    FUZZ_CHECK(*held == url);
    FUZZ_CHECK(sjis::toUnicode(*held) == text);
    FUZZ_CHECK(sjis::byteOffsetOf(text, text.size()) == held->size());
    FUZZ_CHECK(sjis::indexOfByteOffset(text, held->size()) == text.size());
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    if (data[0] & 1)
        TextToBytes(FuzzUtf16(data + 1, size - 1));
    else
        BytesToText(FuzzBytes(data + 1, size - 1));
    return 0;
}
