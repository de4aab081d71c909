#include "platform/random.h"

#include "platform/clock.h"

namespace sob {

void RandomGenerator::randomize(const Clock& clock) {
    seed_ = static_cast<std::uint32_t>(clock.timeOfDayMs());
}

int RandomGenerator::Random(int n) {
    if (!queued_.empty()) {
        int value = queued_.front();
        queued_.pop_front();
        if (n <= 0) return 0;
        value %= n;
        return value < 0 ? value + n : value;
    }
    seed_ = seed_ * 0x08088405u + 1u;
    if (n <= 0) return 0;
    return static_cast<int>((static_cast<std::uint64_t>(seed_) * static_cast<std::uint32_t>(n)) >> 32);
}

int RandomGenerator::drawBetween(int a, int b) {
    if (b < 1) return 0;
    if (a > b) a = b;
    int value;
    do {
        value = Random(b) + 1;
    } while (value < a);
    return value;
}

}  // namespace sob
