#pragma once

#include "platform/elements.h"
#include "platform/form.h"
#include "platform/platform.h"

namespace sob {

class TForm1;

// The virtual keyboard "Виртуальная клавиатура".
class TForm4 : public Form {
public:
    TForm4(Platform& platform, TForm1& form1);

    Platform& platform;
    TForm1& Form1;

    void N2Click();  // "С&крыть виртуальную клавиатуру"
};

}  // namespace sob
