#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "engine/base_files.h"
#include "engine/engine_fixture.h"
#include "platform/errors.h"
#include "platform/file_system.h"

namespace sob::testing {
namespace {

using Lines = std::vector<std::string>;

// Makes the n-th file write from now on fail (1 = the next one), and
// removes the fault when it goes.
class WriteFault {
public:
    explicit WriteFault(int nth) {
        setWriteFaultForTesting([nth, writes = 0](std::size_t bytesSoFar) mutable {
            if (bytesSoFar == 0) ++writes;
            return writes == nth;
        });
    }
    ~WriteFault() { setWriteFaultForTesting({}); }
    WriteFault(const WriteFault&) = delete;
    WriteFault& operator=(const WriteFault&) = delete;
};

struct FailureCase {
    const char* id;
    std::function<void(EngineTest&)> setup;
    std::string typed;  // UTF-8; empty: the input line holds unrelated text
    std::vector<int> draws;
    int failingWrite;  // the n-th file write of the turn fails (0: none)
    const char* error;
    bool replyShown;  // the failure comes after the reply was shown (steps 11 to 14)
    std::function<void(EngineTest&)> check;
};

// The statement list as the fixture wrote it.
std::string plainStatements() {
    return w("Понятно.\r\nИнтересно.\r\n");
}

std::function<void(EngineTest&)> removing(std::string_view name) {
    return [name](EngineTest& t) { t.removeBase(name); };
}

void nothing(EngineTest&) {}

void baseUnchangedButTheStatementList(EngineTest& t) {
    EXPECT_EQ(t.baseBytes(baseFiles::statementReplies), plainStatements());
    EXPECT_EQ(t.baseEntries(baseFiles::keywords).size(), 5u);
}

void PrintTo(const FailureCase& c, std::ostream* os) {
    *os << c.id;
}

const FailureCase failureCases[] = {
    {"RepeatList",
     [](EngineTest& t) {
         t.transcript.append(w("Привет."));
         t.transcript.append(w("Здравствуй."));
         t.removeBase(baseFiles::repeatReplies);
     },
     "привет",
     {},
     0,
     "Cannot open file Base\\Povtor.Dat",
     false,
     nullptr},
    {"AbuseList",
     removing(baseFiles::abuseReplies),
     "ну ты лох",
     {},
     0,
     "Cannot open file Base\\X.Dat",
     false,
     nullptr},
    {"LongPhraseList",
     removing(baseFiles::longPhraseReplies),
     std::string(120, 'x'),
     {lookAtLength},
     0,
     "Cannot open file Base\\BigString.Dat",
     false,
     nullptr},
    {"KeywordFileInTheLookup",
     removing(baseFiles::keywords),
     "привет",
     {ignoreLength},
     0,
     "Cannot open file Base\\Words.Dat",
     false,
     [](EngineTest& t) { EXPECT_EQ(t.state.BranchDepth, 0); }},
    {"KeywordFileInTheBranchScan",
     [](EngineTest& t) {
         t.state.BranchDepth = 1;
         t.state.BranchLine = 1;
         t.removeBase(baseFiles::keywords);
     },
     "как дела",
     {ignoreLength},
     0,
     "Cannot open file Base\\Words.Dat",
     false,
     [](EngineTest& t) {
         EXPECT_EQ(t.state.BranchDepth, 1);
         EXPECT_EQ(t.state.BranchLine, 1);
     }},
    {"StatementListForTheFallback",
     removing(baseFiles::statementReplies),
     "что-то",
     {ignoreLength},
     0,
     "Cannot open file Base\\W2.Dat",
     false,
     nullptr},
    {"QuestionListForTheFallback",
     removing(baseFiles::questionReplies),
     "что это?",
     {ignoreLength},
     0,
     "Cannot open file Base\\W1.Dat",
     false,
     nullptr},
    {"QuestionListTheAnswerJoins",
     [](EngineTest& t) {
         t.state.PreviousReply = w("Как дела?");
         t.removeBase(baseFiles::questionReplies);
     },
     "нормально",
     {ignoreLength, 0},
     0,
     "Cannot open file Base\\W1.Dat",
     false,
     baseUnchangedButTheStatementList},
    {"WritingTheStatementList",
     nothing,
     "нормально",
     {ignoreLength, 0},
     1,
     "Cannot create file Base\\W2.Dat",
     false,
     baseUnchangedButTheStatementList},
    {"WritingTheNewKey",
     nothing,
     "нормально",
     {ignoreLength, 0},
     2,
     "Cannot create file Base\\Words.Dat",
     false,
     [](EngineTest& t) {
         EXPECT_EQ(t.baseEntries(baseFiles::statementReplies),
                   (Lines{"Понятно.", "Интересно.", "Нормально."}));
         EXPECT_EQ(t.baseEntries(baseFiles::keywords).size(), 5u);
     }},
    {"WritingTheNewAlternative",
     [](EngineTest& t) { t.state.PreviousReply = w("Пока"); },
     "нормально",
     {ignoreLength, 0},
     3,
     "Cannot create file Base\\Words.Dat",
     false,
     [](EngineTest& t) {
         const Lines keywords = t.baseEntries(baseFiles::keywords);
         ASSERT_EQ(keywords.size(), 6u);
         EXPECT_EQ(keywords[4], "ПОКА^До свидания.;Пока-пока.;@");
         EXPECT_EQ(keywords[5], "НОРМАЛЬНО.^");
     }},
    {"RemarkList",
     removing(baseFiles::remarks),
     "привет",
     {ignoreLength, 0, armRemark},
     0,
     "Cannot open file Base\\AI.dat",
     true,
     [](EngineTest& t) { EXPECT_TRUE(t.remarkTimer.enabled()); }},
    {"WritingTheExchangeFile",
     [](EngineTest& t) {
         t.userMode.checked = false;
         t.cpuMode.checked = true;
         t.exchangePath.setText("Nowhere\\Txt.Dat");
         t.exchange.assign({w("привет")});
     },
     "",
     {ignoreLength, 0, noRemark},
     0,
     "Cannot create file Nowhere\\Txt.Dat",
     true,
     [](EngineTest& t) { EXPECT_EQ(t.exchange.entries(), (Lines{w("Привет!")})); }},
};

class TurnFailureTest : public EngineTest, public ::testing::WithParamInterface<FailureCase> {
public:
    TurnFailureTest() {
        transcript.append(w("Здравствуйте."));
        transcript.append(w("Добрый день."));
        record.Add(w("CPU:     Добрый день."));
        state.PreviousReply = w("Ладно.");
        state.IdleTicks = 7;
    }
};

TEST_P(TurnFailureTest, WhatHappenedBeforeTheFailureStaysAndNothingAfterIt) {
    const FailureCase& c = GetParam();
    c.setup(*this);
    const std::string previousReply = state.PreviousReply;
    const int transcriptBefore = transcript.lineCount();
    const int recordBefore = record.Count();
    input.setText(w(c.typed.empty() ? "в строке ввода" : c.typed));
    const std::string inputBefore = input.text();

    for (int draw : c.draws) tp.random.queueForTesting({draw});
    {
        std::optional<WriteFault> fault;
        if (c.failingWrite > 0) fault.emplace(c.failingWrite);
        runQueued({});
    }

    EXPECT_EQ(errors(), (Lines{u(errorBoxText(w(c.error)))}));
    const int replyLines = c.replyShown ? 1 : 0;
    EXPECT_EQ(transcript.lineCount(), transcriptBefore + 1 + replyLines);
    ASSERT_EQ(record.Count(), recordBefore + 1 + replyLines);
    EXPECT_TRUE(recordLines()[static_cast<std::size_t>(recordBefore)].starts_with("USER:     "));
    Lines cues{"Sound\\Button3.wav"};
    if (c.replyShown) cues.push_back("Sound\\CpuSound.wav");
    EXPECT_EQ(tp.audio.started, cues);
    EXPECT_EQ(tp.screen.busyCursor, !c.replyShown);
    EXPECT_EQ(input.text(), inputBefore);
    EXPECT_EQ(state.PreviousReply, previousReply);
    EXPECT_EQ(state.IdleTicks, 7);
    if (c.check) c.check(*this);
}

INSTANTIATE_TEST_SUITE_P(EveryFailingStep, TurnFailureTest, ::testing::ValuesIn(failureCases),
                         [](const ::testing::TestParamInfo<FailureCase>& failure) {
                             return std::string(failure.param.id);
                         });

}  // namespace
}  // namespace sob::testing
