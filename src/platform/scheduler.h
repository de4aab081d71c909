#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace sob {

class Clock;
class Dispatcher;
class Timer;
class VirtualClock;

// Owns every timer of the program and runs their ticks when they fall due.
// The program drives it from the Qt event loop (one precise Qt timer armed
// for nextDue()); tests drive it on a virtual clock with advanceBy().
class Scheduler {
public:
    // Registers itself with the dispatcher so that every handler wakes the
    // timers that sleep while they have nothing to do.
    Scheduler(Clock& clock, Dispatcher& dispatcher);
    Scheduler(const Scheduler&) = delete;
    Scheduler& operator=(const Scheduler&) = delete;

    Clock& clock() const { return clock_; }

    // Runs every tick due at the clock's present time, earliest first (timers
    // due at the same moment in the order they were created). A tick runs
    // its handler through the dispatcher; the next period starts at the tick.
    // Missed periods are not made up.
    void runDue();

    // The earliest moment a running timer falls due, if any runs.
    std::optional<std::int64_t> nextDue() const;

    // Virtual time: moves the clock forward by ms, running each tick at its
    // own moment on the way.
    void advanceBy(VirtualClock& clock, std::int64_t ms);

    // Called whenever a timer's schedule changes (started, stopped, period
    // changed), so that a driver can re-arm its wake-up.
    void setScheduleListener(std::function<void()> listener) { scheduleListener_ = std::move(listener); }

    // The number of ticks run so far (for measurements).
    std::uint64_t ticksRun() const { return ticksRun_; }
    // The number of ticks skipped because they could change nothing.
    std::uint64_t ticksSkipped() const { return ticksSkipped_; }

    // Wakes every sleeping timer: something may have changed that its next
    // tick would act on. Called after every handler; the front end calls it
    // for what the user does outside handlers (moving the focus). A woken
    // timer ticks at the next moment its own period would have brought, so
    // the ticks it skipped leave no trace in time.
    void wake();

    // Switches tick skipping off (tests compare a run with and without it).
    void setSkippingEnabled(bool enabled) { skippingEnabled_ = enabled; }

private:
    friend class Timer;
    void add(Timer* timer);
    void remove(Timer* timer);
    void scheduleChanged();
    Timer* earliestDueBy(std::int64_t moment) const;
    void fire(Timer* timer);
    bool comesAfterFiring(const Timer* timer) const;

    Clock& clock_;
    Dispatcher& dispatcher_;
    std::vector<Timer*> timers_;
    std::function<void()> scheduleListener_;
    std::uint64_t ticksRun_ = 0;
    std::uint64_t ticksSkipped_ = 0;
    bool skippingEnabled_ = true;
    Timer* firing_ = nullptr;
};

// A timer of a window: an interval in milliseconds and an enabled state.
// Enabling an enabled timer or disabling a disabled one changes nothing;
// enabling a stopped timer or changing a running timer's interval starts a
// fresh period. An interval of 0 or less never ticks.
class Timer {
public:
    Timer(Scheduler& scheduler, std::string name, int intervalMs, bool enabled);
    ~Timer();
    Timer(const Timer&) = delete;
    Timer& operator=(const Timer&) = delete;

    const std::string& name() const { return name_; }

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    int interval() const { return interval_; }
    void setInterval(int intervalMs);

    void setOnTimer(std::function<void()> handler) { onTimer_ = std::move(handler); }

    // A check that tells when a tick would change nothing anyone can see
    // (the state polling when nothing it reads has changed, the input guard
    // with an empty input). Such a tick is skipped and the timer sleeps
    // until the scheduler is woken; its period keeps running meanwhile. The
    // check must only read state that changes inside handlers.
    void setIdleCheck(std::function<bool()> wouldChangeNothing) { idleCheck_ = std::move(wouldChangeNothing); }
    bool sleeping() const { return sleeping_; }

    // The moment of the next tick while the timer runs.
    std::int64_t dueAt() const { return due_; }
    bool running() const { return enabled_ && interval_ > 0; }

private:
    bool awake() const { return running() && !sleeping_; }

    friend class Scheduler;
    void restartPeriod();

    Scheduler& scheduler_;
    std::string name_;
    int interval_;
    bool enabled_;
    std::int64_t due_ = 0;
    bool sleeping_ = false;
    std::function<void()> onTimer_;
    std::function<bool()> idleCheck_;
};

}  // namespace sob
