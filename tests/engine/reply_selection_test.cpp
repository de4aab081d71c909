#include "engine/reply_selection.h"

#include <gtest/gtest.h>

#include <optional>

#include "engine/base_files.h"
#include "engine/engine_fixture.h"

namespace sob::testing {
namespace {

using Lines = std::vector<std::string>;

class SelectionTest : public EngineTest {
protected:
    void expectBranch(int depth, int line) {
        EXPECT_EQ(state.BranchDepth, depth);
        EXPECT_EQ(state.BranchLine, line);
    }
    // Every file of the phrase base, byte for byte.
    Lines baseSnapshot() const {
        Lines files;
        for (auto name : {baseFiles::keywords, baseFiles::repeatReplies, baseFiles::abuseReplies,
                          baseFiles::longPhraseReplies, baseFiles::questionReplies,
                          baseFiles::statementReplies})
            files.push_back(baseBytes(name));
        return files;
    }
};

TEST_F(SelectionTest, APhraseEqualToTheEarlierTranscriptLineIsARepeat) {
    struct Case {
        Lines transcriptBefore;
        const char* typed;
        bool repeat;
    };
    const Case cases[] = {
        {{"Привет.", "Здравствуй."}, "привет", true},
        {{"Привет.", "Здравствуй."}, "Привет.", true},  // prepared phrases are compared
        {{"Привет.", "Здравствуй."}, "привет!", false},
        {{"Привет.", "Здравствуй.", "Ты здесь?"},
         "привет",
         false},                                        // a prompt came after the reply
        {{"Здравствуй.", "Привет."}, "привет", false},  // the last line is not the earlier one
        {{"Привет."}, "привет", false},                 // fewer than two lines
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        transcript.clear();
        for (const std::string& line : c.transcriptBefore) transcript.append(w(line));
        state.BranchDepth = 2;
        state.BranchLine = 2;
        if (c.repeat) {
            say(c.typed, {1, noRemark});  // no dispatch draw: the repeat comes first
            EXPECT_EQ(answer(), "Повторяешься.");
            expectBranch(2, 2);
        } else {
            // The branch scan passes line 3 (ТОЖЕ), meets line 4 and the
            // keyword lookup finds ПРИВЕТ.
            say(c.typed, {ignoreLength, 0, noRemark});
            EXPECT_EQ(answer(), "Привет!");
            expectBranch(1, 1);
        }
    }
}

TEST_F(SelectionTest, AnAbusiveWordComesBeforeEverythingButTheRepeat) {
    struct Case {
        const char* typed;
        std::optional<Lines> exchangeBuffer;  // the word list, unless replaced
        bool abusive;
    };
    const Case cases[] = {
        {"лох", {}, false},  // " ЛОХ" needs a blank before it
        {"ну ты лох", {}, true},
        {"ты гад", {}, false},  // nothing matches at the very end as typed
        {"ты гад.", {}, true},
        {"гад ты", {}, true},
        {"привет, дура", {}, true},  // a key as well: the abusive reply wins
        // The exchange buffer replaced the word list: its lines from index 1
        // are the words now, and an empty one matches nothing.
        {"ну ты лох", Lines{" ЛОХ"}, false},
        {"ну ты лох", Lines{"ПРИВЕТ!", ""}, false},
        {"ну ты лох", Lines{"ПРИВЕТ!", "ТЫ"}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        state = EngineState{};
        state.BranchDepth = 1;
        state.BranchLine = 4;  // a pending branch at the last line
        transcript.clear();
        if (c.exchangeBuffer) {
            exchange.Clear();
            for (const std::string& line : *c.exchangeBuffer) exchange.Add(w(line));
        }
        farewellTimer.setEnabled(true);
        if (c.abusive) {
            say(c.typed, {0, noRemark});
            EXPECT_EQ(answer(), "Не ругайся.");
            expectBranch(1, 4);  // still pending
        } else {
            // The branch passes the end; no keyword lookup: the fallback.
            say(c.typed, {ignoreLength, 1, noRemark});
            EXPECT_EQ(answer(), "Интересно.");
            EXPECT_EQ(state.BranchDepth, 0);
        }
        EXPECT_TRUE(farewellTimer.enabled());  // only a keyword reply changes it
    }
}

TEST_F(SelectionTest, ATopicWordWithoutAKeySaysTheAnswerAgainAndLearnsNothing) {
    struct Case {
        const char* typed;
        const char* answerBefore;
        const char* answer;
        std::initializer_list<int> draws;
    };
    const Case cases[] = {
        {"я хочу спать", "Ты здесь?", "Ты здесь?", {ignoreLength, noRemark}},
        {"как твоё имя", "", "", {ignoreLength, noRemark}},  // the first turn of a run
        {"привет, хочу спать", "Ты здесь?", "Привет!", {ignoreLength, 0, noRemark}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        state = EngineState{};
        state.Answer = w(c.answerBefore);
        state.PreviousReply = w("Как дела?");
        transcript.clear();
        const Lines before = baseSnapshot();
        say(c.typed, c.draws);
        EXPECT_EQ(answer(), c.answer);
        EXPECT_EQ(transcriptLines().back(), c.answer);
        EXPECT_EQ(recordLines().back(), std::string("CPU:     ") + c.answer);
        EXPECT_EQ(u(state.PreviousReply), c.answer);
        EXPECT_EQ(baseSnapshot(), before);
    }
}

TEST_F(SelectionTest, ALongPhraseGetsALongReplyInFourTurnsOfSix) {
    const std::string typed109 = u(std::string(109, '\xEE'));  // "ооо…", prepared to 110
    const std::string typed108 = u(std::string(108, '\xEE')) + ".";
    struct Case {
        std::string typed;
        int r;  // Random(6) + 1
        bool longReply;
    };
    const Case cases[] = {
        {typed109, 1, true}, {typed109, 2, false}, {typed109, 3, true},  {typed109, 4, true},
        {typed109, 5, true}, {typed109, 6, false}, {typed108, 1, false}, {typed108, 5, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("length " + std::to_string(w(c.typed).size()) +
                     ", r = " + std::to_string(c.r));
        transcript.clear();
        say(c.typed, {c.r - 1, 1, noRemark});
        EXPECT_EQ(answer(), c.longReply ? "Много слов." : "Интересно.");
    }
}

TEST_F(SelectionTest, ABranchContinuesTheExchangeDepthByDepth) {
    say("привет", {ignoreLength, 0, noRemark});
    EXPECT_EQ(answer(), "Привет!");
    expectBranch(1, 1);
    farewellTimer.setEnabled(true);  // branch replies leave it alone

    say("как дела", {ignoreLength, 0, noRemark});
    EXPECT_EQ(answer(), "Хорошо, а у тебя?");
    expectBranch(2, 2);

    say("я тоже", {ignoreLength, 0, noRemark});
    EXPECT_EQ(answer(), "Вот и славно.");
    expectBranch(3, 3);
    EXPECT_TRUE(farewellTimer.enabled());
}

TEST_F(SelectionTest, AMainLineEndsTheBranchAndTheKeywordsAreLookedUpInTheSameTurn) {
    struct Case {
        const char* typed;
        int alternativeDraw;
        const char* answer;
        int depth;
        int line;
        bool farewell;
    };
    const Case cases[] = {
        {"как дела", 0, "Хорошо, а у тебя?", 2, 2, false},
        // Line 2 does not match, line 3 has depth 2, line 4 is a main line.
        {"который час", 0, "Понятно.", 0, 4, false},  // nothing found: the fallback
        {"снова привет", 1, "Здравствуй.", 1, 1, false},
        {"пока", 0, "До свидания.", 1, 4, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        state = EngineState{};
        transcript.clear();
        say("привет", {ignoreLength, 0, noRemark});
        say(c.typed, {ignoreLength, c.alternativeDraw, noRemark});
        EXPECT_EQ(answer(), c.answer);
        expectBranch(c.depth, c.line);
        EXPECT_EQ(farewellTimer.enabled(), c.farewell);
    }
}

TEST_F(SelectionTest, TheBranchScanPassesOtherDepthsEmptyLinesAndLinesWithoutReplies) {
    writeBase(baseFiles::keywords,
              {"Фразы программы", "ПРИВЕТ^Привет!;", "_КАК ДЕЛА^Хорошо.;", "_ПЛОХО^", "",
               "_ПЛОХО^Что случилось?;", "__А ТЫ^И я хорошо.;", "ПОКА^Пока.;@"});
    say("привет", {ignoreLength, 0, noRemark});
    say("как дела", {ignoreLength, 0, noRemark});
    expectBranch(2, 2);
    // Lines 3 and 5 are shallower, line 4 is empty: none of them ends the branch.
    say("а ты", {ignoreLength, 0, noRemark});
    EXPECT_EQ(answer(), "И я хорошо.");
    expectBranch(3, 6);

    state = EngineState{};
    transcript.clear();
    say("привет", {ignoreLength, 0, noRemark});
    say("мне плохо", {ignoreLength, 0, noRemark});  // line 3 has no reply yet
    EXPECT_EQ(answer(), "Что случилось?");
    expectBranch(2, 5);
    // Line 2 lies above: it is not offered again; line 7 ends the branch.
    say("как дела", {ignoreLength, 0, noRemark});
    EXPECT_EQ(answer(), "Понятно.");
    expectBranch(0, 7);
}

TEST_F(SelectionTest, ABranchPendingAtTheLastLineEndsWithoutAKeywordLookup) {
    say("пока", {ignoreLength, 0, noRemark});
    expectBranch(1, 4);
    EXPECT_TRUE(farewellTimer.enabled());

    say("привет", {ignoreLength, 0, noRemark});
    EXPECT_EQ(answer(), "Понятно.");  // ПРИВЕТ is a key, but the lookup waits
    EXPECT_EQ(state.BranchDepth, 0);

    say("ну привет", {ignoreLength, 0, noRemark});
    EXPECT_EQ(answer(), "Привет!");
    expectBranch(1, 1);
}

TEST_F(SelectionTest, TheTopmostLineWithAReplyWins) {
    writeBase(baseFiles::keywords, {
                                       "Фразы программы",
                                       "ДЕЛА^Дела идут.;",
                                       "КАК ДЕЛА^Отлично.;",
                                       "ПРИВЕТ.^",  // a learnt key waits for its first reply
                                       "",
                                       "ПРИВЕТ без крышки",
                                       "^Ответ без ключа;",
                                       "ПРИВЕТ^ответ без точки с запятой",
                                       "А;ПРИВЕТ^Не тот ответ;",
                                       "ПРИВЕТ^Вот и я.;",
                                   });
    struct Case {
        const char* typed;
        const char* answer;
        int line;
    };
    const Case cases[] = {
        {"как дела", "Дела идут.", 1},  // the shorter key nearer the top
        {"привет.", "Вот и я.", 9},
        {"а;привет", "Вот и я.", 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        state = EngineState{};
        transcript.clear();
        say(c.typed, {ignoreLength, 0, noRemark});
        EXPECT_EQ(answer(), c.answer);
        expectBranch(1, c.line);
    }
}

}  // namespace
}  // namespace sob::testing
