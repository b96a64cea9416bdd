#pragma once

#include <QByteArray>
#include <QList>

// The program-wide settings, read when the main window is created and written when it closes.
// Texts are code page 932 bytes.
namespace VelGlobals {

extern bool TopMost;
extern bool ShowToolTip;
extern bool SyncCapsLock;
extern bool SaveURLBox;
extern bool MinimizeAfterExe;
extern bool RunWithCommandLine;
extern bool UseDirectedBrowser;
extern QByteArray DirectedBrowserPath;
extern QByteArray TargetFolder;
extern qint32 TargetFolderIndex;
extern QList<QByteArray> TemplateList;

// Back to the state before the settings file is read: flags off, 0, empty texts and list.
void Reset();

} // namespace VelGlobals
