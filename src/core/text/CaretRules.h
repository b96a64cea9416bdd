#pragma once

#include <QByteArray>

// One step of the held fast-left key: the caret moves one character left, a double-byte character
// whole; a caret that stands after a lead byte stays. selStart outside the text is left unchanged.
qsizetype FastLeftTarget(const QByteArray& text, qsizetype selStart);
// The mirror image for fast-right.
qsizetype FastRightTarget(const QByteArray& text, qsizetype selStart);
