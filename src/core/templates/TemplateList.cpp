#include "core/templates/TemplateList.h"

#include "core/text/ShiftJis.h"
#include "core/text/SjisCase.h"
#include "core/text/TextLines.h"
#include "core/text/UrlRule.h"

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
    return SplitLines(text);
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

bool IsDuplicateTemplate(const QList<QByteArray>& list, const QByteArray& candidate) {
    for (const QByteArray& entry : list)
        if (sjis::equalIgnoringCase(entry, candidate))
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

QString TemplateMenuCaptionText(int position, const QByteArray& templ) {
    const char16_t prefix[] = {u'&', char16_t(TemplateMenuKey(position)), u'\uFF1A'};
    return QString::fromUtf16(prefix, 3) + sjis::toUnicode(templ);
}
