#include <stdexcept>

#include "control/editor_form.h"
#include "engine/turn.h"
#include "window/main_form.h"

namespace sob {

// One conversation turn over this window's elements. The exchange file's
// path is the editor window's path field.
void TForm1::SpeedButton1Click() {
    if (Form2 == nullptr) throw std::logic_error("the editor window has not been created");
    TurnContext turn{platform,     engine,       RichEdit1,    RichEdit2,   RichEdit3,
                     RichEdit4,    Memo1,        Memo4,        Edit1,       CpuUser1,
                     Cpu31,        Form2->Edit1, Timer4,       Timer9,      MediaPlayer2,
                     MediaPlayer5, ColorDialog2, ColorDialog3, FontDialog1, FontDialog2};
    runTurn(turn);
}

}  // namespace sob
