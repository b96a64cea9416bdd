#pragma once

#include <QString>
#include <QStringList>

// Where the settings file and the manual live. A copy run from a folder of its own (portable use) keeps both
// beside the executable; an installed program cannot write beside itself, so its settings go to the user's
// XDG config folder and its manual is read from the installed data folder.

// What is found at the settings file's place beside the executable.
enum class BesideFile {
    None,    // nothing
    Own,     // a regular file of the user's, writable by nobody else
    Foreign, // anything else: another user's file, a link, a folder, a file others may write
};

// What the choice of the settings folder depends on.
struct SettingsFolderFacts {
    QString executableDir;
    bool executableDirOwn = false;      // owned by the user or root, not writable by group or others
    bool executableDirWritable = false; // by the user running the program, not by whoever owns the folder
    BesideFile settingsBesideExecutable = BesideFile::None;
    QString xdgConfigHome; // the variable's value, possibly empty or relative
    QString home;
};

// The folder that holds (or will hold) Velmarinth.ini: beside the executable only in a folder of the user's
// own, where the file is the user's own or the user may make it; else the XDG config folder. A folder others
// may write (a copy in /tmp, a group share) could hold a file planted to run its browser path on Browse, or a
// link that would have the user's settings written into a file of theirs.
QString ChooseSettingsFolder(const SettingsFolderFacts& facts);

// Where the manual may be, best first: beside the executable, the data folder of the prefix the executable
// is installed in, then each of the system's data folders.
QStringList ManualCandidates(const QString& executableDir, const QStringList& dataDirs,
                             const QString& fileName = QStringLiteral("Velmarinth.txt"));

// The manual's file name in a language: "Velmarinth.txt" for Japanese, "Velmarinth_<language>.txt" otherwise.
QString ManualFileName(const QString& language);

// The settings folder for this run, made when it is the XDG one so the first write can succeed; a failure
// to make it shows as the write's own error.
QString SettingsFolder();

// The first of the candidates that exists in a folder of the user's own (one that nobody else may fill: a
// manual planted beside a copy in /tmp would be opened by whatever the desktop picks for it), else the first.
QString FirstManual(const QStringList& candidates);

// The manual in the language (FirstManual of this run's candidates) where one of the user's own exists, else
// the Japanese one.
QString ManualPath(const QString& language);
