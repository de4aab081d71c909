#include "platform/scheduler.h"

#include <algorithm>

#include "platform/clock.h"
#include "platform/dispatcher.h"

namespace sob {

Scheduler::Scheduler(Clock& clock, Dispatcher& dispatcher) : clock_(clock), dispatcher_(dispatcher) {
    dispatcher_.addListener([this] { wake(); });
}

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
        if (!timer->awake() || timer->due_ > moment) continue;
        if (earliest == nullptr || timer->due_ < earliest->due_) earliest = timer;
    }
    return earliest;
}

std::optional<std::int64_t> Scheduler::nextDue() const {
    std::optional<std::int64_t> next;
    for (const Timer* timer : timers_) {
        if (timer->awake() && (!next || timer->due_ < *next)) next = timer->due_;
    }
    return next;
}

void Scheduler::fire(Timer* timer) {
    // The next period starts now; a handler that stops the timer or changes
    // its interval overrides this.
    timer->due_ = clock_.nowMs() + timer->interval_;
    if (skippingEnabled_ && timer->idleCheck_ && timer->idleCheck_()) {
        timer->sleeping_ = true;
        ++ticksSkipped_;
        return;
    }
    ++ticksRun_;
    if (timer->onTimer_) {
        auto handler = timer->onTimer_;
        Timer* outer = firing_;
        firing_ = timer;
        dispatcher_.run(handler);
        firing_ = outer;
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

bool Scheduler::comesAfterFiring(const Timer* timer) const {
    if (firing_ == nullptr) return false;
    auto position = [this](const Timer* t) { return std::find(timers_.begin(), timers_.end(), t); };
    return position(timer) > position(firing_);
}

void Scheduler::wake() {
    const std::int64_t now = clock_.nowMs();
    bool woke = false;
    for (Timer* timer : timers_) {
        if (!timer->sleeping_) continue;
        timer->sleeping_ = false;
        woke = true;
        if (timer->interval_ <= 0) continue;
        // Back onto the timer's own grid of periods: the first tick it would
        // not yet have had without sleeping. A tick due right now has been
        // had already, unless it comes after the tick now running (timers due
        // together tick in the order they were created).
        if (timer->due_ < now) {
            const std::int64_t periods = (now - timer->due_ + timer->interval_ - 1) / timer->interval_;
            timer->due_ += periods * timer->interval_;
        }
        if (timer->due_ == now && !comesAfterFiring(timer)) timer->due_ += timer->interval_;
    }
    if (woke) scheduleChanged();
}

void Scheduler::advanceBy(VirtualClock& clock, std::int64_t ms) {
    // Tests may change the windows' state directly, outside any handler.
    wake();
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
    sleeping_ = false;
    if (enabled_)
        restartPeriod();
    else
        scheduler_.scheduleChanged();
}

void Timer::setInterval(int intervalMs) {
    if (intervalMs == interval_) return;
    interval_ = intervalMs;
    sleeping_ = false;
    if (enabled_) restartPeriod();
}

}  // namespace sob
