#include "gui/controls/ZelkTimer.h"

#include <QHash>
#include <QTimerEvent>

// The one service object behind all live timers: it owns the system timers and hands each tick to the
// timer it belongs to.
class TZelkTimerHandler final : public QObject {
public:
    int Start(TZelkTimer* timer) {
        const int id = startTimer(timer->Interval());
        if (id != 0)
            FTimers.insert(id, timer);
        return id;
    }

    void Stop(int id) {
        if (FTimers.remove(id))
            killTimer(id);
    }

    int LiveTimers = 0;
    // Set when the last timer went away during a tick: the handler frees itself once the tick is over.
    bool FreeAfterTick = false;

protected:
    void timerEvent(QTimerEvent* event) override {
        TZelkTimer* timer = FTimers.value(event->timerId());
        if (!timer || !timer->OnTimer)
            return;
        // A handler may run an event loop of its own, in which other ticks come and go: only the outermost
        // tick may free this object, so the depth is counted rather than flagged.
        ++FTickDepth;
        // The handler may free the timer, and with the last timer this object too: nothing here touches
        // either after the call but the depth below, which outlives it for exactly that reason.
        const auto onTimer = timer->OnTimer;
        onTimer(timer);
        --FTickDepth;
        if (FTickDepth == 0 && FreeAfterTick)
            delete this;
    }

public:
    bool InTick() const { return FTickDepth > 0; }

private:
    QHash<int, TZelkTimer*> FTimers;
    int FTickDepth = 0;
};

namespace {

TZelkTimerHandler* TimerHandler = nullptr;

void AcquireTimerHandler() {
    if (!TimerHandler)
        TimerHandler = new TZelkTimerHandler;
    ++TimerHandler->LiveTimers;
}

void ReleaseTimerHandler() {
    if (!TimerHandler)
        return;
    TimerHandler->LiveTimers = qMax(0, TimerHandler->LiveTimers - 1);
    if (TimerHandler->LiveTimers > 0)
        return;
    if (TimerHandler->InTick())
        TimerHandler->FreeAfterTick = true;
    else
        delete TimerHandler;
    TimerHandler = nullptr;
}

} // namespace

TZelkTimer::TZelkTimer(int interval, TTimerEvent onTimer) : OnTimer(std::move(onTimer)), FInterval(interval) {
    AcquireTimerHandler();
    FHandler = TimerHandler;
}

TZelkTimer::~TZelkTimer() {
    if (FEnabled)
        StopTimer();
    ReleaseTimerHandler();
}

const QObject* TZelkTimer::Handler() {
    return TimerHandler;
}

void TZelkTimer::SetEnabled(bool value) {
    if (value)
        StartTimer();
    else
        StopTimer();
}

void TZelkTimer::StartTimer() {
    if (FInterval == 0)
        return;
    if (FEnabled)
        StopTimer();
    FId = FHandler->Start(this);
    FEnabled = FId != 0;
}

void TZelkTimer::StopTimer() {
    FEnabled = false;
    if (FId != 0)
        FHandler->Stop(FId);
    FId = 0;
}
