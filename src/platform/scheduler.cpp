#include "platform/scheduler.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/dispatcher.h"

namespace sob {

void Scheduler::add(Timer* timer) { timers_.push_back(timer); }

void Scheduler::remove(Timer* timer) {
    timers_.erase(std::remove(timers_.begin(), timers_.end(), timer), timers_.end());
}

void Scheduler::scheduleChanged() {
    if (scheduleListener_) scheduleListener_();
}

Timer* Scheduler::earliestDueBy(std::int64_t moment) const {
    Timer* earliest = nullptr;
    for (Timer* timer : timers_) {
        if (!timer->running() || timer->due_ > moment) continue;
        if (earliest == nullptr || timer->due_ < earliest->due_) earliest = timer;
    }
    return earliest;
}

std::optional<std::int64_t> Scheduler::nextDue() const {
    std::optional<std::int64_t> next;
    for (const Timer* timer : timers_) {
        if (timer->running() && (!next || timer->due_ < *next)) next = timer->due_;
    }
    return next;
}

void Scheduler::fire(Timer* timer) {
    // The next period starts now; a handler that stops the timer or changes
    // its interval overrides this.
    timer->due_ = clock_.nowMs() + timer->interval_;
    ++ticksRun_;
    if (timer->onTimer_) {
        auto handler = timer->onTimer_;
        dispatcher_.run(handler);
    }
}

void Scheduler::runDue() {
    const std::int64_t now = clock_.nowMs();
    // Each timer ticks at most once per call: a timer that falls due again
    // while others run waits for the next call.
    std::vector<Timer*> fired;
    while (Timer* timer = earliestDueBy(now)) {
        if (std::find(fired.begin(), fired.end(), timer) != fired.end()) break;
        fired.push_back(timer);
        fire(timer);
    }
}

void Scheduler::advanceBy(VirtualClock& clock, std::int64_t ms) {
    const std::int64_t target = clock.nowMs() + ms;
    while (Timer* timer = earliestDueBy(target)) {
        clock.advanceTo(timer->due_);
        fire(timer);
    }
    clock.advanceTo(target);
}

Timer::Timer(Scheduler& scheduler, std::string name, int intervalMs, bool enabled)
    : scheduler_(scheduler), name_(std::move(name)), interval_(intervalMs), enabled_(enabled) {
    scheduler_.add(this);
    if (enabled_) restartPeriod();
}

Timer::~Timer() { scheduler_.remove(this); }

void Timer::restartPeriod() {
    due_ = scheduler_.clock().nowMs() + interval_;
    scheduler_.scheduleChanged();
}

void Timer::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (enabled_)
        restartPeriod();
    else
        scheduler_.scheduleChanged();
}

void Timer::setInterval(int intervalMs) {
    if (intervalMs == interval_) return;
    interval_ = intervalMs;
    if (enabled_) restartPeriod();
}

}  // namespace sob
