#include "platform/xdg/XdgApplications.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace {

// Relative entries are invalid by the base directory rules and are ignored, so are empty ones.
QStringList absoluteDirs(const QString& list) {
    QStringList dirs;
    for (const QString& dir : list.split(u':', Qt::SkipEmptyParts))
        if (QDir::isAbsolutePath(dir))
            dirs.append(QDir::cleanPath(dir));
    return dirs;
}

QString dirOrDefault(const QProcessEnvironment& env, const QString& name, const QString& fallback) {
    const QString value = env.value(name);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}

QStringList dirsOrDefault(const QProcessEnvironment& env, const QString& name, const QString& fallback) {
    const QStringList dirs = absoluteDirs(env.value(name));
    return dirs.isEmpty() ? absoluteDirs(fallback) : dirs;
}

// The desktop-specific association file names, most specific desktop first ("kde-mimeapps.list").
QStringList desktopListNames(const QProcessEnvironment& env) {
    QStringList names;
    for (const QString& desktop : env.value(QStringLiteral("XDG_CURRENT_DESKTOP")).split(u':', Qt::SkipEmptyParts))
        if (!desktop.contains(u'/'))
            names.append(desktop.toLower() + QStringLiteral("-mimeapps.list"));
    return names;
}

QStringList defaultApplications(const QString& fileName, const QString& mimeType) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    constexpr qint64 kMaxSize = 1 << 20;
    return DefaultApplicationsIn(file.read(kMaxSize), mimeType);
}

bool isExecutableFile(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// The entry file for a desktop ID below one applications folder: "a-b-c.desktop" may live at a-b-c.desktop,
// a/b-c.desktop, a/b/c.desktop and so on.
QString findBelow(const QString& dir, const QString& id) {
    const QString direct = dir + u'/' + id;
    if (QFileInfo(direct).isFile())
        return direct;
    for (qsizetype dash = id.indexOf(u'-'); dash > 0; dash = id.indexOf(u'-', dash + 1)) {
        const QString sub = dir + u'/' + id.left(dash);
        if (QFileInfo(sub).isDir()) {
            const QString found = findBelow(sub, id.mid(dash + 1));
            if (!found.isEmpty())
                return found;
        }
    }
    return {};
}

} // namespace

QStringList DefaultApplicationsIn(const QByteArray& listFile, const QString& mimeType) {
    bool inGroup = false;
    for (const QByteArray& rawLine : listFile.split('\n')) {
        const QString line = QString::fromUtf8(rawLine).trimmed();
        if (line.startsWith(u'[')) {
            inGroup = line == u"[Default Applications]";
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (!inGroup || equals <= 0 || line.left(equals).trimmed() != mimeType)
            continue;
        QStringList ids;
        // A desktop file ID is a file name: one holding a NUL names no file, and asking for it only makes
        // the file functions complain.
        for (const QString& id : line.mid(equals + 1).split(u';', Qt::SkipEmptyParts))
            if (!id.trimmed().isEmpty() && !id.contains(QChar(0)))
                ids.append(id.trimmed());
        return ids;
    }
    return {};
}

TXdgApplications::TXdgApplications(const QProcessEnvironment& env) {
    const QString home = env.value(QStringLiteral("HOME"));
    const QString configHome = dirOrDefault(env, QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    const QStringList configDirs = dirsOrDefault(env, QStringLiteral("XDG_CONFIG_DIRS"), QStringLiteral("/etc/xdg"));
    const QString dataHome = dirOrDefault(env, QStringLiteral("XDG_DATA_HOME"), home + QStringLiteral("/.local/share"));
    const QStringList dataDirs =
        dirsOrDefault(env, QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/usr/local/share:/usr/share"));
    const QStringList desktopLists = desktopListNames(env);

    auto addLists = [&](const QString& dir) {
        for (const QString& name : desktopLists)
            FAssociationFiles.append(dir + u'/' + name);
        FAssociationFiles.append(dir + QStringLiteral("/mimeapps.list"));
    };
    // A HOME-relative default with HOME unset would point at the file system root: leave such folders out.
    const bool hasHome = QDir::isAbsolutePath(home);
    if (hasHome || QDir::isAbsolutePath(env.value(QStringLiteral("XDG_CONFIG_HOME"))))
        addLists(configHome);
    for (const QString& dir : configDirs)
        addLists(dir);
    QStringList dataFolders;
    if (hasHome || QDir::isAbsolutePath(env.value(QStringLiteral("XDG_DATA_HOME"))))
        dataFolders.append(dataHome);
    dataFolders.append(dataDirs);
    for (const QString& dir : dataFolders) {
        const QString applications = dir + QStringLiteral("/applications");
        addLists(applications);
        FAssociationFiles.append(applications + QStringLiteral("/defaults.list"));
        FApplicationDirs.append(applications);
    }
    FPath = absoluteDirs(env.value(QStringLiteral("PATH")));
}

QString TXdgApplications::FindDesktopFile(const QString& desktopId) const {
    if (!desktopId.endsWith(QStringLiteral(".desktop")) || desktopId.contains(u'/'))
        return {};
    for (const QString& dir : FApplicationDirs) {
        const QString found = findBelow(dir, desktopId);
        if (!found.isEmpty())
            return found;
    }
    return {};
}

QString TXdgApplications::FindProgram(const QString& name) const {
    if (name.isEmpty())
        return {};
    if (name.contains(u'/'))
        return isExecutableFile(name) ? name : QString();
    for (const QString& dir : FPath) {
        const QString candidate = dir + u'/' + name;
        if (isExecutableFile(candidate))
            return candidate;
    }
    return {};
}

bool TXdgApplications::Installed(const TDesktopEntry& entry) const {
    if (entry.Hidden || entry.Exec.isEmpty())
        return false;
    if (!entry.Type.isEmpty() && entry.Type != u"Application")
        return false;
    return entry.TryExec.isEmpty() || !FindProgram(entry.TryExec).isEmpty();
}

std::optional<TDesktopEntry> TXdgApplications::InstalledEntry(const QString& fileName) const {
    std::optional<TDesktopEntry> entry = ReadDesktopEntry(fileName);
    if (!entry || !Installed(*entry))
        return std::nullopt;
    return entry;
}

QString TXdgApplications::DefaultApplication(const QString& mimeType) const {
    for (const QString& list : FAssociationFiles)
        for (const QString& id : defaultApplications(list, mimeType)) {
            const QString file = FindDesktopFile(id);
            if (!file.isEmpty() && InstalledEntry(file))
                return file;
        }
    return {};
}

QStringList TXdgApplications::EntryCommand(const TDesktopEntry& entry) const {
    QStringList command = SplitExecLine(entry.Exec);
    if (command.isEmpty())
        return {};
    command[0] = FindProgram(command[0]);
    if (command[0].isEmpty())
        return {};
    return command;
}

bool TXdgApplications::StartsProgram(const TDesktopEntry& entry, const QString& canonicalProgram) const {
    const QStringList command = EntryCommand(entry);
    return !command.isEmpty() && QFileInfo(command[0]).canonicalFilePath() == canonicalProgram;
}

QString TXdgApplications::IconForProgram(const QString& programPath, const QString& preferredEntry) const {
    const QString program = QFileInfo(programPath).canonicalFilePath();
    if (program.isEmpty())
        return {};
    if (!preferredEntry.isEmpty())
        if (const auto entry = InstalledEntry(preferredEntry); entry && StartsProgram(*entry, program))
            return entry->Icon;
    // An entry in a folder of higher precedence hides entries of the same ID further down, also when it is
    // hidden itself.
    QSet<QString> seenIds;
    for (const QString& dir : FApplicationDirs) {
        QStringList files;
        QDirIterator it(dir, {QStringLiteral("*.desktop")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files.append(it.next());
        files.sort();
        for (const QString& file : files) {
            QString id = file.mid(dir.size() + 1);
            id.replace(u'/', u'-');
            if (seenIds.contains(id))
                continue;
            seenIds.insert(id);
            if (const auto entry = InstalledEntry(file); entry && StartsProgram(*entry, program))
                return entry->Icon;
        }
    }
    return {};
}
