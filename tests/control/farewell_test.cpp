#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "control/control_fixture.h"
#include "engine/base_files.h"
#include "platform/phrase_list.h"

namespace sob::control_test {
namespace {

class FarewellTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        startAndSettle();
        onlyTimers({});
        start_ = form().bounds;
    }

    Bounds drifted(int ticks) const {
        return Bounds{start_.left - 3 * ticks, start_.top - 2 * ticks,
                      std::max(start_.width - 10 * ticks, t.screen.minWindowWidth),
                      std::max(start_.height - 8 * ticks, t.screen.minWindowHeight)};
    }

    std::vector<std::string> logEntries() {
        PhraseList log;
        log.LoadFromFile(baseFiles::dialogueLog);
        std::vector<std::string> entries;
        for (const std::string& entry : log.entries()) entries.push_back(u(entry));
        return entries;
    }

    Bounds start_;
};

TEST_F(FarewellTest, DriftsAndShrinksWithTheCloseCueFromTheTenthTick) {
    TForm1& f = form();
    f.Timer4.setEnabled(true);  // as a farewell reply does
    t.advance(9);
    EXPECT_EQ(f.bounds, drifted(9));
    EXPECT_EQ(f.bounds.top, start_.top - 18);
    EXPECT_EQ(f.bounds.left, start_.left - 27);
    EXPECT_EQ(f.bounds.width, start_.width - 90);
    EXPECT_EQ(f.bounds.height, start_.height - 72);
    EXPECT_EQ(f.MediaPlayer6.requests(), 0);
    t.advance(1);
    EXPECT_EQ(f.MediaPlayer6.requests(), 1);

    // The window never gets smaller than the window system allows.
    t.advance(60);
    EXPECT_EQ(f.bounds, drifted(70));
    EXPECT_EQ(f.bounds.width, t.screen.minWindowWidth);
    EXPECT_EQ(f.bounds.height, t.screen.minWindowHeight);
    EXPECT_FALSE(f.closed);
}

TEST_F(FarewellTest, AFarewellReplyEndsTheProgramThroughExitAtTheEightiethTick) {
    TForm1& f = form();
    say("Пока");
    ASSERT_TRUE(f.Timer4.enabled()) << u(f.engine.Answer);
    f.Timer9.setEnabled(false);

    t.advance(79);
    EXPECT_FALSE(f.closed);
    t.advance(1);
    EXPECT_TRUE(f.closed);
    EXPECT_EQ(f.Tag, 80);
    EXPECT_FALSE(f.Timer4.enabled());
    // The last tick still moves, shrinks and asks for the cue: 71 requests.
    EXPECT_EQ(f.bounds, drifted(80));
    EXPECT_EQ(f.MediaPlayer6.requests(), 71);
    // The log holds the dialogue, the farewell reply included.
    const std::vector<std::string> log = logEntries();
    EXPECT_NE(std::find(log.begin(), log.end(), "CPU:     " + u(f.engine.Answer)), log.end());
    EXPECT_EQ(u(f.engine.Answer), "До свидания.");
}

TEST_F(FarewellTest, AFailingExitIsReportedOnceAndTheWindowStaysOpen) {
    TForm1& f = form();
    std::filesystem::remove(dir.path() + "/Base/Log.Mardun");
    f.Timer4.setEnabled(true);
    t.advance(79);
    const Bounds before = f.bounds;

    t.advance(1);
    EXPECT_EQ(errors(), std::vector<std::string>{"Cannot open file Base\\Log.Mardun."});
    EXPECT_FALSE(f.closed);
    EXPECT_TRUE(f.visible);
    EXPECT_FALSE(f.Timer4.enabled());
    // The rest of that tick did not happen.
    EXPECT_EQ(f.bounds, before);
    EXPECT_EQ(f.MediaPlayer6.requests(), 70);

    t.advance(1000);
    EXPECT_EQ(errors().size(), 1u);
}

TEST_F(FarewellTest, AnUnmarkedReplyPausesAndAFarewellResumesAtTheCountReached) {
    TForm1& f = form();
    f.Timer4.setEnabled(true);
    t.advance(30);
    f.Timer4.setEnabled(false);  // an unmarked reply
    t.advance(5000);
    EXPECT_EQ(f.Tag, 30);
    EXPECT_EQ(f.bounds, drifted(30));

    f.Timer4.setEnabled(true);
    t.advance(49);
    EXPECT_FALSE(f.closed);
    t.advance(1);
    EXPECT_TRUE(f.closed);
}

}  // namespace
}  // namespace sob::control_test
