#pragma once

#include "platform/LaunchTokens.h"

#include <QObject>
#include <QString>

// The operating system's part of keeping one copy of the program per user and title: a lock that the first
// instance holds while it lives, and a channel through which a later start asks it to come forward.
class IInstanceGuard : public QObject {
    Q_OBJECT
public:
    enum class EClaim {
        First,       // this process holds the lock now and listens for later starts
        AnotherRuns, // the lock is held elsewhere, or cannot be had at all
        NoPlace,     // there is no private place for a lock: run, without excluding anyone
    };

    using QObject::QObject;
    ~IInstanceGuard() override = default;

    virtual EClaim Claim(const QString& title) = 0;
    // From a start that found another running: hand it the request. Waits a short while for it to listen,
    // as two starts at the same moment may find the winner not yet listening.
    virtual void AskToSwitch(const QString& title, const TLaunchTokens& tokens) = 0;

signals:
    // The first instance: a later start asked it to come forward.
    void SwitchRequested(const TLaunchTokens& tokens);
};
