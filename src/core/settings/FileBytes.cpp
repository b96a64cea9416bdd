#include "core/settings/FileBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <fcntl.h>
#include <unistd.h>

namespace {

// The rename is an entry in the folder: until the folder itself reaches the disk, a power cut can bring the
// old name back with the new file's blocks lost to it.
void SyncFolderOf(const QString& path) {
    const QFileInfo target(path);
    const QString file = target.isSymLink() ? target.canonicalFilePath() : target.absoluteFilePath();
    const QByteArray folder = QFile::encodeName(QFileInfo(file).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

namespace filebytes {

ReadStatus ReadAll(const QString& path, QByteArray& bytes) {
    const QFileInfo info(path);
    if (!info.exists())
        return ReadStatus::Missing;
    if (!info.isFile())
        return ReadStatus::Unreadable;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return ReadStatus::Unreadable;
    bytes = file.readAll();
    return file.error() == QFileDevice::NoError ? ReadStatus::Ok : ReadStatus::Unreadable;
}

bool ReplaceAtomically(const QString& path, QByteArrayView bytes) {
    // The rename would replace a read-only file whenever its folder is writable; a read-only file means
    // "do not overwrite", so it is refused here.
    const QFileInfo existing(path);
    if (existing.exists() && (!existing.isFile() || !existing.isWritable()))
        return false;
    // QSaveFile writes a temporary file beside the target, syncs it on commit, renames it over the
    // target (keeping the target's permissions, following a symbolic link) and removes it on failure.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (file.write(bytes.data(), bytes.size()) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    if (!file.commit())
        return false;
    SyncFolderOf(path);
    return true;
}

} // namespace filebytes
