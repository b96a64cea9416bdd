#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

// Code page 932 (Shift-JIS): byte classes, character stepping and conversion to and from Unicode.
// Rule code keeps text as these bytes; conversion happens only where text meets a widget, the clipboard,
// a drop or a file name.
namespace sjis {

enum class ByteClass { Single, Lead, Trail };

inline bool isLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

// Bytes taken by the character that starts at pos: 2 for a lead byte with a byte after it, else 1.
// A lone lead byte at the end of the text is a single-byte character.
int charLength(const QByteArray& text, qsizetype pos);

// Class of the byte at pos, counting characters from the start of the text.
ByteClass byteClassAt(const QByteArray& text, qsizetype pos);

// Index of the first byte ch (a single-byte character) at or after from that is not the second byte of a
// double-byte character; -1 when there is none.
qsizetype indexOfChar(const QByteArray& text, char ch, qsizetype from = 0);

// Decodes as the Windows table does, including the single bytes 0x80, 0xA0, 0xFD, 0xFE and 0xFF. Each
// byte of an invalid or unassigned code becomes "%XX", so that the text stays a URL and the bytes can be
// recovered.
QString toUnicode(const QByteArray& bytes);

// The UTF-16 index in toUnicode(bytes) of a byte offset in bytes (rounded down to a character start).
qsizetype decodedIndexOf(const QByteArray& bytes, qsizetype byteOffset);

// What to do with a character that code page 932 cannot hold. A character counts as held only when it
// converts and reads back as itself: the converter's one-way mappings ("¥" to 0x5C, which reads back as a
// backslash, and eight more) and lone surrogates are not held.
enum class Unencodable {
    Refuse,        // the whole conversion fails
    PercentEncode, // the character becomes its percent-encoded UTF-8 form
};

std::optional<QByteArray> fromUnicode(QStringView text, Unencodable policy);

// Text for a URL: characters outside the code page are percent-encoded, so this never fails.
QByteArray fromUnicodeUrl(QStringView text);

// True when the code page holds every character of text.
bool isEncodable(QStringView text);

// Byte length in code page 932 of one UTF-16 unit that the code page can hold (1 or 2).
int encodedLength(QChar c);

// Byte offset of the UTF-16 index, and the UTF-16 index of a byte offset (rounded down to a character
// start), for text that the code page can hold.
qsizetype byteOffsetOf(QStringView text, qsizetype index);
qsizetype indexOfByteOffset(QStringView text, qsizetype byteOffset);

// How many converters this thread has opened: one each way, at the first text that needs it.
int convertersOpenedOnThisThread();

} // namespace sjis
