#include "window/main_form.h"

namespace sob {

// Every real change of the input line's text, typed or made by the program,
// sounds the keyboard cue. A cue still sounding plays on, so fast typing
// gives one continuous click rather than one per key.
void TForm1::Edit1Change() {
    MediaPlayer1.Play();
}

}  // namespace sob
