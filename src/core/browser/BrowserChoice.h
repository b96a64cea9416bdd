#pragma once

#include "core/browser/DefaultBrowser.h"

#include <QByteArray>

// Which browser the browse command starts and how (a chosen program, the default browser with the URL as its
// parameter text, or the desktop's own "open"), and which browser the File menu shows.

// Starts programs and asks the desktop to open URLs; never waits for what it starts and reports nothing.
class IProgramLauncher {
public:
    virtual ~IProgramLauncher() = default;
    // Opens a URL, document or program as the desktop's "open" does.
    virtual void RunProgram(const QByteArray& target) = 0;
    // Starts program in the program's folder with the parameter text (the URL) as its one argument, never split.
    virtual void RunProgramWithParams(const QByteArray& program, const QByteArray& params) = 0;
};

// The settings the launch depends on (the program-wide ones, or others in tests).
struct TBrowseSettings {
    bool UseDirectedBrowser = false;
    QByteArray DirectedBrowserPath;
    bool RunWithCommandLine = false;
};

struct TBrowseLaunch {
    enum TKind {
        lkProgram,   // start Program with Target as its parameter text
        lkShellOpen, // ask the desktop to open Target
    };
    TKind Kind = lkShellOpen;
    QByteArray Program;               // may be empty when no default browser was found; starting it then fails quietly
    QByteArray Target;                // the URL, unchanged
    bool DirectedBrowserGone = false; // the chosen program is gone: UseDirectedBrowser is to be switched off
};

// What the browse command starts for url. The default browser is looked up only when it is needed.
TBrowseLaunch DecideBrowseLaunch(const QByteArray& url, const TBrowseSettings& settings, const IBrowserSystem& system);

struct TBrowserChoice {
    QByteArray Path; // the chosen program, else the default browser, else empty
    bool DirectedBrowserGone = false;
};

// The browser program whose icon the File menu shows.
TBrowserChoice DecideBrowserIconPath(const TBrowseSettings& settings, const IBrowserSystem& system);

// The program-wide settings as the browse rules see them.
TBrowseSettings CurrentBrowseSettings();

// The browse command on the program-wide settings: starts the browser for url through launcher and switches
// UseDirectedBrowser off when the chosen program no longer exists. Minimizing is the window's business.
void ExecuteBrowse(const QByteArray& url, const IBrowserSystem& system, IProgramLauncher& launcher);

// The File menu's browser path on the program-wide settings; switches UseDirectedBrowser off as above.
QByteArray BrowserIconPath(const IBrowserSystem& system);
