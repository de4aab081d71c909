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
    Scheduler(Clock& clock, Dispatcher& dispatcher) : clock_(clock), dispatcher_(dispatcher) {}
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

private:
    friend class Timer;
    void add(Timer* timer);
    void remove(Timer* timer);
    void scheduleChanged();
    Timer* earliestDueBy(std::int64_t moment) const;
    void fire(Timer* timer);

    Clock& clock_;
    Dispatcher& dispatcher_;
    std::vector<Timer*> timers_;
    std::function<void()> scheduleListener_;
    std::uint64_t ticksRun_ = 0;
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

    // The moment of the next tick while the timer runs.
    std::int64_t dueAt() const { return due_; }
    bool running() const { return enabled_ && interval_ > 0; }

private:
    friend class Scheduler;
    void restartPeriod();

    Scheduler& scheduler_;
    std::string name_;
    int interval_;
    bool enabled_;
    std::int64_t due_ = 0;
    std::function<void()> onTimer_;
};

}  // namespace sob
