#pragma once

#include "platform/LaunchTokens.h"

#include <QObject>
#include <QString>
#include <functional>

class IInstanceGuard;
class IWindowActivation;
class QWidget;

// Keeps a second copy of the program from running. The first instance holds the per-user lock named by the
// application title; a later start finds it taken, asks the running instance to bring its main window
// forward, handing over its launch tokens, and ends without showing its own. The lock and the channel
// between the two are the platform's (IInstanceGuard); this component decides what to do with them.
class TZelkOnlyOne final : public QObject {
    Q_OBJECT
public:
    // owner: the main window, brought forward when a later start asks for it. guard and activation: the
    // platform's, unless a test gives others (the guard is then owned by this component).
    explicit TZelkOnlyOne(QWidget* owner, IInstanceGuard* guard = nullptr, IWindowActivation* activation = nullptr);
    ~TZelkOnlyOne() override;

    bool SwitchToPrevious = true;
    std::function<void(TZelkOnlyOne*)> AlreadyExist;

    // The check, once the owner's controls exist: true when another instance with this title runs.
    // launch: this start's tokens, handed over when it ends in favour of the running one.
    bool Loaded(const QString& title, const TLaunchTokens& launch = StartLaunchTokens());
    bool AnotherRuns() const { return FAnotherRuns; }

private:
    void SwitchRequested(const TLaunchTokens& launch);

    QWidget* FOwner;
    IInstanceGuard* FGuard;
    IWindowActivation* FActivation;
    bool FAnotherRuns = false;
};
