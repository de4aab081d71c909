#pragma once

#include <array>
#include <string>
#include <string_view>
#include <utility>

namespace sob {

// Windows-1251 text. Inside the program every text is a std::string of
// Windows-1251 bytes; these helpers upper-case it and convert it to and from
// UTF-8 at the edges (the file system, the Qt front end, the terminal).

namespace detail {
// Upper-casing table: identity except for the lowercase letters of the code page.
constexpr std::array<unsigned char, 256> makeUpperTable() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<unsigned char>(i);
    for (int i = 'a'; i <= 'z'; ++i) t[i] = static_cast<unsigned char>(i - 0x20);
    for (int i = 0xE0; i <= 0xFF; ++i) t[i] = static_cast<unsigned char>(i - 0x20);  // а-я
    constexpr std::pair<int, int> others[] = {
        {0xB8, 0xA8},  // ё
        {0x90, 0x80},  // ђ
        {0x83, 0x81},  // ѓ
        {0xA2, 0xA1},  // ў
        {0xBC, 0xA3},  // ј
        {0xB4, 0xA5},  // ґ
        {0xBA, 0xAA},  // є
        {0xBF, 0xAF},  // ї
        {0xB3, 0xB2},  // і
        {0xBE, 0xBD},  // ѕ
        {0x9A, 0x8A},  // љ
        {0x9C, 0x8C},  // њ
        {0x9D, 0x8D},  // ќ
        {0x9E, 0x8E},  // ћ
        {0x9F, 0x8F},  // џ
    };
    for (auto [lower, upper] : others) t[lower] = static_cast<unsigned char>(upper);
    return t;
}

inline constexpr std::array<unsigned char, 256> kUpperTable = makeUpperTable();
}  // namespace detail

// The capital of a Windows-1251 letter: a-z, а-я, ё and the other Cyrillic
// lowercase letters of the code page (ђ ѓ ў ј ґ є ї і ѕ љ њ ќ ћ џ). Every other
// byte is returned unchanged. Inline: the matcher calls it for every
// character of the phrase against every key.
inline char upperChar(char c) {
    return static_cast<char>(detail::kUpperTable[static_cast<unsigned char>(c)]);
}

// The text with every letter upper-cased by upperChar.
std::string upperCase(std::string_view s);

// Windows-1251 to UTF-8. The one byte the code page leaves undefined (0x98)
// becomes U+FFFD, the replacement character.
std::string toUtf8(std::string_view cp1251);

// UTF-8 to Windows-1251, as an ANSI edit control takes text: a character the
// code page cannot hold becomes "?", and so does every byte that is not part of
// a well-formed UTF-8 sequence.
std::string fromUtf8(std::string_view utf8);

// The Windows-1251 byte of a Unicode code point, or '?' when the code page has
// no such character.
char cp1251FromCodePoint(char32_t codePoint);

}  // namespace sob
