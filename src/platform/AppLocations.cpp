#include "platform/AppLocations.h"

#include "core/settings/FileBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString kSettingsFile = QStringLiteral("Velmarinth.ini");
const QString kManualFile = QStringLiteral("Velmarinth.txt");

// access() asks as the real user, so a program run by root finds every folder writable, as it is.
bool WritableByUser(const QString& dir) {
    return ::access(QFile::encodeName(dir).constData(), W_OK | X_OK) == 0;
}

BesideFile SettingsBeside(const QString& path) {
    struct stat info {};
    if (::lstat(QFile::encodeName(path).constData(), &info) != 0)
        return errno == ENOENT ? BesideFile::None : BesideFile::Foreign;
    return filebytes::IsOwnFile(path) ? BesideFile::Own : BesideFile::Foreign;
}

} // namespace

QString ChooseSettingsFolder(const SettingsFolderFacts& facts) {
    const bool beside = facts.settingsBesideExecutable == BesideFile::Own ||
                        (facts.settingsBesideExecutable == BesideFile::None && facts.executableDirWritable);
    if (facts.executableDirOwn && beside)
        return facts.executableDir;
    // A relative value is not a place: the base directory rules say to ignore it.
    const QString configHome = QDir::isAbsolutePath(facts.xdgConfigHome)
                                   ? facts.xdgConfigHome
                                   : QDir(facts.home).filePath(QStringLiteral(".config"));
    return QDir::cleanPath(QDir(configHome).filePath(QStringLiteral("Velmarinth")));
}

QString ManualFileName(const QString& language) {
    if (language.isEmpty() || language == QLatin1String("ja"))
        return kManualFile;
    return QStringLiteral("Velmarinth_%1.txt").arg(language);
}

QStringList ManualCandidates(const QString& executableDir, const QStringList& dataDirs, const QString& fileName) {
    QStringList candidates{QDir(executableDir).filePath(fileName),
                           QDir::cleanPath(executableDir + QStringLiteral("/../share/velmarinth/") + fileName)};
    for (const QString& dir : dataDirs)
        candidates << QDir::cleanPath(dir + QStringLiteral("/velmarinth/") + fileName);
    candidates.removeDuplicates();
    return candidates;
}

QString SettingsFolder() {
    SettingsFolderFacts facts;
    facts.executableDir = QCoreApplication::applicationDirPath();
    facts.executableDirOwn = filebytes::IsOwnFolder(facts.executableDir);
    facts.executableDirWritable = WritableByUser(facts.executableDir);
    facts.settingsBesideExecutable = SettingsBeside(QDir(facts.executableDir).filePath(kSettingsFile));
    facts.xdgConfigHome = qEnvironmentVariable("XDG_CONFIG_HOME");
    facts.home = QDir::homePath();
    const QString folder = ChooseSettingsFolder(facts);
    if (folder != facts.executableDir)
        QDir().mkpath(folder);
    return folder;
}

namespace {

// The first of the candidates that exists in a folder of the user's own; empty when none does.
QString OwnManual(const QStringList& candidates) {
    for (const QString& candidate : candidates)
        if (QFileInfo::exists(candidate) && filebytes::IsOwnFolder(QFileInfo(candidate).absolutePath()))
            return candidate;
    return QString();
}

} // namespace

QString FirstManual(const QStringList& candidates) {
    const QString own = OwnManual(candidates);
    return own.isEmpty() ? candidates.value(0) : own;
}

QString ManualPath(const QString& language) {
    const QString executableDir = QCoreApplication::applicationDirPath();
    const QStringList dataDirs = QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation);
    // The manual in the interface's language, else the program's own (Japanese) one.
    const QString inLanguage = OwnManual(ManualCandidates(executableDir, dataDirs, ManualFileName(language)));
    return inLanguage.isEmpty() ? FirstManual(ManualCandidates(executableDir, dataDirs, kManualFile)) : inLanguage;
}
