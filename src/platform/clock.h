#pragma once

#include <cstdint>

namespace sob {

// The program's sense of time. Timers and sound positions use the monotonic
// milliseconds; the random generator is seeded from the time of day; the
// dialogue log prints the calendar time.
class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic milliseconds since an arbitrary origin.
    virtual std::int64_t nowMs() const = 0;
    // Milliseconds since the epoch, wall-clock time.
    virtual std::int64_t wallMs() const = 0;
    // Milliseconds since local midnight (what the generator is seeded from).
    virtual std::int64_t timeOfDayMs() const = 0;
};

class SystemClock final : public Clock {
public:
    std::int64_t nowMs() const override;
    std::int64_t wallMs() const override;
    std::int64_t timeOfDayMs() const override;
};

// A clock that only moves when told to. Tests run every form on it.
class VirtualClock final : public Clock {
public:
    // wallStartMs: the calendar time at virtual time 0 (UTC milliseconds).
    explicit VirtualClock(std::int64_t wallStartMs = 1'765'443'600'000LL) : wallStartMs_(wallStartMs) {}

    std::int64_t nowMs() const override { return nowMs_; }
    std::int64_t wallMs() const override { return wallStartMs_ + nowMs_; }
    std::int64_t timeOfDayMs() const override;

    void advanceTo(std::int64_t ms) {
        if (ms > nowMs_) nowMs_ = ms;
    }
    void advanceBy(std::int64_t ms) { advanceTo(nowMs_ + ms); }
    void setWallStart(std::int64_t wallStartMs) { wallStartMs_ = wallStartMs; }

private:
    std::int64_t nowMs_ = 0;
    std::int64_t wallStartMs_;
};

}  // namespace sob
