#include <set>
#include <string>
#include <vector>

#include "control/control_fixture.h"
#include "engine/base_files.h"
#include "platform/phrase_list.h"

namespace sob::control_test {
namespace {

class TranscriptOpsTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        startAndSettle();
        onlyTimers({&form().Timer1});
    }

    // One turn, with no remark left pending.
    void sayAndSettle(const std::string& utf8) {
        say(utf8);
        form().Timer9.setEnabled(false);
        t.advance(1);  // the polling catches up, the shake (if started) runs
    }
};

TEST_F(TranscriptOpsTest, UndoRemovesOneLineFromEachListAndShakes) {
    TForm1& f = form();
    sayAndSettle("Привет");
    const std::vector<std::string> afterTurn = transcript();
    ASSERT_EQ(afterTurn.size(), 2u);
    ASSERT_EQ(record().size(), 2u);
    const std::string previousReply = f.engine.PreviousReply;
    const int shakes = f.MediaPlayer4.requests();

    t.user([&] { f.SpeedButton2.click(); });
    EXPECT_EQ(transcript(), std::vector<std::string>{afterTurn[0]});
    EXPECT_EQ(record(), std::vector<std::string>{"USER:     " + afterTurn[0]});
    EXPECT_TRUE(f.Timer7.enabled());
    t.advance(1);
    EXPECT_EQ(f.MediaPlayer4.requests(), shakes + 1);
    EXPECT_FALSE(f.Timer7.enabled());

    // Ctrl+Z does the same.
    ASSERT_TRUE(f.N15.enabled);
    t.user([&] { f.N15.choose(); });
    EXPECT_TRUE(transcript().empty());
    EXPECT_TRUE(record().empty());
    EXPECT_TRUE(f.Timer7.enabled());
    // What was said stays said.
    EXPECT_EQ(f.engine.PreviousReply, previousReply);

    // With an empty transcript the polling disables Ctrl+Z.
    t.advance(1);
    t.user([&] { f.N15.choose(); });
    EXPECT_FALSE(f.Timer7.enabled());
}

TEST_F(TranscriptOpsTest, AfterAModeSwitchUndoTakesTheServiceLinesFirstButTheRecordsLastLine) {
    TForm1& f = form();
    sayAndSettle("Привет");
    const std::vector<std::string> afterTurn = transcript();
    f.CpuUser1.choose();
    ASSERT_EQ(transcript().size(), 4u);

    f.SpeedButton2.click();
    EXPECT_EQ(transcript(), (std::vector<std::string>{afterTurn[0], afterTurn[1],
                                                      "Сервис:   // Режим диалога Cpu\\User."}));
    EXPECT_EQ(record(), std::vector<std::string>{"USER:     " + afterTurn[0]});
}

TEST_F(TranscriptOpsTest, NewDialogueEmptiesTheListsOnlyAndItsLinesNeverReachTheLog) {
    TForm1& f = form();
    sayAndSettle("Привет");
    f.Edit1.setText(w("недописанное"));
    f.engine.IdleTicks = 42;
    const EngineState before = f.engine;

    t.user([&] { f.N2.choose(); });
    EXPECT_TRUE(transcript().empty());
    EXPECT_TRUE(record().empty());
    EXPECT_TRUE(f.Edit1.text().empty());
    EXPECT_TRUE(f.Timer7.enabled());
    EXPECT_EQ(f.engine.IdleTicks, 42);
    EXPECT_EQ(f.engine.Answer, before.Answer);
    EXPECT_EQ(f.engine.PreviousReply, before.PreviousReply);

    sayAndSettle("Как дела");
    t.user([&] { f.N4.choose(); });
    ASSERT_TRUE(f.closed);
    PhraseList log;
    log.LoadFromFile(baseFiles::dialogueLog);
    int spoken = 0;
    for (const std::string& entry : log.entries()) {
        if (entry.starts_with("USER:") || entry.starts_with("CPU:")) ++spoken;
        EXPECT_EQ(u(entry).find("Привет"), std::string::npos) << u(entry);
    }
    EXPECT_EQ(spoken, 2);
}

TEST_F(TranscriptOpsTest, EnterTakesATurnOnlyWithTextInTheInput) {
    TForm1& f = form();
    t.user([&] { f.Talk.click(); });  // a program click, whatever the enabled state
    EXPECT_TRUE(transcript().empty());
    EXPECT_TRUE(record().empty());

    f.Edit1.setText(w("Привет"));
    t.advance(1);
    ASSERT_TRUE(f.Talk.enabled);
    t.user([&] { f.Talk.click(); });
    EXPECT_EQ(record().size(), 2u);
    EXPECT_EQ(record()[0], "USER:     Привет.");
    EXPECT_TRUE(f.Edit1.text().empty());
}

// ---- the entrance shake ----

struct Move {
    Bounds bounds;
    bool inputReadOnly;
    bool menusEnabled;
};

class ShakeTest : public ControlTest {
protected:
    // Runs one shake (the timer must be armed) and checks what every shake
    // must do; returns the number of moves.
    int shakeOnce() {
        TForm1& f = form();
        moves.clear();
        const Bounds before = f.bounds;
        const int cues = f.MediaPlayer4.requests();
        t.advance(1);
        EXPECT_FALSE(f.Timer7.enabled());
        EXPECT_EQ(f.MediaPlayer4.requests(), cues + 1);

        const int n = static_cast<int>(moves.size());
        EXPECT_EQ(n, f.lastShakeMoves);
        EXPECT_GE(n, 125);
        EXPECT_LE(n, 250);
        for (const Move& move : moves) {
            EXPECT_GE(move.bounds.left, 95);
            EXPECT_LE(move.bounds.left, 105);
            EXPECT_GE(move.bounds.top, 95);
            EXPECT_LE(move.bounds.top, 105);
            EXPECT_EQ(move.bounds.width, before.width);
            EXPECT_EQ(move.bounds.height, before.height);
            EXPECT_TRUE(move.inputReadOnly);
            EXPECT_FALSE(move.menusEnabled);
        }
        // Centred again, the same size, input and menus free.
        const Bounds& area = t.screen.workArea;
        EXPECT_EQ(f.bounds,
                  (Bounds{(area.width - before.width) / 2, (area.height - before.height) / 2,
                          before.width, before.height}));
        EXPECT_FALSE(f.Edit1.readOnly);
        for (MenuItem* menu : f.menuBar) EXPECT_TRUE(menu->enabled) << menu->name();
        return n;
    }

    void watchMoves() {
        TForm1& f = form();
        f.onWindowMoved = [this, &f] {
            bool menusEnabled = false;
            for (MenuItem* menu : f.menuBar) menusEnabled = menusEnabled || menu->enabled;
            moves.push_back({f.bounds, f.Edit1.readOnly, menusEnabled});
        };
    }

    std::vector<Move> moves;
};

TEST_F(ShakeTest, ShakesOnceAtStartUpAndAfterEveryNewDialogueWithinItsBounds) {
    start();
    watchMoves();
    const Bounds shown = form().bounds;
    ASSERT_EQ(shown.left, (t.screen.workArea.width - shown.width) / 2);
    shakeOnce();
    t.advance(5000);
    EXPECT_EQ(form().MediaPlayer4.requests(), 1);  // once only

    // The number of moves is drawn afresh each time.
    onlyTimers({});
    std::set<int> counts;
    for (int shake = 0; shake < 8; ++shake) {
        t.advance(1234);
        form().N2.choose();
        counts.insert(shakeOnce());
    }
    EXPECT_GT(counts.size(), 1u);
}

}  // namespace
}  // namespace sob::control_test
