#pragma once

#include <string>
#include <string_view>

namespace sob {

// Windows-1251 text. Inside the program every text is a std::string of
// Windows-1251 bytes; these helpers upper-case it and convert it to and from
// UTF-8 at the edges (the file system, the Qt front end, the terminal).

// The capital of a Windows-1251 letter: a-z, а-я, ё and the other Cyrillic
// lowercase letters of the code page (ђ ѓ ў ј ґ є ї і ѕ љ њ ќ ћ џ). Every other
// byte is returned unchanged.
char upperChar(char c);

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
