#include <gtest/gtest.h>

#include <map>

#include "platform/clock.h"
#include "platform/random.h"

namespace sob {
namespace {

TEST(Random, StaysInRangeAndGivesZeroForAnEmptyRange) {
    RandomGenerator random;
    random.seed(1);
    for (int n : {1, 2, 3, 6, 90, 250, 100000}) {
        for (int i = 0; i < 2000; ++i) {
            int value = random.Random(n);
            ASSERT_GE(value, 0);
            ASSERT_LT(value, n);
        }
    }
    EXPECT_EQ(random.Random(0), 0);
    EXPECT_EQ(random.Random(-5), 0);
}

TEST(Random, IsRoughlyUniform) {
    RandomGenerator random;
    random.seed(42);
    std::map<int, int> counts;
    const int draws = 60000;
    for (int i = 0; i < draws; ++i) ++counts[random.Random(6)];
    ASSERT_EQ(counts.size(), 6u);
    for (auto [value, count] : counts) EXPECT_NEAR(count, draws / 6, draws / 60) << value;
}

TEST(Random, TheSameSeedGivesTheSameDraws) {
    RandomGenerator a, b;
    a.seed(777);
    b.seed(777);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(a.Random(1000), b.Random(1000));
}

TEST(Random, DrawBetweenCoversExactlyTheRange) {
    // The idle threshold (60..90), the shake's moves (125..250) and its
    // coordinates (95..105).
    RandomGenerator random;
    random.seed(3);
    for (auto [low, high] : {std::pair{60, 90}, {125, 250}, {95, 105}, {1, 6}}) {
        std::map<int, int> seen;
        for (int i = 0; i < 20000; ++i) ++seen[random.drawBetween(low, high)];
        EXPECT_EQ(seen.begin()->first, low);
        EXPECT_EQ(seen.rbegin()->first, high);
        EXPECT_EQ(static_cast<int>(seen.size()), high - low + 1);
    }
}

TEST(Random, QueuedValuesComeFirstWhateverTheSeed) {
    RandomGenerator random;
    random.queueForTesting({2, 0, 5});
    VirtualClock clock;
    random.randomize(clock);
    EXPECT_EQ(random.Random(3), 2);
    EXPECT_EQ(random.Random(3), 0);
    EXPECT_EQ(random.drawBetween(1, 6), 6);
    EXPECT_FALSE(random.hasQueuedValues());
}

TEST(Random, IsSeededFromTheTimeOfDay) {
    VirtualClock clock;
    RandomGenerator a, b;
    a.randomize(clock);
    clock.advanceBy(1);
    b.randomize(clock);
    EXPECT_EQ(b.seedValue(), a.seedValue() + 1);
}

}  // namespace
}  // namespace sob
