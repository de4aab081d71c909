#include <algorithm>
#include <stdexcept>
#include <string>

#include "control/editor_form.h"
#include "platform/cp1251_literal.h"
#include "window/main_form.h"

namespace sob {

namespace {

// The mode panel of the status bar.
constexpr std::size_t modePanel = 2;

TForm2& editorOf(TForm1& form) {
    if (form.Form2 == nullptr) throw std::logic_error("the editor window has not been created");
    return *form.Form2;
}

}  // namespace

// "&Cpu\User": the user talks to the program. The service line goes to the
// transcript only, in teal, followed by an empty line. The state polling
// stops the machine dialogue's timer at its next tick.
void TForm1::CpuUser1Click() {
    RichEdit1.currentStyle.color = colors::teal;
    StatusBar1.panels.at(modePanel).text = std::string("Режим Cpu\\User"_cp);
    RichEdit1.append(std::string("Сервис:   // Режим диалога Cpu\\User."_cp));
    RichEdit1.append("");
    CpuUser1.checked = true;
    Cpu31.checked = false;
}

// "C&pu\Cpu": the program talks to another copy of itself (or to itself)
// through the exchange file. The state polling starts the timer.
void TForm1::Cpu31Click() {
    RichEdit1.currentStyle.color = colors::teal;
    StatusBar1.panels.at(modePanel).text = std::string("Режим Cpu\\Cpu"_cp);
    RichEdit1.append(std::string("Сервис:   // Режим диалога Cpu\\Cpu."_cp));
    CpuUser1.checked = false;
    Cpu31.checked = true;
}

// "Ре&дактор": opens the editor window over a disabled main window.
void TForm1::N38Click() {
    TForm2& editor = editorOf(*this);
    suspendForSecondaryWindow();
    editor.open();
}

// The machine dialogue's tick: read the exchange file whole into the exchange
// buffer, take the period from the interval field, and answer the text with
// one turn. A file that cannot be read ends the tick before the period is
// touched; the next tick tries again.
void TForm1::Timer6Timer() {
    TForm2& editor = editorOf(*this);
    Memo1.LoadFromFile(editor.Edit1.text());
    // The field may hold a value it has not corrected yet (it corrects on
    // leaving it); a period of 0 would stop the dialogue for good.
    Timer6.setInterval(
        std::clamp(editor.SpinEdit1.value(), editor.SpinEdit1.minValue, editor.SpinEdit1.maxValue));
    SpeedButton1.click();
}

}  // namespace sob
