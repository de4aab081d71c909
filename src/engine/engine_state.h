#pragma once

#include <cstdint>
#include <string>

namespace sob {

// The variables of the conversation that live for the whole run, start
// empty or 0 and are never saved. A new dialogue does not reset them.
struct EngineState {
    std::string UserPhrase;     // the phrase of the turn, prepared after step 6
    std::string RawPhrase;      // the phrase of the turn exactly as received
    std::string Answer;         // the reply of the turn (or the last idle prompt)
    std::string PreviousReply;  // the reply shown at the end of the last completed turn
    std::int32_t BranchDepth = 0;  // depth of the branch lines the next turn looks for
    std::int32_t BranchLine = 0;   // keyword-file line after which the branch scan starts
    std::int32_t IdleTicks = 0;    // seconds since the last turn or idle prompt
};

}  // namespace sob
