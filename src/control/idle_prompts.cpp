#include <string>
#include <string_view>

#include "engine/base_files.h"
#include "window/main_form.h"

namespace sob {

namespace {

// The label of a line the program says in the dialogue record.
constexpr std::string_view cpuLabel = "CPU:     ";

}  // namespace

// The idle tick, every second: after 60 to 90 seconds without a completed
// turn the program says a line from "Base\Pause.Dat" to wake the user. The
// threshold is drawn afresh on each tick, so a prompt never comes before the
// 60th tick and always by the 90th. The prompt is written in the shared
// colour only; the rest of the style stays as the last line left it.
void TForm1::Timer2Timer() {
    platform.random.randomize(platform.clock);
    const int threshold = platform.random.drawBetween(60, 90);
    ++engine.IdleTicks;
    if (engine.IdleTicks < threshold) return;

    RichEdit2.LoadFromFile(baseFiles::idlePrompts);
    engine.Answer = RichEdit2.Strings(platform.random.Random(RichEdit2.Count()));
    RichEdit1.currentStyle.color = ColorDialog1.Color;
    RichEdit1.append(engine.Answer);
    RichEdit4.Add(std::string(cpuLabel) + engine.Answer);
    MediaPlayer5.Play();
    engine.IdleTicks = 0;
}

// The remark tick, every second while a turn has armed it: the second tick
// after the counter was last 0 adds a remark drawn from the list the turn
// loaded (never its first entry) and disarms the timer. A disarm in between
// keeps the count, so the next arming brings the remark at its first tick.
void TForm1::Timer9Timer() {
    RemarkCounter += 500;
    if (RemarkCounter != Timer9.interval()) return;

    platform.screen.busyCursor = true;
    // With fewer than two entries there is no remark to draw; entry 1 then
    // reads as the empty text.
    const int last = RichEdit2.Count() - 1;
    const int index = last >= 1 ? platform.random.drawBetween(1, last) : 1;
    MediaPlayer5.Play();
    RichEdit1.currentStyle = TextStyle{ColorDialog3.Color, FontDialog2.Font.name,
                                       FontDialog2.Font.size, FontDialog2.Font.style};
    const std::string remark = RichEdit2.Strings(index);
    RichEdit1.append(remark);
    RichEdit4.Add(std::string(cpuLabel) + remark);
    platform.screen.busyCursor = false;
    RemarkCounter = 0;
    Timer9.setEnabled(false);
}

}  // namespace sob
