#include <string>

#include "window/main_form.h"

namespace sob {

// The state polling, on every tick: Say, E/R and Enter are offered exactly
// while the input holds a character; undo (button and Ctrl+Z) exactly while
// the transcript has a line; the machine dialogue's exchange poll follows
// the "Cpu\Cpu" check (enabling a running timer keeps its period); and the
// input line asks for the keyboard focus.
void TForm1::Timer1Timer() {
    SpeedButton1.enabled = !Edit1.text().empty();
    SpeedButton3.enabled = !Edit1.text().empty();
    Talk.enabled = !Edit1.text().empty();
    SpeedButton2.enabled = RichEdit1.lineCount() > 0;
    N15.enabled = RichEdit1.lineCount() > 0;
    Timer6.setEnabled(Cpu31.checked);
    focusRequest = &Edit1;
    ++focusRequestCount;
}

// A polling tick changes nothing when every state it sets already holds and
// the focus needs no moving. (The request count only tells the front end of
// a new request; a request it would not apply is no change.)
bool TForm1::pollingWouldChangeNothing() const {
    const bool hasInput = !Edit1.text().empty();
    const bool hasLines = RichEdit1.lineCount() > 0;
    return SpeedButton1.enabled == hasInput && SpeedButton3.enabled == hasInput &&
           Talk.enabled == hasInput && SpeedButton2.enabled == hasLines && N15.enabled == hasLines &&
           Timer6.enabled() == Cpu31.checked && focusRequest == &Edit1 && !focusWanted;
}

// With an empty input the guard stops at its first step.
bool TForm1::guardWouldChangeNothing() const { return Edit1.text().empty(); }

// The input guard keeps the phrase base's separators "^", "_" and ";" out of
// the input: one character per tick, from the first to the last, then again
// from the first. A separator clears the input and disables the transcript
// view for good. The scan position is not reset when the input is cleared;
// a position beyond the end of a new text sends the scan back to the start.
void TForm1::Timer5Timer() {
    if (Edit1.text().empty()) return;
    ++guardPosition;
    const std::string& text = Edit1.text();
    const auto length = static_cast<std::int32_t>(text.size());
    if (guardPosition <= length) {
        const char c = text[static_cast<std::size_t>(guardPosition - 1)];
        if (c == '^' || c == '_' || c == ';') {
            RichEdit1.enabled = false;
            Edit1.setText("");
            return;
        }
    }
    if (guardPosition >= length) guardPosition = 0;
}

}  // namespace sob
