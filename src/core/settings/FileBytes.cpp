#include "core/settings/FileBytes.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// A chain longer than this is a loop or a trap; the kernel gives up at 40, a person's links never need 8.
constexpr int kMaxLinks = 8;
constexpr qsizetype kChunk = 64 * 1024;

QByteArray Encoded(const QString& path) {
    return QFile::encodeName(path);
}

bool WritableByOthers(mode_t mode) {
    return (mode & (S_IWGRP | S_IWOTH)) != 0;
}

class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : FFd(fd) {}
    ~FileDescriptor() {
        if (FFd >= 0)
            ::close(FFd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    int get() const { return FFd; }
    // Closes now, so that a failing close (a full disk on some file systems) is seen.
    bool close() {
        const int fd = FFd;
        FFd = -1;
        return ::close(fd) == 0;
    }

private:
    int FFd;
};

// Reads until the end of the file, or until more than limit bytes are in (limit < 0: no limit).
bool ReadUpTo(int fd, qsizetype sizeHint, qsizetype limit, QByteArray& bytes) {
    const qsizetype most = limit < 0 ? -1 : limit + 1;
    bytes.clear();
    bytes.reserve(most < 0 ? sizeHint : qMin(sizeHint, most));
    for (;;) {
        qsizetype want = kChunk;
        if (most >= 0)
            want = qMin(want, most - bytes.size());
        if (want == 0)
            return true;
        const qsizetype had = bytes.size();
        bytes.resize(had + want);
        const ssize_t got = ::read(fd, bytes.data() + had, static_cast<size_t>(want));
        if (got < 0 && errno == EINTR) {
            bytes.resize(had);
            continue;
        }
        if (got < 0)
            return false;
        bytes.resize(had + got);
        if (got == 0)
            return true;
    }
}

bool WriteWhole(int fd, QByteArrayView bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, static_cast<size_t>(bytes.size() - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += put;
    }
    return true;
}

// The rename is an entry in the folder: until the folder itself reaches the disk, a power cut can bring the
// old name back with the new file's blocks lost to it.
void SyncFolder(const QString& folder) {
    const int fd = ::open(Encoded(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A new, empty file in folder that nobody else can have opened; its name goes to temporary. -1 on failure.
int CreateTemporary(const QString& folder, const QString& name, mode_t mode, QString& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + u'/' + name + u'.' + QString::number(QRandomGenerator::global()->generate64(), 36);
        const int fd =
            ::open(Encoded(temporary).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

// Where a relative link points, seen from the folder that holds the link.
QString LinkTarget(const QString& link) {
    char buffer[PATH_MAX];
    const ssize_t length = ::readlink(Encoded(link).constData(), buffer, sizeof buffer);
    if (length <= 0 || length == static_cast<ssize_t>(sizeof buffer))
        return {};
    const QString target = QFile::decodeName(QByteArray(buffer, length));
    return target.startsWith(u'/') ? target : QFileInfo(link).absolutePath() + u'/' + target;
}

} // namespace

namespace filebytes {

ReadStatus ReadAll(const QString& path, QByteArray& bytes, qsizetype limit, Links links) {
    // O_NONBLOCK: opening a FIFO for reading would otherwise wait for a writer that may never come.
    int flags = O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY;
    if (links == Links::Refuse)
        flags |= O_NOFOLLOW;
    FileDescriptor fd(::open(Encoded(path).constData(), flags));
    if (fd.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? ReadStatus::Missing : ReadStatus::Unreadable;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode))
        return ReadStatus::Unreadable;
    // A sparse file may claim gigabytes it never stored: its length alone decides.
    if (limit >= 0 && info.st_size > limit)
        return ReadStatus::Unreadable;
    if (!ReadUpTo(fd.get(), static_cast<qsizetype>(info.st_size), limit, bytes))
        return ReadStatus::Unreadable;
    // It grew while being read.
    if (limit >= 0 && bytes.size() > limit) {
        bytes.clear();
        return ReadStatus::Unreadable;
    }
    return ReadStatus::Ok;
}

bool IsOwnFolder(const QString& folder) {
    struct stat info {};
    if (folder.isEmpty() || ::stat(Encoded(folder).constData(), &info) != 0 || !S_ISDIR(info.st_mode))
        return false;
    return (info.st_uid == ::geteuid() || info.st_uid == 0) && !WritableByOthers(info.st_mode);
}

bool IsOwnFile(const QString& path) {
    struct stat info {};
    if (path.isEmpty() || ::lstat(Encoded(path).constData(), &info) != 0 || !S_ISREG(info.st_mode))
        return false;
    return info.st_uid == ::geteuid() && !WritableByOthers(info.st_mode);
}

QString WriteTarget(const QString& path) {
    QString current = path;
    for (int hop = 0; hop <= kMaxLinks; ++hop) {
        struct stat info {};
        if (::lstat(Encoded(current).constData(), &info) != 0 || !S_ISLNK(info.st_mode))
            return current;
        // Whoever may change the link or its folder decides where the bytes go: only the user may.
        if (hop == kMaxLinks || info.st_uid != ::geteuid() || !IsOwnFolder(QFileInfo(current).absolutePath()))
            return {};
        current = LinkTarget(current);
        if (current.isEmpty())
            return {};
    }
    return {};
}

bool ReplaceAtomically(const QString& path, QByteArrayView bytes) {
    const QString target = WriteTarget(path);
    if (target.isEmpty())
        return false;
    const QByteArray name = Encoded(target);
    mode_t mode = 0666; // less the umask, as for any new file
    bool existed = false;
    struct stat info {};
    if (::lstat(name.constData(), &info) == 0) {
        // A read-only file means "do not overwrite", although the rename would replace it; anything but a
        // regular file (a folder, or a link put there since WriteTarget looked) is not ours to replace.
        if (!S_ISREG(info.st_mode) || ::access(name.constData(), W_OK) != 0)
            return false;
        mode = info.st_mode & 07777;
        existed = true;
    } else if (errno != ENOENT) {
        return false;
    }
    const QFileInfo targetInfo(target);
    const QString folder = targetInfo.absolutePath();
    QString temporary;
    FileDescriptor fd(CreateTemporary(folder, targetInfo.fileName(), existed ? 0600 : mode, temporary));
    if (fd.get() < 0)
        return false;
    const QByteArray temporaryName = Encoded(temporary);
    // The replacement keeps the old file's permissions (owner and group become the writer's); should that
    // fail, the stricter 0600 stays.
    if (existed)
        (void)::fchmod(fd.get(), mode);
    const bool written = WriteWhole(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.close();
    // rename() replaces the entry itself: a link put at the target meanwhile is replaced, never followed.
    if (!written || ::rename(temporaryName.constData(), name.constData()) != 0) {
        ::unlink(temporaryName.constData());
        return false;
    }
    SyncFolder(folder);
    return true;
}

} // namespace filebytes
