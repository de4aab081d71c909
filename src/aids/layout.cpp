#include "window/main_form.h"

namespace sob {

void TForm1::SpeedButton3Click() {}
void TForm1::N36Click() {}

}  // namespace sob
