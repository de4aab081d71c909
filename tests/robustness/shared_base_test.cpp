// Two running copies of the program learn into one phrase base as fast as
// they can. Each loads a file afresh before changing it and writes it back
// whole, so the later write of a file wins and the other copy's change to it
// can be lost; but no file is ever damaged: every file loads, every keyword
// line keeps the grammar, and every line holds only what some turn wrote.

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <set>
#include <string>
#include <vector>

#include "engine/base_files.h"
#include "engine/keyword_line.h"
#include "platform/cp1251.h"
#include "platform/errors.h"
#include "platform/phrase_list.h"
#include "robustness/robustness_support.h"
#include "robustness/turn_rig.h"

namespace sob::testing {
namespace {

constexpr int kTurns = 500;

// The typed phrase of a turn: unique, and never holding another turn's key.
std::string phraseOf(int copy, int turn) {
    char number[16];
    std::snprintf(number, sizeof number, "%04d", turn);
    return w("фраза ") + number + w(" от копии ") + std::to_string(copy) +
           (turn % 3 == 0 ? "?" : "");
}

// What the turn makes of it.
std::string preparedOf(int copy, int turn) {
    std::string p = phraseOf(copy, turn);
    p[0] = upperChar(p[0]);
    if (!p.ends_with('?')) p += '.';
    return p;
}

// One copy of the program taking learning turns; returns the number of
// turns that failed.
int learn(int copy) {
    TurnRig rig;
    int failures = 0;
    for (int turn = 0; turn < kTurns; ++turn) {
        rig.passTime(1);  // each turn seeds the generator afresh
        try {
            rig.say(phraseOf(copy, turn));
        } catch (const ProgramError& e) {
            std::fprintf(stderr, "copy %d, turn %d: %s\n", copy, turn, e.what());
            ++failures;
        }
    }
    return failures;
}

std::vector<std::string> entriesOf(std::string_view file) {
    PhraseList list;
    list.LoadFromFile(file);
    return list.entries();
}

TEST(SharedBaseTest, TwoCopiesLearningAtOnceDamageNothing) {
    TempWorkDir dir;
    writeSmallBase();
    const std::vector<std::string> originalWords = entriesOf(baseFiles::keywords);
    std::set<std::string> legitimate;  // whole list entries and reply alternatives
    for (std::string_view file : phraseBaseFiles())
        for (const std::string& entry : entriesOf(file)) legitimate.insert(entry);
    for (const std::string& line : originalWords)
        for (int k = 1; k <= alternativeCount(line); ++k)
            legitimate.insert(std::string(alternative(line, k)));
    std::set<std::string> keys;
    for (const std::string& line : originalWords)
        if (const auto key = lineKey(line)) keys.insert(std::string(*key));
    for (int copy = 1; copy <= 2; ++copy) {
        for (int turn = 0; turn < kTurns; ++turn) {
            legitimate.insert(preparedOf(copy, turn));
            keys.insert(upperCase(preparedOf(copy, turn)));
        }
    }

    std::vector<pid_t> copies;
    for (int copy = 1; copy <= 2; ++copy) {
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) ::_exit(std::min(learn(copy), 100));
        copies.push_back(child);
    }
    for (pid_t child : copies) {
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFEXITED(status));
        EXPECT_EQ(WEXITSTATUS(status), 0) << "turns failed in a copy (see its messages above)";
    }

    for (std::string_view file : phraseBaseFiles()) {
        SCOPED_TRACE(std::string(file));
        std::vector<std::string> entries;
        ASSERT_NO_THROW(entries = entriesOf(file));
        if (file == baseFiles::keywords) {
            ASSERT_FALSE(entries.empty());
            EXPECT_EQ(entries.front(), originalWords.front()) << "the header line changed";
            for (std::size_t i = 1; i < entries.size(); ++i) {
                const std::string& line = entries[i];
                ASSERT_TRUE(isWellFormedKeywordLine(line)) << "line " << i << ": " << u(line);
                EXPECT_TRUE(keys.contains(line.substr(0, line.find('^'))))
                    << "line " << i << " has a key no turn wrote: " << u(line);
                for (int k = 1; k <= alternativeCount(line); ++k)
                    EXPECT_TRUE(legitimate.contains(std::string(alternative(line, k))))
                        << "line " << i << " has a reply no turn wrote: " << u(line);
            }
            // Lost updates cost some of the 1,000 new keys, not all of them.
            EXPECT_GT(entries.size(), originalWords.size() + 100);
            std::cout << "[ shared   ] keyword file: " << entries.size() - originalWords.size()
                      << " of " << 2 * kTurns << " new keys kept\n";
        } else {
            for (const std::string& entry : entries)
                EXPECT_TRUE(legitimate.contains(entry)) << "an entry no turn wrote: " << u(entry);
        }
    }
    EXPECT_TRUE(temporaryFiles(dir.path()).empty());
}

}  // namespace
}  // namespace sob::testing
