#include "window/main_form.h"

namespace sob {

void TForm1::N2Click() {}
void TForm1::SpeedButton2Click() {}
void TForm1::N15Click() {}
void TForm1::TalkClick() {}
void TForm1::Timer7Timer() {}

}  // namespace sob
