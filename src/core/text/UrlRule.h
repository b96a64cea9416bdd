#pragma once

#include <QByteArray>

// The URL rule of the browse and make-shortcut commands and of the template list: the text begins with
// "http" or "www", exactly (letter case counts, nothing may come first).
bool IsBrowsableUrl(const QByteArray& text);
