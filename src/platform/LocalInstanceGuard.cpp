#include "platform/LocalInstanceGuard.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

constexpr int kMaxTitleLength = 255;
constexpr int kBacklog = 16;
// The running instance's answer once it has taken a request: without it a later start cannot tell a
// request taken from a connection closed because too many were open, and would end without being heard.
const QByteArray kTaken = QByteArrayLiteral("ok\n");

// A folder only this user can write to: a lock or socket elsewhere could be taken or faked by another.
bool IsPrivateFolder(const QByteArray& path) {
    struct stat info {};
    return lstat(path.constData(), &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == geteuid() &&
           (info.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

QString RuntimeFolder() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime))
        return QString::fromLocal8Bit(runtime);
    const QByteArray own = "/tmp/velmarinth-" + QByteArray::number(geteuid());
    if (mkdir(own.constData(), 0700) != 0 && errno != EEXIST)
        return QString();
    return IsPrivateFolder(own) ? QString::fromLocal8Bit(own) : QString();
}

// The title as a file name: its plain letters for whoever looks at the folder, and a digest of the whole
// title, so that titles differing only in other characters stay apart and a socket path stays short.
QString NameOf(const QString& title) {
    const QByteArray bytes = title.left(kMaxTitleLength).toUtf8();
    QByteArray name = "velmarinth-";
    for (const char c : bytes) {
        if (name.size() < 27 && ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            name += c;
    }
    name += '-' + QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex().left(24);
    return QString::fromLatin1(name);
}

QString PathFor(const QString& title, const char* suffix) {
    const QString folder = RuntimeFolder();
    return folder.isEmpty() ? QString() : folder + QLatin1Char('/') + NameOf(title) + QLatin1String(suffix);
}

// False when the path does not fit a socket address: such a socket could only be made under a cut name.
bool ToAddress(const QByteArray& path, sockaddr_un& address) {
    address = {};
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || static_cast<size_t>(path.size()) >= sizeof(address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), path.size());
    return true;
}

// A connection to the running instance's socket, or -1 when none listens there (yet).
int ConnectTo(const QByteArray& path) {
    sockaddr_un address;
    if (!ToAddress(path, address))
        return -1;
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd >= 0 && connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) == 0)
        return fd;
    if (fd >= 0)
        close(fd);
    return -1;
}

// Waits for fd to become ready for events, up to the deadline; false on time out or a poll error.
bool WaitFor(int fd, short events, const QDeadlineTimer& deadline) {
    pollfd one{fd, events, 0};
    int ready;
    do
        ready = poll(&one, 1, static_cast<int>(qMin<qint64>(deadline.remainingTime(), 1000)));
    while ((ready < 0 && errno == EINTR) || (ready == 0 && !deadline.hasExpired()));
    return ready > 0;
}

// Sends request on a fresh connection and reads until the answer's line feed. False when the connection
// ended without an answer (the running instance had too many open) or the deadline passed.
bool Request(int fd, const QByteArray& request, const QDeadlineTimer& deadline) {
    for (qsizetype sent = 0; sent < request.size();) {
        const ssize_t n = send(fd, request.constData() + sent, request.size() - sent, MSG_NOSIGNAL);
        if (n > 0)
            sent += n;
        else if (n < 0 && errno == EAGAIN) {
            if (!WaitFor(fd, POLLOUT, deadline))
                return false;
        } else if (n < 0 && errno != EINTR)
            return false;
    }
    char answer[16];
    while (WaitFor(fd, POLLIN, deadline)) {
        const ssize_t n = recv(fd, answer, sizeof(answer), 0);
        if (n > 0 && std::memchr(answer, '\n', n))
            return true;
        if (n == 0 || (n < 0 && errno != EAGAIN && errno != EINTR))
            return false;
    }
    return false;
}

} // namespace

// One connection from a later start: its socket, what it has sent so far, and its time limit.
class TLocalInstanceGuard::TPeer : public QObject {
public:
    TPeer(int fd, QObject* parent) : QObject(parent), Fd(fd), Readable(fd, QSocketNotifier::Read, this) {}
    ~TPeer() override { Close(); }

    void Close() {
        Readable.setEnabled(false);
        if (Fd >= 0)
            close(Fd);
        Fd = -1;
    }

    int Fd;
    QSocketNotifier Readable;
    QByteArray Line;
};

TLocalInstanceGuard::TLocalInstanceGuard(QObject* parent) : IInstanceGuard(parent) {}

TLocalInstanceGuard::~TLocalInstanceGuard() {
    // The socket file goes before the lock, so that whoever takes the lock next finds it gone or stale.
    if (FListenFd >= 0) {
        unlink(FSocketFile.constData());
        close(FListenFd);
    }
    if (FLockFd >= 0)
        close(FLockFd);
}

QString TLocalInstanceGuard::LockPath(const QString& title) {
    return PathFor(title, ".lock");
}

QString TLocalInstanceGuard::SocketPath(const QString& title) {
    return PathFor(title, ".socket");
}

IInstanceGuard::EClaim TLocalInstanceGuard::Claim(const QString& title) {
    const QString lockPath = LockPath(title);
    if (lockPath.isEmpty())
        return EClaim::NoPlace;
    FLockFd = open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (FLockFd >= 0 && flock(FLockFd, LOCK_EX | LOCK_NB) == 0) {
        Listen(title);
        return EClaim::First;
    }
    return EClaim::AnotherRuns;
}

void TLocalInstanceGuard::Listen(const QString& title) {
    const QByteArray path = QFile::encodeName(SocketPath(title));
    sockaddr_un address;
    if (!ToAddress(path, address))
        return;
    // Holding the lock, any socket file left here belongs to an instance that has died.
    unlink(path.constData());
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return;
    // Nobody can connect between bind and listen, so the file is the user's alone before it takes anyone.
    if (bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        chmod(path.constData(), 0600) != 0 || listen(fd, kBacklog) != 0) {
        close(fd);
        return;
    }
    FListenFd = fd;
    FSocketFile = path;
    FListening = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(FListening, &QSocketNotifier::activated, this, &TLocalInstanceGuard::TakeConnections);
}

void TLocalInstanceGuard::TakeConnections() {
    for (;;) {
        const int fd = accept4(FListenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        if (FHeld >= MaxConnections) {
            close(fd);
            continue;
        }
        ++FHeld;
        auto* peer = new TPeer(fd, this);
        QTimer::singleShot(IdleLimitMs, peer, [this, peer] { End(peer); });
        connect(&peer->Readable, &QSocketNotifier::activated, this, [this, peer] { ReadLine(peer); });
    }
}

void TLocalInstanceGuard::ReadLine(TPeer* peer) {
    char buffer[MaxSwitchLineBytes];
    const ssize_t n = recv(peer->Fd, buffer, MaxSwitchLineBytes - peer->Line.size(), 0);
    if (n < 0 && (errno == EAGAIN || errno == EINTR))
        return;
    if (n <= 0) {
        End(peer);
        return;
    }
    peer->Line.append(buffer, n);
    const qsizetype lineFeed = peer->Line.indexOf('\n');
    if (lineFeed < 0) {
        // A full buffer without a line feed is a line too long: it will never be a request.
        if (peer->Line.size() >= MaxSwitchLineBytes)
            End(peer);
        return;
    }
    const std::optional<TLaunchTokens> request = ParseSwitchRequest(peer->Line.left(lineFeed + 1));
    // One line per connection: whatever follows is not read, the connection ends here.
    if (request)
        send(peer->Fd, kTaken.constData(), kTaken.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    End(peer);
    if (request)
        emit SwitchRequested(*request);
}

void TLocalInstanceGuard::End(TPeer* peer) {
    if (peer->Fd < 0)
        return;
    peer->Close();
    --FHeld;
    peer->deleteLater();
}

void TLocalInstanceGuard::AskToSwitch(const QString& title, const TLaunchTokens& tokens) {
    const QByteArray path = QFile::encodeName(SocketPath(title));
    if (path.isEmpty())
        return;
    const QByteArray request = FormatSwitchRequest(tokens);
    const QDeadlineTimer deadline(3000);
    while (!deadline.hasExpired()) {
        // A busy instance answers late: wait on this connection. Only one that was closed unanswered (too
        // many open at once) is tried again, so a request is never taken twice.
        const int fd = ConnectTo(path);
        if (fd >= 0) {
            const bool taken = Request(fd, request, deadline);
            close(fd);
            if (taken)
                return;
        }
        QThread::msleep(20);
    }
}
