#include <ctime>
#include <deque>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_system.h"
#include "platform/phrase_list.h"
#include "platform/rtf.h"
#include "window/locale_time.h"
#include "window/window_fixture.h"

namespace sob::window_test {
namespace {

// Milliseconds since the epoch of a local calendar time.
std::int64_t localWallMs(int year, int month, int day, int hour, int minute, int second) {
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    time.tm_isdst = -1;
    return static_cast<std::int64_t>(std::mktime(&time)) * 1000;
}

// The block one exit appends, built line by line (UTF-8 in, Windows-1251 out).
std::vector<std::string> block(const std::string& date, const std::string& time, int count,
                               const std::vector<std::string>& record) {
    std::vector<std::string> lines = {
        "",
        std::string(80, '-'),
        std::string(22, ' ') + std::string(30, '_'),
        std::string(22, ' ') + w("Дата - ") + date + "   |   " + w("Время -") + time,
        std::string(22, ' ') + std::string(30, '~'),
        w("//Загружено фраз выученных программой: ") + std::to_string(count),
    };
    for (const std::string& entry : record) lines.push_back(entry);
    lines.push_back(std::string(53, '='));
    return lines;
}

std::vector<std::string> operator+(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

class DialogueLogTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        start();
        onlyTimers({});
        t.clock.setWallStart(localWallMs(2024, 12, 9, 9, 5, 7) - t.clock.nowMs());
        form().onClosed = [this] { ++closedCalls; };
    }
    void TearDown() override { setWriteFaultForTesting({}); }

    // Exit chosen from the menu.
    void exitCommand() {
        t.user([this] { form().N4.choose(); });
    }

    std::vector<std::string> logEntries() {
        PhraseList log;
        log.LoadFromFile("Base\\Log.Mardun");
        return log.entries();
    }

    int closedCalls = 0;
};

TEST_F(DialogueLogTest, FirstExitOntoAnEmptyLogWritesOneBlockAsRichText) {
    exitCommand();
    const auto expected = block("09.12.2024", "9:05:07", 3, {});
    EXPECT_EQ(expected.size(), 7u);
    EXPECT_EQ(dir.read("Base/Log.Mardun"), writeRtfEntries(expected));
    EXPECT_TRUE(t.errorBox.texts.empty());
    EXPECT_TRUE(form().closed);
    EXPECT_EQ(closedCalls, 1);
}

TEST_F(DialogueLogTest, RecordOfThreeTurnsGoesBetweenTheCountAndTheEqualsLine) {
    const std::vector<std::string> record = {
        w("USER:     Привет."), w("CPU:     Здравствуй!"), w("USER:     Как дела?"),
        w("CPU:     Хорошо."),  w("USER:     Пока."),      w("CPU:     До свидания."),
    };
    for (const std::string& entry : record) form().RichEdit4.Add(entry);
    t.clock.setWallStart(localWallMs(2025, 1, 31, 17, 26, 5) - t.clock.nowMs());
    exitCommand();
    EXPECT_EQ(logEntries(), block("31.01.2025", "17:26:05", 3, record));
}

TEST_F(DialogueLogTest, CountIsTheKeywordFileLinesLessItsHeader) {
    struct Case {
        std::string words;
        int count;
    };
    const std::vector<Case> cases = {{"", -1}, {"header\r\n", 0}, {"h\r\nA^b;\r\n_B^c;\r\n", 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.words);
        dir.write("Base/Log.Mardun", "");
        dir.write("Base/Words.Dat", c.words);
        form().closed = false;
        exitCommand();
        EXPECT_EQ(logEntries(), block("09.12.2024", "9:05:07", c.count, {}));
    }
}

TEST_F(DialogueLogTest, PlainTextLogKeepsItsLinesWithOrWithoutAFinalBreak) {
    for (const std::string& old :
         {std::string("old line\r\nlast line\r\n"), std::string("old line\r\nlast line")}) {
        dir.write("Base/Log.Mardun", old);
        form().closed = false;
        exitCommand();
        EXPECT_TRUE(isRtf(dir.read("Base/Log.Mardun")));
        EXPECT_EQ(logEntries(), std::vector<std::string>({"old line", "last line"}) +
                                    block("09.12.2024", "9:05:07", 3, {}));
    }
}

TEST_F(DialogueLogTest, TwoRunsGiveTwoBlocksInOrder) {
    form().RichEdit4.Add("USER:     A.");
    exitCommand();
    program.reset();
    start();
    onlyTimers({});
    t.clock.setWallStart(localWallMs(2024, 12, 10, 10, 0, 0) - t.clock.nowMs());
    form().RichEdit4.Add("USER:     B.");
    exitCommand();
    EXPECT_EQ(logEntries(), block("09.12.2024", "9:05:07", 3, {"USER:     A."}) +
                                block("10.12.2024", "10:00:00", 3, {"USER:     B."}));
}

TEST_F(DialogueLogTest, FailuresLeaveTheFileAndTheWindowAsTheyWere) {
    struct Case {
        const char* name;
        void (*breakIt)(const TempWorkDir&);
        const char* message;
        bool logExists;
    };
    const std::vector<Case> cases = {
        {"log missing",
         [](const TempWorkDir& d) { std::filesystem::remove(d.path() + "/Base/Log.Mardun"); },
         "Cannot open file Base\\Log.Mardun.", false},
        {"keyword file missing",
         [](const TempWorkDir& d) { std::filesystem::remove(d.path() + "/Base/Words.Dat"); },
         "Cannot open file Base\\Words.dat.", true},
        {"log not writable",
         [](const TempWorkDir&) { setWriteFaultForTesting([](std::size_t) { return true; }); },
         "Cannot create file Base\\Log.Mardun.", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dir.write("Base/Log.Mardun", "earlier\r\n");
        writeLines("Base/Words.Dat", {"h", "A^b;"});
        t.errorBox.texts.clear();
        c.breakIt(dir);
        exitCommand();
        setWriteFaultForTesting({});
        EXPECT_EQ(t.errorBox.texts, std::vector<std::string>{c.message});
        EXPECT_EQ(dir.exists("Base/Log.Mardun"), c.logExists);
        if (c.logExists) {
            EXPECT_EQ(dir.read("Base/Log.Mardun"), "earlier\r\n");
        }
        EXPECT_FALSE(form().closed);
        EXPECT_EQ(closedCalls, 0);
    }
}

TEST_F(DialogueLogTest, ExitThatFailedAndIsChosenAgainWritesOneBlock) {
    std::filesystem::remove(dir.path() + "/Base/Words.Dat");
    exitCommand();
    ASSERT_EQ(t.errorBox.texts.size(), 1u);
    writeLines("Base/Words.Dat", {"h"});
    exitCommand();
    EXPECT_EQ(logEntries(), block("09.12.2024", "9:05:07", 0, {}));
    EXPECT_TRUE(form().closed);
}

// A clock whose calendar readings are given one by one.
class SteppingClock : public Clock {
public:
    explicit SteppingClock(const Clock& base) : base_(base) {}
    std::int64_t nowMs() const override { return base_.nowMs(); }
    std::int64_t timeOfDayMs() const override { return base_.timeOfDayMs(); }
    std::int64_t wallMs() const override {
        const std::int64_t next = readings.front();
        if (readings.size() > 1) readings.pop_front();
        return next;
    }
    mutable std::deque<std::int64_t> readings;

private:
    const Clock& base_;
};

TEST_F(DialogueLogTest, DateIsReadBeforeTheTime) {
    program.reset();
    SteppingClock clock(t.clock);
    clock.readings = {localWallMs(2024, 12, 31, 23, 59, 59) + 999,
                      localWallMs(2025, 1, 1, 0, 0, 0)};
    Platform platform{clock, t.scheduler, t.dispatcher, t.random, t.audio, t.pickers, t.screen};
    Program run(platform);
    run.Form1->Timer3.setEnabled(false);
    t.user([&] { run.Form1->N4.choose(); });
    EXPECT_EQ(logEntries(), block("31.12.2024", "0:00:00", 3, {}));
}

TEST(LocaleTimeFormat, FollowsTheLocalesPatterns) {
    std::tm morning{};
    morning.tm_year = 2024 - 1900;
    morning.tm_mon = 11;
    morning.tm_mday = 9;
    morning.tm_hour = 9;
    morning.tm_min = 5;
    morning.tm_sec = 7;
    std::tm evening = morning;
    evening.tm_hour = 17;
    evening.tm_min = 26;
    evening.tm_sec = 5;
    std::tm midnight = morning;
    midnight.tm_hour = 0;

    struct Case {
        const char* name;
        TimeLocale locale;
        const std::tm* time;
        const char* date;
        const char* clockTime;
    };
    const TimeLocale c{};
    const TimeLocale ru{false, "%d.%m.%Y", "%T", "", "", "", true};
    const TimeLocale us{false, "%m/%d/%Y", "%r", "%I:%M:%S %p", "AM", "PM", true};
    const TimeLocale first{false, "%Y-%m-%d", "%p %I:%M:%S", "", "AM", "PM", true};
    const TimeLocale fi{false, "%d.%m.%Y", "%H.%M.%S", "", "", "", true};
    const TimeLocale gb{false, "%d/%m/%y", "%T", "", "am", "pm", true};
    const TimeLocale iso{false, "%F", "%R:%S", "", "", "", true};
    const TimeLocale ukUtf8{false, "%e.%m.%Y", "%k:%M:%S", "", "дп", "пп", true};
    const std::vector<Case> cases = {
        {"C", c, &morning, "09.12.2024", "9:05:07"},
        {"C evening", c, &evening, "09.12.2024", "17:26:05"},
        {"ru_RU", ru, &morning, "09.12.2024", "9:05:07"},
        {"ru_RU evening", ru, &evening, "09.12.2024", "17:26:05"},
        {"ru_RU midnight", ru, &midnight, "09.12.2024", "0:05:07"},
        {"en_US", us, &evening, "12/09/2024", "5:26:05 PM"},
        {"en_US morning", us, &morning, "12/09/2024", "9:05:07 AM"},
        {"en_US midnight", us, &midnight, "12/09/2024", "12:05:07 AM"},
        {"designator first", first, &evening, "2024-12-09", "PM 5:26:05"},
        {"fi_FI", fi, &morning, "09.12.2024", "9.05.07"},
        {"en_GB", gb, &morning, "09/12/24", "9:05:07"},
        {"composite", iso, &evening, "2024-12-09", "17:26:05"},
        {"blank-padded day", ukUtf8, &morning, "9.12.2024", "9:05:07"},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        EXPECT_EQ(formatShortDate(*k.time, k.locale), k.date);
        EXPECT_EQ(formatLongTime(*k.time, k.locale), k.clockTime);
    }
}

TEST(LocaleTimeFormat, DesignatorsOfTheLocaleAreConvertedToWindows1251) {
    const TimeLocale ru12{false, "%d.%m.%Y", "%I:%M:%S %p", "", "ДП", "ПП", true};
    std::tm time{};
    time.tm_year = 124;
    time.tm_mday = 1;
    time.tm_hour = 13;
    EXPECT_EQ(formatLongTime(time, ru12), "1:00:00 " + w("ПП"));
}

TEST(LocaleTimeFormat, CLocaleUsesTheFixedForms) {
    std::setlocale(LC_TIME, "C");
    EXPECT_TRUE(currentTimeLocale().fixed);
}

}  // namespace
}  // namespace sob::window_test
