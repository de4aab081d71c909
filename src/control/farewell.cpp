#include "window/main_form.h"

namespace sob {

// The farewell close, every tick after a farewell reply: the window drifts up
// and left and shrinks (never below the smallest size the window system
// allows), the close cue sounds from the 10th tick on, and the 80th tick
// chooses Exit. The count lives in the window's Tag and is never reset, so a
// sequence paused by an unmarked reply resumes where it stopped.
//
// The timer stops before Exit is chosen: if Exit fails (the dialogue log
// cannot be written) its error is shown once, the window stays open and the
// rest of the tick does not happen.
void TForm1::Timer4Timer() {
    ++Tag;
    if (Tag >= 80) {
        Timer4.setEnabled(false);
        N4.choose();
    }
    bounds.top -= 2;
    bounds.left -= 3;
    setWidth(bounds.width - 10);
    setHeight(bounds.height - 8);
    if (Tag >= 10) MediaPlayer6.Play();
}

}  // namespace sob
