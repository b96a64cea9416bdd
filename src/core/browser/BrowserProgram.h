#pragma once

#include <QString>

// True when path names a program that can be started: an existing file (not a folder) that this user may
// execute. A text file chosen by mistake would never start as a browser.
bool IsBrowserProgram(const QString& path);
