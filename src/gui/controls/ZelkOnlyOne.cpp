#include "gui/controls/ZelkOnlyOne.h"

#include "platform/WindowActivate.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>
#include <QWindow>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kMaxTitleLength = 255;
const QByteArray kSwitchRequest = QByteArrayLiteral("switch\n");

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

TZelkOnlyOne::TZelkOnlyOne(QWidget* owner) : QObject(owner), FOwner(owner) {}

TZelkOnlyOne::~TZelkOnlyOne() {
    // The socket file goes before the lock, so that whoever takes the lock next finds it gone or stale.
    delete FServer;
    if (FLockFd >= 0)
        close(FLockFd);
}

QString TZelkOnlyOne::LockPath(const QString& title) {
    return PathFor(title, ".lock");
}

QString TZelkOnlyOne::SocketPath(const QString& title) {
    return PathFor(title, ".socket");
}

bool TZelkOnlyOne::Loaded(const QString& title) {
    const QString lockPath = LockPath(title);
    // Without a private place for the lock the program still runs: refusing every start would be worse than
    // the small chance of a second copy.
    if (lockPath.isEmpty())
        return false;
    FLockFd = open(QFile::encodeName(lockPath).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (FLockFd >= 0 && flock(FLockFd, LOCK_EX | LOCK_NB) == 0) {
        Listen(title);
        return false;
    }
    FAnotherRuns = true;
    if (AlreadyExist)
        AlreadyExist(this);
    if (SwitchToPrevious)
        AskPreviousToSwitch(title);
    return true;
}

void TZelkOnlyOne::Listen(const QString& title) {
    const QString path = SocketPath(title);
    // Holding the lock, any socket file left here belongs to an instance that has died.
    QLocalServer::removeServer(path);
    FServer = new QLocalServer(this);
    FServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(FServer, &QLocalServer::newConnection, this, &TZelkOnlyOne::ReadRequest);
    FServer->listen(path);
}

void TZelkOnlyOne::ReadRequest() {
    while (QLocalSocket* client = FServer->nextPendingConnection()) {
        connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        connect(client, &QLocalSocket::readyRead, this, [this, client] {
            if (!client->canReadLine() && client->bytesAvailable() < kSwitchRequest.size())
                return;
            const QByteArray request = client->read(kSwitchRequest.size());
            client->disconnectFromServer();
            if (request == kSwitchRequest && FOwner && FOwner->isVisible())
                DesktopWindowActivation().Activate(FOwner->windowHandle());
        });
    }
}

void TZelkOnlyOne::AskPreviousToSwitch(const QString& title) {
    // Two starts at the same moment: the winner may not be listening yet, so keep trying a little while.
    const QString path = SocketPath(title);
    QDeadlineTimer deadline(3000);
    QLocalSocket socket;
    while (!deadline.hasExpired()) {
        socket.connectToServer(path);
        if (socket.waitForConnected(500)) {
            socket.write(kSwitchRequest);
            socket.waitForBytesWritten(1000);
            socket.waitForDisconnected(1000);
            return;
        }
        QThread::msleep(20);
    }
}
