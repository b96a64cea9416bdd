#pragma once

#include "platform/InstanceGuard.h"

#include <QByteArray>

class QSocketNotifier;

// The lock is an flock on a file in the user's private runtime folder, which the kernel drops with the
// process, so an instance that was killed never blocks the next start. The channel is a local socket beside
// it, open to this user only. A peer may still open connections and never finish them: each one is closed
// after IdleLimitMs without a whole line, reads at most one line of MaxSwitchLineBytes, and no more than
// MaxConnections are held at once; one over that is closed as soon as it comes.
// The socket is a plain one under the event loop's notifier rather than a QLocalServer: Qt Network would be
// loaded, with its own dependencies, by every start for one line that most starts never receive.
class TLocalInstanceGuard final : public IInstanceGuard {
    Q_OBJECT
public:
    static constexpr int IdleLimitMs = 2000;
    static constexpr int MaxConnections = 4;

    explicit TLocalInstanceGuard(QObject* parent = nullptr);
    ~TLocalInstanceGuard() override;

    EClaim Claim(const QString& title) override;
    void AskToSwitch(const QString& title, const TLaunchTokens& tokens) override;

    // Where the lock and the socket of a title live (tests look here); empty without a private folder.
    static QString LockPath(const QString& title);
    static QString SocketPath(const QString& title);

private:
    class TPeer;

    void Listen(const QString& title);
    void TakeConnections();
    void ReadLine(TPeer* peer);
    void End(TPeer* peer);

    int FLockFd = -1;
    int FListenFd = -1;
    QByteArray FSocketFile;
    QSocketNotifier* FListening = nullptr;
    int FHeld = 0;
};
