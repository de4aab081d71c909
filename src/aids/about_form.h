#pragma once

#include "platform/elements.h"
#include "platform/form.h"
#include "platform/phrase_list.h"
#include "platform/platform.h"

namespace sob {

class TForm1;

// The about window "О программе": version, picture and history.
class TForm3 : public Form {
public:
    TForm3(Platform& platform, TForm1& form1);

    Platform& platform;
    TForm1& Form1;

    void Button1Click();  // "История"
    void Button2Click();  // "Закрыть"
};

}  // namespace sob
