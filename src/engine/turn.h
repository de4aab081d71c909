#pragma once

#include "engine/engine_state.h"
#include "platform/elements.h"
#include "platform/media_player.h"
#include "platform/phrase_list.h"
#include "platform/pickers.h"
#include "platform/platform.h"
#include "platform/scheduler.h"

namespace sob {

// The elements of the main window that a conversation turn reads and
// writes. The main window fills it with references to its own elements; the
// engine knows nothing else of the window.
struct TurnContext {
    Platform& platform;
    EngineState& state;

    RichEdit& transcript;       // RichEdit1
    PhraseList& scratch;        // RichEdit2: keyword file and one-off lists
    PhraseList& replyLists;     // RichEdit3: the question and statement lists
    PhraseList& record;         // RichEdit4: the dialogue record
    PhraseList& exchange;       // Memo1: abusive words; exchange buffer
    PhraseList& topicWords;     // Memo4
    Edit& input;                // Edit1
    const MenuItem& userMode;   // CpuUser1
    const MenuItem& cpuMode;    // Cpu31
    const Edit& exchangePath;   // the editor window's path field
    Timer& farewellTimer;       // Timer4
    Timer& remarkTimer;         // Timer9
    MediaPlayer& sendCue;       // MediaPlayer2
    MediaPlayer& cpuCue;        // MediaPlayer5
    const ColorDialog& userColor;  // ColorDialog2
    const ColorDialog& cpuColor;   // ColorDialog3
    const FontDialog& userFont;    // FontDialog1
    const FontDialog& cpuFont;     // FontDialog2
};

// One conversation turn: the body of the Say button's click.
void runTurn(TurnContext& turn);

}  // namespace sob
