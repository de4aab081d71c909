#pragma once

#include <string>
#include <vector>

namespace sob {

// The two word lists the main window is built with. Each starts with an
// empty entry (index 0, never used); the words follow from index 1 in the
// order the reply selection scans them. Blanks at either end of a word are
// part of it. Windows-1251 text.
std::vector<std::string> abusiveWordList();  // Memo1: 82 words
std::vector<std::string> topicWordList();    // Memo4: 79 words

}  // namespace sob
