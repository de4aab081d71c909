#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "platform/elements.h"
#include "platform/form.h"
#include "platform/platform.h"
#include "platform/scheduler.h"

namespace sob {

class TForm1;

// The settings of the machine dialogue as the program starts with them (and
// as the restore command of the appearance menu puts them back).
inline constexpr std::string_view defaultExchangePath = "D:\\Txt.Dat";
inline constexpr int defaultExchangeInterval = 1000;

// The editor window "Редактор": the exchange file's path and the machine
// dialogue's interval (milliseconds). Both fields are live: the machine
// dialogue reads them whenever it needs them, and the window keeps no copy
// to confirm or to roll back, so "Хорошо" and "Отмена" do the same.
//
// The window is created hidden; the main window's "Ре&дактор" command opens
// it (TForm1::N38Click) and its two buttons close it. A close by the window
// manager (there is no close box) counts as "Хорошо".
class TForm2 : public Form {
public:
    TForm2(Platform& platform, TForm1& form1);

    Platform& platform;
    TForm1& Form1;

    Frame Bevel1{"Bevel1"};           // sunken frame around the window
    Frame GroupBox1{"GroupBox1"};     // "Путь файла:"
    Edit Edit1{"Edit1"};              // path field, inside GroupBox1
    Frame GroupBox2{"GroupBox2"};     // "Интервал (сек.):"
    SpinEdit SpinEdit1{"SpinEdit1"};  // interval field, inside GroupBox2
    Button Button1{"Button1"};        // "Хорошо"
    Button Button2{"Button2"};        // "Отмена"
    Timer Timer1;                     // focus timer, 2000 ms
    std::vector<Control*> tabOrder;   // path, interval, "Хорошо", "Отмена"

    // Which field the focus timer last asked to focus. The count grows with
    // every request, so the front end can tell a new one from one it has
    // applied already.
    const Control* focusRequest = nullptr;
    std::uint64_t focusRequestCount = 0;

    // Whether the window has been shown before: it is centred on the desktop
    // the first time only.
    bool shownBefore = false;

    void Button1Click();  // "Хорошо"
    void Button2Click();  // "Отмена"
    void Timer1Timer();   // focus tick
    void Edit1Change();
    void SpinEdit1Change();
    // The interval field loses the focus: its value is brought into 1..60000.
    // The front end calls it when the spin box loses the keyboard focus.
    void SpinEdit1Exit();

    // Shows the window (centred the first time) and starts the focus timer.
    // The main window's command does the rest of the opening.
    void open();

    // For the restore command of the main window: puts the default path and
    // interval back without removing the defaults mark (which every other
    // change of the fields removes). The caller sets the mark itself.
    void restoreDefaults();

private:
    void close();
    bool restoring_ = false;
};

}  // namespace sob
