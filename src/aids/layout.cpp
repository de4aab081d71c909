#include "aids/layout.h"

#include <array>

#include "platform/cp1251_literal.h"
#include "window/main_form.h"

namespace sob {

namespace {

// The keys of the Latin layout and what the same keys give in the Russian
// layout, as Windows-1251 bytes. Both strings have one character per key.
constexpr std::string_view latinKeys =
    "qwertyuiopasdfghjklzxcvbnm"
    "QWERTYUIOPASDFGHJKLZXCVBNM"
    "`~[{]};:\"<>/@#$^&|";
constexpr std::string_view russianKeys =
    "йцукенгшщзфывапролдячсмитьЙЦУКЕНГШЩЗФЫВАПРОЛДЯЧСМИТЬ"
    "ёЁхХъЪжЖЭбю.\"№;:?/"_cp;

static_assert(latinKeys.size() == 70 && russianKeys.size() == 70, "the layout table has 70 pairs");

// The table as a lookup by byte: 0 where a character stays as it is.
constexpr std::array<char, 256> layoutTable() {
    std::array<char, 256> table{};
    for (std::size_t i = 0; i < latinKeys.size(); ++i)
        table[static_cast<unsigned char>(latinKeys[i])] = russianKeys[i];
    return table;
}

constexpr std::array<char, 256> kLayout = layoutTable();

}  // namespace

std::string convertLayout(std::string_view latinTyped) {
    std::string converted(latinTyped);
    for (char& c : converted) {
        const char partner = kLayout[static_cast<unsigned char>(c)];
        if (partner != 0) c = partner;
    }
    return converted;
}

// "E/R": rewrites the input line as if it had been typed in the Russian
// layout. The layout cue sounds first, every time; the line is written back
// in one step, and only a real change raises the change event (and with it
// the keyboard cue).
void TForm1::SpeedButton3Click() {
    MediaPlayer3.Play();
    const std::string typed = Edit1.text();
    if (typed.empty()) return;
    Edit1.setText(convertLayout(typed));
}

// Ctrl+S: the click of "E/R", whatever its enabled state.
void TForm1::N36Click() {
    SpeedButton3.click();
}

}  // namespace sob
