#include "engine/phrase_matcher.h"

#include "platform/cp1251.h"

namespace sob {

bool PhraseContains(std::string_view phrase, std::string_view word) {
    const std::size_t length = word.size();
    if (length == 0 || length > phrase.size()) return false;
    std::size_t run = 0;  // word characters matched so far
    for (const char c : phrase) {
        if (upperChar(c) == word[run]) {
            if (++run == length) return true;
        } else {
            run = 0;  // the failed character is not compared again
        }
    }
    return false;
}

}  // namespace sob
