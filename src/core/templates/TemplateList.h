#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <optional>

// URL templates: code page 932 texts whose caret marker "|" says where the caret goes.

// The 13 built-in templates, each followed by CR LF.
const QByteArray& DefaultTemplateText();

// Each entry followed by CR LF.
QByteArray TemplateListText(const QList<QByteArray>& list);
// Split into lines (SplitLines): a break after the last line makes no empty entry.
QList<QByteArray> SplitTemplateText(const QByteArray& text);

// The text's bytes before caret, "|", the rest. The caret is clamped to the text.
QByteArray InsertCaretMarker(const QByteArray& text, qsizetype caret);

struct MarkerSplit {
    QByteArray text;                // the template without its marker
    std::optional<qsizetype> caret; // byte offset where the marker stood
};
// The marker is the first "|" that is not the second byte of a double-byte character.
MarkerSplit ExtractCaretMarker(const QByteArray& templ);

// Only the first entry that matches ignoring case (sjis::equalIgnoringCase) is looked at: the candidate is a duplicate
// when that entry equals it byte for byte.
bool IsDuplicateTemplate(const QList<QByteArray>& list, const QByteArray& candidate);

// The template that adding the box's text would append, or none when the text is not a URL.
std::optional<QByteArray> AddTemplateCandidate(const QByteArray& text, qsizetype caret);
// The add-template command is enabled: a URL text whose candidate is not a duplicate in list.
bool CanAddTemplate(const QList<QByteArray>& list, const QByteArray& text, qsizetype caret);

struct TemplatePlacement {
    QByteArray text; // what the box gets, marker removed
    qsizetype caret; // byte offset; 0 for a template without marker
};
// What choosing the template at index puts into the box; none for an index outside the list.
std::optional<TemplatePlacement> TemplateForBox(const QList<QByteArray>& list, qsizetype index);

// The text on either side of the marker; a text without marker is all second piece.
struct MarkerPieces {
    QByteArray first;
    QByteArray second;
};
MarkerPieces SplitAtMarker(const QByteArray& text);

// A menu page holds this many templates; a next-page item follows the last one when more remain.
constexpr int TemplatesPerPage = 15;
// "1" to "9" for positions 0 to 8, "A" to "F" for 9 to 14: never "N", "U" or "T".
char TemplateMenuKey(int position);
// "&" + key + full-width colon + the template, marker included.
QByteArray TemplateMenuCaption(int position, const QByteArray& templ);
// The same caption as the menu item's text. The prefix is made as text, so that a template of plain ASCII,
// the usual one, converts without loading the Shift-JIS converter at start.
QString TemplateMenuCaptionText(int position, const QByteArray& templ);
