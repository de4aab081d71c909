#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/engine_state.h"
#include "engine/turn.h"
#include "platform/elements.h"
#include "platform/media_player.h"
#include "platform/phrase_list.h"
#include "platform/pickers.h"
#include "support/test_platform.h"
#include "support/turn_elements.h"

namespace sob::testing {

// The main window's elements that a conversation turn touches, built
// directly on a virtual-clock platform, over the phrase base found in the
// current working folder. Used by the crash tests, the fuzz targets and the
// benchmarks, which need a turn without the whole window.
class TurnRig : public TurnElements {
public:
    // Cpu\User mode; the word lists hold a few abusive and topic words after
    // their unused empty entry 0.
    TurnRig();
    TurnRig(const TurnRig&) = delete;
    TurnRig& operator=(const TurnRig&) = delete;

    // Types the phrase (Windows-1251) into the input line and runs one turn.
    // A file error propagates as ProgramError; the state reached stays.
    void say(std::string_view phrase);
    // Switches to the Cpu\Cpu mode with the exchange file at the program path.
    void useMachineDialogue(std::string exchangeFile);
    // Moves the clock on, so the next turn seeds the generator afresh.
    void passTime(std::int64_t ms) { tp.clock.advanceBy(ms); }
};

// The file names of a phrase base, as the program writes them.
const std::vector<std::string_view>& phraseBaseFiles();

// Writes a small phrase base into Base/ of the current folder (plain text,
// CR LF): a keyword file with a branch and a farewell line, and two entries in
// every list.
void writeSmallBase();

// Whether a keyword-file line follows the file's grammar: not empty, a
// non-empty key free of ";" before the first "^" (after the "_" of a branch
// line), and nothing but an optional "@" after the last ";" of a main line.
bool isWellFormedKeywordLine(std::string_view line);

}  // namespace sob::testing
