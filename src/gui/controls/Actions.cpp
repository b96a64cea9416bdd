#include "gui/controls/Actions.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QThread>
#include <QWidget>

TAction::TAction(const QString& name, QObject* parent) : QObject(parent) {
    setObjectName(name);
}

void TAction::SetCaption(const QString& value) {
    if (FCaption == value)
        return;
    FCaption = value;
    emit Changed();
}

void TAction::SetHint(const QString& value) {
    if (FHint == value)
        return;
    FHint = value;
    emit Changed();
}

void TAction::SetEnabled(bool value) {
    if (FEnabled == value)
        return;
    FEnabled = value;
    for (const auto& item : FMenuItems)
        if (item)
            item->setEnabled(value);
    emit Changed();
}

void TAction::SetChecked(bool value) {
    if (FChecked == value)
        return;
    FChecked = value;
    for (const auto& item : FMenuItems)
        if (item)
            item->setChecked(value);
    emit Changed();
}

void TAction::Update() {
    if (OnUpdate)
        OnUpdate(this);
}

bool TAction::Execute() {
    Update();
    if (!FEnabled || !OnExecute)
        return false;
    OnExecute(this);
    return true;
}

void TAction::Bind(QObject* control) {
    if (auto* link = dynamic_cast<TActionLink*>(control))
        link->SetAction(this);
    else if (auto* item = qobject_cast<QAction*>(control))
        BindMenuItem(item);
    else if (auto* button = qobject_cast<QAbstractButton*>(control))
        BindButton(button);
}

void TAction::BindButton(QAbstractButton* button) {
    if (!FCaption.isEmpty())
        button->setText(FCaption);
    button->setEnabled(FEnabled);
    connect(this, &TAction::Changed, button, [this, button] { button->setEnabled(FEnabled); });
    connect(button, &QAbstractButton::clicked, this, [this] { Execute(); });
}

void TAction::BindMenuItem(QAction* item) {
    FMenuItems.append(item);
    item->setEnabled(FEnabled);
    if (item->isCheckable())
        item->setChecked(FChecked);
    connect(item, &QAction::triggered, this, [this, item] {
        Execute();
        // A checkable item flips itself when triggered; the action's state is what it shows.
        if (item->isCheckable())
            item->setChecked(FChecked);
    });
}

TActionList::TActionList(QWidget* owner) : QObject(owner), FOwner(owner) {
    auto* dispatcher = QAbstractEventDispatcher::instance(owner->thread());
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TActionList::OnAboutToBlock);
}

TAction* TActionList::Add(const QString& name) {
    auto* action = new TAction(name, this);
    FActions.append(action);
    return action;
}

void TActionList::UpdateAll() {
    for (TAction* action : FActions)
        action->Update();
}

void TActionList::OnAboutToBlock() {
    if (FUpdating)
        return;
    FUpdating = true;
    // The idle handler runs also while a dialog is open; only the update rules pause then.
    if (FIdle)
        FIdle();
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == FOwner)
        UpdateAll();
    FUpdating = false;
}
