#include "templates/TemplateList.h"

#include "common/UrlRule.h"

#include "common/ShiftJis.h"

const QByteArray& DefaultTemplateText() {
    static const QByteArray text = "http://www.|.co.jp/\r\n"
                                   "http://www.|.ne.jp/\r\n"
                                   "http://www.|.or.jp/\r\n"
                                   "http://www.|.go.jp/\r\n"
                                   "http://www.|.ad.jp/\r\n"
                                   "http://www.|.ac.jp/\r\n"
                                   "http://www.|.jp/\r\n"
                                   "http://www.|.com/\r\n"
                                   "http://www.|.net/\r\n"
                                   "http://www.|.org/\r\n"
                                   "http://www.|.biz/\r\n"
                                   "http://www.|.info/\r\n"
                                   "http://www.|.tv/\r\n";
    return text;
}

QByteArray TemplateListText(const QList<QByteArray>& list) {
    qsizetype size = 0;
    for (const QByteArray& entry : list)
        size += entry.size() + 2;
    QByteArray text;
    text.reserve(size);
    for (const QByteArray& entry : list) {
        text += entry;
        text += "\r\n";
    }
    return text;
}

QList<QByteArray> SplitTemplateText(const QByteArray& text) {
    QList<QByteArray> list;
    qsizetype start = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n')
            continue;
        list.append(text.mid(start, i - start));
        if (c == '\r' && i + 1 < size && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        list.append(text.mid(start));
    return list;
}

QByteArray InsertCaretMarker(const QByteArray& text, qsizetype caret) {
    caret = qBound<qsizetype>(0, caret, text.size());
    return text.left(caret) + '|' + text.mid(caret);
}

MarkerSplit ExtractCaretMarker(const QByteArray& templ) {
    const qsizetype at = sjis::indexOfChar(templ, '|');
    if (at < 0)
        return {templ, std::nullopt};
    QByteArray text = templ;
    text.remove(at, 1);
    return {text, at};
}

namespace {

// The lower-case form of the character that starts at pos, as one number (lead byte in the high byte).
int FoldedChar(const QByteArray& text, qsizetype pos, int len) {
    const auto b = static_cast<unsigned char>(text[pos]);
    if (len == 1)
        return (b >= 'A' && b <= 'Z') ? b + ('a' - 'A') : b;
    int code = (b << 8) | static_cast<unsigned char>(text[pos + 1]);
    if (code >= 0x8260 && code <= 0x8279) // full-width Latin
        code += 0x21;
    else if (code >= 0x839F && code <= 0x83B6) // Greek
        code += 0x20;
    else if (code >= 0x8440 && code <= 0x8460) { // Cyrillic; 0x847F is not a character
        code += 0x30;
        if (code >= 0x847F)
            ++code;
    }
    return code;
}

} // namespace

bool SameTextIgnoringCase(const QByteArray& a, const QByteArray& b) {
    // Folding keeps every character's byte length, so texts of different sizes never match.
    if (a.size() != b.size())
        return false;
    qsizetype i = 0;
    while (i < a.size()) {
        const int len = sjis::charLength(a, i);
        if (sjis::charLength(b, i) != len || FoldedChar(a, i, len) != FoldedChar(b, i, len))
            return false;
        i += len;
    }
    return true;
}

bool IsDuplicateTemplate(const QList<QByteArray>& list, const QByteArray& candidate) {
    for (const QByteArray& entry : list)
        if (SameTextIgnoringCase(entry, candidate))
            return entry == candidate;
    return false;
}

std::optional<QByteArray> AddTemplateCandidate(const QByteArray& text, qsizetype caret) {
    if (!IsBrowsableUrl(text))
        return std::nullopt;
    return InsertCaretMarker(text, caret);
}

bool CanAddTemplate(const QList<QByteArray>& list, const QByteArray& text, qsizetype caret) {
    const auto candidate = AddTemplateCandidate(text, caret);
    return candidate && !IsDuplicateTemplate(list, *candidate);
}

std::optional<TemplatePlacement> TemplateForBox(const QList<QByteArray>& list, qsizetype index) {
    if (index < 0 || index >= list.size())
        return std::nullopt;
    MarkerSplit split = ExtractCaretMarker(list[index]);
    return TemplatePlacement{std::move(split.text), split.caret.value_or(0)};
}

MarkerPieces SplitAtMarker(const QByteArray& text) {
    const qsizetype at = sjis::indexOfChar(text, '|');
    if (at < 0)
        return {QByteArray(), text};
    return {text.left(at), text.mid(at + 1)};
}

char TemplateMenuKey(int position) {
    return static_cast<char>(position < 9 ? '1' + position : position + 56);
}

QByteArray TemplateMenuCaption(int position, const QByteArray& templ) {
    QByteArray caption;
    caption.reserve(templ.size() + 4);
    caption += '&';
    caption += TemplateMenuKey(position);
    caption += "\x81\x46"; // full-width colon
    caption += templ;
    return caption;
}
