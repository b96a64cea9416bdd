#pragma once

#include <QStringList>
#include <QStringView>

// Splits a parameter text into arguments the way a Windows program's C runtime splits its command line, so a
// browser here receives the arguments it would receive there:
// - blanks and tabs outside double quotes separate arguments; runs of them count once;
// - a double quote switches quoting on or off and is removed; a quoted part may be empty ("" is an empty
//   argument);
// - inside a quoted part, two double quotes in a row give one literal double quote and quoting stays on
//   (the rule of the current runtime; older runtimes ended the quoted part there);
// - backslashes are literal, except before a double quote: 2n backslashes and a quote give n backslashes and
//   the quote switches quoting; 2n+1 backslashes and a quote give n backslashes and a literal quote.
// The text is Unicode, so the second byte of a double-byte character is never taken for a backslash.
QStringList SplitCommandLine(QStringView text);
