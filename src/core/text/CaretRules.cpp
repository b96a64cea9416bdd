#include "core/text/CaretRules.h"

#include "core/text/ShiftJis.h"

qsizetype FastLeftTarget(const QByteArray& text, qsizetype selStart) {
    if (selStart <= 0 || selStart > text.size())
        return selStart;
    switch (sjis::byteClassAt(text, selStart - 1)) {
    case sjis::ByteClass::Single:
        return selStart - 1;
    case sjis::ByteClass::Trail:
        return selStart - 2;
    case sjis::ByteClass::Lead:
        break;
    }
    return selStart;
}

qsizetype FastRightTarget(const QByteArray& text, qsizetype selStart) {
    if (selStart < 0 || selStart >= text.size())
        return selStart;
    switch (sjis::byteClassAt(text, selStart)) {
    case sjis::ByteClass::Single:
        return selStart + 1;
    case sjis::ByteClass::Lead:
        return selStart + 2;
    case sjis::ByteClass::Trail:
        break;
    }
    return selStart;
}
