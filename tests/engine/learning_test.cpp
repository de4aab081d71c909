#include "engine/learning.h"

#include <gtest/gtest.h>

#include "engine/base_files.h"
#include "engine/engine_fixture.h"

namespace sob::testing {
namespace {

using Lines = std::vector<std::string>;

const Lines defaultKeywords = {"Фразы программы", "ПРИВЕТ^Привет!;Здравствуй.;",
                               "_КАК ДЕЛА^Хорошо, а у тебя?;", "__ТОЖЕ^Вот и славно.;",
                               "ПОКА^До свидания.;Пока-пока.;@"};
const Lines defaultQuestions = {"Не знаю.", "Угадай."};
const Lines defaultStatements = {"Понятно.", "Интересно."};

Lines with(Lines lines, std::initializer_list<std::string> more) {
    lines.insert(lines.end(), more);
    return lines;
}

class LearningTest : public EngineTest {
protected:
    void writeLines(std::string_view name, const Lines& lines) {
        std::string bytes;
        for (const std::string& line : lines) bytes += w(line) + "\r\n";
        std::string path(name);
        for (char& c : path)
            if (c == '\\') c = '/';
        dir.write(path, bytes);
    }
    // A new run of the program over the phrase base as the test wrote it.
    void startRun(const char* previousReply) {
        state = EngineState{};
        state.PreviousReply = w(previousReply);
        transcript.clear();
    }
    void expectBase(const Lines& keywords, const Lines& questions, const Lines& statements) {
        EXPECT_EQ(baseEntries(baseFiles::keywords), keywords);
        EXPECT_EQ(baseEntries(baseFiles::questionReplies), questions);
        EXPECT_EQ(baseEntries(baseFiles::statementReplies), statements);
    }
};

TEST_F(LearningTest, TheFirstTurnLearnsOnlyAKeyForAPhraseTheListKnows) {
    struct Case {
        const char* typed;
        Lines keywords;
    };
    const Case cases[] = {
        {"что-то новое", defaultKeywords},
        {"интересно", with(defaultKeywords, {"ИНТЕРЕСНО.^"})},  // entry 1 of the statement list
        {"понятно", defaultKeywords},                           // entry 0 does not count as known
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        startRun("");
        writeLines(baseFiles::keywords, defaultKeywords);
        say(c.typed, {ignoreLength, 0, noRemark});
        EXPECT_EQ(answer(), "Понятно.");
        expectBase(c.keywords, defaultQuestions, defaultStatements);
    }
}

TEST_F(LearningTest, AnAnswerBecomesAGenericReplyAKeyAndAReplyToTheProgramsLine) {
    writeLines(baseFiles::keywords, {"Фразы программы", "КАК ТЕБЯ ЗОВУТ?^",
                                     "_ВАСЯ^Приятно познакомиться.;", "ПОКА^До свидания.;@"});
    state.PreviousReply = w("Как тебя зовут?");
    say("вася", {ignoreLength, 1, noRemark});

    EXPECT_EQ(answer(), "Интересно.");  // a statement: from the statement list
    // The program asked: the answer joins the question list. The key line
    // goes second to last, the extended line moves to the end; the branch
    // line that followed it stays where it was.
    expectBase({"Фразы программы", "_ВАСЯ^Приятно познакомиться.;", "ПОКА^До свидания.;@", "ВАСЯ.^",
                "КАК ТЕБЯ ЗОВУТ?^Вася.;"},
               with(defaultQuestions, {"Вася."}), defaultStatements);
    // Written files are RTF now and read back to the same entries; the
    // statement list was only read and stays plain text.
    EXPECT_TRUE(baseBytes(baseFiles::keywords).starts_with("{\\rtf"));
    EXPECT_TRUE(baseBytes(baseFiles::questionReplies).starts_with("{\\rtf"));
    EXPECT_EQ(baseBytes(baseFiles::statementReplies), w("Понятно.\r\nИнтересно.\r\n"));

    // The next answer to the same question joins the moved line.
    state.PreviousReply = w("Как тебя зовут?");
    say("меня зовут Вася", {ignoreLength, 1, noRemark});
    EXPECT_EQ(baseEntries(baseFiles::keywords).back(), "КАК ТЕБЯ ЗОВУТ?^Вася.;Меня зовут Вася.;");
}

TEST_F(LearningTest, ThePreviousReplyDecidesTheListAndTheLineThatLearns) {
    struct Case {
        const char* name;
        Lines keywordsBefore;
        const char* previousReply;
        const char* typed;
        Lines keywordsAfter;
        Lines questionsAfter;
        Lines statementsAfter;
    };
    const Case cases[] = {
        {"a question inside the line", defaultKeywords, "Ты кто? Я вот программа.", "сосед",
         with(defaultKeywords, {"СОСЕД.^"}), with(defaultQuestions, {"Сосед."}), defaultStatements},
        {"a farewell line gets its reply after the mark",
         defaultKeywords,
         "Пока",
         "ладно",
         {"Фразы программы", "ПРИВЕТ^Привет!;Здравствуй.;", "_КАК ДЕЛА^Хорошо, а у тебя?;",
          "__ТОЖЕ^Вот и славно.;", "ЛАДНО.^", "ПОКА^До свидания.;Пока-пока.;@Ладно.;"},
         defaultQuestions,
         with(defaultStatements, {"Ладно."})},
        {"the user repeats the program's line: the new key gets it at once",
         {"Фразы программы", "ПОКА^До свидания.;@"},
         "Привет!",
         "привет!",
         {"Фразы программы", "ПОКА^До свидания.;@", "ПРИВЕТ!^Привет!;"},
         defaultQuestions,
         with(defaultStatements, {"Привет!"})},
        {"an empty keyword file: the first key becomes the header line",
         {},
         "Привет!",
         "привет!",
         {"ПРИВЕТ!^"},
         defaultQuestions,
         with(defaultStatements, {"Привет!"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startRun(c.previousReply);
        writeLines(baseFiles::keywords, c.keywordsBefore);
        writeLines(baseFiles::questionReplies, defaultQuestions);
        writeLines(baseFiles::statementReplies, defaultStatements);
        const bool question = std::string(c.typed).ends_with("?");
        say(c.typed, {ignoreLength, 0, noRemark});
        EXPECT_EQ(answer(), question ? "Не знаю." : "Понятно.");
        expectBase(c.keywordsAfter, c.questionsAfter, c.statementsAfter);
    }
}

TEST_F(LearningTest, TheDuplicateTestUsesTheListOfTheUsersPhrase) {
    struct Case {
        const char* name;
        Lines questionsBefore;
        Lines statementsBefore;
        const char* previousReply;
        Lines questionsAfter;
        Lines statementsAfter;
    };
    const Case cases[] = {
        {"known in the statement list: no list changes",
         defaultQuestions,
         {"Понятно.", "Хорошо."},
         "Как дела?",
         defaultQuestions,
         {"Понятно.", "Хорошо."}},
        {"known only in the question list it is added to",
         {"Не знаю.", "Хорошо."},
         defaultStatements,
         "Как дела?",
         {"Не знаю.", "Хорошо.", "Хорошо."},
         defaultStatements},
        {"equal to entry 0 only",
         defaultQuestions,
         {"Хорошо.", "Понятно."},
         "Ладно.",
         defaultQuestions,
         {"Хорошо.", "Понятно.", "Хорошо."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        startRun(c.previousReply);
        writeLines(baseFiles::keywords, defaultKeywords);
        writeLines(baseFiles::questionReplies, c.questionsBefore);
        writeLines(baseFiles::statementReplies, c.statementsBefore);
        say("хорошо", {ignoreLength, 0, noRemark});
        expectBase(with(defaultKeywords, {"ХОРОШО.^"}), c.questionsAfter, c.statementsAfter);
    }
}

TEST_F(LearningTest, AKnownKeyTeachesNoKeyAndNoReply) {
    // ЗДРАВСТВУЙ. is a key without a reply yet; the program's line ПРИВЕТ!
    // is a key that would take the reply.
    const Lines keywords = {"Фразы программы", "ЗДРАВСТВУЙ.^", "ПРИВЕТ!^Ну привет.;"};
    for (const char* typed : {"здравствуй", "Здравствуй,"}) {
        SCOPED_TRACE(typed);
        writeLines(baseFiles::keywords, keywords);
        writeLines(baseFiles::statementReplies, defaultStatements);
        startRun("Привет!");
        say(typed, {ignoreLength, 0, noRemark});
        expectBase(keywords, defaultQuestions, with(defaultStatements, {"Здравствуй."}));
    }
}

TEST_F(LearningTest, APhraseThatWouldBreakAKeywordLineIsNotLearntAsOne) {
    const Lines keywords = {"Фразы программы", "ПРИВЕТ!^Ну привет.;"};
    for (const char* typed : {"а^б", "а;б", "_здравствуй", "раз, два; три"}) {
        SCOPED_TRACE(typed);
        writeLines(baseFiles::keywords, keywords);
        writeLines(baseFiles::statementReplies, defaultStatements);
        startRun("Привет!");
        say(typed, {ignoreLength, 1, noRemark});
        EXPECT_EQ(answer(), "Интересно.");
        EXPECT_EQ(transcriptLines().back(), "Интересно.");
        EXPECT_EQ(baseEntries(baseFiles::statementReplies).back(), u(state.UserPhrase));
        EXPECT_EQ(baseEntries(baseFiles::keywords), keywords);
    }
    EXPECT_TRUE(learnableAsKeywordLine(w("Нормально, а у тебя?")));
    EXPECT_FALSE(learnableAsKeywordLine("a\rb."));
    EXPECT_FALSE(learnableAsKeywordLine("a\nb."));
}

}  // namespace
}  // namespace sob::testing
