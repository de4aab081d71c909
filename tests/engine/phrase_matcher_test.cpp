#include "engine/phrase_matcher.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>

#include "support/test_platform.h"

// Counts every allocation of the test program, so the matcher can be shown
// to allocate nothing.
namespace {
std::atomic<long> allocations{0};
}  // namespace

// The replacements pair malloc with free themselves; GCC cannot see that
// through the inlined calls.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
    std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
    std::free(p);
}
#pragma GCC diagnostic pop

namespace sob::testing {
namespace {

struct MatchCase {
    const char* phrase;  // UTF-8, as typed
    const char* word;    // UTF-8, as stored
    bool found;
};

TEST(PhraseContains, FollowsTheOnePassRule) {
    const MatchCase cases[] = {
        // Only the phrase is upper-cased.
        {"ты дура", "ДУРА", true},
        {"ТЫ ДУРА", "ДУРА", true},
        {"ты дура", "Дура", false},
        {"ёлка", "ЁЛ", true},
        {"hello world", "WORLD", true},
        // Blanks are ordinary characters.
        {"ну ты лох", " ЛОХ", true},
        {"лох", " ЛОХ", false},
        {"ты гад", "ГАД ", false},
        {"гад ты", "ГАД ", true},
        // End punctuation of a learnt key must be typed.
        {"привет", "ПРИВЕТ.", false},
        {"привет.", "ПРИВЕТ.", true},
        {"Привет. Как дела?", "ПРИВЕТ.", true},
        // The failed character is not tried again as the word's start.
        {"ААБ", "АБ", false},
        {"ППРИВЕТ", "ПРИВЕТ", false},
        {"П ПРИВЕТ", "ПРИВЕТ", true},
        {"АААБ", "ААБ", false},
        {"ДАБ", "АБ", true},
        {"А АБ", "АБ", true},
        {"АБВАБГ", "АБГ", true},
        // One character, whole phrase, too long.
        {"кот", "О", true},
        {"кот", "Ы", false},
        {"аб", "АБ", true},
        {"аб", "АБВ", false},
        // An empty word is never found.
        {"что угодно", "", false},
        {"", "", false},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(PhraseContains(w(c.phrase), w(c.word)), c.found)
            << "phrase «" << c.phrase << "» word «" << c.word << "»";
    }
}

TEST(PhraseContains, AllocatesNothing) {
    const std::string phrase =
        w("ну и где же ты была, моя дорогая подруга? ") + std::string(500, 'x');
    const std::string word = w("ПОДРУГА?");
    const std::string absent = w("НЕТ ТАКОГО");
    const long before = allocations.load();
    const bool found = PhraseContains(phrase, word);
    const bool missing = PhraseContains(phrase, absent);
    EXPECT_EQ(allocations.load(), before);
    EXPECT_TRUE(found);
    EXPECT_FALSE(missing);
}

}  // namespace
}  // namespace sob::testing
