#pragma once

#include <QByteArray>
#include <QByteArrayView>

// Letter case in code page 932 as the Japanese locale folds it: the ASCII letters and the double-byte
// (full-width) Latin, Greek and Cyrillic letters. The second byte of a double-byte character is never
// folded on its own, and folding never changes a character's byte length.
namespace sjis {

// Per-byte facts as table look-ups: the loops over names run for every key of a long settings list.
struct CaseBytes {
    bool lead[256] = {};
    unsigned char upper[256] = {};
    constexpr CaseBytes() {
        for (int b = 0; b < 256; ++b) {
            lead[b] = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); // as isLeadByte
            upper[b] = static_cast<unsigned char>(b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b);
        }
    }
};
inline constexpr CaseBytes kCaseBytes;

// The upper-case form of a single-byte character.
inline unsigned char upperSingle(unsigned char b) {
    return kCaseBytes.upper[b];
}

// The second byte of the upper-case form of the double-byte character lead, trail (the lead byte stays);
// trail itself when the character has no upper-case form.
inline unsigned char upperTrail(unsigned char lead, unsigned char trail) {
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

// The text with every letter upper-cased. Shares the text's data when nothing changes.
QByteArray toUpper(const QByteArray& text);

// True when both texts are equal ignoring letter case. Does not allocate.
bool equalIgnoringCase(QByteArrayView a, QByteArrayView b);

} // namespace sjis
