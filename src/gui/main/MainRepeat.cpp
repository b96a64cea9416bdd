// The held fast-left and fast-right keys of the main window: a step after a delay, then a step at a steady
// rate while the key is held.
#include "core/text/CaretRules.h"
#include "gui/controls/MoxSpeedButton.h"
#include "gui/main/Main.h"
#include "gui/main/UrlBox.h"

#include <QGuiApplication>
#include <QTimer>

void TfrmMain::CreateRepeatTimers() {
    tmFastLeft = new QTimer(this);
    tmFastLeft->setObjectName(QStringLiteral("tmFastLeft"));
    tmFastRight = new QTimer(this);
    tmFastRight->setObjectName(QStringLiteral("tmFastRight"));
    for (QTimer* timer : {tmFastLeft, tmFastRight}) {
        timer->setSingleShot(true);
        timer->setInterval(500);
    }
    connect(sbFastLeft, &TMoxSpeedButton::MouseDown, this, &TfrmMain::sbFastLeftMouseDown);
    connect(sbFastRight, &TMoxSpeedButton::MouseDown, this, &TfrmMain::sbFastRightMouseDown);
    connect(sbFastLeft, &TMoxSpeedButton::MouseUp, this, &TfrmMain::sbFastLeftMouseUp);
    connect(sbFastRight, &TMoxSpeedButton::MouseUp, this, &TfrmMain::sbFastRightMouseUp);
    connect(tmFastLeft, &QTimer::timeout, this, &TfrmMain::tmFastLeftTimer);
    connect(tmFastRight, &QTimer::timeout, this, &TfrmMain::tmFastRightTimer);
    FRepeatTimer = new QTimer(this);
    FRepeatTimer->setInterval(30);
    connect(FRepeatTimer, &QTimer::timeout, this, &TfrmMain::RepeatTimerTimer);
}

void TfrmMain::sbFastLeftMouseDown(TMoxSpeedButton*) {
    StartFastRepeat(true);
}

void TfrmMain::sbFastRightMouseDown(TMoxSpeedButton*) {
    StartFastRepeat(false);
}

void TfrmMain::sbFastLeftMouseUp(TMoxSpeedButton*) {
    StopFastRepeat(true);
}

void TfrmMain::sbFastRightMouseUp(TMoxSpeedButton*) {
    StopFastRepeat(false);
}

void TfrmMain::tmFastLeftTimer() {
    FastRepeatStep(true);
}

void TfrmMain::tmFastRightTimer() {
    FastRepeatStep(false);
}

void TfrmMain::RepeatTimerTimer() {
    FastRepeatStep(FastLeftHeld);
}

void TfrmMain::StartFastRepeat(bool left) {
    (left ? FastLeftHeld : FastRightHeld) = true;
    (left ? tmFastLeft : tmFastRight)->start();
}

void TfrmMain::StopFastRepeat(bool left) {
    (left ? FastLeftHeld : FastRightHeld) = false;
    (left ? tmFastLeft : tmFastRight)->stop();
    if (!FastLeftHeld && !FastRightHeld)
        FRepeatTimer->stop();
}

// One step of a held fast key. The first runs when the 500 ms delay ends, the next every 30 ms while
// the key is held; the event loop runs in between, so the release, repaints and other clicks are handled
// as they come.
void TfrmMain::FastRepeatStep(bool left) {
    const bool held = left ? FastLeftHeld : FastRightHeld;
    // A key that became disabled under the pointer may never see its release.
    if (!held || !(QGuiApplication::mouseButtons() & Qt::LeftButton)) {
        StopFastRepeat(left);
        return;
    }
    const QByteArray text = edURL->TextBytes();
    const qsizetype selStart = edURL->SelStartBytes();
    const qsizetype target = left ? FastLeftTarget(text, selStart) : FastRightTarget(text, selStart);
    if (target != selStart || edURL->hasSelectedText())
        edURL->SetCaretBytes(target);
    UpdateCaretCommands();
    if (!FRepeatTimer->isActive())
        FRepeatTimer->start();
}
