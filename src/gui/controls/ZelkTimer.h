#pragma once

#include <QObject>
#include <functional>

class TZelkTimerHandler;

// A timer made and freed in code. All live timers share one service object, made with the first timer and
// freed with the last. Ticks come on the GUI thread; an OnTimer handler may free its own timer.
class TZelkTimer final {
public:
    using TTimerEvent = std::function<void(TZelkTimer* sender)>;

    TZelkTimer(int interval, TTimerEvent onTimer);
    ~TZelkTimer();
    TZelkTimer(const TZelkTimer&) = delete;
    TZelkTimer& operator=(const TZelkTimer&) = delete;

    bool Enabled() const { return FEnabled; }
    // Enabling an enabled timer restarts its period; an interval of 0 never ticks.
    void SetEnabled(bool value);
    int Interval() const { return FInterval; }
    TTimerEvent OnTimer;

    // The shared service, or null while no timer exists (tests look here).
    static const QObject* Handler();

private:
    friend class TZelkTimerHandler;
    void StartTimer();
    void StopTimer();

    // The service this timer's system timer lives on (a handler freeing itself after a tick is no longer
    // the shared one, but stays alive until then).
    TZelkTimerHandler* FHandler = nullptr;
    int FId = 0;
    bool FEnabled = false;
    int FInterval;
};
