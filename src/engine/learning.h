#pragma once

#include <string_view>

#include "engine/turn.h"

namespace sob {

// Whether a prepared phrase may become a key or a reply alternative of the
// keyword file: it must not hold "^", ";", CR or LF, nor begin with "_", or
// the line written would break the file's form.
bool learnableAsKeywordLine(std::string_view phrase);

// The fallback reply and the learning, for a turn that nothing else answered.
// Draws a generic reply into Answer from the question list "Base\W1.Dat" (the
// phrase ends with "?") or the statement list "Base\W2.Dat", then learns the
// phrase as an answer to PreviousReply: as a new generic reply (unless that
// list already holds it from index 1 on), as a new key line, and as a new
// alternative of the line whose key is PreviousReply upper-cased. Each file
// is loaded afresh, changed and written back before the next is read.
// Throws ProgramError when a file cannot be read or written; earlier writes
// stay.
void giveFallbackReplyAndLearn(TurnContext& turn);

}  // namespace sob
