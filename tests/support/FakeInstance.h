#pragma once

#include "platform/InstanceGuard.h"
#include "platform/WindowActivate.h"

#include <QList>
#include <QPair>
#include <QStringList>

// A lock whose answer the test chooses; the titles claimed and the requests handed over are kept.
class FakeInstanceGuard final : public IInstanceGuard {
public:
    EClaim answer = EClaim::First;
    QStringList claimed;
    QList<QPair<QString, TLaunchTokens>> asked;

    EClaim Claim(const QString& title) override {
        claimed.append(title);
        return answer;
    }
    void AskToSwitch(const QString& title, const TLaunchTokens& tokens) override { asked.append({title, tokens}); }
    // What a later start's request looks like when it arrives.
    void Arrive(const TLaunchTokens& tokens) { emit SwitchRequested(tokens); }
};

// Keeps the windows it was asked to activate, and the tokens that came with each.
class FakeWindowActivation final : public IWindowActivation {
public:
    QList<QPair<QWindow*, TLaunchTokens>> activated;

    void Activate(QWindow* window, const TLaunchTokens& launch) override { activated.append({window, launch}); }
};
