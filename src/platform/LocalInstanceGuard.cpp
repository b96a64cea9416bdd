#include "platform/LocalInstanceGuard.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QTimer>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxTitleLength = 255;
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

} // namespace

TLocalInstanceGuard::TLocalInstanceGuard(QObject* parent) : IInstanceGuard(parent) {}

TLocalInstanceGuard::~TLocalInstanceGuard() {
    // The socket file goes before the lock, so that whoever takes the lock next finds it gone or stale.
    delete FServer;
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
    const QString path = SocketPath(title);
    // Holding the lock, any socket file left here belongs to an instance that has died.
    QLocalServer::removeServer(path);
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, &TLocalInstanceGuard::TakeConnections);
    FServer->listen(path);
}

void TLocalInstanceGuard::TakeConnections() {
    while (QLocalSocket* client = FServer->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        if (FHeld >= MaxConnections) {
            client->abort();
            client->deleteLater();
            continue;
        }
        ++FHeld;
        connect(client, &QObject::destroyed, this, [this] { --FHeld; });
        client->setReadBufferSize(MaxSwitchLineBytes);
        QTimer::singleShot(IdleLimitMs, client, [client] {
            client->abort();
            client->deleteLater();
        });
        connect(client, &QLocalSocket::readyRead, this, [this, client] { ReadLine(client); });
        // Bytes may have come with the connection, before readyRead was connected.
        if (client->bytesAvailable() > 0)
            ReadLine(client);
    }
}

void TLocalInstanceGuard::ReadLine(QLocalSocket* client) {
    if (!client->canReadLine()) {
        // A full buffer without a line feed is a line too long: it will never be a request.
        if (client->bytesAvailable() >= MaxSwitchLineBytes) {
            client->abort();
            client->deleteLater();
        }
        return;
    }
    const std::optional<TLaunchTokens> request = ParseSwitchRequest(client->readLine(MaxSwitchLineBytes + 1));
    // One line per connection: whatever follows is not read, the connection ends here.
    if (request)
        client->write(kTaken);
    client->disconnectFromServer();
    if (request)
        emit SwitchRequested(*request);
}

void TLocalInstanceGuard::AskToSwitch(const QString& title, const TLaunchTokens& tokens) {
    const QString path = SocketPath(title);
    if (path.isEmpty())
        return;
    const QByteArray request = FormatSwitchRequest(tokens);
    QDeadlineTimer deadline(3000);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(path);
        if (socket.waitForConnected(500)) {
            socket.write(request);
            socket.waitForBytesWritten(1000);
            // A busy instance answers late: wait on this connection. Only one that was closed unanswered (too
            // many open at once) is tried again, so a request is never taken twice.
            while (!socket.canReadLine() && socket.state() == QLocalSocket::ConnectedState && !deadline.hasExpired())
                socket.waitForReadyRead(100);
            if (socket.canReadLine())
                return;
        }
        QThread::msleep(20);
    }
}
