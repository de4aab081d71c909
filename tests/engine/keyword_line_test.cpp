#include "engine/keyword_line.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/test_platform.h"

namespace sob::testing {
namespace {

struct LineCase {
    const char* line;  // UTF-8
    std::optional<std::string> key;
    int depth;
    std::optional<std::string> branchKey;
    std::vector<std::string> alternatives;  // alternative 1..n; n = the count of ";"
    bool farewell;
};

std::optional<std::string> utf8(std::optional<std::string_view> text) {
    if (!text) return std::nullopt;
    return u(std::string(*text));
}

TEST(KeywordLine, ReadsWellFormedAndBrokenLines) {
    using std::nullopt;
    const LineCase cases[] = {
        {"ПРИВЕТ^Привет!;Здравствуй.;", "ПРИВЕТ", 0, "ПРИВЕТ", {"Привет!", "Здравствуй."}, false},
        {"ПОКА^До свидания.;Пока-пока.;@", "ПОКА", 0, "ПОКА", {"До свидания.", "Пока-пока."}, true},
        // A reply given to a farewell line comes after the mark, which then
        // begins the new alternative.
        {"ПОКА^До свидания.;@Ладно.;", "ПОКА", 0, "ПОКА", {"До свидания.", "@Ладно."}, false},
        {"__ТОЖЕ^Вот и славно.;", "__ТОЖЕ", 2, "ТОЖЕ", {"Вот и славно."}, false},
        {" КАК ТЕБЯ ЗОВУТ? ^", " КАК ТЕБЯ ЗОВУТ? ", 0, " КАК ТЕБЯ ЗОВУТ? ", {}, false},
        // An alternative may hold "^" and "@"; it may be empty.
        {"К^а^б;@в;", "К", 0, "К", {"а^б", "@в"}, false},
        {"К^;х;", "К", 0, "К", {"", "х"}, false},
        // Text after "^" without ";" is no alternative.
        {"КЛЮЧ^ответ без конца", "КЛЮЧ", 0, "КЛЮЧ", {}, false},
        {"КЛЮЧ^@", "КЛЮЧ", 0, "КЛЮЧ", {}, true},
        // Lines written by hand that have no key.
        {"", nullopt, 0, nullopt, {}, false},
        {"без крышки", nullopt, 0, nullopt, {}, false},
        {"^Ответ;", nullopt, 0, nullopt, {"Ответ"}, false},
        {"___", nullopt, 3, nullopt, {}, false},
        {"_^Ответ;", "_", 1, nullopt, {"Ответ"}, false},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(std::string("line «") + c.line + "»");
        const std::string line = w(c.line);
        EXPECT_EQ(utf8(lineKey(line)), c.key);
        EXPECT_EQ(branchDepth(line), c.depth);
        EXPECT_EQ(utf8(branchKey(line)), c.branchKey);
        ASSERT_EQ(alternativeCount(line), static_cast<int>(c.alternatives.size()));
        for (int k = 1; k <= alternativeCount(line); ++k)
            EXPECT_EQ(u(std::string(alternative(line, k))), c.alternatives[k - 1]) << "k = " << k;
        EXPECT_EQ(alternative(line, 0), "");
        EXPECT_EQ(alternative(line, alternativeCount(line) + 1), "");
        EXPECT_EQ(hasFarewellMark(line), c.farewell);
    }
}

TEST(KeywordLine, AKeyNeverHoldsASemicolon) {
    // A line whose text before "^" holds ";" has no key, so its ";" can never
    // shift the alternatives of a line the engine chooses.
    const std::string line = w("А;Б^х;у;");
    EXPECT_EQ(lineKey(line), std::nullopt);
    EXPECT_EQ(branchKey(line), std::nullopt);
    EXPECT_EQ(alternativeCount(line), 3);
}

}  // namespace
}  // namespace sob::testing
