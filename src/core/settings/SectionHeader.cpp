#include "core/settings/SectionHeader.h"

#include "core/text/ShiftJis.h"

namespace sectionheader {
namespace {

bool IsControl(unsigned char b) {
    return b <= 32;
}

// Bytes of the character that starts at pos: a lead byte takes the next byte with it, whatever that is.
qsizetype CharLength(QByteArrayView text, qsizetype pos) {
    return sjis::isLeadByte(static_cast<unsigned char>(text[pos])) && pos + 1 < text.size() ? 2 : 1;
}

// The text without single-byte characters 0..32 at its ends, stepping by characters from the start.
QByteArrayView TrimCharacters(QByteArrayView text) {
    qsizetype begin = 0;
    while (begin < text.size() && IsControl(static_cast<unsigned char>(text[begin])))
        ++begin; // bytes 0..32 are never lead bytes: character boundaries stay where they were
    qsizetype end = begin;
    for (qsizetype pos = begin; pos < text.size();) {
        const qsizetype length = CharLength(text, pos);
        pos += length;
        if (length == 2 || !IsControl(static_cast<unsigned char>(text[pos - 1])))
            end = pos;
    }
    return text.sliced(begin, end - begin);
}

// True when the last byte of text starts a double-byte character, counting characters from the start.
bool EndsInLeadByte(QByteArrayView text) {
    qsizetype pos = 0;
    while (pos < text.size() - 1)
        pos += CharLength(text, pos);
    return pos == text.size() - 1 && sjis::isLeadByte(static_cast<unsigned char>(text.back()));
}

} // namespace

bool IsSectionHeader(QByteArrayView line) {
    return line.size() >= 2 && line.front() == '[' && line.back() == ']' && !EndsInLeadByte(line.chopped(1));
}

QByteArrayView SectionHeaderName(QByteArrayView line) {
    return TrimCharacters(line.sliced(1, line.size() - 2));
}

bool ReadsBackAsHeader(QByteArrayView name) {
    return !EndsInLeadByte(name) && TrimCharacters(name).size() == name.size();
}

} // namespace sectionheader
