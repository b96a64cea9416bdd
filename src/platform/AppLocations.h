#pragma once

#include <QString>
#include <QStringList>

// Where the settings file and the manual live. A copy run from a folder of its own (portable use) keeps both
// beside the executable; an installed program cannot write beside itself, so its settings go to the user's
// XDG config folder and its manual is read from the installed data folder.

// What the choice of the settings folder depends on.
struct SettingsFolderFacts {
    QString executableDir;
    bool executableDirWritable = false; // by the user running the program, not by whoever owns the folder
    bool settingsBesideExecutable = false;
    QString xdgConfigHome; // the variable's value, possibly empty or relative
    QString home;
};

// The folder that holds (or will hold) Velmarinth.ini.
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

// The first manual in the language that exists, else the first Japanese one that exists, else the one in
// the language beside the executable.
QString ManualPath(const QString& language);
