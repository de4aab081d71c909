#include "aids/about_form.h"

#include "window/main_form.h"

namespace sob {

TForm3::TForm3(Platform& platform_, TForm1& form1)
    : Form("Form3", platform_.screen), platform(platform_), Form1(form1) {
    visible = false;
}

void TForm3::Button1Click() {}
void TForm3::Button2Click() {}

}  // namespace sob
