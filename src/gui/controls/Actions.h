#pragma once

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <cstddef>
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

    // Makes control follow this action and run it: the one way a control is tied to a command. A control
    // that is a TActionLink follows by itself (caption, hint, image and state); a menu item (QAction) follows
    // the enabled and checked state; any other button takes the caption once and follows the enabled state.
    void Bind(QObject* control);

signals:
    void Changed();

private:
    void BindMenuItem(QAction* item);
    void BindButton(QAbstractButton* button);

    QString FCaption;
    QString FHint;
    bool FEnabled = true;
    bool FChecked = false;
    int FImageIndex = -1;
    QList<QPointer<QAction>> FMenuItems;
};

// A control that shows an action in its own way; TAction::Bind hands the action to it.
class TActionLink {
public:
    virtual void SetAction(TAction* action) = 0;

protected:
    ~TActionLink() = default;
};

// A control's caption or hint that follows its action's text only while it shows the action's text: a text the
// control was given itself ("Copy" on the "To Clipboard" command) stays.
class TLinkedText {
public:
    // At binding: an empty text of the control's own takes the action's; any other never equals a followed one.
    void Link(const QString& own, const QString& actions) { FLinked = own.isEmpty() ? own : actions + QChar(0); }
    // After the action changed: set(actions) when the control still shows the action's last text.
    template <class Set> void Follow(const QString& current, const QString& actions, Set set) {
        if (current == FLinked)
            set(actions);
        FLinked = actions;
    }

private:
    QString FLinked; // the action's text as last applied
};

// The actions of one window, updated whenever the event loop is about to wait for the next event.
class TActionList final : public QObject {
    Q_OBJECT
public:
    // owner: the window whose actions these are; while a modal window other than it is open, the
    // update rules do not run.
    explicit TActionList(QWidget* owner);

    TAction* Add(const QString& name);

    // One row of a window's table of actions: the object name, the caption (UTF-8, translated in the owner's
    // class context, so mark it with QT_TRANSLATE_NOOP), the update rule and the
    // execute handler as members of the window, and the member that keeps the action.
    template <class Owner> struct Row {
        const char* name;
        const char* caption;
        void (Owner::*update)(TAction*);
        void (Owner::*execute)(TAction*); // none: the command is only ever enabled or disabled
        TAction* Owner::*member;
    };

    // Adds the actions of rows, each calling its owner's handlers, and stores them in their members.
    template <class Owner, std::size_t N> void Add(Owner* owner, const Row<Owner> (&rows)[N]) {
        for (const Row<Owner>& row : rows) {
            TAction* action = Add(QString::fromLatin1(row.name));
            action->SetCaption(QCoreApplication::translate(Owner::staticMetaObject.className(), row.caption));
            action->OnUpdate = [owner, update = row.update](TAction* a) { (owner->*update)(a); };
            if (row.execute)
                action->OnExecute = [owner, execute = row.execute](TAction* a) { (owner->*execute)(a); };
            owner->*row.member = action;
        }
    }
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
