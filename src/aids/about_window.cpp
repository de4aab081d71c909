#include <stdexcept>

#include "aids/about_form.h"
#include "window/main_form.h"

namespace sob {

// Opens the about window, always collapsed: the main window's polling stops
// and it is disabled until "Закрыть".
void TForm1::N12Click() {
    if (Form3 == nullptr) throw std::logic_error("the about window has not been created");
    Timer1.setEnabled(false);
    Form3->setHeight(TForm3::collapsedHeight);
    enabled = false;
    Form3->centre();
    Form3->show();
    Form3->enabled = true;
}

}  // namespace sob
