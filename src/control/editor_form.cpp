#include "control/editor_form.h"

#include "window/main_form.h"

namespace sob {

TForm2::TForm2(Platform& platform_, TForm1& form1)
    : Form("Form2", platform_.screen), platform(platform_), Form1(form1),
      Timer1(platform_.scheduler, "Form2.Timer1", 2000, false) {
    visible = false;
    Edit1.setText("D:\\Txt.Dat");
    SpinEdit1.minValue = 1;
    SpinEdit1.maxValue = 60000;
    SpinEdit1.setValue(1000);
}

void TForm2::Button1Click() {}
void TForm2::Button2Click() {}
void TForm2::Timer1Timer() {}
void TForm2::Edit1Change() {}
void TForm2::SpinEdit1Change() {}

}  // namespace sob
