#include "window/main_form.h"

namespace sob {

void TForm1::Timer4Timer() {}

}  // namespace sob
