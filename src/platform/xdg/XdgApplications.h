#pragma once

#include "platform/xdg/DesktopEntry.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <optional>

// The desktop IDs that the [Default Applications] group of one association file's contents lists for
// mimeType, in their order; empty when the group or the type is missing.
QStringList DefaultApplicationsIn(const QByteArray& listFile, const QString& mimeType);

// The desktop's applications as freedesktop.org's base directory, desktop entry and MIME application rules lay them
// out: where desktop entries and mimeapps.list files live (from HOME, XDG_CONFIG_HOME, XDG_CONFIG_DIRS, XDG_DATA_HOME,
// XDG_DATA_DIRS and XDG_CURRENT_DESKTOP), which application is the default for a MIME type, and programs on PATH.
// Everything is read from the environment given, so tests can point it at a temporary tree.
class TXdgApplications final {
public:
    explicit TXdgApplications(const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());

    // The association files in order of precedence: for the config home, each config dir, the data home and
    // each data dir, the desktop-specific list first, then mimeapps.list; the older defaults.list after each
    // data folder's lists.
    const QStringList& AssociationFiles() const { return FAssociationFiles; }
    // The folders that hold desktop entries, in order of precedence.
    const QStringList& ApplicationDirs() const { return FApplicationDirs; }

    // The file of an installed desktop entry by its desktop file ID ("org.example.App.desktop", where a "-"
    // may stand for a subfolder), or empty.
    QString FindDesktopFile(const QString& desktopId) const;
    // The desktop entry file of the default application for mimeType: the first installed entry that a
    // [Default Applications] line names, the files searched in order of precedence; empty when none.
    QString DefaultApplication(const QString& mimeType) const;

    // An executable program: a name with a "/" as it is, else the first match on PATH; empty when none.
    QString FindProgram(const QString& name) const;
    // The program an entry starts followed by its fixed arguments, the program resolved on PATH; empty when
    // the entry has no Exec line or its program cannot be found.
    QStringList EntryCommand(const TDesktopEntry& entry) const;
    // The Icon= of the desktop entry that starts programPath (the same file, links followed), preferring the
    // given entry file; empty when no entry starts it or it names no icon.
    QString IconForProgram(const QString& programPath, const QString& preferredEntry = QString()) const;

private:
    bool Installed(const TDesktopEntry& entry) const;
    std::optional<TDesktopEntry> InstalledEntry(const QString& fileName) const;
    bool StartsProgram(const TDesktopEntry& entry, const QString& canonicalProgram) const;

    QStringList FAssociationFiles;
    QStringList FApplicationDirs;
    QStringList FPath;
};
