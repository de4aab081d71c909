#pragma once

#include "engine/engine_state.h"
#include "engine/turn.h"
#include "platform/elements.h"
#include "platform/media_player.h"
#include "platform/phrase_list.h"
#include "platform/pickers.h"
#include "support/test_platform.h"

namespace sob::testing {

// The main window's elements that a conversation turn touches, built
// directly on a virtual-clock platform, and the turn's view of them. For
// tests, fuzz targets and benchmarks that need a turn without the window.
struct TurnElements {
    TestPlatform tp;
    EngineState state;
    RichEdit transcript{"RichEdit1"};
    PhraseList scratch{ListFormat::Rich};      // RichEdit2
    PhraseList replyLists{ListFormat::Rich};   // RichEdit3
    PhraseList record{ListFormat::Rich};       // RichEdit4
    PhraseList exchange{ListFormat::Plain};    // Memo1
    PhraseList topicWords{ListFormat::Plain};  // Memo4
    Edit input{"Edit1"};
    MenuItem userMode{"CpuUser1", "&Cpu\\User"};
    MenuItem cpuMode{"Cpu31", "C&pu\\Cpu"};
    Edit exchangePath{"Edit1"};
    Timer farewellTimer{tp.scheduler, "Timer4", 1, false};
    Timer remarkTimer{tp.scheduler, "Timer9", 1000, false};
    MediaPlayer sendCue{"MediaPlayer2", "Sound\\Button3.wav"};
    MediaPlayer cpuCue{"MediaPlayer5", "Sound\\CpuSound.wav"};
    ColorDialog userColor;
    ColorDialog cpuColor;
    FontDialog userFont;
    FontDialog cpuFont;

    TurnContext turn{tp.platform, state,        transcript,    scratch,     replyLists,
                     record,      exchange,     topicWords,    input,       userMode,
                     cpuMode,     exchangePath, farewellTimer, remarkTimer, sendCue,
                     cpuCue,      userColor,    cpuColor,      userFont,    cpuFont};
};

}  // namespace sob::testing
