#include "core/browser/BrowserChoice.h"

#include "core/settings/VelGlobals.h"

namespace {

// The chosen program counts only while the setting is on and the path names a file; a folder or a vanished
// file makes the caller switch the setting off.
bool directedBrowserUsable(const TBrowseSettings& settings, const IBrowserSystem& system, bool& gone) {
    gone = false;
    if (!settings.UseDirectedBrowser)
        return false;
    if (system.IsFile(settings.DirectedBrowserPath))
        return true;
    gone = true;
    return false;
}

} // namespace

TBrowseLaunch DecideBrowseLaunch(const QByteArray& url, const TBrowseSettings& settings, const IBrowserSystem& system) {
    TBrowseLaunch launch;
    launch.Target = url;
    if (directedBrowserUsable(settings, system, launch.DirectedBrowserGone)) {
        launch.Kind = TBrowseLaunch::lkProgram;
        launch.Program = settings.DirectedBrowserPath;
    } else if (settings.RunWithCommandLine) {
        launch.Kind = TBrowseLaunch::lkProgram;
        launch.Program = GetDefaultBrowserPath(system);
    } else {
        launch.Kind = TBrowseLaunch::lkShellOpen;
    }
    return launch;
}

TBrowserChoice DecideBrowserIconPath(const TBrowseSettings& settings, const IBrowserSystem& system) {
    TBrowserChoice choice;
    if (directedBrowserUsable(settings, system, choice.DirectedBrowserGone))
        choice.Path = settings.DirectedBrowserPath;
    else
        choice.Path = GetDefaultBrowserPath(system);
    return choice;
}

TBrowseSettings CurrentBrowseSettings() {
    TBrowseSettings settings;
    settings.UseDirectedBrowser = VelGlobals::UseDirectedBrowser;
    settings.DirectedBrowserPath = VelGlobals::DirectedBrowserPath;
    settings.RunWithCommandLine = VelGlobals::RunWithCommandLine;
    return settings;
}

void ExecuteBrowse(const QByteArray& url, const IBrowserSystem& system, IProgramLauncher& launcher) {
    const TBrowseLaunch launch = DecideBrowseLaunch(url, CurrentBrowseSettings(), system);
    if (launch.DirectedBrowserGone)
        VelGlobals::UseDirectedBrowser = false;
    if (launch.Kind == TBrowseLaunch::lkProgram)
        launcher.RunProgramWithParams(launch.Program, launch.Target);
    else
        launcher.RunProgram(launch.Target);
}

QByteArray BrowserIconPath(const IBrowserSystem& system) {
    const TBrowserChoice choice = DecideBrowserIconPath(CurrentBrowseSettings(), system);
    if (choice.DirectedBrowserGone)
        VelGlobals::UseDirectedBrowser = false;
    return choice.Path;
}
