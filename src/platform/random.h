#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>

namespace sob {

class Clock;

// The program's one pseudo-random generator: a 32-bit linear congruential
// generator (seed * 0x08088405 + 1, the high half of seed * n as the draw).
// Tests either fix the seed or queue the exact values the next draws return.
class RandomGenerator {
public:
    void seed(std::uint32_t value) { seed_ = value; }
    std::uint32_t seedValue() const { return seed_; }
    // Seeds from the milliseconds of the time of day.
    void randomize(const Clock& clock);

    // Random(n): uniform over 0 .. n-1, and 0 for n <= 0.
    int Random(int n);

    // Draws from 1 to b, and again while the value is below a: uniform over
    // a .. b (for 1 <= a <= b).
    int drawBetween(int a, int b);

    // Tests: the next draws of Random return these values (each must be
    // below the n it is drawn for; a value out of range is brought into it).
    void queueForTesting(std::initializer_list<int> values) {
        queued_.insert(queued_.end(), values.begin(), values.end());
    }
    bool hasQueuedValues() const { return !queued_.empty(); }

private:
    std::uint32_t seed_ = 0;
    std::deque<int> queued_;
};

}  // namespace sob
