#include <functional>
#include <string>
#include <vector>

#include "aids_fixture.h"

namespace sob::aids_test {
namespace {

constexpr Color kRed = Color::rgb(200, 0, 0);
constexpr Color kBlue = Color::rgb(0, 0, 200);
constexpr Color kTeal = colors::teal;

using Appearance = AidsTest;

// A colour command, the picker it opens and the one thing a confirmed
// choice changes.
struct ColorCommand {
    const char* name;
    MenuItem TForm1::*item;
    ColorDialog TForm1::*picker;
    std::function<Color(TForm1&)> target;
};

const std::vector<ColorCommand>& colorCommands() {
    static const std::vector<ColorCommand> commands = {
        {"N6", &TForm1::N6, &TForm1::ColorDialog1, [](TForm1& f) { return f.color; }},
        {"N21", &TForm1::N21, &TForm1::ColorDialog1, [](TForm1& f) { return f.RichEdit1.color; }},
        {"N16", &TForm1::N16, &TForm1::ColorDialog1, [](TForm1& f) { return f.Edit1.color; }},
        {"Mystring2", &TForm1::Mystring2, &TForm1::ColorDialog1,
         [](TForm1& f) { return f.Edit1.font.color; }},
        {"User1", &TForm1::User1, &TForm1::ColorDialog2,
         [](TForm1& f) { return f.RichEdit1.currentStyle.color; }},
        {"Cpu1", &TForm1::Cpu1, &TForm1::ColorDialog3,
         [](TForm1& f) { return f.RichEdit1.currentStyle.color; }},
    };
    return commands;
}

TEST_F(Appearance, AColourCommandTakesAConfirmedColourAndClearsTheDefaultsMark) {
    for (const ColorCommand& command : colorCommands()) {
        SCOPED_TRACE(command.name);
        TForm1& f = form();
        f.N13.checked = true;
        t.pickers.confirmColor(kTeal);
        user([&] { (f.*command.item).choose(); });
        EXPECT_EQ(command.target(f), kTeal);
        EXPECT_EQ((f.*command.picker).Color, kTeal);
        EXPECT_FALSE(f.N13.checked);
    }
}

TEST_F(Appearance, ACancelledColourChangesNothingButClearsTheMarkAllTheSame) {
    for (const ColorCommand& command : colorCommands()) {
        SCOPED_TRACE(command.name);
        TForm1& f = form();
        (f.*command.picker).Color = kRed;
        const Color before = command.target(f);
        f.N13.checked = true;
        t.pickers.colorsShown.clear();
        t.pickers.cancelColor();
        user([&] { (f.*command.item).choose(); });
        EXPECT_EQ(t.pickers.colorsShown, std::vector<Color>{kRed});  // opens with its value
        EXPECT_EQ(command.target(f), before);
        EXPECT_EQ((f.*command.picker).Color, kRed);
        EXPECT_FALSE(f.N13.checked);
    }
}

// The five commands of ColorDialog1 share its value: the input text colour
// command opens with the transcript background just chosen.
TEST_F(Appearance, TheSharedPickerOpensWithTheColourLastConfirmedInIt) {
    t.pickers.confirmColor(kBlue);
    user([&] { form().N21.choose(); });
    t.pickers.cancelColor();
    user([&] { form().Mystring2.choose(); });
    EXPECT_EQ(t.pickers.colorsShown, (std::vector<Color>{colors::black, kBlue}));
    EXPECT_EQ(form().ColorDialog1.Color, kBlue);
    EXPECT_EQ(form().Edit1.font.color, colors::black);
}

TEST_F(Appearance, ButtonCaptionColoursConfirmedCancelledConfirmed) {
    TForm1& f = form();
    t.pickers.confirmColor(kRed);
    t.pickers.cancelColor();
    t.pickers.confirmColor(kBlue);
    user([&] { f.N9.choose(); });
    EXPECT_EQ(f.SpeedButton1.font.color, kRed);
    EXPECT_EQ(f.SpeedButton2.font.color, colors::black);  // "<" keeps its colour
    EXPECT_EQ(f.SpeedButton3.font.color, kBlue);
    // Each opening shows the colour last confirmed, the previous step's included.
    EXPECT_EQ(t.pickers.colorsShown, (std::vector<Color>{colors::black, kRed, kRed}));
    EXPECT_FALSE(f.N13.checked);
}

TEST_F(Appearance, StyleFontsBecomeTheTranscriptsCurrentFontAtOnce) {
    TForm1& f = form();
    const Font chosen{"Arial", 14, FontStyle::Bold | FontStyle::Italic, colors::black};
    t.pickers.confirmFont(chosen);
    user([&] { f.User2.choose(); });
    EXPECT_EQ(f.FontDialog1.Font.name, "Arial");
    EXPECT_EQ(f.RichEdit1.currentStyle,
              (TextStyle{colors::black, "Arial", 14, FontStyle::Bold | FontStyle::Italic}));

    const Font cpu{"Courier New", 10, FontStyle::Regular, colors::black};
    t.pickers.confirmFont(cpu);
    user([&] { f.Cpu2.choose(); });
    EXPECT_EQ(f.FontDialog2.Font.name, "Courier New");
    EXPECT_EQ(f.RichEdit1.currentStyle,
              (TextStyle{colors::black, "Courier New", 10, FontStyle::Regular}));
    EXPECT_EQ(f.FontDialog1.Font.name, "Arial");  // the user style keeps its font
    EXPECT_EQ(t.pickers.fontSize8Only, (std::vector<bool>{false, false}));
}

TEST_F(Appearance, ACancelledFontChangesNothingButClearsTheMark) {
    TForm1& f = form();
    const TextStyle before = f.RichEdit1.currentStyle;
    for (MenuItem* item : {&f.User2, &f.Cpu2, &f.Mystring1}) {
        f.N13.checked = true;
        t.pickers.cancelFont();
        user([&] { item->choose(); });
        EXPECT_FALSE(f.N13.checked) << item->name();
    }
    EXPECT_EQ(f.RichEdit1.currentStyle, before);
    EXPECT_EQ(f.Edit1.font, (Font{"MS Sans Serif", 8, FontStyle::Regular, colors::black}));
    EXPECT_EQ(f.FontDialog1.Font.name, "MS Sans Serif");
}

// The input line's picker offers size 8 only; the line takes name and style.
TEST_F(Appearance, TheInputLineTakesTheFontNameAndStyleButNeverTheSize) {
    TForm1& f = form();
    t.pickers.confirmFont(Font{"Times New Roman", 12, FontStyle::Italic, colors::black});
    user([&] { f.Mystring1.choose(); });
    EXPECT_EQ(t.pickers.fontSize8Only, std::vector<bool>{true});
    EXPECT_EQ(f.Edit1.font.name, "Times New Roman");
    EXPECT_EQ(f.Edit1.font.style, FontStyle::Italic);
    EXPECT_EQ(f.Edit1.font.size, 8);
    EXPECT_EQ(f.FontDialog3.Font.size, 8);
}

TEST_F(Appearance, RestoreGivesTheInitialLookWithABoldInputLine) {
    TForm1& f = form();
    t.pickers.confirmColor(kRed);
    user([&] { f.N6.choose(); });
    t.pickers.confirmColor(kRed);
    user([&] { f.N21.choose(); });
    t.pickers.confirmColor(kBlue);
    user([&] { f.N16.choose(); });
    t.pickers.confirmColor(kTeal);
    user([&] { f.Mystring2.choose(); });
    for (int i = 0; i < 3; ++i) t.pickers.confirmColor(kRed);
    user([&] { f.N9.choose(); });
    t.pickers.confirmColor(kBlue);
    user([&] { f.User1.choose(); });
    t.pickers.confirmColor(kRed);
    user([&] { f.Cpu1.choose(); });
    t.pickers.confirmFont(Font{"Arial", 20, FontStyle::Italic, colors::black});
    user([&] { f.User2.choose(); });
    t.pickers.confirmFont(Font{"Arial", 16, FontStyle::Bold, colors::black});
    user([&] { f.Cpu2.choose(); });
    t.pickers.confirmFont(Font{"Verdana", 8, FontStyle::Italic, colors::black});
    user([&] { f.Mystring1.choose(); });
    editor().Edit1.setText("/tmp/exchange.txt");
    editor().SpinEdit1.setValue(5000);
    const TextStyle transcriptStyle = f.RichEdit1.currentStyle;
    t.audio.started.clear();

    user([&] { f.N13.choose(); });

    EXPECT_EQ(f.color, colors::silver);
    EXPECT_EQ(f.RichEdit1.color, colors::silver);
    EXPECT_EQ(f.Edit1.color, colors::silver);
    // Bold now; the name Mystring1 chose stays, the size is 8.
    EXPECT_EQ(f.Edit1.font, (Font{"Verdana", 8, FontStyle::Bold, colors::black}));
    for (SpeedButton* button : {&f.SpeedButton1, &f.SpeedButton2, &f.SpeedButton3})
        EXPECT_EQ(button->font.color, colors::black) << button->name();
    for (ColorDialog* picker : {&f.ColorDialog1, &f.ColorDialog2, &f.ColorDialog3})
        EXPECT_EQ(picker->Color, colors::black);
    EXPECT_EQ(f.FontDialog1.Font, (Font{"MS Sans Serif", 8, FontStyle::Regular, colors::black}));
    EXPECT_EQ(f.FontDialog2.Font, (Font{"MS Sans Serif", 8, FontStyle::Regular, colors::black}));
    EXPECT_EQ(f.FontDialog3.Font, (Font{"MS Sans Serif", 8, FontStyle::Italic, colors::black}));
    // The transcript's current style waits for the next turn.
    EXPECT_EQ(f.RichEdit1.currentStyle, transcriptStyle);
    EXPECT_EQ(editor().Edit1.text(), "D:\\Txt.Dat");
    EXPECT_EQ(editor().SpinEdit1.value(), 1000);
    EXPECT_TRUE(f.N13.checked);
    EXPECT_FALSE(f.N40.checked);
    EXPECT_TRUE(t.audio.started.empty());  // the input line's text is untouched

    // A later edit of the editor's path is a change like any other.
    editor().Edit1.setText("E:\\Txt.Dat");
    EXPECT_FALSE(f.N13.checked);
}

class FullScreen : public AidsTest {
protected:
    void SetUp() override {
        t.screen.workArea = {0, 0, 808, 580};
        AidsTest::SetUp();
    }
    void toggle() {
        user([&] { form().N40.choose(); });
    }

    // Every control the command moves, with the sizes of the normal window.
    void expectNormalSizes() {
        TForm1& f = form();
        EXPECT_EQ(f.TabControl1.bounds, (Bounds{0, 0, 588, 313}));
        EXPECT_EQ(f.RichEdit1.bounds, (Bounds{3, 6, 581, 305}));
        EXPECT_EQ(f.TabControl2.bounds, (Bounds{0, 312, 585, 30}));
        EXPECT_EQ(f.SpeedButton1.bounds, (Bounds{496, 5, 86, 22}));
        EXPECT_EQ(f.SpeedButton3.bounds, (Bounds{453, 5, 43, 22}));
        EXPECT_EQ(f.SpeedButton2.bounds, (Bounds{426, 5, 27, 22}));
        EXPECT_EQ(f.Edit1.bounds, (Bounds{3, 5, 422, 21}));
        EXPECT_EQ(f.StatusBar1.bounds, (Bounds{0, 342, 587, 19}));
    }
};

TEST_F(FullScreen, AMaximisedWindowOf808By580) {
    TForm1& f = form();
    const Bounds normal = f.bounds;
    EXPECT_EQ(f.N40.caption, "&Full Screen");
    toggle();
    EXPECT_TRUE(f.N40.checked);
    EXPECT_EQ(f.N40.caption, "Normal");
    EXPECT_EQ(f.bounds, (Bounds{0, 0, 808, 580}));
    EXPECT_EQ(f.TabControl1.bounds, (Bounds{0, 0, 804, 482}));
    EXPECT_EQ(f.RichEdit1.bounds, (Bounds{3, 6, 797, 472}));
    EXPECT_EQ(f.TabControl2.bounds, (Bounds{0, 481, 803, 30}));
    EXPECT_EQ(f.SpeedButton1.bounds, (Bounds{715, 5, 86, 22}));
    EXPECT_EQ(f.SpeedButton3.bounds, (Bounds{672, 5, 43, 22}));
    EXPECT_EQ(f.SpeedButton2.bounds, (Bounds{645, 5, 27, 22}));
    EXPECT_EQ(f.Edit1.bounds, (Bounds{3, 5, 641, 21}));
    // The status bar keeps to the bottom edge of the client area.
    EXPECT_EQ(f.StatusBar1.bounds.top + f.StatusBar1.bounds.height, f.clientHeight());
    EXPECT_EQ(f.StatusBar1.bounds.width, f.clientWidth());

    toggle();
    EXPECT_FALSE(f.N40.checked);
    EXPECT_EQ(f.N40.caption, "Full Screen");
    EXPECT_EQ(f.bounds, normal);
    expectNormalSizes();
    EXPECT_TRUE(f.N13.checked);  // the defaults mark is not touched
}

TEST_F(FullScreen, TwiceInARowEndsAtTheFixedSizesAgain) {
    for (int round = 0; round < 2; ++round) {
        toggle();
        toggle();
        SCOPED_TRACE(round);
        expectNormalSizes();
    }
    toggle();
    EXPECT_EQ(form().Edit1.bounds.width, 641);
    EXPECT_EQ(form().N40.caption, "Normal");
}

}  // namespace
}  // namespace sob::aids_test
