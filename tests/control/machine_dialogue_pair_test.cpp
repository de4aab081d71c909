#include <memory>
#include <string>
#include <vector>

#include "control/control_fixture.h"

namespace sob::control_test {
namespace {

// One turn taken by a copy: what it read and what it wrote back.
struct Exchange {
    char copy;
    std::string phrase;
    std::string reply;
};

// Watches copies of the program and notes every turn each one takes, in
// the order they happen.
class TurnWatcher {
public:
    void watch(char name, TForm1& form) { copies_.push_back({name, &form, 0}); }

    // Called after a step of the clock short enough to hold at most one turn.
    void look() {
        for (Copy& copy : copies_) {
            int turns = 0;
            for (const std::string& entry : copy.form->RichEdit4.entries())
                if (entry.starts_with("USER:")) ++turns;
            if (turns == copy.turns) continue;
            EXPECT_EQ(turns, copy.turns + 1) << "two turns within one step";
            copy.turns = turns;
            exchanges.push_back(
                {copy.name, u(copy.form->engine.RawPhrase), u(copy.form->engine.Answer)});
        }
    }

    std::vector<Exchange> exchanges;

private:
    struct Copy {
        char name;
        TForm1* form;
        int turns;
    };
    std::vector<Copy> copies_;
};

// Two copies of the program in one process: the second has a platform of its
// own (its own random generator, sound and screen) on the same clock,
// scheduler and error box as the first. The working folder, and with it the
// phrase base, is shared, as the protocol allows.
class TwoCopiesTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        dir.write("shared/Txt.Dat", w("Привет") + "\r\n");
        randomB.seed(777);
    }

    std::string exchangePath() const { return dir.path() + "/shared/Txt.Dat"; }

    // A started copy, settled, with only the state polling left of its own
    // timers (no idle prompts in the way), reading the shared exchange file.
    void prepare(TForm1& f, TForm2& editor) {
        for (Timer* timer : f.timers())
            if (timer != &f.Timer1) timer->setEnabled(false);
        editor.Edit1.setText(exchangePath());
    }

    void runFor(int ms, TurnWatcher& watcher) {
        for (int elapsed = 0; elapsed < ms; elapsed += 100) {
            t.advance(100);
            watcher.look();
        }
    }

    RandomGenerator randomB;
    testing::RecordingAudio audioB;
    testing::ScriptedPickers pickersB;
    Screen screenB;
    Platform platformB{t.clock, t.scheduler, t.dispatcher, randomB, audioB, pickersB, screenB};
    std::unique_ptr<Program> programB;
};

TEST_F(TwoCopiesTest, TwoCopiesAlternateEachAnsweringTheOthersLastReply) {
    start();
    programB = std::make_unique<Program>(platformB);
    programB->show();
    t.advance(10);
    TForm1& a = form();
    TForm1& b = *programB->Form1;
    prepare(a, editor());
    prepare(b, *programB->Form2);

    TurnWatcher watcher;
    watcher.watch('A', a);
    watcher.watch('B', b);
    a.Cpu31.choose();
    runFor(500, watcher);
    b.Cpu31.choose();
    runFor(15'000, watcher);

    const std::vector<Exchange>& turns = watcher.exchanges;
    ASSERT_GE(turns.size(), 20u);
    EXPECT_EQ(turns[0].copy, 'A');
    EXPECT_EQ(turns[0].phrase, "Привет");
    for (std::size_t i = 1; i < turns.size(); ++i) {
        SCOPED_TRACE("turn " + std::to_string(i));
        EXPECT_NE(turns[i].copy, turns[i - 1].copy);
        EXPECT_EQ(turns[i].phrase, turns[i - 1].reply);
        EXPECT_FALSE(turns[i].reply.empty());
    }
    EXPECT_EQ(u(dir.read("shared/Txt.Dat")), turns.back().reply + "\r\n");
    EXPECT_TRUE(errors().empty());
    EXPECT_FALSE(a.closed);
    EXPECT_FALSE(b.closed);
}

TEST_F(TwoCopiesTest, ACopyAloneAnswersItsOwnLastReply) {
    start();
    t.advance(10);
    TForm1& a = form();
    prepare(a, editor());
    TurnWatcher watcher;
    watcher.watch('A', a);
    a.Cpu31.choose();
    runFor(10'000, watcher);

    const std::vector<Exchange>& turns = watcher.exchanges;
    ASSERT_GE(turns.size(), 7u);
    EXPECT_EQ(turns[0].phrase, "Привет");
    for (std::size_t i = 1; i < turns.size(); ++i) {
        SCOPED_TRACE("turn " + std::to_string(i));
        EXPECT_EQ(turns[i].phrase, turns[i - 1].reply);
    }
    EXPECT_TRUE(errors().empty());
}

}  // namespace
}  // namespace sob::control_test
