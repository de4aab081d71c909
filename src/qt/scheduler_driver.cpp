#include "qt/scheduler_driver.h"

#include <algorithm>
#include <limits>

#include "platform/clock.h"
#include "platform/scheduler.h"

namespace sob::qt {

SchedulerDriver::SchedulerDriver(Scheduler& scheduler, const Clock& clock, QObject* parent)
    : QObject(parent), scheduler_(scheduler), clock_(clock) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &SchedulerDriver::onTimeout);
}

SchedulerDriver::~SchedulerDriver() {
    stop();
}

void SchedulerDriver::start() {
    if (started_) return;
    started_ = true;
    scheduler_.setScheduleListener([this] { arm(); });
    arm();
}

void SchedulerDriver::stop() {
    if (!started_) return;
    started_ = false;
    scheduler_.setScheduleListener({});
    timer_.stop();
    armedFor_.reset();
}

void SchedulerDriver::arm() {
    if (!started_) return;
    const std::optional<std::int64_t> next = scheduler_.nextDue();
    if (!next) {
        timer_.stop();
        armedFor_.reset();
        return;
    }
    if (timer_.isActive() && armedFor_ == next) return;
    const std::int64_t delay =
        std::clamp<std::int64_t>(*next - clock_.nowMs(), 0, std::numeric_limits<int>::max());
    armedFor_ = next;
    timer_.start(static_cast<int>(delay));
}

void SchedulerDriver::onTimeout() {
    ++wakeUps_;
    armedFor_.reset();
    ++depth_;
    scheduler_.runDue();
    --depth_;
    if (afterRun_) afterRun_();
    arm();
}

}  // namespace sob::qt
