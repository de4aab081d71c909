#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.h"
#include "support/test_platform.h"

namespace sob {
namespace {

using testing::TestPlatform;

struct SchedulerTest : ::testing::Test {
    TestPlatform env;
    std::vector<std::string> log;

    void record(Timer& timer) {
        timer.setOnTimer([this, &timer] { log.push_back(timer.name() + "@" + std::to_string(env.clock.nowMs())); });
    }
};

TEST_F(SchedulerTest, TicksComeEveryPeriodFromTheMomentTheTimerStarted) {
    Timer timer(env.scheduler, "T", 1000, true);
    record(timer);
    env.advance(3500);
    EXPECT_EQ(log, (std::vector<std::string>{"T@1000", "T@2000", "T@3000"}));
}

TEST_F(SchedulerTest, EnablingAnEnabledTimerKeepsItsPeriodRunning) {
    Timer timer(env.scheduler, "T", 1000, true);
    record(timer);
    env.advance(600);
    timer.setEnabled(true);
    env.advance(500);
    EXPECT_EQ(log, (std::vector<std::string>{"T@1000"}));
}

TEST_F(SchedulerTest, EnablingAStoppedTimerStartsAFreshPeriod) {
    Timer timer(env.scheduler, "T", 1000, true);
    record(timer);
    env.advance(600);
    timer.setEnabled(false);
    env.advance(100);
    timer.setEnabled(true);
    env.advance(999);
    EXPECT_TRUE(log.empty());
    env.advance(1);
    EXPECT_EQ(log, (std::vector<std::string>{"T@1700"}));
}

TEST_F(SchedulerTest, ChangingTheIntervalOfARunningTimerRestartsItsPeriod) {
    Timer timer(env.scheduler, "T", 3000, true);
    record(timer);
    env.advance(2000);
    timer.setInterval(3000);  // the same period: nothing changes
    env.advance(1000);
    EXPECT_EQ(log, (std::vector<std::string>{"T@3000"}));
    env.advance(500);
    timer.setInterval(1000);  // a new period starts now
    env.advance(1000);
    EXPECT_EQ(log, (std::vector<std::string>{"T@3000", "T@4500"}));
}

TEST_F(SchedulerTest, AHandlerThatChangesItsOwnIntervalSetsTheNextPeriod) {
    // The machine dialogue's first tick comes after 3000 ms and then sets the
    // interval read from the editor.
    Timer timer(env.scheduler, "T", 3000, true);
    timer.setOnTimer([&] {
        log.push_back(std::to_string(env.clock.nowMs()));
        timer.setInterval(1000);
    });
    env.advance(5000);
    EXPECT_EQ(log, (std::vector<std::string>{"3000", "4000", "5000"}));
}

TEST_F(SchedulerTest, ATimerThatStopsItselfTicksOnce) {
    Timer timer(env.scheduler, "T", 1, true);
    int ticks = 0;
    timer.setOnTimer([&] {
        ++ticks;
        timer.setEnabled(false);
    });
    env.advance(100);
    EXPECT_EQ(ticks, 1);
}

TEST_F(SchedulerTest, AFailingOnceTimerTicksAgainBecauseItNeverReachedItsLastStep) {
    Timer timer(env.scheduler, "T", 10, true);
    int ticks = 0;
    timer.setOnTimer([&] {
        ++ticks;
        throw ProgramError("Cannot open file X");
        timer.setEnabled(false);  // not reached
    });
    env.advance(30);
    EXPECT_EQ(ticks, 3);
    EXPECT_EQ(env.errorBox.texts.size(), 3u);
    EXPECT_EQ(env.errorBox.texts[0], "Cannot open file X.");
}

TEST_F(SchedulerTest, TimersDueTogetherTickInTheOrderTheyWereCreated) {
    Timer first(env.scheduler, "A", 5, true);
    Timer second(env.scheduler, "B", 5, true);
    record(first);
    record(second);
    env.advance(5);
    EXPECT_EQ(log, (std::vector<std::string>{"A@5", "B@5"}));
}

TEST_F(SchedulerTest, AStoppedOrZeroIntervalTimerHasNoNextTick) {
    Timer stopped(env.scheduler, "S", 1000, false);
    Timer zero(env.scheduler, "Z", 0, true);
    EXPECT_FALSE(env.scheduler.nextDue().has_value());
    Timer running(env.scheduler, "R", 250, true);
    EXPECT_EQ(env.scheduler.nextDue(), 250);
}

TEST_F(SchedulerTest, RunDueRunsWhatIsDueNowAndMissedPeriodsAreNotMadeUp) {
    Timer timer(env.scheduler, "T", 10, true);
    record(timer);
    env.clock.advanceBy(95);  // the event loop was busy for 95 ms
    env.scheduler.runDue();
    EXPECT_EQ(log, (std::vector<std::string>{"T@95"}));
    EXPECT_EQ(env.scheduler.nextDue(), 105);
}

TEST_F(SchedulerTest, TheScheduleListenerHearsOfStartsStopsAndNewPeriods) {
    int changes = 0;
    env.scheduler.setScheduleListener([&] { ++changes; });
    Timer timer(env.scheduler, "T", 10, false);
    timer.setEnabled(true);
    timer.setEnabled(true);
    timer.setInterval(20);
    timer.setEnabled(false);
    EXPECT_EQ(changes, 3);
}

}  // namespace
}  // namespace sob

namespace sob {
namespace {

// A polling timer copies a value into a mirror; it has nothing to do while
// the mirror already shows the value.
struct Poller {
    int source = 0;
    int mirror = 0;
    int runs = 0;
};

TEST(SchedulerSkipping, AnIdleTimerSleepsUntilAHandlerRunsAndThenKeepsItsGrid) {
    testing::TestPlatform env;
    Poller poller;
    Timer polling(env.scheduler, "Poll", 1, true);
    polling.setOnTimer([&] {
        ++poller.runs;
        poller.mirror = poller.source;
    });
    polling.setIdleCheck([&] { return poller.mirror == poller.source; });
    Timer other(env.scheduler, "Other", 1000, true);
    std::vector<std::int64_t> pollRuns;
    other.setOnTimer([&] { poller.source = static_cast<int>(env.clock.nowMs()); });

    env.advance(999);
    EXPECT_EQ(poller.runs, 0);
    EXPECT_TRUE(polling.sleeping());
    EXPECT_FALSE(env.scheduler.nextDue() < 1000);
    env.advance(1);  // the other timer changes the source; the poller wakes
    EXPECT_EQ(poller.runs, 0);
    env.advance(1);
    EXPECT_EQ(poller.runs, 1);
    EXPECT_EQ(poller.mirror, 1000);
    EXPECT_GT(env.scheduler.ticksSkipped(), 0u);
}

TEST(SchedulerSkipping, SkippingChangesNothingTheHandlersCanSee) {
    // The same scenario with and without skipping ends in the same state.
    auto run = [](bool skipping) {
        testing::TestPlatform env;
        env.scheduler.setSkippingEnabled(skipping);
        Poller poller;
        std::vector<std::int64_t> changes;
        Timer polling(env.scheduler, "Poll", 1, true);
        polling.setOnTimer([&] {
            if (poller.mirror != poller.source) changes.push_back(env.clock.nowMs());
            poller.mirror = poller.source;
        });
        polling.setIdleCheck([&] { return poller.mirror == poller.source; });
        Timer other(env.scheduler, "Other", 7, true);
        other.setOnTimer([&] { poller.source += 1; });
        env.advance(100);
        env.user([&] { poller.source = 500; });
        env.advance(3);
        return changes;
    };
    EXPECT_EQ(run(true), run(false));
}

}  // namespace
}  // namespace sob
