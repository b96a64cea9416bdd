#pragma once

#include <QByteArray>
#include <QByteArrayView>

// How a "[name]" line of the settings file is recognised and named, on code page 932 bytes. A rewrite puts
// back "[" + name + "]", so recognising and naming must agree with writing: a name read from a header line
// written again makes a header line of the same name.
namespace sectionheader {

// A trimmed line that begins with "[" and ends with a "]" that is not the second byte of a double-byte
// character.
bool IsSectionHeader(QByteArrayView line);

// The name of a header line: the text between the brackets without the bytes 0..32 at its ends. A byte that
// is the second byte of a double-byte character stays, so the name never ends in a lone lead byte that would
// take the closing "]" as its second byte when the line is written again.
QByteArrayView SectionHeaderName(QByteArrayView line);

// True when "[" + name + "]" reads back as a header of exactly this name.
bool ReadsBackAsHeader(QByteArrayView name);

} // namespace sectionheader
