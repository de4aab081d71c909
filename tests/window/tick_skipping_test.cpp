#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "window/window_fixture.h"

namespace sob::window_test {
namespace {

// The idle program skips the ticks of its 1-millisecond watchers that could
// change nothing. A whole session run with skipping and without must look
// the same to the user at every millisecond.
class TickSkippingTest : public WindowTest {
protected:
    struct Run {
        std::vector<std::string> seen;
        std::uint64_t ticksRun = 0;
        std::uint64_t ticksSkipped = 0;
    };

    // What a user or a test can see of the main window.
    static std::string snapshot(const TestPlatform& env, TForm1& f) {
        std::ostringstream out;
        out << env.clock.nowMs() << ':' << f.SpeedButton1.enabled << f.SpeedButton2.enabled
            << f.SpeedButton3.enabled << f.Talk.enabled << f.N15.enabled << f.Timer6.enabled()
            << f.RichEdit1.enabled << (f.focusRequest == &f.Edit1) << '|' << u(f.Edit1.text())
            << '|' << f.RichEdit1.lineCount() << '|' << f.RichEdit4.Count() << '|'
            << env.audio.started.size() << '|' << u(f.StatusBar1.panels[0].text) << '|'
            << f.bounds.left << ',' << f.bounds.top << '|' << f.Edit1.readOnly;
        return out.str();
    }

    // A session on a fresh platform: typing, a separator caught by the guard,
    // a turn, undo, a mode switch and back, the focus leaving the input.
    static Run session(bool skipping) {
        TestPlatform env;
        env.scheduler.setSkippingEnabled(skipping);
        env.random.seed(99);
        Program program(env.platform);
        program.show();
        TForm1& f = *program.Form1;
        Run result;
        auto run = [&](int ms) {
            for (int i = 0; i < ms; ++i) {
                env.advance(1);
                result.seen.push_back(snapshot(env, f));
            }
        };
        auto user = [&](const std::function<void()>& action) {
            env.user(action);
            result.seen.push_back(snapshot(env, f));
        };
        run(50);
        user([&] { f.Edit1.setText(w("п")); });
        run(3);
        user([&] { f.Edit1.setText(w("привет")); });
        run(20);
        user([&] { f.Edit1.setText(w("при;вет")); });
        run(20);
        user([&] { f.Edit1.setText(w("привет")); });
        run(5);
        user([&] { f.Talk.click(); });
        run(30);
        user([&] { f.SpeedButton2.click(); });
        run(30);
        user([&] { f.Cpu31.choose(); });
        run(10);
        user([&] { f.CpuUser1.choose(); });
        run(1200);
        user([&] { f.focusWanted = true; });
        run(5);
        result.ticksRun = env.scheduler.ticksRun();
        result.ticksSkipped = env.scheduler.ticksSkipped();
        return result;
    }
};

TEST_F(TickSkippingTest, ASessionLooksTheSameAtEveryMillisecondWithSkippingAndWithout) {
    const Run skipping = session(true);
    const Run plain = session(false);
    ASSERT_EQ(skipping.seen.size(), plain.seen.size());
    for (std::size_t i = 0; i < plain.seen.size(); ++i)
        ASSERT_EQ(skipping.seen[i], plain.seen[i]) << "first difference at step " << i;
    EXPECT_EQ(plain.ticksSkipped, 0u);
    // The idle watchers slept for most of the 1.4 seconds.
    EXPECT_GT(skipping.ticksSkipped, 0u);
    EXPECT_LT(skipping.ticksRun, plain.ticksRun / 10);
}

TEST_F(TickSkippingTest, AFocusWantedWakesThePollingWithinOneMillisecond) {
    start();
    tick(100);
    const std::uint64_t before = form().focusRequestCount;
    t.user([&] { form().focusWanted = true; });
    tick(1);
    EXPECT_GT(form().focusRequestCount, before);
}

}  // namespace
}  // namespace sob::window_test
