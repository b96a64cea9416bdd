#pragma once

#include <QByteArray>
#include <optional>

class TQuickIni;

// What the settings file keeps of the main window besides the program-wide settings (VelGlobals), as plain
// values: the window fills them in before writing and applies them after reading.
struct TVelWindowState {
    std::optional<qint32> Left; // outer left edge; none when no number is stored, so the window is centred
    std::optional<qint32> Top;
    bool CapsLock = false; // the on-screen Caps key is down
    QByteArray URLBox;     // the box's text with the caret marker at the caret; empty for an empty box
};

// Reads every setting into VelGlobals and window, each with its default where the file has none. The Caps
// key's state reads as up while SyncCapsLock is on, the URL box as empty while SaveURLBox is off.
void ReadVelSettings(const TQuickIni& ini, TVelWindowState& window);

// Empties the store, gives it the file's comment header and writes Left and Top and every other setting
// that differs from its default, in the file's order. The store is not released.
void WriteVelSettings(TQuickIni& ini, const TVelWindowState& window);
