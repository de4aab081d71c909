// The keyword file in any shape: the line accessors and the matcher on every
// line, then a whole turn (reply selection, fallback and learning) over that
// file in a scratch folder. Whatever the file holds, the accessors stay
// inside their line, and learning changes the file only as it should: at
// most one line moves to the end with the phrase as a new reply, and at most
// one new key is added (which may at once take the phrase as its reply).
//
// Input: one byte of branch state, the typed phrase up to LF, the program's
// previous reply up to LF, then the bytes of Words.Dat.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "engine/base_files.h"
#include "engine/keyword_line.h"
#include "engine/phrase_matcher.h"
#include "fuzz/fuzz_support.h"
#include "platform/cp1251.h"
#include "platform/file_system.h"
#include "platform/phrase_list.h"
#include "robustness/turn_rig.h"

namespace {

using namespace sob;

bool inside(std::string_view part, std::string_view line) {
    return part.empty() ||
           (part.data() >= line.data() && part.data() + part.size() <= line.data() + line.size());
}

void checkAccessors(std::string_view line, std::string_view phrase) {
    const auto key = lineKey(line);
    if (key) {
        fuzz::check(!key->empty() && key->find_first_of("^;") == std::string_view::npos,
                    "a key is empty or holds ^ or ;");
        fuzz::check(key->data() == line.data(), "a key does not start the line");
        PhraseContains(phrase, *key);
    }
    const int depth = branchDepth(line);
    fuzz::check(depth >= 0 && static_cast<std::size_t>(depth) <= line.size(),
                "depth out of the line");
    if (const auto branch = branchKey(line)) {
        fuzz::check(branch->data() == line.data() + depth, "a branch key does not follow the _");
        fuzz::check(!branch->empty() && branch->find_first_of("^;") == std::string_view::npos,
                    "a branch key is empty or holds ^ or ;");
        PhraseContains(phrase, *branch);
    }
    const int count = alternativeCount(line);
    for (int k = -1; k <= count + 1; ++k) {
        const std::string_view alt = alternative(line, k);
        fuzz::check(inside(alt, line), "an alternative lies outside its line");
        fuzz::check(alt.find(';') == std::string_view::npos, "an alternative holds ;");
        if (k < 1 || k > count)
            fuzz::check(alt.empty(), "an alternative out of range is not empty");
    }
    hasFarewellMark(line);
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::enterScratchFolder(argc, argv);
    testing::writeSmallBase();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::uint8_t flags = in.byte();
    const std::string phrase = in.line();
    const std::string previous = in.line();
    const std::string_view words = in.rest();

    PhraseList before(ListFormat::Rich);
    before.loadFromBytes(words);
    for (const std::string& line : before.entries()) checkAccessors(line, phrase);

    // The turn over the file as it is on disk; the learnt lists start afresh.
    testing::writeSmallBase();
    writeWholeFile(baseFiles::keywords, words);
    testing::TurnRig r;  // a fresh window for every input
    r.state.PreviousReply = previous;
    r.state.BranchDepth = flags & 3;
    r.state.BranchLine = r.state.BranchDepth == 0 ? 0 : (flags >> 2) % (before.Count() + 1);
    r.tp.random.queueForTesting({flags >> 5, flags});
    r.say(phrase);

    PhraseList after(ListFormat::Rich);
    after.LoadFromFile(baseFiles::keywords);
    const auto& o = before.entries();
    const auto& n = after.entries();
    if (n == o) return 0;
    fuzz::check(n.size() == o.size() || n.size() == o.size() + 1,
                "learning changed the line count");
    if (!o.empty()) fuzz::check(n.front() == o.front(), "learning changed the header line");
    std::multiset<std::string> added(n.begin(), n.end());
    std::vector<std::string> removed;
    for (const std::string& line : o) {
        const auto it = added.find(line);
        if (it == added.end()) {
            removed.push_back(line);
        } else {
            added.erase(it);
        }
    }
    fuzz::check(removed.size() <= 1 && added.size() <= 2, "learning changed more than two lines");
    const std::string newKey = upperCase(r.state.UserPhrase) + "^";
    for (const std::string& line : added) {
        // An old line with the phrase as a new reply; or the new key that at
        // once takes the phrase as its reply (the phrase repeats the
        // program's last line).
        const bool oldLineExtended =
            removed.size() == 1 && line == removed.front() + r.state.UserPhrase + ";";
        const bool newKeyExtended = line == newKey + r.state.UserPhrase + ";";
        fuzz::check(line == newKey || oldLineExtended || newKeyExtended,
                    "learning wrote a line of its own making");
        fuzz::check(oldLineExtended || testing::isWellFormedKeywordLine(line),
                    "learning wrote a line out of the grammar");
    }
    return 0;
}
