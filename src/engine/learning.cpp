#include "engine/learning.h"

#include <algorithm>
#include <optional>

#include "engine/base_files.h"
#include "engine/keyword_line.h"
#include "engine/reply_selection.h"
#include "platform/cp1251.h"

namespace sob {

namespace {

// The index of the first line from index 1 on whose key is `key`.
std::optional<std::size_t> findKeyLine(const PhraseList& keywords, std::string_view key) {
    // A line's key is the text before its first "^", not empty and free of
    // ";": only such a text is ever a line's key, and the lines that have it
    // are exactly those that begin with it and a "^".
    if (key.empty() || key.find_first_of("^;") != std::string_view::npos) return std::nullopt;
    const auto& lines = keywords.entries();
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (line.size() > key.size() && line[key.size()] == '^' && line.starts_with(key)) return i;
    }
    return std::nullopt;
}

}  // namespace

bool learnableAsKeywordLine(std::string_view phrase) {
    return phrase.find_first_of("^;\r\n") == std::string_view::npos && !phrase.starts_with('_');
}

void giveFallbackReplyAndLearn(TurnContext& turn) {
    EngineState& state = turn.state;
    PhraseList& replyLists = turn.replyLists;
    PhraseList& keywords = turn.scratch;

    // The fallback reply, from the list that suits the phrase.
    const bool question = state.UserPhrase.ends_with('?');
    replyLists.LoadFromFile(question ? baseFiles::questionReplies : baseFiles::statementReplies);
    state.Answer = randomEntry(replyLists, turn.platform.random);

    // A phrase that list already holds (entry 0 aside) is not added to a list
    // again; it may still become a key.
    const auto& generic = replyLists.entries();
    const bool known = generic.size() > 1 && std::find(generic.begin() + 1, generic.end(),
                                                       state.UserPhrase) != generic.end();

    if (!known) {
        if (state.PreviousReply.empty()) return;  // nothing said yet to answer
        // The phrase answered the program's last line: a question or not.
        const std::string_view target = state.PreviousReply.find('?') != std::string::npos
                                            ? baseFiles::questionReplies
                                            : baseFiles::statementReplies;
        replyLists.LoadFromFile(target);
        replyLists.Add(state.UserPhrase);
        replyLists.SaveToFile(target);
    }

    if (!learnableAsKeywordLine(state.UserPhrase)) return;

    // A new key, unless some line already has it. (Loading a file the list
    // holds as it is on disk costs nothing: the reply selection of this turn
    // has just loaded it, and the list has just written it.)
    const std::string key = upperCase(state.UserPhrase);
    keywords.LoadFromFile(baseFiles::keywords);
    if (findKeyLine(keywords, key)) return;
    keywords.Add(key + "^");
    keywords.SaveToFile(baseFiles::keywords);
    // Afresh: the line looked for below is found in the file as it is now,
    // so that a line another copy of the program has just moved is still the
    // one that is changed.
    keywords.LoadFromFile(baseFiles::keywords);

    if (state.PreviousReply.empty()) return;

    // The phrase becomes a reply to the line whose key is the program's last
    // line: that line moves to the end with the phrase appended.
    const std::string previousKey = upperCase(state.PreviousReply);
    const auto index = findKeyLine(keywords, previousKey);
    if (!index) return;
    std::string extended = keywords.Strings(static_cast<int>(*index));
    extended += state.UserPhrase;
    extended += ';';
    keywords.Delete(static_cast<int>(*index));
    keywords.Add(std::move(extended));
    keywords.SaveToFile(baseFiles::keywords);
}

}  // namespace sob
