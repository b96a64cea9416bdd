#include "core/text/SjisCase.h"

namespace sjis {

QByteArray toUpper(const QByteArray& text) {
    QByteArray upper = text; // shares the data until the first change
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size;) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (kCaseBytes.lead[b] && i + 1 < size) {
            const auto trail = static_cast<unsigned char>(text[i + 1]);
            if (const unsigned char folded = upperTrail(b, trail); folded != trail)
                upper[i + 1] = static_cast<char>(folded);
            i += 2;
            continue;
        }
        if (const unsigned char folded = upperSingle(b); folded != b)
            upper[i] = static_cast<char>(folded);
        ++i;
    }
    return upper;
}

bool equalIgnoringCase(QByteArrayView a, QByteArrayView b) {
    if (a.size() != b.size())
        return false;
    // Equal folded bytes so far mean equal character boundaries: folding never changes a lead byte and
    // never turns a single byte into one.
    const auto* x = reinterpret_cast<const unsigned char*>(a.data());
    const auto* y = reinterpret_cast<const unsigned char*>(b.data());
    const qsizetype size = a.size();
    for (qsizetype i = 0; i < size;) {
        if (kCaseBytes.lead[x[i]] && i + 1 < size) {
            if (x[i] != y[i] || upperTrail(x[i], x[i + 1]) != upperTrail(y[i], y[i + 1]))
                return false;
            i += 2;
            continue;
        }
        if (upperSingle(x[i]) != upperSingle(y[i]))
            return false;
        ++i;
    }
    return true;
}

} // namespace sjis
