#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/phrase_list.h"

namespace sob::bench {

// A phrase base made up for measurements: Cyrillic text of natural lengths
// drawn from a word list with a fixed seed, so every run measures the same
// bytes. All text is Windows-1251.
struct GeneratedBase {
    // "Base\Words.Dat", header line first: main lines with 1 to 5
    // alternatives (a few with the farewell mark), branch lines of depth 1
    // to 3 after main lines, learnt keys without alternatives, and learnt
    // keys that have received replies.
    std::vector<std::string> keywordLines;
    std::vector<std::string> questionReplies;    // W1.Dat
    std::vector<std::string> statementReplies;   // W2.Dat
    std::vector<std::string> repeatReplies;      // Povtor.Dat
    std::vector<std::string> abuseReplies;       // X.Dat
    std::vector<std::string> longPhraseReplies;  // BigString.Dat
    std::vector<std::string> idlePrompts;        // Pause.Dat
    std::vector<std::string> remarks;            // AI.dat

    // A phrase answered by a main line near the end of the keyword file: no
    // key of an earlier line is found in it, so the lookup walks the file.
    std::string lateKeywordPhrase;
    int lateKeywordLine = 0;
    // A main line near the end followed by branch lines of depth 1, and a
    // phrase that the last of them answers.
    int branchParentLine = 0;
    std::string branchPhrase;
    // A typed phrase of 109 characters (110 once prepared) that holds the
    // late key at its end and no other key.
    std::string longPhrase;
    // A phrase (to be made unique with a number) that no key of the file
    // is found in, so the turn falls back and learns.
    std::string unknownPhrase;
    // Replies of the program that are keys of learnt lines (compared
    // upper-cased): what the user's unknown phrase answers.
    std::vector<std::string> previousReplies;
};

// A base whose keyword file has `lines` lines, header included.
GeneratedBase generateBase(int lines, std::uint32_t seed = 1251);

// Writes every file of the base into Base/ under the folder (made if
// missing): RTF as the rich-text lists save it, or plain text with CR LF.
void writeBase(const GeneratedBase& base, const std::string& folder, ListFormat format);

}  // namespace sob::bench
