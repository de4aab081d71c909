#include <string>
#include <vector>

#include "window/window_fixture.h"

namespace sob::window_test {
namespace {

class StatePollingTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        start();
        onlyTimers({&form().Timer1});
    }
};

TEST_F(StatePollingTest, ButtonsAndCommandsFollowTheInputAndTheTranscript) {
    struct Case {
        const char* input;
        int transcriptLines;
        bool cpuMode;
        bool sayAndLayoutAndEnter;
        bool undo;
        bool exchangePoll;
    };
    const std::vector<Case> cases = {
        {"", 0, false, false, false, false},     {"a", 0, false, true, false, false},
        {" ", 0, false, true, false, false},     {"", 1, false, false, true, false},
        {"привет", 2, false, true, true, false}, {"", 0, true, false, false, true},
        {"x", 3, true, true, true, true},
    };
    TForm1& f = form();
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.input) + " / " + std::to_string(c.transcriptLines) +
                     (c.cpuMode ? " / Cpu\\Cpu" : ""));
        f.Edit1.setText(w(c.input));
        f.RichEdit1.clear();
        for (int i = 0; i < c.transcriptLines; ++i) f.RichEdit1.append("line");
        f.Cpu31.checked = c.cpuMode;
        f.CpuUser1.checked = !c.cpuMode;
        tick();
        EXPECT_EQ(f.SpeedButton1.enabled, c.sayAndLayoutAndEnter);
        EXPECT_EQ(f.SpeedButton3.enabled, c.sayAndLayoutAndEnter);
        EXPECT_EQ(f.Talk.enabled, c.sayAndLayoutAndEnter);
        EXPECT_EQ(f.SpeedButton2.enabled, c.undo);
        EXPECT_EQ(f.N15.enabled, c.undo);
        EXPECT_EQ(f.Timer6.enabled(), c.exchangePoll);
    }
}

TEST_F(StatePollingTest, EnterAndCtrlZDependOnThePolledStates) {
    TForm1& f = form();
    int turns = 0;
    int undos = 0;
    f.Talk.onClick = [&] { ++turns; };  // stands in for the turn
    f.N15.onClick = [&] { ++undos; };
    tick();
    f.N15.choose();  // Ctrl+Z with an empty transcript does nothing
    EXPECT_EQ(undos, 0);
    f.RichEdit1.append("line");
    tick();
    f.N15.choose();
    EXPECT_EQ(undos, 1);
    // Enter reaches Talk only while it is enabled (the front end's rule).
    EXPECT_FALSE(f.Talk.enabled);
    f.Edit1.setText("a");
    tick();
    EXPECT_TRUE(f.Talk.enabled);
    f.Edit1.setText("");
    tick();
    EXPECT_FALSE(f.Talk.enabled);
    EXPECT_EQ(turns, 0);
}

TEST_F(StatePollingTest, ExchangePollKeepsItsPeriodWhileTheModeStays) {
    TForm1& f = form();
    f.CpuUser1.checked = false;
    f.Cpu31.checked = true;
    tick();
    ASSERT_TRUE(f.Timer6.enabled());
    const auto due = f.Timer6.dueAt();
    int exchangeTicks = 0;
    f.Timer6.setOnTimer([&] { ++exchangeTicks; });
    t.advance(2000);
    EXPECT_EQ(f.Timer6.dueAt(), due);
    t.advance(1000);
    EXPECT_EQ(exchangeTicks, 1);
    f.Cpu31.checked = false;
    f.CpuUser1.checked = true;
    tick();
    EXPECT_FALSE(f.Timer6.enabled());
}

TEST_F(StatePollingTest, EveryTickAsksForTheFocusOnTheInputLineWhileItIsElsewhere) {
    TForm1& f = form();
    // The front end says the focus is elsewhere (the user clicked away).
    f.focusWanted = true;
    const auto before = f.focusRequestCount;
    tick(3);
    EXPECT_EQ(f.focusRequest, &f.Edit1);
    EXPECT_EQ(f.focusRequestCount, before + 3);
}

class InputGuardTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        start();
        onlyTimers({&form().Timer5});
        t.audio.started.clear();
    }
    // The keyboard cues sounded since the last look.
    int keyboardCues() {
        int count = 0;
        for (const std::string& name : t.audio.started) count += name == "Sound\\KeyBoard.wav";
        t.audio.started.clear();
        return count;
    }
};

TEST_F(InputGuardTest, EachSeparatorIsFoundOnTheTickThatReachesIt) {
    for (const char* input : {"abc;", "abc^", "abc_", "_bcd", "ab;d"}) {
        SCOPED_TRACE(input);
        TForm1& f = form();
        f.guardPosition = 0;
        f.Edit1.setText(input);
        const std::string text = input;
        const int ticksToFind = static_cast<int>(text.find_first_of("^_;")) + 1;
        tick(ticksToFind - 1);
        EXPECT_EQ(f.Edit1.text(), input);
        tick();
        EXPECT_EQ(f.Edit1.text(), "");
        EXPECT_EQ(f.guardPosition, ticksToFind);
    }
}

TEST_F(InputGuardTest, ClearingDisablesTheTranscriptForGoodAndSoundsTheKeyboardCue) {
    TForm1& f = form();
    f.Edit1.setText("abc;");
    keyboardCues();
    tick(4);
    EXPECT_EQ(f.Edit1.text(), "");
    EXPECT_EQ(keyboardCues(), 1);
    EXPECT_FALSE(f.RichEdit1.enabled);
    // Nothing enables it again.
    f.Edit1.setText("hello");
    tick(20);
    EXPECT_FALSE(f.RichEdit1.enabled);
    EXPECT_EQ(f.Edit1.text(), "hello");
}

TEST_F(InputGuardTest, ScanWalksTheTextAndStartsAgainAtTheFirstCharacter) {
    TForm1& f = form();
    f.Edit1.setText("abc");
    tick(3);
    EXPECT_EQ(f.guardPosition, 0);  // reached the end: back to the start
    tick(2);
    EXPECT_EQ(f.guardPosition, 2);
    // A character typed behind the scan is found in the next pass.
    f.Edit1.setText("^bc");
    tick();  // position 3
    EXPECT_EQ(f.Edit1.text(), "^bc");
    tick();  // position 1
    EXPECT_EQ(f.Edit1.text(), "");
}

TEST_F(InputGuardTest, PositionSurvivesAClearedInputAndResetsBeyondTheNewEnd) {
    TForm1& f = form();
    f.Edit1.setText("abcdefghij");
    tick(7);
    ASSERT_EQ(f.guardPosition, 7);
    f.Edit1.setText("");  // a finished turn clears the input
    tick(5);
    EXPECT_EQ(f.guardPosition, 7);
    f.Edit1.setText("_b");
    tick();  // 8: beyond the end, back to 0
    EXPECT_EQ(f.guardPosition, 0);
    EXPECT_EQ(f.Edit1.text(), "_b");
    tick();  // 1: the first character
    EXPECT_EQ(f.Edit1.text(), "");
}

TEST_F(InputGuardTest, EmptyInputIsNotScanned) {
    tick(10);
    EXPECT_EQ(form().guardPosition, 0);
    EXPECT_TRUE(form().RichEdit1.enabled);
    EXPECT_EQ(keyboardCues(), 0);
}

}  // namespace
}  // namespace sob::window_test
