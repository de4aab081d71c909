#include "aids/keyboard_form.h"

#include "window/main_form.h"

namespace sob {

TForm4::TForm4(Platform& platform_, TForm1& form1)
    : Form("Form4", platform_.screen), platform(platform_), Form1(form1) {
    visible = false;
}

void TForm4::N2Click() {}

}  // namespace sob
