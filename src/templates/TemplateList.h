#pragma once

#include <QByteArray>
#include <QList>
#include <optional>

// URL templates: code page 932 texts whose caret marker "|" says where the caret goes.

// The 13 built-in templates, each followed by CR LF.
const QByteArray& DefaultTemplateText();

// Each entry followed by CR LF.
QByteArray TemplateListText(const QList<QByteArray>& list);
// Split at CR LF, lone CR or lone LF; a break after the last line makes no empty entry.
QList<QByteArray> SplitTemplateText(const QByteArray& text);

// The text's bytes before caret, "|", the rest. The caret is clamped to the text.
QByteArray InsertCaretMarker(const QByteArray& text, qsizetype caret);

struct MarkerSplit {
    QByteArray text;                // the template without its marker
    std::optional<qsizetype> caret; // byte offset where the marker stood
};
// The marker is the first "|" that is not the second byte of a double-byte character.
MarkerSplit ExtractCaretMarker(const QByteArray& templ);
