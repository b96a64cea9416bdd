#pragma once

#include <QString>

// Asks the desktop to open a document with its registered program. The outcome is not examined.
void ShellOpenDocument(const QString& path);
