#include "engine/turn.h"

#include <string>
#include <string_view>

#include "engine/base_files.h"
#include "engine/learning.h"
#include "engine/phrase_preparation.h"
#include "engine/reply_selection.h"

namespace sob {

namespace {

// Labels of the dialogue record: the speaker, a colon and five blanks.
constexpr std::string_view userLabel = "USER:     ";
constexpr std::string_view cpuLabel = "CPU:     ";

TextStyle styleOf(const ColorDialog& color, const FontDialog& font) {
    return TextStyle{color.Color, font.Font.name, font.Font.size, font.Font.style};
}

// The phrase of the turn: the input line, or in the machine dialogue the
// whole exchange buffer less its final line break (one phrase, however many
// lines the exchange file held).
std::string readPhrase(const TurnContext& turn) {
    std::string phrase;
    if (turn.userMode.checked) phrase = turn.input.text();
    if (turn.cpuMode.checked) {
        phrase = turn.exchange.Text();
        if (phrase.ends_with("\r\n")) phrase.resize(phrase.size() - 2);
    }
    return phrase;
}

}  // namespace

void runTurn(TurnContext& turn) {
    Platform& platform = turn.platform;
    EngineState& state = turn.state;

    platform.random.randomize(platform.clock);

    std::string phrase = readPhrase(turn);
    if (phrase.empty()) return;
    state.UserPhrase = phrase;
    state.RawPhrase = std::move(phrase);

    // Read before the echo: the repeat test compares with the line the user
    // sent last time, which is now second from the end.
    const std::string earlierLine = turn.transcript.line(turn.transcript.lineCount() - 2);

    platform.screen.busyCursor = true;

    state.UserPhrase = preparePhrase(state.UserPhrase);

    turn.sendCue.Play();
    turn.transcript.currentStyle = styleOf(turn.userColor, turn.userFont);
    turn.transcript.append(state.UserPhrase);
    turn.record.Add(std::string(userLabel) + state.UserPhrase);

    if (selectReply(turn, earlierLine) == Selection::NeedsFallback) giveFallbackReplyAndLearn(turn);

    turn.cpuCue.Play();
    turn.transcript.currentStyle = styleOf(turn.cpuColor, turn.cpuFont);
    turn.transcript.append(state.Answer);
    turn.record.Add(std::string(cpuLabel) + state.Answer);

    platform.screen.busyCursor = false;

    // One turn in three arms a spontaneous remark, drawn from the remarks
    // loaded here; the others drop a remark still pending.
    if (platform.random.Random(3) + 1 == 1) {
        turn.remarkTimer.setEnabled(true);
        turn.scratch.LoadFromFile(baseFiles::remarks);
    } else {
        turn.remarkTimer.setEnabled(false);
    }

    if (turn.cpuMode.checked) {
        turn.exchange.Clear();
        turn.exchange.Add(state.Answer);
        turn.exchange.SaveToFile(turn.exchangePath.text());
    }

    state.PreviousReply = state.Answer;
    turn.input.setText("");
    state.IdleTicks = 0;
}

}  // namespace sob
