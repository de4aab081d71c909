#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/elements.h"
#include "platform/form.h"
#include "platform/platform.h"
#include "platform/scheduler.h"

namespace sob {

class TForm1;

// The virtual keyboard "Виртуальная клавиатура": on-screen keys that write
// Russian text into the main window's input line with the mouse. Created
// once, hidden, at start-up; the main window's N22Click opens it, its own
// menu command N2Click closes it.
class TForm4 : public Form {
public:
    // Builds the window with all its keys and runs FormCreate.
    TForm4(Platform& platform, TForm1& form1);

    Platform& platform;
    TForm1& Form1;

    Frame GroupBox1{"GroupBox1"};  // "Знаки:", the 28 symbol keys
    Frame GroupBox2{"GroupBox2"};  // "Буквы:", the 33 letter keys

    // Symbol keys (inside GroupBox1): each appends its one character.
    SpeedButton SpeedButton2{"SpeedButton2"}, SpeedButton3{"SpeedButton3"},
        SpeedButton4{"SpeedButton4"}, SpeedButton5{"SpeedButton5"}, SpeedButton6{"SpeedButton6"},
        SpeedButton7{"SpeedButton7"}, SpeedButton8{"SpeedButton8"}, SpeedButton9{"SpeedButton9"},
        SpeedButton10{"SpeedButton10"}, SpeedButton11{"SpeedButton11"},
        SpeedButton12{"SpeedButton12"}, SpeedButton13{"SpeedButton13"},
        SpeedButton14{"SpeedButton14"}, SpeedButton15{"SpeedButton15"},
        SpeedButton16{"SpeedButton16"}, SpeedButton17{"SpeedButton17"},
        SpeedButton18{"SpeedButton18"}, SpeedButton19{"SpeedButton19"},
        SpeedButton20{"SpeedButton20"}, SpeedButton21{"SpeedButton21"},
        SpeedButton22{"SpeedButton22"}, SpeedButton24{"SpeedButton24"},
        SpeedButton25{"SpeedButton25"}, SpeedButton26{"SpeedButton26"},
        SpeedButton27{"SpeedButton27"}, SpeedButton28{"SpeedButton28"},
        SpeedButton64{"SpeedButton64"}, SpeedButton65{"SpeedButton65"};

    // Letter keys А .. Я (inside GroupBox2), captions in capitals: each
    // appends its letter in the case the caps state chooses.
    SpeedButton SpeedButton29{"SpeedButton29"}, SpeedButton30{"SpeedButton30"},
        SpeedButton31{"SpeedButton31"}, SpeedButton32{"SpeedButton32"},
        SpeedButton33{"SpeedButton33"}, SpeedButton34{"SpeedButton34"},
        SpeedButton35{"SpeedButton35"}, SpeedButton36{"SpeedButton36"},
        SpeedButton37{"SpeedButton37"}, SpeedButton38{"SpeedButton38"},
        SpeedButton39{"SpeedButton39"}, SpeedButton40{"SpeedButton40"},
        SpeedButton41{"SpeedButton41"}, SpeedButton42{"SpeedButton42"},
        SpeedButton43{"SpeedButton43"}, SpeedButton44{"SpeedButton44"},
        SpeedButton45{"SpeedButton45"}, SpeedButton46{"SpeedButton46"},
        SpeedButton47{"SpeedButton47"}, SpeedButton48{"SpeedButton48"},
        SpeedButton49{"SpeedButton49"}, SpeedButton50{"SpeedButton50"},
        SpeedButton51{"SpeedButton51"}, SpeedButton52{"SpeedButton52"},
        SpeedButton53{"SpeedButton53"}, SpeedButton54{"SpeedButton54"},
        SpeedButton55{"SpeedButton55"}, SpeedButton56{"SpeedButton56"},
        SpeedButton57{"SpeedButton57"}, SpeedButton58{"SpeedButton58"},
        SpeedButton59{"SpeedButton59"}, SpeedButton60{"SpeedButton60"},
        SpeedButton61{"SpeedButton61"};

    // Function keys (on the window itself).
    SpeedButton SpeedButton62{"SpeedButton62"};  // "Bcksp"
    SpeedButton SpeedButton66{"SpeedButton66"};  // "[Enter]"
    SpeedButton SpeedButton23{"SpeedButton23"};  // "Пробел"
    SpeedButton SpeedButton63{"SpeedButton63"};  // Caps Lock

    // The window's menu: "&Система" with "С&крыть виртуальную клавиатуру".
    MenuItem N1, N2;
    std::vector<MenuItem*> menuBar;

    Timer Timer1;  // 1 ms: offers Bcksp and [Enter] only while the line has text

    // 0: the letter keys write lower case; 1: upper case. Set to 0 when the
    // window is created and changed only by the Caps Lock key, so it
    // survives closing and reopening the keyboard.
    int capsState = 0;

    // ---- handlers ----
    void FormCreate();
    // The symbol keys and "Пробел" (SpeedButton23Click): append the key's
    // character at the end of the input line, wherever the caret is.
    void appendToInput(char character);
    // The letter keys SpeedButton29 .. SpeedButton61 (letter 0 is А, 6 is Ё,
    // 32 is Я): append the letter in the case of the caps state.
    void letterKeyClick(int letterIndex);
    void SpeedButton23Click();  // "Пробел"
    void SpeedButton62Click();  // "Bcksp"
    void SpeedButton63Click();  // Caps Lock
    void SpeedButton66Click();  // "[Enter]"
    void Timer1Timer();
    void N2Click();  // "С&крыть виртуальную клавиатуру"

    // The 28 symbol keys in the order of their rows, left to right.
    std::array<SpeedButton*, 28> symbolKeys();
    // The 33 letter keys, А .. Я.
    std::array<SpeedButton*, 33> letterKeys();

    // The Windows-1251 letter of a letter key (0 .. 32) in lower or upper case.
    static char letter(int index, bool upperCase);
};

}  // namespace sob
