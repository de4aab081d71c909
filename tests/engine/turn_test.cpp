#include "engine/turn.h"

#include <gtest/gtest.h>

#include "engine/base_files.h"
#include "engine/engine_fixture.h"
#include "engine/phrase_preparation.h"

namespace sob::testing {
namespace {

using Lines = std::vector<std::string>;

TEST(PreparePhrase, CapitalisesCyrillicAndCompletesThePunctuation) {
    struct Case {
        std::string typed;     // UTF-8
        std::string prepared;  // UTF-8
    };
    const Case cases[] = {
        {"привет", "Привет."},
        {"привет,", "Привет."},
        {"как дела?", "Как дела?"},
        {"ура!", "Ура!"},
        {"hello", "hello."},
        {"ёлка", "Ёлка."},
        {"яблоко.", "Яблоко."},
        {"да ", "Да ."},
        {"Уже.", "Уже."},
        {"1,", "1."},
        {",", "."},
        {"ўсё", "ўсё."},  // only the 33 Russian letters
        {"ђ", "ђ."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(u(preparePhrase(w(c.typed))), c.prepared) << "typed «" << c.typed << "»";

    const std::string longPhrase(255, 'x');
    EXPECT_EQ(preparePhrase(longPhrase).size(), 256u);
}

class TurnTest : public EngineTest {};

TEST_F(TurnTest, EchoesChoosesShowsAndResets) {
    state.IdleTicks = 42;
    farewellTimer.setEnabled(true);
    say("привет", {ignoreLength, 1, noRemark});

    EXPECT_EQ(u(state.UserPhrase), "Привет.");
    EXPECT_EQ(u(state.RawPhrase), "привет");
    EXPECT_EQ(transcriptLines(), (Lines{"Привет.", "Здравствуй."}));
    EXPECT_EQ(recordLines(), (Lines{"USER:     Привет.", "CPU:     Здравствуй."}));
    EXPECT_EQ(transcript.lines()[0].style,
              (TextStyle{Color::rgb(0, 0, 200), "Arial", 10, FontStyle::Bold}));
    EXPECT_EQ(transcript.lines()[1].style,
              (TextStyle{Color::rgb(200, 0, 0), "Courier New", 12, FontStyle::Italic}));
    EXPECT_EQ(tp.audio.started, (Lines{"Sound\\Button3.wav", "Sound\\CpuSound.wav"}));
    EXPECT_FALSE(tp.screen.busyCursor);
    EXPECT_EQ(u(state.PreviousReply), "Здравствуй.");
    EXPECT_EQ(input.text(), "");
    EXPECT_EQ(inputChanges, 2);  // typing, then clearing
    EXPECT_EQ(state.IdleTicks, 0);
    EXPECT_FALSE(farewellTimer.enabled());  // a keyword reply without the mark
    EXPECT_TRUE(tp.errorBox.texts.empty());
    EXPECT_FALSE(tp.audio.started.empty());
    EXPECT_FALSE(tp.dispatcher.errorBoxOpen());
    EXPECT_FALSE(dir.exists("D:/Txt.Dat"));  // the exchange file is for Cpu\Cpu only
}

TEST_F(TurnTest, AnEmptyPhraseChangesNothing) {
    state = EngineState{"Было.", "было", "Ответ", "Ответ", 1, 1, 5};
    const EngineState before = state;
    input.setText("");
    runQueued({});
    cpuMode.checked = true;  // the exchange buffer holds one empty line
    userMode.checked = false;
    exchange.assign({""});
    input.setText(w("текст"));
    runQueued({});

    EXPECT_EQ(state.UserPhrase, before.UserPhrase);
    EXPECT_EQ(state.Answer, before.Answer);
    EXPECT_EQ(state.IdleTicks, 5);
    EXPECT_TRUE(transcript.lines().empty());
    EXPECT_TRUE(record.entries().empty());
    EXPECT_TRUE(tp.audio.started.empty());
    EXPECT_FALSE(tp.screen.busyCursor);
    EXPECT_EQ(u(input.text()), "текст");
    EXPECT_FALSE(dir.exists("D:/Txt.Dat"));
}

TEST_F(TurnTest, OneTurnInThreeArmsARemarkFromTheRemarkList) {
    struct Case {
        int draw;
        bool armed;
        Lines scratchAfter;
    };
    const Lines keywordFile = baseEntries(baseFiles::keywords);
    const Case cases[] = {
        {0, true, {"Замечания", "Я люблю думать."}},
        {1, false, keywordFile},  // the scratch list keeps the keyword file
        {2, false, keywordFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.draw);
        state = EngineState{};
        transcript.clear();
        remarkTimer.setEnabled(!c.armed);  // the turn changes it either way
        say("пока", {ignoreLength, 0, c.draw});
        EXPECT_EQ(remarkTimer.enabled(), c.armed);
        Lines scratchLines;
        for (const std::string& entry : scratch.entries()) scratchLines.push_back(u(entry));
        EXPECT_EQ(scratchLines, c.scratchAfter);
    }
}

TEST_F(TurnTest, EveryTurnSeedsTheGeneratorFromTheClock) {
    // Whatever the generator held before, a turn at the same time of day
    // draws the same alternative and the same remark decision.
    std::vector<std::pair<std::string, bool>> outcomes;
    for (std::uint32_t earlierSeed : {1u, 77777u, 4000000000u}) {
        state = EngineState{};
        transcript.clear();
        tp.random.seed(earlierSeed);
        say("привет", {});
        outcomes.emplace_back(answer(), remarkTimer.enabled());
    }
    EXPECT_EQ(outcomes[1], outcomes[0]);
    EXPECT_EQ(outcomes[2], outcomes[0]);
}

TEST_F(TurnTest, MachineDialogueAnswersTheExchangeBuffer) {
    userMode.checked = false;
    cpuMode.checked = true;
    exchangePath.setText("Exchange\\Txt.Dat");
    dir.write("Exchange/Txt.Dat", w("Привет") + "\r\n");
    exchange.LoadFromFile("Exchange\\Txt.Dat");
    input.setText(w("это не читается"));

    runQueued({ignoreLength, 0, noRemark});

    EXPECT_EQ(u(state.RawPhrase), "Привет");
    EXPECT_EQ(transcriptLines(), (Lines{"Привет.", "Привет!"}));
    EXPECT_EQ(dir.read("Exchange/Txt.Dat"), w("Привет!") + "\r\n");
    EXPECT_EQ(exchange.entries(), (Lines{w("Привет!")}));
    EXPECT_EQ(input.text(), "");
    EXPECT_EQ(u(state.PreviousReply), "Привет!");
}

TEST_F(TurnTest, MachineDialogueTakesAMultiLineExchangeAsOnePhrase) {
    userMode.checked = false;
    cpuMode.checked = true;
    exchangePath.setText("Txt.Dat");
    state.PreviousReply = w("Что нового?");
    exchange.assign({w("всё"), w("по-старому")});

    runQueued({ignoreLength, 0, noRemark});

    EXPECT_EQ(u(state.RawPhrase), "всё\r\nпо-старому");
    EXPECT_EQ(u(state.UserPhrase), "Всё\r\nпо-старому.");
    EXPECT_EQ(answer(), "Понятно.");  // a statement: the statement list
    EXPECT_EQ(dir.read("Txt.Dat"), w("Понятно.") + "\r\n");
    // Learnt as a generic reply (one entry per line, as the list takes text),
    // but never as a key or an alternative: it would split a keyword line.
    EXPECT_EQ(baseEntries(baseFiles::questionReplies),
              (Lines{"Не знаю.", "Угадай.", "Всё", "по-старому."}));
    EXPECT_EQ(baseEntries(baseFiles::keywords).size(), 5u);
}

}  // namespace
}  // namespace sob::testing
