#include <string>
#include <vector>

#include "aids/layout.h"
#include "aids_fixture.h"

namespace sob::aids_test {
namespace {

using LayoutConversion = AidsTest;

// What "E/R" makes of a line typed in the Latin layout (UTF-8 for reading;
// the program works on Windows-1251 bytes).
struct ConversionCase {
    const char* typed;
    const char* converted;
};

constexpr ConversionCase kConversions[] = {
    {"ghbdtn", "привет"},
    {"GHBDTN", "ПРИВЕТ"},
    // The whole table: 52 letters and 18 other characters.
    {"qwertyuiopasdfghjklzxcvbnm", "йцукенгшщзфывапролдячсмить"},
    {"QWERTYUIOPASDFGHJKLZXCVBNM", "ЙЦУКЕНГШЩЗФЫВАПРОЛДЯЧСМИТЬ"},
    {"`~[{]};:\"<>/@#$^&|", "ёЁхХъЪжЖЭбю.\"№;:?/"},
    // Everything else stays, Cyrillic included; "<" and ">" give lower case.
    {"Ghbdtn, vbh 2024. Да!", "Привет, мир 2024. Да!"},
    {" 0123456789!%'()*+,-.=?_\\", " 0123456789!%'()*+,-.=?_\\"},
    {"<Ghbdtn>", "бПриветю"},
    {"Съешь ёЁ №", "Съешь ёЁ №"},
};

TEST_F(LayoutConversion, RewritesEveryCharacterOfTheTableAndNothingElse) {
    for (const ConversionCase& c : kConversions) {
        type(c.typed);
        user([&] { form().SpeedButton3.click(); });
        EXPECT_EQ(input(), c.converted) << "typed: " << c.typed;
    }
}

TEST_F(LayoutConversion, TheTableHasSeventyPairsAndNoOtherByteChanges) {
    int converted = 0;
    for (int byte = 1; byte < 256; ++byte) {
        const std::string one(1, static_cast<char>(byte));
        if (convertLayout(one) != one) ++converted;
    }
    EXPECT_EQ(converted, 70);
}

// One pass: a character put in by the table is not looked up again, so a
// second conversion carries on from where the first stopped.
TEST_F(LayoutConversion, ConvertingTwiceDiffersFromConvertingOnce) {
    type("@$^|");
    user([&] { form().SpeedButton3.click(); });
    EXPECT_EQ(input(), "\";:/");
    user([&] { form().SpeedButton3.click(); });
    EXPECT_EQ(input(), "ЭжЖ.");
}

TEST_F(LayoutConversion, ALayoutCueFirstThenTheKeyboardCueOfTheChange) {
    type("ghbdtn");
    t.audio.started.clear();
    user([&] { form().SpeedButton3.click(); });
    EXPECT_EQ(t.audio.started, (std::vector<std::string>{kLayoutCue, kKeyboardCue}));
}

TEST_F(LayoutConversion, ALineThatStaysTheSameIsNotRewritten) {
    type("12345, 678.");
    t.audio.started.clear();
    user([&] { form().SpeedButton3.click(); });
    EXPECT_EQ(input(), "12345, 678.");
    // No change event, so no keyboard cue.
    EXPECT_EQ(t.audio.started, std::vector<std::string>{kLayoutCue});
}

// Ctrl+S clicks "E/R" although the polling keeps it disabled on an empty
// line: only the layout cue sounds.
TEST_F(LayoutConversion, CtrlSOnAnEmptyLineSoundsOnlyTheLayoutCue) {
    form().Timer1.setEnabled(true);
    t.advance(1);
    ASSERT_FALSE(form().SpeedButton3.enabled);
    t.audio.started.clear();
    user([&] { form().N36.choose(); });
    EXPECT_EQ(input(), "");
    EXPECT_EQ(t.audio.started, std::vector<std::string>{kLayoutCue});
    EXPECT_TRUE(t.errorBox.texts.empty());
}

TEST_F(LayoutConversion, CtrlSConvertsLikeTheButton) {
    type("lf");
    user([&] { form().N36.choose(); });
    EXPECT_EQ(input(), "да");
}

}  // namespace
}  // namespace sob::aids_test
