#include "templates/TemplateList.h"

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
