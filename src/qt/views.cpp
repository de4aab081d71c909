#include <memory>

#include "qt/front_end.h"
#include "qt/about_view.h"
#include "qt/editor_view.h"
#include "qt/keyboard_view.h"
#include "qt/main_window_view.h"
#include "window/program.h"

namespace sob::qt {

// The views of the four windows. The main window's comes first (the error
// box and the pickers are centred on it). The editor (Form2), the about
// window (Form3) and the virtual keyboard (Form4) get their views here as
// they are written: each a FormView (see form_view.h).
void addProgramViews(FrontEnd& frontEnd, Program& program) {
    frontEnd.addView(std::make_unique<MainWindowView>(frontEnd, *program.Form1));
    frontEnd.addView(std::make_unique<EditorView>(frontEnd, *program.Form2));
    frontEnd.addView(std::make_unique<AboutView>(frontEnd, *program.Form3));
    frontEnd.addView(std::make_unique<KeyboardView>(frontEnd, *program.Form4));
}

}  // namespace sob::qt
