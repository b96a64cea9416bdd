#pragma once

#include <QString>

// The folder the dialog starts from: an existing folder as given, the folder part (with its "/") of an
// existing file, else empty.
QString NormalizeFolder(const QString& folder);
