#include "gui/main/Main.h"
#include "gui/main/Startup.h"
#include "platform/AppLocations.h"
#include "platform/DisplayServer.h"
#include "platform/LaunchTokens.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    // The program takes no arguments, Qt's own (-style, -reverse, -qwindowtitle …) included: the
    // application object sees the program name only.
    int qtArgc = argc > 0 ? 1 : 0;
    char* qtArgv[] = {argc > 0 ? argv[0] : nullptr, nullptr};
    KeepLaunchTokens();
    PreferX11Platform();
    QApplication app(qtArgc, qtArgv);
    ForgetPlatformRequest();
    PrepareApplication();
    TfrmMain frmMain(SettingsFolder(), ManualPath(UiLanguage()), nullptr, InstanceTitle());
    // A session end that came during start-up has saved the settings already; the event loop would never
    // hear of it.
    if (!frmMain.ShowMainForm() || frmMain.EndRequested())
        return 0;
    frmMain.show();
    return QApplication::exec();
}
