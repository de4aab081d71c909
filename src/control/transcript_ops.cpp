#include "platform/random.h"
#include "window/main_form.h"

namespace sob {

// New dialogue: empties the transcript, the dialogue record and the input,
// then shakes the window. The engine's state and the phrase base stay.
void TForm1::N2Click() {
    RichEdit1.clear();
    RichEdit4.Clear();
    Edit1.setText("");
    Timer7.setEnabled(true);
}

// Undo: one line off each list (they are not line for line in step: service
// lines are in the transcript only), then the shake. What the turn learnt
// stays learnt.
void TForm1::SpeedButton2Click() {
    if (RichEdit1.lineCount() > 0) RichEdit1.deleteLine(RichEdit1.lineCount() - 1);
    if (RichEdit4.Count() > 0) RichEdit4.Delete(RichEdit4.Count() - 1);
    Timer7.setEnabled(true);
}

// Ctrl+Z.
void TForm1::N15Click() {
    SpeedButton2.click();
}

// Enter, through the hidden default button.
void TForm1::TalkClick() {
    SpeedButton1.click();
}

// The entrance shake, all in one tick: the window jumps about the point
// (100, 100) of the screen 125 to 250 times, then settles in the centre of
// the desktop. Input and menus are held for that time.
void TForm1::Timer7Timer() {
    RandomGenerator& random = platform.random;
    random.randomize(platform.clock);
    MediaPlayer4.Play();

    Edit1.readOnly = true;
    for (MenuItem* menu : menuBar) menu->enabled = false;

    const int moves = random.drawBetween(125, 250);
    for (int move = 0; move < moves; ++move) {
        const int x = random.drawBetween(95, 105);
        const int y = random.drawBetween(95, 105);
        bounds.top = y;
        bounds.left = x;
        if (onWindowMoved) onWindowMoved();
    }
    lastShakeMoves = moves;
    centre();

    Edit1.readOnly = false;
    for (MenuItem* menu : menuBar) menu->enabled = true;
    Timer7.setEnabled(false);
}

}  // namespace sob
