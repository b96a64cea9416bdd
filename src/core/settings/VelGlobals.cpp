#include "core/settings/VelGlobals.h"

namespace VelGlobals {

bool TopMost = false;
bool ShowToolTip = false;
bool SyncCapsLock = false;
bool SaveURLBox = false;
bool MinimizeAfterExe = false;
bool RunWithCommandLine = false;
bool UseDirectedBrowser = false;
QByteArray DirectedBrowserPath;
QByteArray TargetFolder;
qint32 TargetFolderIndex = 0;
QList<QByteArray> TemplateList;

void Reset() {
    TopMost = ShowToolTip = SyncCapsLock = SaveURLBox = false;
    MinimizeAfterExe = RunWithCommandLine = UseDirectedBrowser = false;
    DirectedBrowserPath.clear();
    TargetFolder.clear();
    TargetFolderIndex = 0;
    TemplateList.clear();
}

} // namespace VelGlobals
