#pragma once

#include "platform/elements.h"
#include "platform/form.h"
#include "platform/platform.h"
#include "platform/scheduler.h"

namespace sob {

class TForm1;

// The editor window "Редактор": the exchange file's path and the machine
// dialogue's interval.
class TForm2 : public Form {
public:
    TForm2(Platform& platform, TForm1& form1);

    Platform& platform;
    TForm1& Form1;

    Frame Bevel1{"Bevel1"};
    Frame GroupBox1{"GroupBox1"};
    Edit Edit1{"Edit1"};  // path field
    Frame GroupBox2{"GroupBox2"};
    SpinEdit SpinEdit1{"SpinEdit1"};  // interval field
    Button Button1{"Button1"};        // "Хорошо"
    Button Button2{"Button2"};        // "Отмена"
    Timer Timer1;                     // focus timer

    // Which field the focus timer last asked to focus (the front end
    // applies it).
    const Control* focusRequest = nullptr;

    void Button1Click();
    void Button2Click();
    void Timer1Timer();
    void Edit1Change();
    void SpinEdit1Change();
};

}  // namespace sob
