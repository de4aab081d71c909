#include <filesystem>
#include <string>
#include <vector>

#include "window/window_fixture.h"

namespace sob::window_test {
namespace {

class StatisticsTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        // Every reply list with one line unless a test says otherwise: six in all.
        for (const char* list : {"BigString", "Pause", "Povtor", "W1", "W2", "X"})
            writeLines(std::string("Base/") + list + ".Dat", {"Реплика."});
    }

    // Starts with only the two counting timers running, then lets both run.
    void startAndCount() {
        start();
        onlyTimers({&form().Timer3, &form().Timer8});
        t.advance(1000);
    }

    std::string panel(int i) {
        return u(form().StatusBar1.panels[static_cast<std::size_t>(i)].text);
    }
    std::string caption(const MenuItem& item) { return u(item.caption); }
};

TEST_F(StatisticsTest, CountsOfTheKeywordFileAndTheLists) {
    struct Case {
        const char* name;
        std::string words;   // Windows-1251 bytes of Base\Words.Dat
        const char* counts;  // panel 1 after "Программе известно:   "
        int incoming;
        int outgoing;
    };
    const std::vector<Case> cases = {
        {"header only", "h;;\r\n", "[главные фразы - 0   ветки - 0]", 0, 6},
        {"empty", "", "[главные фразы - 0   ветки - 0]", -1, 6},
        {"branches with one or more _", "h\r\nA^a;b;\r\n_B^c;\r\n__C^d;\r\n___D^\r\n",
         "[главные фразы - 1   ветки - 3]", 4, 6 + 4},
        {"a ; anywhere counts", "h\r\nA^x;y;z@\r\nB^;;\r\n", "[главные фразы - 2   ветки - 0]", 2,
         6 + 4},
        {"empty line counts as a main phrase", "h\r\n\r\nA^b;\r\n",
         "[главные фразы - 2   ветки - 0]", 2, 6 + 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("Base/Words.Dat", c.words);
        startAndCount();
        EXPECT_EQ(panel(0), "Загрузка окончена");
        EXPECT_EQ(panel(1), std::string("Программе известно:   ") + c.counts);
        EXPECT_EQ(caption(form().N18), "&Входящие выражения: [" + std::to_string(c.incoming) + "]");
        EXPECT_EQ(caption(form().N19),
                  "&Исходящие выражения: [" + std::to_string(c.outgoing) + "]");
        EXPECT_EQ(caption(form().N20), "&Итого: [" + std::to_string(c.incoming + c.outgoing) + "]");
        EXPECT_FALSE(form().Timer3.enabled());
        EXPECT_FALSE(form().Timer8.enabled());
        // The scratch list is left holding the keyword file.
        EXPECT_EQ(form().RichEdit2.Count(), c.incoming + 1);
        program.reset();
    }
}

TEST_F(StatisticsTest, ListsCountEveryLineAndAnEmptyListNothing) {
    writeLines("Base/Words.Dat", {"h"});
    writeLines("Base/W1.Dat", {"а", "б", "в"});
    dir.write("Base/X.Dat", "");
    startAndCount();
    // 1 + 1 + 1 + 3 + 1 + 0
    EXPECT_EQ(caption(form().N19), "&Исходящие выражения: [7]");
}

TEST_F(StatisticsTest, EachCaptionGetsOneNumberPerRun) {
    startAndCount();
    const std::string n18 = caption(form().N18);
    t.advance(10'000);
    EXPECT_EQ(caption(form().N18), n18);
    EXPECT_EQ(caption(form().N20), "&Итого: [" + std::to_string(3 + 6 + 4) + "]");
}

TEST_F(StatisticsTest, WordsLearntLaterChangeNoCount) {
    startAndCount();
    const std::string status = panel(1);
    const std::string total = caption(form().N20);
    writeLines("Base/Words.Dat", {"h", "A^b;", "B^c;", "C^d;", "D^e;"});
    t.advance(5000);
    EXPECT_EQ(panel(1), status);
    EXPECT_EQ(caption(form().N20), total);
}

TEST_F(StatisticsTest, FailingLoadIsReportedOnceAndStops) {
    std::filesystem::remove(dir.path() + "/Base/Words.Dat");
    start();
    onlyTimers({&form().Timer3, &form().Timer8});
    ASSERT_EQ(t.errorBox.texts, std::vector<std::string>{"Cannot open file Base\\Words.dat."});
    t.advance(10);
    EXPECT_EQ(t.errorBox.texts.size(), 2u);
    EXPECT_EQ(t.errorBox.texts.back(), "Cannot open file Base\\Words.Dat.");
    EXPECT_FALSE(form().Timer3.enabled());
    // What the failed load had done stays: the input held, Say off.
    EXPECT_EQ(panel(0), "Идёт загрузка подождите...");
    EXPECT_EQ(panel(1), "");
    EXPECT_TRUE(form().Edit1.readOnly);
    EXPECT_FALSE(form().SpeedButton1.enabled);
    t.advance(5000);
    EXPECT_EQ(t.errorBox.texts.size(), 3u);  // Timer8's one report
    EXPECT_FALSE(form().Timer8.enabled());
    EXPECT_EQ(caption(form().N18), "&Входящие выражения:");
}

TEST_F(StatisticsTest, FailingListKeepsTheCaptionsChangedSoFar) {
    std::filesystem::remove(dir.path() + "/Base/W2.Dat");
    startAndCount();
    t.advance(5000);
    EXPECT_EQ(t.errorBox.texts, std::vector<std::string>{"Cannot open file Base\\W2.Dat."});
    EXPECT_EQ(caption(form().N18), "&Входящие выражения: [3]");
    EXPECT_EQ(caption(form().N19), "&Исходящие выражения:");
    EXPECT_EQ(caption(form().N20), "&Итого:");
    EXPECT_EQ(panel(0), "Загрузка окончена");
}

}  // namespace
}  // namespace sob::window_test
