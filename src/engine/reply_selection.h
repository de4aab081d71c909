#pragma once

#include <string_view>

#include "engine/turn.h"
#include "platform/phrase_list.h"
#include "platform/random.h"

namespace sob {

// A random entry of a one-reply-per-line list: the index is uniform over all
// entries, the first included; an empty list gives the empty text.
const std::string& randomEntry(const PhraseList& list, RandomGenerator& random);

// A random reply alternative of a keyword-file line that has at least one:
// k = Random(n) + 1 over its n alternatives.
std::string_view randomAlternative(std::string_view line, RandomGenerator& random);

// How the reply selection ended.
enum class Selection {
    Answered,      // Answer holds the reply
    KeepAnswer,    // a topic word and nothing else: Answer is said again as it is
    NeedsFallback  // nothing found: the fallback reply and learning must run;
                   // the scratch list holds the keyword file as loaded here
};

// Chooses the reply of the turn from UserPhrase (prepared) and RawPhrase, in
// this order: a repeat of the earlier transcript line, an abusive word, the
// topic words (noted only), a long phrase (in four turns of six), a pending
// branch, the keywords. Keeps BranchDepth and BranchLine, and starts or stops
// the farewell timer on a keyword reply. Throws ProgramError when a file of the
// phrase base cannot be read; the state reached so far stays.
Selection selectReply(TurnContext& turn, std::string_view earlierLine);

}  // namespace sob
