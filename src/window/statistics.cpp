#include <cstdint>
#include <string>

#include "engine/base_files.h"
#include "platform/cp1251_literal.h"
#include "window/main_form.h"

namespace sob {

namespace {

// Runs a handler of a timer that ticks once. Its last step disables the
// timer; should a step fail, the timer is disabled all the same before the
// error goes on to the error box, so that a failing read is reported once
// and not again at every tick. What the handler did up to the failing step
// stays as it is.
template <typename Body>
void runOnce(Timer& timer, Body body) {
    try {
        body();
    } catch (...) {
        timer.setEnabled(false);
        throw;
    }
    timer.setEnabled(false);
}

}  // namespace

// Start-up load: counts the main phrases and the branch lines of the keyword
// file into the status bar. Line 0, the header, is not counted. A line is a
// branch line when it begins with "_"; every other line, an empty one too,
// is a main phrase (an empty line has no "_" in front; the program itself
// never writes one).
void TForm1::Timer3Timer() {
    runOnce(Timer3, [this] {
        StatusBar1.panels[0].text = std::string("Идёт загрузка подождите..."_cp);
        Edit1.readOnly = true;
        SpeedButton1.enabled = false;
        RichEdit2.LoadFromFile(baseFiles::keywords);
        std::int32_t mainPhrases = 0;
        std::int32_t branches = 0;
        for (int i = 1; i < RichEdit2.Count(); ++i) {
            if (RichEdit2.Strings(i).starts_with('_'))
                ++branches;
            else
                ++mainPhrases;
        }
        StatusBar1.panels[1].text = std::string("Программе известно:   [главные фразы - "_cp) +
                                    std::to_string(mainPhrases) + std::string("   ветки - "_cp) +
                                    std::to_string(branches) + "]";
        Edit1.readOnly = false;
        // The next polling tick sets it again by the input.
        SpeedButton1.enabled = true;
        StatusBar1.panels[0].text = std::string("Загрузка окончена"_cp);
    });
}

// Menu statistics: appends to "Входящие выражения:" the number of keys
// (the lines of the keyword file after its header), to "Исходящие
// выражения:" the number of replies (the lines of the six reply lists plus
// the ";" that end the reply alternatives of the keyword file) and to
// "Итого:" their sum.
void TForm1::Timer8Timer() {
    runOnce(Timer8, [this] {
        std::int32_t incoming = 0;
        std::int32_t outgoing = 0;
        RichEdit2.LoadFromFile(baseFiles::keywords);
        incoming += RichEdit2.Count();
        N18.caption += " [" + std::to_string(incoming - 1) + "]";
        for (std::string_view list :
             {baseFiles::longPhraseReplies, baseFiles::idlePrompts, baseFiles::repeatReplies,
              baseFiles::questionReplies, baseFiles::statementReplies, baseFiles::abuseReplies}) {
            RichEdit2.LoadFromFile(list);
            outgoing += RichEdit2.Count();
        }
        RichEdit2.LoadFromFile(baseFiles::keywords);
        for (int i = 1; i < RichEdit2.Count(); ++i)
            for (char c : RichEdit2.Strings(i))
                if (c == ';') ++outgoing;
        N19.caption += " [" + std::to_string(outgoing) + "]";
        N20.caption += " [" + std::to_string(incoming - 1 + outgoing) + "]";
    });
}

}  // namespace sob
