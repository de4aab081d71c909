#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include <QObject>
#include <QTimer>

namespace sob {
class Clock;
class Scheduler;
}  // namespace sob

namespace sob::qt {

// Drives the program's one scheduler from the Qt event loop: a single
// precise single-shot QTimer is armed for the scheduler's next due time;
// when it fires, every due tick runs and the timer is armed again. Changes
// of the schedule (a timer started, stopped or given a new period) re-arm
// it at once. Ticks also run inside modal loops (an error box, a picker),
// as the program expects.
class SchedulerDriver : public QObject {
    Q_OBJECT
public:
    SchedulerDriver(Scheduler& scheduler, const Clock& clock, QObject* parent = nullptr);
    ~SchedulerDriver() override;

    // Starts driving: installs the schedule listener and arms the timer.
    // Nothing ticks before this (the program calls it once its main window
    // is shown).
    void start();
    // Stops driving; no tick runs afterwards.
    void stop();

    // Arms the timer for the next due time (cheap when nothing changed).
    void arm();

    // How deep the driver is inside runDue() (ticks can nest under a modal
    // box opened by a tick).
    int runDepth() const { return depth_; }

    // Called after every batch of ticks, so views can show what changed.
    void setAfterRun(std::function<void()> callback) { afterRun_ = std::move(callback); }

    // The wake-ups so far (for measurements and tests).
    std::uint64_t wakeUps() const { return wakeUps_; }

private:
    void onTimeout();

    Scheduler& scheduler_;
    const Clock& clock_;
    QTimer timer_;
    std::optional<std::int64_t> armedFor_;
    std::function<void()> afterRun_;
    bool started_ = false;
    int depth_ = 0;
    std::uint64_t wakeUps_ = 0;
};

}  // namespace sob::qt
