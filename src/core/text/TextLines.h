#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <cstring>

// Line breaks in byte text: CR LF, a lone CR or a lone LF each end a line.

// Calls fn(QByteArrayView line) for each line of text. A break after the last line makes no empty line; an
// empty text has no lines.
template <typename Fn> void ForEachLine(QByteArrayView text, Fn&& fn) {
    if (text.isEmpty())
        return;
    const char* p = text.data();
    const char* const end = p + text.size();
    // memchr keeps a multi-megabyte file fast also in unoptimised builds.
    const auto next = [end](const char* from, char c) {
        const void* hit = std::memchr(from, c, static_cast<size_t>(end - from));
        return hit ? static_cast<const char*>(hit) : end;
    };
    const char* cr = next(p, '\r');
    const char* lf = next(p, '\n');
    while (p < end) {
        if (cr < p)
            cr = next(p, '\r');
        if (lf < p)
            lf = next(p, '\n');
        const char* const lineEnd = cr < lf ? cr : lf;
        fn(QByteArrayView(p, lineEnd - p));
        if (lineEnd == end)
            break;
        p = (lineEnd == cr && lineEnd + 1 == lf) ? lineEnd + 2 : lineEnd + 1;
    }
}

// The lines of text, as ForEachLine finds them.
inline QList<QByteArray> SplitLines(QByteArrayView text) {
    QList<QByteArray> lines;
    ForEachLine(text, [&lines](QByteArrayView line) { lines.append(line.toByteArray()); });
    return lines;
}
