#include <gtest/gtest.h>

#include "platform/elements.h"
#include "platform/form.h"

namespace sob {
namespace {

TEST(Edit, OnlyARealChangeRaisesTheChangeEvent) {
    Edit edit("Edit1");
    int changes = 0;
    edit.onChange = [&] { ++changes; };
    edit.setText("a");
    edit.setText("a");
    edit.setText("");
    edit.setText("");
    EXPECT_EQ(changes, 2);
}

TEST(SpinEdit, ReadsTextAsANumberAndCorrectsItWhenLeft) {
    struct Case {
        const char* text;
        int value;
        int corrected;
    };
    const Case cases[] = {
        {"1000", 1000, 1000}, {"0", 0, 1},       {"70000", 70000, 60000},
        {"abc", 1, 1},        {"", 1, 1},        {"-5", -5, 1},
        {" 42 ", 42, 42},     {"12x", 1, 1},
    };
    for (const auto& c : cases) {
        SpinEdit spin("SpinEdit1");
        spin.minValue = 1;
        spin.maxValue = 60000;
        spin.setText(c.text);
        EXPECT_EQ(spin.value(), c.value) << c.text;
        spin.correct();
        EXPECT_EQ(spin.value(), c.corrected) << c.text;
    }
}

TEST(RichEdit, LinesKeepTheStyleTheyWereWrittenIn) {
    RichEdit transcript("RichEdit1");
    transcript.currentStyle.color = colors::teal;
    transcript.append("one");
    transcript.currentStyle.color = colors::black;
    transcript.currentStyle.style = FontStyle::Bold;
    transcript.append("two");
    ASSERT_EQ(transcript.lineCount(), 2);
    EXPECT_EQ(transcript.lines()[0].style.color, colors::teal);
    EXPECT_EQ(transcript.lines()[1].style.style, FontStyle::Bold);
    EXPECT_EQ(transcript.line(5), "");
    transcript.deleteLine(0);
    EXPECT_EQ(transcript.line(0), "two");
}

TEST(Form, NeverShrinksBelowTheSmallestWindowAndCentresOnTheWorkArea) {
    Screen screen;
    Form form("Form1", screen);
    form.setClientSize(587, 361);
    EXPECT_EQ(form.clientWidth(), 587);
    EXPECT_EQ(form.clientHeight(), 361);
    form.setWidth(-200);
    form.setHeight(5);
    EXPECT_EQ(form.bounds.width, screen.minWindowWidth);
    EXPECT_EQ(form.bounds.height, screen.minWindowHeight);
    form.setClientSize(587, 361);
    form.centre();
    EXPECT_EQ(form.bounds.left, (1024 - form.bounds.width) / 2);
    EXPECT_EQ(form.bounds.top, (768 - form.bounds.height) / 2);
}

TEST(MenuItem, RunsItsHandlerOnlyWhileEnabled) {
    MenuItem item("N15", "-");
    int runs = 0;
    item.onClick = [&] { ++runs; };
    item.enabled = false;
    item.choose();
    item.enabled = true;
    item.choose();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(item.isSeparator());
}

}  // namespace
}  // namespace sob
