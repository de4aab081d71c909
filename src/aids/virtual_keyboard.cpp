#include <stdexcept>

#include "aids/keyboard_form.h"
#include "window/main_form.h"

namespace sob {

// Opens the virtual keyboard: the main window's polling stops and the
// window is disabled, so the keyboard is the only way into the input line;
// then the keyboard shows, centred, and starts its own polling.
void TForm1::N22Click() {
    if (Form4 == nullptr) throw std::logic_error("the virtual keyboard has not been created");
    suspendForSecondaryWindow();
    Form4->centre();
    Form4->show();
    Form4->enabled = true;
    Form4->Timer1.setEnabled(true);
}

}  // namespace sob
