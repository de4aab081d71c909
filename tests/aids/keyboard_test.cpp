#include <string>
#include <vector>

#include "aids_fixture.h"

namespace sob::aids_test {
namespace {

class VirtualKeyboard : public AidsTest {
protected:
    void open() {
        user([&] { form().N22.choose(); });
    }
    void close() {
        user([&] { keyboard().N2.choose(); });
    }
    void press(SpeedButton& key) {
        user([&] { key.click(); });
    }
    SpeedButton& letterKey(int index) { return *keyboard().letterKeys()[index]; }
};

// Each symbol key: its name, the character it writes and its place in the
// "Знаки:" group.
struct SymbolKeyCase {
    const char* name;
    char character;
    Bounds place;
};

constexpr SymbolKeyCase kSymbolKeys[] = {
    {"SpeedButton3", '@', {9, 16, 16, 17}},     {"SpeedButton4", '#', {25, 16, 16, 17}},
    {"SpeedButton5", '$', {41, 16, 16, 17}},    {"SpeedButton6", '%', {57, 16, 16, 17}},
    {"SpeedButton7", '&', {73, 16, 16, 17}},    {"SpeedButton8", '*', {89, 16, 16, 17}},
    {"SpeedButton13", '+', {105, 16, 16, 17}},  {"SpeedButton14", '=', {121, 16, 16, 17}},
    {"SpeedButton15", '\\', {137, 16, 16, 17}}, {"SpeedButton16", '|', {153, 16, 16, 17}},
    {"SpeedButton17", '/', {169, 16, 16, 17}},  {"SpeedButton18", '[', {185, 16, 16, 17}},
    {"SpeedButton19", ']', {201, 16, 16, 17}},  {"SpeedButton20", '{', {217, 16, 16, 17}},
    {"SpeedButton21", '}', {233, 16, 16, 17}},  {"SpeedButton64", '~', {249, 16, 16, 17}},
    {"SpeedButton65", '`', {265, 16, 16, 17}},  {"SpeedButton28", ',', {57, 33, 16, 17}},
    {"SpeedButton27", '.', {73, 33, 16, 17}},   {"SpeedButton2", '!', {89, 33, 16, 17}},
    {"SpeedButton22", '?', {105, 33, 16, 17}},  {"SpeedButton9", '(', {121, 33, 16, 17}},
    {"SpeedButton10", ')', {137, 33, 16, 17}},  {"SpeedButton11", '-', {153, 33, 16, 17}},
    {"SpeedButton12", ':', {169, 33, 16, 17}},  {"SpeedButton24", '"', {185, 33, 16, 17}},
    {"SpeedButton25", '<', {201, 33, 16, 17}},  {"SpeedButton26", '>', {217, 33, 16, 17}},
};

TEST_F(VirtualKeyboard, EachSymbolKeyAppendsItsCharacterWhateverTheCapsState) {
    const auto keys = keyboard().symbolKeys();
    ASSERT_EQ(keys.size(), std::size(kSymbolKeys));
    press(keyboard().SpeedButton63);  // capitals on: symbols do not care
    std::string expected;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const SymbolKeyCase& c = kSymbolKeys[i];
        SpeedButton& key = *keys[i];
        EXPECT_EQ(key.name(), c.name);
        EXPECT_EQ(key.bounds, c.place) << c.name;
        EXPECT_EQ(key.caption, c.character == '&' ? "&&" : std::string(1, c.character)) << c.name;
        press(key);
        expected += c.character;
    }
    EXPECT_EQ(form().Edit1.text(), expected);
}

TEST_F(VirtualKeyboard, LetterKeysInAlphabeticalOrderWithCapitalCaptions) {
    const std::string alphabet = w("АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ");
    const auto keys = keyboard().letterKeys();
    for (int i = 0; i < 33; ++i) {
        EXPECT_EQ(keys[i]->name(), "SpeedButton" + std::to_string(29 + i));
        EXPECT_EQ(keys[i]->caption, std::string(1, alphabet[i]));
        const Bounds place =
            i < 17 ? Bounds{8 + 17 * i, 16, 17, 17} : Bounds{16 + 17 * (i - 17), 33, 17, 17};
        EXPECT_EQ(keys[i]->bounds, place) << i;
    }
    EXPECT_EQ(u(keyboard().SpeedButton34.caption), "Е");
    EXPECT_EQ(u(keyboard().SpeedButton35.caption), "Ё");
    EXPECT_EQ(u(keyboard().SpeedButton36.caption), "Ж");
    EXPECT_EQ(u(keyboard().SpeedButton61.caption), "Я");
}

TEST_F(VirtualKeyboard, CapsLockSwitchesTheLettersAndItsCaption) {
    TForm4& k = keyboard();
    EXPECT_EQ(u(k.SpeedButton63.caption), "Caps Lock [не нажат]");
    press(k.SpeedButton61);
    EXPECT_EQ(input(), "я");
    press(k.SpeedButton63);
    EXPECT_EQ(u(k.SpeedButton63.caption), "Caps Lock [нажат]");
    press(k.SpeedButton61);
    press(k.SpeedButton35);
    EXPECT_EQ(input(), "яЯЁ");
    press(k.SpeedButton63);
    EXPECT_EQ(u(k.SpeedButton63.caption), "Caps Lock [не нажат]");
    press(k.SpeedButton35);
    press(k.SpeedButton23);
    EXPECT_EQ(form().Edit1.text(), w("яЯЁё "));
    // Ё and ё are the bytes A8 and B8.
    EXPECT_EQ(form().Edit1.text().substr(2, 2), "\xA8\xB8");
}

TEST_F(VirtualKeyboard, TheCapsStateSurvivesClosingAndReopening) {
    open();
    press(keyboard().SpeedButton63);
    close();
    open();
    EXPECT_EQ(u(keyboard().SpeedButton63.caption), "Caps Lock [нажат]");
    press(keyboard().SpeedButton29);
    EXPECT_EQ(input(), "А");
}

// The keys work on the end of the line whatever the caret does; each change
// sounds the keyboard cue once, Caps Lock sounds nothing.
TEST_F(VirtualKeyboard, KeysAppendAtTheEndAndBackspaceRemovesTheLastCharacter) {
    type("дом");
    t.audio.started.clear();
    press(keyboard().SpeedButton28);  // ","
    press(keyboard().SpeedButton23);  // "Пробел"
    press(keyboard().SpeedButton63);  // Caps Lock
    EXPECT_EQ(input(), "дом, ");
    press(keyboard().SpeedButton62);
    press(keyboard().SpeedButton62);
    EXPECT_EQ(input(), "дом");
    EXPECT_EQ(t.audio.started, std::vector<std::string>(4, kKeyboardCue));
}

TEST_F(VirtualKeyboard, BackspaceOnAnEmptyLineDoesNothing) {
    t.audio.started.clear();
    press(keyboard().SpeedButton62);
    EXPECT_EQ(input(), "");
    EXPECT_TRUE(t.audio.started.empty());
    EXPECT_TRUE(t.errorBox.texts.empty());
}

TEST_F(VirtualKeyboard, OpeningStopsThePollingAndDisablesTheMainWindow) {
    form().Timer1.setEnabled(true);
    open();
    EXPECT_FALSE(form().Timer1.enabled());
    EXPECT_FALSE(form().enabled);
    EXPECT_TRUE(keyboard().visible);
    EXPECT_TRUE(keyboard().enabled);
    EXPECT_TRUE(keyboard().Timer1.enabled());
    EXPECT_EQ(keyboard().Timer1.interval(), 1);

    close();
    EXPECT_FALSE(keyboard().Timer1.enabled());
    EXPECT_TRUE(form().Timer1.enabled());
    EXPECT_TRUE(form().enabled);
    EXPECT_FALSE(keyboard().visible);
}

TEST_F(VirtualKeyboard, PollingOffersBackspaceAndEnterOnlyWhileTheLineHasText) {
    open();
    t.advance(1);
    EXPECT_FALSE(keyboard().SpeedButton62.enabled);
    EXPECT_FALSE(keyboard().SpeedButton66.enabled);
    press(keyboard().SpeedButton40);  // К
    t.advance(1);
    EXPECT_TRUE(keyboard().SpeedButton62.enabled);
    EXPECT_TRUE(keyboard().SpeedButton66.enabled);
    press(keyboard().SpeedButton62);
    EXPECT_EQ(input(), "");
    t.advance(1);
    EXPECT_FALSE(keyboard().SpeedButton62.enabled);
    EXPECT_FALSE(keyboard().SpeedButton66.enabled);
    // The other keys stay enabled throughout.
    EXPECT_TRUE(keyboard().SpeedButton23.enabled);
    EXPECT_TRUE(keyboard().SpeedButton63.enabled);
    EXPECT_TRUE(keyboard().SpeedButton61.enabled);
}

// "[Enter]" clicks "Сказать" directly: a turn runs although the main window
// is disabled and "Сказать" was never enabled by the (stopped) polling.
TEST_F(VirtualKeyboard, EnterTakesATurnWhileTheMainWindowIsDisabled) {
    open();
    for (int letter : {16, 17, 9, 2, 5, 19}) press(letterKey(letter));
    ASSERT_EQ(input(), "привет");
    ASSERT_FALSE(form().SpeedButton1.enabled);
    ASSERT_FALSE(form().enabled);
    t.audio.started.clear();
    press(keyboard().SpeedButton66);
    ASSERT_EQ(form().RichEdit1.lineCount(), 2);
    EXPECT_EQ(u(form().RichEdit1.line(0)), "Привет.");
    EXPECT_EQ(u(form().RichEdit1.line(1)), "Здравствуй!");
    EXPECT_EQ(input(), "");
    EXPECT_TRUE(keyboard().visible);
    EXPECT_TRUE(t.errorBox.texts.empty());
}

// The window has no close box, but a window manager may close it anyway:
// the main window must not stay disabled.
TEST_F(VirtualKeyboard, AClosingByTheWindowManagerRestoresTheMainWindow) {
    open();
    keyboard().onCloseRequest();
    EXPECT_FALSE(keyboard().visible);
    EXPECT_FALSE(keyboard().Timer1.enabled());
    EXPECT_TRUE(form().enabled);
    EXPECT_TRUE(form().Timer1.enabled());
}

TEST_F(VirtualKeyboard, WindowAndMenu) {
    TForm4& k = keyboard();
    EXPECT_EQ(u(k.caption), "Виртуальная клавиатура");
    EXPECT_EQ(k.clientWidth(), 353);
    EXPECT_EQ(k.clientHeight(), 145);
    EXPECT_FALSE(k.visible);
    ASSERT_EQ(k.menuBar, std::vector<MenuItem*>{&k.N1});
    EXPECT_EQ(u(k.N1.caption), "&Система");
    ASSERT_EQ(k.N1.items, std::vector<MenuItem*>{&k.N2});
    EXPECT_EQ(u(k.N2.caption), "С&крыть виртуальную клавиатуру");
    EXPECT_EQ(u(k.GroupBox1.caption), "Знаки:");
    EXPECT_EQ(u(k.GroupBox2.caption), "Буквы:");
    EXPECT_EQ(k.SpeedButton62.bounds, (Bounds{310, 9, 41, 50}));
    EXPECT_EQ(k.SpeedButton66.bounds, (Bounds{310, 65, 41, 51}));
    EXPECT_EQ(k.SpeedButton23.bounds, (Bounds{26, 119, 134, 22}));
    EXPECT_EQ(k.SpeedButton63.bounds, (Bounds{161, 119, 123, 22}));
    EXPECT_EQ(k.SpeedButton62.caption, "Bcksp");
    EXPECT_EQ(k.SpeedButton66.caption, "[Enter]");
    EXPECT_EQ(u(k.SpeedButton23.caption), "Пробел");
}

}  // namespace
}  // namespace sob::aids_test
