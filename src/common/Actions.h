#pragma once

#include <QAction>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

// A user command: an update rule that sets its enabled or checked state, and an execute handler.
// Execute evaluates the rule again and runs the handler only when the command is enabled.
class TAction final : public QObject {
    Q_OBJECT
public:
    explicit TAction(const QString& name, QObject* parent = nullptr);

    QString Caption() const { return FCaption; }
    void SetCaption(const QString& value);
    QString Hint() const { return FHint; }
    void SetHint(const QString& value);
    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool value);
    bool Checked() const { return FChecked; }
    void SetChecked(bool value);
    int ImageIndex() const { return FImageIndex; }
    void SetImageIndex(int value) { FImageIndex = value; }

    std::function<void(TAction*)> OnUpdate;
    std::function<void(TAction*)> OnExecute;

    void Update();
    // Returns true when the handler ran.
    bool Execute();

    // Makes a menu item follow this action's enabled and checked state; triggering it executes the action.
    void BindMenuItem(QAction* item);

signals:
    void Changed();

private:
    QString FCaption;
    QString FHint;
    bool FEnabled = true;
    bool FChecked = false;
    int FImageIndex = -1;
    QList<QPointer<QAction>> FMenuItems;
};

// The actions of one window, updated whenever the event loop is about to wait for the next event.
class TActionList final : public QObject {
    Q_OBJECT
public:
    // owner: the window whose actions these are; while a modal window other than it is open, the
    // update rules do not run.
    explicit TActionList(QWidget* owner);

    TAction* Add(const QString& name);
    const QList<TAction*>& Actions() const { return FActions; }
    void UpdateAll();

    // Runs handler at every idle moment (before the actions' rules, and also while a modal window is
    // open), or nothing when empty.
    void SetIdleHandler(std::function<void()> handler) { FIdle = std::move(handler); }
    bool HasIdleHandler() const { return static_cast<bool>(FIdle); }

private:
    void OnAboutToBlock();

    QWidget* FOwner;
    QList<TAction*> FActions;
    std::function<void()> FIdle;
    bool FUpdating = false;
};
