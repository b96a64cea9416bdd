#include "core/browser/CommandLine.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

} // namespace

QStringList SplitCommandLine(QStringView text) {
    QStringList arguments;
    const qsizetype n = text.size();
    qsizetype i = 0;
    for (;;) {
        while (i < n && isBlank(text[i]))
            ++i;
        if (i >= n)
            break;

        QString argument;
        bool quoted = false;
        while (i < n) {
            qsizetype backslashes = 0;
            while (i < n && text[i] == u'\\') {
                ++backslashes;
                ++i;
            }
            if (i < n && text[i] == u'"') {
                argument.append(QString(backslashes / 2, u'\\'));
                if (backslashes % 2 == 1) {
                    argument.append(u'"');
                } else if (quoted && i + 1 < n && text[i + 1] == u'"') {
                    argument.append(u'"');
                    ++i;
                } else {
                    quoted = !quoted;
                }
                ++i;
                continue;
            }
            argument.append(QString(backslashes, u'\\'));
            if (i >= n || (!quoted && isBlank(text[i])))
                break;
            argument.append(text[i]);
            ++i;
        }
        arguments.append(argument);
    }
    return arguments;
}
