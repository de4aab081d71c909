#pragma once

#include <string_view>

namespace sob {

// Whether the word occurs in the phrase, by the program's one-pass rule: the
// phrase is walked once from left to right, each character upper-cased
// (Windows-1251 rules) and compared with the next expected character of the
// word, which is used exactly as stored. A mismatch starts the word afresh
// with the NEXT phrase character: the character that failed is not tried
// again as the word's first character, so "АБ" is not found in "ААБ".
// An empty word is never found (an empty line of a word list must not match
// every phrase). Allocates nothing.
bool PhraseContains(std::string_view phrase, std::string_view word);

}  // namespace sob
