#pragma once

#include <memory>

#include "aids/about_form.h"
#include "aids/keyboard_form.h"
#include "control/editor_form.h"
#include "platform/platform.h"
#include "window/main_form.h"

namespace sob {

// The program's start-up: the four windows, built in order.
//
// The constructor builds the main window from its definition (elements,
// word lists, menu, timers armed, the six sound players opened), runs its
// creation handler FormCreate (loading "Base\Words.dat"; a failure there is
// shown in the error box and the start-up goes on), then creates the editor,
// the about window and the virtual keyboard, hidden, in this order, and
// links them to the main window. A sound file that cannot be opened throws
// StartupError out of the constructor: the program shows it in the
// "Application Error" box and exits with code 1.
//
// show() shows the main window centred on the desktop; the caller then
// starts the event loop, which drives the scheduler: no tick runs before.
class Program {
public:
    explicit Program(Platform& platform);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    void show();

    // Declared in this order so that the secondary windows, which refer to
    // the main window, go first when the program ends.
    std::unique_ptr<TForm1> Form1;
    std::unique_ptr<TForm2> Form2;
    std::unique_ptr<TForm3> Form3;
    std::unique_ptr<TForm4> Form4;
};

}  // namespace sob
