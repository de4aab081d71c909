#include "window/main_form.h"

namespace sob {

void TForm1::Timer2Timer() {}
void TForm1::Timer9Timer() {}

}  // namespace sob
