#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "control/control_fixture.h"

namespace sob::control_test {
namespace {

const std::vector<std::string> prompts = {"Ты здесь?", "Молчишь?"};

bool isPrompt(const std::string& utf8) {
    return std::find(prompts.begin(), prompts.end(), utf8) != prompts.end();
}

int promptsInRecord(const std::vector<std::string>& record) {
    int count = 0;
    for (const std::string& line : record)
        if (line.starts_with("CPU:     ") && isPrompt(line.substr(9))) ++count;
    return count;
}

// ---- idle prompts ----

// The threshold is drawn from a generator seeded by the time of day, so the
// prompt comes on a different tick for a different start time.
class IdlePromptTiming : public ControlTest, public ::testing::WithParamInterface<std::int64_t> {};

TEST_P(IdlePromptTiming, NoneBeforeTheSixtiethTickAndExactlyOneByTheNinetieth) {
    t.clock.setWallStart(GetParam());
    start();
    onlyTimers({&form().Timer2});
    TForm1& f = form();

    t.advance(59'000);
    EXPECT_TRUE(record().empty());
    EXPECT_TRUE(transcript().empty());
    EXPECT_EQ(f.engine.IdleTicks, 59);

    int promptTick = 0;
    for (int tick = 60; tick <= 90; ++tick) {
        t.advance(1000);
        if (promptTick == 0 && !record().empty()) {
            promptTick = tick;
            EXPECT_EQ(f.engine.IdleTicks, 0);
        }
    }
    ASSERT_NE(promptTick, 0);
    EXPECT_EQ(f.engine.IdleTicks, 90 - promptTick);
    ASSERT_EQ(record().size(), 1u);
    // A line of the program, in the dialogue record and in the transcript.
    EXPECT_TRUE(isPrompt(u(f.engine.Answer))) << u(f.engine.Answer);
    EXPECT_EQ(record()[0], "CPU:     " + u(f.engine.Answer));
    EXPECT_EQ(transcript(), std::vector<std::string>{u(f.engine.Answer)});
    EXPECT_EQ(f.MediaPlayer5.requests(), 1);
    EXPECT_TRUE(f.engine.PreviousReply.empty());
}

INSTANTIATE_TEST_SUITE_P(StartTimes, IdlePromptTiming,
                         ::testing::Values(1'765'443'600'000LL, 1'765'443'600'123LL,
                                           1'765'450'000'777LL, 1'765'480'031'415LL,
                                           1'765'499'999'999LL));

using IdlePromptTest = ControlTest;

TEST_F(IdlePromptTest, ATurnRestartsTheCount) {
    start();
    onlyTimers({&form().Timer2});
    TForm1& f = form();
    // Thresholds of 90 for the first 75 ticks: no prompt before the turn.
    for (int tick = 1; tick <= 75; ++tick) t.random.queueForTesting({89});
    t.advance(75'000);
    ASSERT_EQ(f.engine.IdleTicks, 75);
    ASSERT_FALSE(t.random.hasQueuedValues());

    say("Привет");
    f.Timer9.setEnabled(false);  // no remark in the way
    ASSERT_EQ(f.engine.IdleTicks, 0);

    // Counted from the turn: nothing for 59 ticks, one prompt within 90.
    t.advance(59'000);
    EXPECT_EQ(promptsInRecord(record()), 0);
    t.advance(31'000);
    EXPECT_EQ(promptsInRecord(record()), 1);
}

TEST_F(IdlePromptTest, ThePromptTakesTheSharedColourOnly) {
    start();
    onlyTimers({&form().Timer2});
    TForm1& f = form();
    f.ColorDialog1.Color = Color::rgb(10, 20, 30);
    f.RichEdit1.currentStyle = TextStyle{colors::white, "Arial", 12, FontStyle::Bold};
    f.engine.IdleTicks = 89;  // every threshold is reached at the next tick

    t.advance(1000);
    ASSERT_EQ(f.RichEdit1.lineCount(), 1);
    EXPECT_EQ(f.RichEdit1.lines()[0].style,
              (TextStyle{Color::rgb(10, 20, 30), "Arial", 12, FontStyle::Bold}));
}

TEST_F(IdlePromptTest, AMissingPromptFileIsReportedAtEveryTickUntilItCanBeRead) {
    std::filesystem::remove(dir.path() + "/Base/Pause.Dat");
    start();
    onlyTimers({&form().Timer2});
    TForm1& f = form();
    f.engine.IdleTicks = 89;

    t.advance(2000);
    EXPECT_EQ(errors(), (std::vector<std::string>{"Cannot open file Base\\Pause.Dat.",
                                                  "Cannot open file Base\\Pause.Dat."}));
    EXPECT_EQ(f.engine.IdleTicks, 91);
    EXPECT_TRUE(transcript().empty());
    EXPECT_TRUE(record().empty());

    // An empty file: an empty prompt.
    dir.write("Base/Pause.Dat", "");
    t.advance(1000);
    EXPECT_EQ(transcript(), std::vector<std::string>{""});
    EXPECT_EQ(record(), std::vector<std::string>{"CPU:     "});
    EXPECT_EQ(f.engine.IdleTicks, 0);
    EXPECT_EQ(errors().size(), 2u);
}

// ---- spontaneous remarks ----

class RemarkTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        startAndSettle();
        onlyTimers({});
        TForm1& f = form();
        f.ColorDialog3.Color = Color::rgb(1, 2, 3);
        f.FontDialog2.Font = Font{"Courier New", 10, FontStyle::Italic, colors::black};
        f.RichEdit2.LoadFromFile("Base\\AI.dat");  // as the arming turn does
    }
};

TEST_F(RemarkTest, ComesAtTheSecondTickInTheCpuStyleAndDisarms) {
    TForm1& f = form();
    f.Timer9.setEnabled(true);
    t.advance(1000);
    EXPECT_TRUE(record().empty());
    EXPECT_EQ(f.RemarkCounter, 500);

    t.advance(1000);
    ASSERT_EQ(record().size(), 1u);
    const std::string remark = record()[0].substr(9);
    EXPECT_TRUE(remark == "Мне скучно." || remark == "А знаешь что?") << remark;
    EXPECT_EQ(record()[0], "CPU:     " + remark);
    ASSERT_EQ(transcript(), std::vector<std::string>{remark});
    EXPECT_EQ(f.RichEdit1.lines()[0].style,
              (TextStyle{Color::rgb(1, 2, 3), "Courier New", 10, FontStyle::Italic}));
    EXPECT_EQ(f.RemarkCounter, 0);
    EXPECT_FALSE(f.Timer9.enabled());
    EXPECT_FALSE(t.screen.busyCursor);
    EXPECT_EQ(f.MediaPlayer5.requests(), 1);
    // Remarks leave the conversation's state alone.
    EXPECT_TRUE(f.engine.Answer.empty());
    EXPECT_EQ(f.engine.IdleTicks, 0);
}

TEST_F(RemarkTest, NeverSaysTheFirstEntryAndReachesEveryOther) {
    TForm1& f = form();
    std::set<std::string> said;
    for (int arming = 0; arming < 40; ++arming) {
        f.Timer9.setEnabled(true);
        t.advance(2000 + 37 * arming);  // vary the time of day a little
    }
    for (const std::string& line : record()) said.insert(line.substr(9));
    EXPECT_EQ(record().size(), 40u);
    EXPECT_EQ(said, (std::set<std::string>{"Мне скучно.", "А знаешь что?"}));
}

TEST_F(RemarkTest, DisarmedAfterOneTickComesAtTheFirstTickOfTheNextArming) {
    TForm1& f = form();
    f.Timer9.setEnabled(true);
    t.advance(1000);
    f.Timer9.setEnabled(false);  // a turn that drew 2 or 3
    t.advance(10'000);
    EXPECT_EQ(f.RemarkCounter, 500);
    EXPECT_TRUE(record().empty());

    f.Timer9.setEnabled(true);
    t.advance(999);
    EXPECT_TRUE(record().empty());
    t.advance(1);
    EXPECT_EQ(record().size(), 1u);
    EXPECT_FALSE(f.Timer9.enabled());
}

TEST_F(RemarkTest, WithFewerThanTwoEntriesTheRemarkIsEmpty) {
    struct Case {
        std::string file;
        std::string remark;
    };
    const std::vector<Case> cases = {
        {"", ""},
        {w("Заголовок") + "\r\n", ""},
        {w("Заголовок") + "\r\n" + w("Одна.") + "\r\n", "Одна."},
    };
    TForm1& f = form();
    for (const Case& c : cases) {
        SCOPED_TRACE(u(c.file));
        dir.write("Base/AI.dat", c.file);
        f.RichEdit2.LoadFromFile("Base\\AI.dat");
        f.RichEdit4.Clear();
        f.Timer9.setEnabled(true);
        t.advance(2000);
        EXPECT_EQ(record(), std::vector<std::string>{"CPU:     " + c.remark});
        EXPECT_EQ(transcript().back(), c.remark);
    }
}

}  // namespace
}  // namespace sob::control_test
