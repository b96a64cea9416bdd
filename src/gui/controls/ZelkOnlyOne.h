#pragma once

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;
class QWidget;

// Keeps a second copy of the program from running. The first instance holds a per-user lock named by the
// application title and listens on a local socket of the same name; a later start finds the lock taken,
// asks the running instance through the socket to bring its main window forward, and ends without showing
// its own. The lock is an flock on an open file, which the kernel drops with the process, so an instance
// that was killed never blocks the next start.
class TZelkOnlyOne final : public QObject {
    Q_OBJECT
public:
    // owner: the main window, brought forward when a later start asks for it.
    explicit TZelkOnlyOne(QWidget* owner);
    ~TZelkOnlyOne() override;

    bool SwitchToPrevious = true;
    std::function<void(TZelkOnlyOne*)> AlreadyExist;

    // The check, once the owner's controls exist: true when another instance with this title runs.
    bool Loaded(const QString& title);
    bool AnotherRuns() const { return FAnotherRuns; }

    // Where the lock and the socket of a title live (tests look here).
    static QString LockPath(const QString& title);
    static QString SocketPath(const QString& title);

private:
    void Listen(const QString& title);
    void AskPreviousToSwitch(const QString& title);
    void ReadRequest();

    QWidget* FOwner;
    int FLockFd = -1;
    bool FAnotherRuns = false;
    QLocalServer* FServer = nullptr;
};
