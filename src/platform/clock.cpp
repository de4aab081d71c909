#include "platform/clock.h"

#include <chrono>
#include <ctime>

namespace sob {

namespace {

std::int64_t localTimeOfDay(std::int64_t wallMs) {
    std::time_t seconds = static_cast<std::time_t>(wallMs / 1000);
    std::tm local{};
    localtime_r(&seconds, &local);
    return ((local.tm_hour * 60LL + local.tm_min) * 60LL + local.tm_sec) * 1000LL + wallMs % 1000;
}

}  // namespace

std::int64_t SystemClock::nowMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

std::int64_t SystemClock::wallMs() const {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

std::int64_t SystemClock::timeOfDayMs() const { return localTimeOfDay(wallMs()); }

std::int64_t VirtualClock::timeOfDayMs() const { return localTimeOfDay(wallMs()); }

}  // namespace sob
