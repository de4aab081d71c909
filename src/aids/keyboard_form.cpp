#include "aids/keyboard_form.h"

#include <string>
#include <string_view>

#include "platform/cp1251_literal.h"
#include "window/main_form.h"

namespace sob {

namespace {

// A symbol key: its button, the character it writes, and its place in the
// "Знаки:" group (row 1 at y 16, row 2 at y 33).
struct SymbolKey {
    SpeedButton TForm4::*button;
    char character;
    int row;
    int x;
};

constexpr SymbolKey kSymbolKeys[] = {
    {&TForm4::SpeedButton3, '@', 1, 9},     {&TForm4::SpeedButton4, '#', 1, 25},
    {&TForm4::SpeedButton5, '$', 1, 41},    {&TForm4::SpeedButton6, '%', 1, 57},
    {&TForm4::SpeedButton7, '&', 1, 73},    {&TForm4::SpeedButton8, '*', 1, 89},
    {&TForm4::SpeedButton13, '+', 1, 105},  {&TForm4::SpeedButton14, '=', 1, 121},
    {&TForm4::SpeedButton15, '\\', 1, 137}, {&TForm4::SpeedButton16, '|', 1, 153},
    {&TForm4::SpeedButton17, '/', 1, 169},  {&TForm4::SpeedButton18, '[', 1, 185},
    {&TForm4::SpeedButton19, ']', 1, 201},  {&TForm4::SpeedButton20, '{', 1, 217},
    {&TForm4::SpeedButton21, '}', 1, 233},  {&TForm4::SpeedButton64, '~', 1, 249},
    {&TForm4::SpeedButton65, '`', 1, 265},  {&TForm4::SpeedButton28, ',', 2, 57},
    {&TForm4::SpeedButton27, '.', 2, 73},   {&TForm4::SpeedButton2, '!', 2, 89},
    {&TForm4::SpeedButton22, '?', 2, 105},  {&TForm4::SpeedButton9, '(', 2, 121},
    {&TForm4::SpeedButton10, ')', 2, 137},  {&TForm4::SpeedButton11, '-', 2, 153},
    {&TForm4::SpeedButton12, ':', 2, 169},  {&TForm4::SpeedButton24, '"', 2, 185},
    {&TForm4::SpeedButton25, '<', 2, 201},  {&TForm4::SpeedButton26, '>', 2, 217},
};
static_assert(std::size(kSymbolKeys) == 28);

constexpr SpeedButton TForm4::*kLetterKeys[] = {
    &TForm4::SpeedButton29, &TForm4::SpeedButton30, &TForm4::SpeedButton31, &TForm4::SpeedButton32,
    &TForm4::SpeedButton33, &TForm4::SpeedButton34, &TForm4::SpeedButton35, &TForm4::SpeedButton36,
    &TForm4::SpeedButton37, &TForm4::SpeedButton38, &TForm4::SpeedButton39, &TForm4::SpeedButton40,
    &TForm4::SpeedButton41, &TForm4::SpeedButton42, &TForm4::SpeedButton43, &TForm4::SpeedButton44,
    &TForm4::SpeedButton45, &TForm4::SpeedButton46, &TForm4::SpeedButton47, &TForm4::SpeedButton48,
    &TForm4::SpeedButton49, &TForm4::SpeedButton50, &TForm4::SpeedButton51, &TForm4::SpeedButton52,
    &TForm4::SpeedButton53, &TForm4::SpeedButton54, &TForm4::SpeedButton55, &TForm4::SpeedButton56,
    &TForm4::SpeedButton57, &TForm4::SpeedButton58, &TForm4::SpeedButton59, &TForm4::SpeedButton60,
    &TForm4::SpeedButton61,
};
static_assert(std::size(kLetterKeys) == 33);

// The Russian alphabet, Ё in its place after Е.
constexpr std::string_view kUpperLetters = "АБВГДЕЁЖЗИЙКЛМНОПРСТУФХЦЧШЩЪЫЬЭЮЯ"_cp;
constexpr std::string_view kLowerLetters = "абвгдеёжзийклмнопрстуфхцчшщъыьэюя"_cp;
static_assert(kUpperLetters.size() == 33 && kLowerLetters.size() == 33);

constexpr int kLettersInFirstRow = 17;  // А .. П; Р .. Я in the second row

constexpr std::string_view kCapsOff = "Caps Lock [не нажат]"_cp;
constexpr std::string_view kCapsOn = "Caps Lock [нажат]"_cp;

// Every key: flat, "MS Sans Serif" 8 points.
void setUpKey(SpeedButton& key, std::string caption, Bounds place, Color textColor) {
    key.caption = std::move(caption);
    key.bounds = place;
    key.flat = true;
    key.font = Font{"MS Sans Serif", 8, FontStyle::Regular, textColor};
}

}  // namespace

TForm4::TForm4(Platform& platform_, TForm1& form1)
    : Form("Form4", platform_.screen),
      platform(platform_),
      Form1(form1),
      N1("N1", std::string("&Система"_cp)),
      N2("N2", std::string("С&крыть виртуальную клавиатуру"_cp)),
      Timer1(platform_.scheduler, "Form4.Timer1", 1, false) {
    caption = std::string("Виртуальная клавиатура"_cp);
    setClientSize(353, 145);
    color = colors::silver;
    visible = false;
    centre();

    menuBar = {&N1};
    N1.items = {&N2};
    N2.onClick = [this] { N2Click(); };

    GroupBox1.caption = std::string("Знаки:"_cp);
    GroupBox1.bounds = {3, 3, 305, 57};
    GroupBox1.font.color = colors::white;
    GroupBox2.caption = std::string("Буквы:"_cp);
    GroupBox2.bounds = {3, 60, 305, 57};
    GroupBox2.font.color = colors::white;

    for (const SymbolKey& key : kSymbolKeys) {
        SpeedButton& button = this->*key.button;
        // A single "&" in a caption marks an access key; "&&" shows one "&".
        std::string keyCaption = key.character == '&' ? "&&" : std::string(1, key.character);
        setUpKey(button, std::move(keyCaption), {key.x, key.row == 1 ? 16 : 33, 16, 17},
                 colors::windowText);
        const char character = key.character;
        button.onClick = [this, character] { appendToInput(character); };
    }

    for (int i = 0; i < 33; ++i) {
        SpeedButton& button = this->*kLetterKeys[i];
        const Bounds place = i < kLettersInFirstRow
                                 ? Bounds{8 + 17 * i, 16, 17, 17}
                                 : Bounds{16 + 17 * (i - kLettersInFirstRow), 33, 17, 17};
        setUpKey(button, std::string(1, letter(i, true)), place, colors::black);
        button.onClick = [this, i] { letterKeyClick(i); };
    }

    setUpKey(SpeedButton62, "Bcksp", {310, 9, 41, 50}, colors::windowText);
    SpeedButton62.onClick = [this] { SpeedButton62Click(); };
    setUpKey(SpeedButton66, "[Enter]", {310, 65, 41, 51}, colors::windowText);
    SpeedButton66.onClick = [this] { SpeedButton66Click(); };
    setUpKey(SpeedButton23, std::string("Пробел"_cp), {26, 119, 134, 22}, colors::windowText);
    SpeedButton23.onClick = [this] { SpeedButton23Click(); };
    setUpKey(SpeedButton63, std::string(kCapsOff), {161, 119, 123, 22}, colors::windowText);
    SpeedButton63.onClick = [this] { SpeedButton63Click(); };

    Timer1.setOnTimer([this] { Timer1Timer(); });
    // A polling tick that finds both keys already right changes nothing.
    Timer1.setIdleCheck([this] {
        const bool hasText = !Form1.Edit1.text().empty();
        return SpeedButton62.enabled == hasText && SpeedButton66.enabled == hasText;
    });

    // The window manager may close the window although it has no close box:
    // the main window must come back as with the menu command.
    onCloseRequest = [this] {
        if (visible) N2Click();
    };

    FormCreate();
}

void TForm4::FormCreate() {
    capsState = 0;
}

char TForm4::letter(int index, bool upperCase) {
    return (upperCase ? kUpperLetters : kLowerLetters)[static_cast<std::size_t>(index)];
}

std::array<SpeedButton*, 28> TForm4::symbolKeys() {
    std::array<SpeedButton*, 28> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = &(this->*kSymbolKeys[i].button);
    return keys;
}

std::array<SpeedButton*, 33> TForm4::letterKeys() {
    std::array<SpeedButton*, 33> keys{};
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = &(this->*kLetterKeys[i]);
    return keys;
}

// The key reads the line afresh (the main window's timers may have changed
// it since the last key) and always writes at its end. The input line's
// length limit binds only what the user types.
void TForm4::appendToInput(char character) {
    Form1.Edit1.setText(Form1.Edit1.text() + character);
}

void TForm4::letterKeyClick(int letterIndex) {
    if (capsState == 0) appendToInput(letter(letterIndex, false));
    if (capsState == 1) appendToInput(letter(letterIndex, true));
}

void TForm4::SpeedButton23Click() {
    appendToInput(' ');
}

// Removes the last character, wherever the caret is.
void TForm4::SpeedButton62Click() {
    std::string text = Form1.Edit1.text();
    if (text.empty()) return;
    text.pop_back();
    Form1.Edit1.setText(std::move(text));
}

void TForm4::SpeedButton63Click() {
    capsState += 1;
    if (capsState == 2) capsState = 0;
    if (capsState == 0) SpeedButton63.caption = std::string(kCapsOff);
    if (capsState == 1) SpeedButton63.caption = std::string(kCapsOn);
}

// Says the phrase: the click of "Сказать", which runs the turn whatever its
// enabled state and although the main window is disabled.
void TForm4::SpeedButton66Click() {
    Form1.SpeedButton1.click();
}

void TForm4::Timer1Timer() {
    const bool hasText = !Form1.Edit1.text().empty();
    SpeedButton62.enabled = hasText;
    SpeedButton66.enabled = hasText;
}

void TForm4::N2Click() {
    Timer1.setEnabled(false);
    Form1.resumeFromSecondaryWindow();  // polling on, main window enabled
    hide();
}

}  // namespace sob
