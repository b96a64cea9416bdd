#include "core/text/BoxText.h"

#include "core/text/ShiftJis.h"

#include <algorithm>

namespace boxtext {
namespace {

qsizetype FirstLineEnd(QStringView text) {
    for (qsizetype i = 0; i < text.size(); ++i)
        if (IsLineEnd(text[i]))
            return i;
    return -1;
}

qsizetype LastLineEnd(QStringView text) {
    for (qsizetype i = text.size() - 1; i >= 0; --i)
        if (IsLineEnd(text[i]))
            return i;
    return -1;
}

qsizetype CommonStart(QStringView a, QStringView b, qsizetype limit) {
    const qsizetype most = std::min({a.size(), b.size(), limit});
    qsizetype n = 0;
    while (n < most && a[n] == b[n])
        ++n;
    return n;
}

qsizetype CommonEnd(QStringView a, QStringView b, qsizetype limit) {
    const qsizetype most = std::min({a.size(), b.size(), limit});
    qsizetype n = 0;
    while (n < most && a[a.size() - 1 - n] == b[b.size() - 1 - n])
        ++n;
    return n;
}

bool IsControl(QChar c) {
    const char16_t u = c.unicode();
    return u <= 0x1F || u == 0x7F;
}

// A caret between the halves of a surrogate pair stands before the pair.
qsizetype CharacterStart(QStringView text, qsizetype cursor) {
    cursor = std::clamp<qsizetype>(cursor, 0, text.size());
    if (cursor > 0 && cursor < text.size() && text[cursor].isLowSurrogate() && text[cursor - 1].isHighSurrogate())
        --cursor;
    return cursor;
}

// What the code page holds reads back as itself; anything else comes back percent-encoded. (ASCII passes
// through the conversions without a converter.)
void AppendHeld(QString& out, QStringView text) {
    out += sjis::toUnicode(sjis::fromUnicodeUrl(text));
}

void AppendUrlForm(QString& out, QStringView text) {
    static const char hex[] = "0123456789ABCDEF";
    qsizetype segment = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!IsControl(text[i]))
            continue;
        AppendHeld(out, text.sliced(segment, i - segment));
        const char16_t u = text[i].unicode();
        out += QLatin1Char('%');
        out += QLatin1Char(hex[u >> 4]);
        out += QLatin1Char(hex[u & 0x0F]);
        segment = i + 1;
    }
    AppendHeld(out, text.sliced(segment));
}

} // namespace

bool IsLineEnd(QChar c) {
    return c == u'\r' || c == u'\n' || c == QChar(0);
}

QString FirstLine(QStringView text) {
    const qsizetype end = FirstLineEnd(text);
    return (end < 0 ? text : text.left(end)).toString();
}

TFitted FitChange(QStringView before, QStringView after, qsizetype cursor) {
    cursor = std::clamp<qsizetype>(cursor, 0, after.size());
    const qsizetype first = FirstLineEnd(after);
    if (first < 0)
        return {after.toString(), cursor};
    const qsizetype last = LastLineEnd(after);
    // An insertion leaves the caret after the inserted text: when what follows the caret is what ended the
    // text before, that is the kept end. Otherwise (a whole text set, as a screen reader does for an
    // insertion) the kept start and end are what the two texts share, outside the line ends.
    const qsizetype head = CommonStart(before, after, first);
    const qsizetype tail = after.size() - cursor;
    qsizetype keptEnd = -1;
    if (cursor > last && tail > 0 && tail <= before.size() && after.right(tail) == before.right(tail))
        keptEnd = tail;
    if (keptEnd < 0)
        keptEnd = CommonEnd(before, after, std::min(after.size() - last - 1, before.size() - head));
    const QString inserted = FirstLine(after.sliced(head, after.size() - keptEnd - head));
    TFitted result;
    result.text += after.left(head);
    result.text += inserted;
    result.cursor = result.text.size();
    result.text += after.right(keptEnd);
    return result;
}

TFitted UrlForm(QStringView text, qsizetype cursor) {
    cursor = CharacterStart(text, cursor);
    TFitted result;
    AppendUrlForm(result.text, text.left(cursor));
    result.cursor = result.text.size();
    AppendUrlForm(result.text, text.sliced(cursor));
    return result;
}

QString UrlForm(QStringView text) {
    QString result;
    AppendUrlForm(result, text);
    return result;
}

TFitted FitUrlChange(QStringView before, QStringView after, qsizetype cursor) {
    const TFitted cut = FitChange(before, after, cursor);
    return UrlForm(cut.text, cut.cursor);
}

} // namespace boxtext
