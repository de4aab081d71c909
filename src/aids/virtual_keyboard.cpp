#include "window/main_form.h"

namespace sob {

void TForm1::N22Click() {}

}  // namespace sob
