#include "gui/controls/ZelkOnlyOne.h"

#include "platform/LocalInstanceGuard.h"
#include "platform/WindowActivate.h"

#include <QWidget>
#include <QWindow>

TZelkOnlyOne::TZelkOnlyOne(QWidget* owner, IInstanceGuard* guard, IWindowActivation* activation)
    : QObject(owner), FOwner(owner), FGuard(guard ? guard : new TLocalInstanceGuard),
      FActivation(activation ? activation : &DesktopWindowActivation()) {
    FGuard->setParent(this);
    connect(FGuard, &IInstanceGuard::SwitchRequested, this, &TZelkOnlyOne::SwitchRequested);
}

TZelkOnlyOne::~TZelkOnlyOne() = default;

bool TZelkOnlyOne::Loaded(const QString& title, const TLaunchTokens& launch) {
    switch (FGuard->Claim(title)) {
    case IInstanceGuard::EClaim::First:
        return false;
    case IInstanceGuard::EClaim::NoPlace:
        // Without a private place for the lock the program still runs: refusing every start would be worse
        // than the small chance of a second copy.
        return false;
    case IInstanceGuard::EClaim::AnotherRuns:
        break;
    }
    FAnotherRuns = true;
    if (AlreadyExist)
        AlreadyExist(this);
    if (SwitchToPrevious)
        FGuard->AskToSwitch(title, launch);
    return true;
}

void TZelkOnlyOne::SwitchRequested(const TLaunchTokens& launch) {
    // A window not yet shown comes up by itself; one being closed is not called back.
    if (FOwner && FOwner->isVisible())
        FActivation->Activate(FOwner->windowHandle(), launch);
}
