#include "engine/reply_selection.h"

#include "engine/base_files.h"
#include "engine/keyword_line.h"
#include "engine/phrase_matcher.h"

namespace sob {

namespace {

// A phrase this long (prepared, end punctuation included) is a long phrase.
constexpr std::size_t longPhraseLength = 110;

// Whether any entry of the word list from index 1 on occurs in the phrase.
// Entry 0 of both word lists is an unused empty line.
bool containsListedWord(const PhraseList& words, std::string_view phrase) {
    const auto& entries = words.entries();
    for (std::size_t i = 1; i < entries.size(); ++i)
        if (PhraseContains(phrase, entries[i])) return true;
    return false;
}

// Answers with a random entry of the list file.
void answerFromList(TurnContext& turn, std::string_view file) {
    turn.scratch.LoadFromFile(file);
    turn.state.Answer = randomEntry(turn.scratch, turn.platform.random);
}

enum class BranchOutcome { Answered, MainLineMet, EndPassed };

// Walks the keyword file below BranchLine for a line of the pending depth
// whose key is in the phrase. The file is loaded once and walked in memory.
// Empty lines are passed over: they neither continue nor end a branch.
BranchOutcome scanBranch(TurnContext& turn) {
    EngineState& state = turn.state;
    turn.scratch.LoadFromFile(baseFiles::keywords);
    const auto& lines = turn.scratch.entries();
    const auto count = static_cast<std::int64_t>(lines.size());
    for (;;) {
        ++state.BranchLine;
        if (state.BranchLine < 0 || state.BranchLine >= count) {
            state.BranchDepth = 0;
            return BranchOutcome::EndPassed;
        }
        const std::string& line = lines[static_cast<std::size_t>(state.BranchLine)];
        if (line.empty()) continue;
        const int depth = branchDepth(line);
        if (depth == 0) {
            state.BranchDepth = 0;
            return BranchOutcome::MainLineMet;
        }
        if (depth != state.BranchDepth) continue;
        const auto key = branchKey(line);
        if (!key || !PhraseContains(state.RawPhrase, *key) || alternativeCount(line) == 0) continue;
        state.Answer = std::string(randomAlternative(line, turn.platform.random));
        ++state.BranchDepth;
        return BranchOutcome::Answered;
    }
}

// The first line from index 1 on whose key is in the phrase and which has a
// reply gives the reply; the line's farewell mark starts or stops the
// farewell close.
bool lookUpKeywords(TurnContext& turn) {
    EngineState& state = turn.state;
    turn.scratch.LoadFromFile(baseFiles::keywords);
    const auto& lines = turn.scratch.entries();
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        // A line is a candidate when its key is found and it has a reply (a
        // learnt key waits for its first one); the alternatives are counted
        // only then, as most lines do not match.
        const auto key = lineKey(line);
        if (!key || !PhraseContains(state.RawPhrase, *key) || alternativeCount(line) == 0) continue;
        state.Answer = std::string(randomAlternative(line, turn.platform.random));
        ++state.BranchDepth;
        state.BranchLine = static_cast<std::int32_t>(i);
        turn.farewellTimer.setEnabled(hasFarewellMark(line));
        return true;
    }
    return false;
}

}  // namespace

const std::string& randomEntry(const PhraseList& list, RandomGenerator& random) {
    return list.Strings(random.Random(list.Count()));
}

std::string_view randomAlternative(std::string_view line, RandomGenerator& random) {
    return alternative(line, random.Random(alternativeCount(line)) + 1);
}

Selection selectReply(TurnContext& turn, std::string_view earlierLine) {
    EngineState& state = turn.state;

    if (state.UserPhrase == earlierLine) {
        answerFromList(turn, baseFiles::repeatReplies);
        return Selection::Answered;
    }

    if (containsListedWord(turn.exchange, state.RawPhrase)) {
        answerFromList(turn, baseFiles::abuseReplies);
        return Selection::Answered;
    }

    const bool topicFound = containsListedWord(turn.topicWords, state.RawPhrase);

    // Two draws in six let a long phrase go on to the keywords.
    const int dispatch = turn.platform.random.Random(6) + 1;
    if (dispatch != 2 && dispatch != 6 && state.UserPhrase.size() >= longPhraseLength) {
        answerFromList(turn, baseFiles::longPhraseReplies);
        return Selection::Answered;
    }

    bool lookUp = true;
    if (state.BranchDepth >= 1) {
        switch (scanBranch(turn)) {
            case BranchOutcome::Answered:
                return Selection::Answered;
            case BranchOutcome::MainLineMet:
                break;
            case BranchOutcome::EndPassed:
                lookUp = false;  // the keywords wait for the next turn
                break;
        }
    }

    if (lookUp && lookUpKeywords(turn)) return Selection::Answered;

    return topicFound ? Selection::KeepAnswer : Selection::NeedsFallback;
}

}  // namespace sob
