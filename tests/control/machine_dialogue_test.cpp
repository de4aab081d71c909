#include <string>
#include <vector>

#include "control/control_fixture.h"

namespace sob::control_test {
namespace {

const std::string cpuCpuLine = "Сервис:   // Режим диалога Cpu\\Cpu.";
const std::string cpuUserLine = "Сервис:   // Режим диалога Cpu\\User.";

// The program settled after start-up, with only the state polling and the
// machine dialogue's timer running, and an exchange file path in the test's
// folder.
class MachineDialogueTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        startAndSettle();
        onlyTimers({&form().Timer1});
        editor().Edit1.setText(exchangePath());
    }

    std::string exchangePath() const { return dir.path() + "/Txt.Dat"; }
    void writeExchange(const std::string& utf8) { dir.write("Txt.Dat", w(utf8) + "\r\n"); }
    std::string exchangeFile() const { return dir.read("Txt.Dat"); }

    // The turns taken so far: the "USER:" lines of the dialogue record.
    int turns() {
        int count = 0;
        for (const std::string& line : record())
            if (line.starts_with("USER:")) ++count;
        return count;
    }
};

TEST_F(MachineDialogueTest, ModeCommandsWriteTheirServiceLinesAndThePollingFollows) {
    TForm1& f = form();
    f.RichEdit1.currentStyle = TextStyle{colors::black, "Arial", 12, FontStyle::Bold};
    EXPECT_EQ(u(f.StatusBar1.panels[2].text), "Режим Cpu\\User");
    EXPECT_FALSE(f.Timer6.enabled());

    f.Cpu31.choose();
    f.Cpu31.choose();
    EXPECT_EQ(transcript(), (std::vector<std::string>{cpuCpuLine, cpuCpuLine}));
    EXPECT_EQ(u(f.StatusBar1.panels[2].text), "Режим Cpu\\Cpu");
    EXPECT_TRUE(f.Cpu31.checked);
    EXPECT_FALSE(f.CpuUser1.checked);
    // Teal, the font left as it was.
    EXPECT_EQ(f.RichEdit1.lines()[0].style,
              (TextStyle{colors::teal, "Arial", 12, FontStyle::Bold}));
    // The commands leave the timer to the state polling.
    EXPECT_FALSE(f.Timer6.enabled());
    t.advance(1);
    EXPECT_TRUE(f.Timer6.enabled());

    f.CpuUser1.choose();
    EXPECT_EQ(transcript(), (std::vector<std::string>{cpuCpuLine, cpuCpuLine, cpuUserLine, ""}));
    EXPECT_EQ(u(f.StatusBar1.panels[2].text), "Режим Cpu\\User");
    EXPECT_TRUE(f.CpuUser1.checked);
    EXPECT_FALSE(f.Cpu31.checked);
    EXPECT_TRUE(f.Timer6.enabled());
    t.advance(1);
    EXPECT_FALSE(f.Timer6.enabled());

    // Service lines are never spoken lines.
    EXPECT_TRUE(record().empty());
}

TEST_F(MachineDialogueTest, FirstTickAfterThreeSecondsThenEveryInterval) {
    TForm1& f = form();
    writeExchange("Привет");
    f.Cpu31.choose();  // the polling starts the timer at its next tick, 1 ms on

    t.advance(3000);
    EXPECT_EQ(turns(), 0);
    t.advance(1);
    ASSERT_EQ(turns(), 1);
    EXPECT_EQ(u(f.engine.RawPhrase), "Привет");
    // The reply goes back to the file as one line and CR LF.
    EXPECT_EQ(exchangeFile(), f.engine.Answer + "\r\n");

    // From now on the interval field's value, 1000 ms.
    t.advance(999);
    EXPECT_EQ(turns(), 1);
    t.advance(1);
    EXPECT_EQ(turns(), 2);
    // Alone, the copy answers its own last reply.
    const std::string firstReply = u(f.engine.PreviousReply);

    // A new interval takes effect at the next tick, which still comes at the
    // old period.
    t.advance(500);
    editor().SpinEdit1.setValue(5000);
    t.advance(500);
    EXPECT_EQ(turns(), 3);
    t.advance(4999);
    EXPECT_EQ(turns(), 3);
    t.advance(1);
    EXPECT_EQ(turns(), 4);
    EXPECT_FALSE(firstReply.empty());
}

TEST_F(MachineDialogueTest, AMissingExchangeFileIsReportedAtEveryTickAndPickedUpWhenItAppears) {
    TForm1& f = form();
    f.Cpu31.choose();
    t.advance(3001);
    t.advance(3000);
    const std::string message = "Cannot open file " + exchangePath() + ".";
    EXPECT_EQ(errors(), (std::vector<std::string>{message, message}));
    EXPECT_EQ(turns(), 0);
    // A failed tick does not get to set the period.
    EXPECT_EQ(f.Timer6.interval(), 3000);

    writeExchange("Привет");
    t.advance(3000);
    EXPECT_EQ(turns(), 1);
    EXPECT_EQ(u(f.engine.RawPhrase), "Привет");
    EXPECT_EQ(errors().size(), 2u);
}

TEST_F(MachineDialogueTest, TheIntervalIsBroughtIntoRangeBeforeItBecomesThePeriod) {
    struct Case {
        const char* field;
        int period;
    };
    const std::vector<Case> cases = {
        {"250", 250}, {"0", 1}, {"-40", 1}, {"70000", 60000}, {"zwei", 1}, {"60000", 60000},
    };
    TForm1& f = form();
    writeExchange("Привет");
    f.Cpu31.choose();
    t.advance(1);  // the polling starts the timer
    for (const Case& c : cases) {
        SCOPED_TRACE(c.field);
        editor().SpinEdit1.setText(c.field);
        const int before = turns();
        t.advance(f.Timer6.dueAt() - t.clock.nowMs());
        EXPECT_EQ(turns(), before + 1);
        EXPECT_EQ(f.Timer6.interval(), c.period);
    }
}

TEST_F(MachineDialogueTest, AHandTurnBeforeTheFirstTickAnswersTheAbusiveWordList) {
    TForm1& f = form();
    const std::string abusiveText = f.Memo1.Text();
    f.Cpu31.choose();
    say("что угодно");  // the input only enables the button; the phrase is the buffer's

    EXPECT_EQ(f.engine.RawPhrase, abusiveText.substr(0, abusiveText.size() - 2));
    EXPECT_EQ(exchangeFile(), f.engine.Answer + "\r\n");
    EXPECT_TRUE(f.Edit1.text().empty());
    // From now on the buffer holds the exchange text, whatever the mode.
    f.CpuUser1.choose();
    EXPECT_EQ(f.Memo1.Text(), f.engine.Answer + "\r\n");
}

}  // namespace
}  // namespace sob::control_test
