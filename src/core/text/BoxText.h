#pragma once

#include <QString>
#include <QStringView>

// The rules every change of a one-line box's text obeys, whatever brought it: typing, a paste, a drop, a file,
// a screen reader or the program itself. A line break never enters: the new text is cut at its first CR, LF
// or NUL. In the URL box, control characters and characters that code page 932 cannot hold are shown in their
// percent-encoded form, so that the box's bytes are exactly what it shows.
namespace boxtext {

// CR, LF and NUL end a piece of text that enters a box.
bool IsLineEnd(QChar c);

// The text up to its first CR, LF or NUL.
QString FirstLine(QStringView text);

// Text after a change, and where the caret stands in it.
struct TFitted {
    QString text;
    qsizetype cursor = 0;
};

// A box held before (no line end in it); a change left after, with the caret at cursor. The part that the
// change put in (between the text kept at the start and the text kept at the end) is cut at its first line
// end; the text on either side stays. The caret ends after what was kept of the new part.
TFitted FitChange(QStringView before, QStringView after, qsizetype cursor);

// The URL box's form of a text without line ends: U+0001 to U+001F and U+007F as "%XX", characters the code
// page cannot hold as their percent-encoded UTF-8. The caret stays after the same characters.
TFitted UrlForm(QStringView text, qsizetype cursor);
QString UrlForm(QStringView text);

// FitChange, then UrlForm.
TFitted FitUrlChange(QStringView before, QStringView after, qsizetype cursor);

} // namespace boxtext
