#include "window/main_form.h"

namespace sob {

void TForm1::N12Click() {}

}  // namespace sob
