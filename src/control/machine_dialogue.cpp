#include "window/main_form.h"

namespace sob {

void TForm1::CpuUser1Click() {}
void TForm1::Cpu31Click() {}
void TForm1::N38Click() {}
void TForm1::Timer6Timer() {}

}  // namespace sob
