#include <string>

#include "engine/base_files.h"
#include "platform/cp1251_literal.h"
#include "window/locale_time.h"
#include "window/main_form.h"

namespace sob {

// Exit: appends one block with the date, the time, the size of the phrase
// base and the dialogue record to "Base\Log.Mardun", rewriting the file
// whole (as rich text, through the scratch list), then closes the window.
// The log must exist beforehand; a failure ends the command before the file
// is written and leaves the window open.
void TForm1::N4Click() {
    RichEdit2.LoadFromFile(baseFiles::dialogueLog);
    RichEdit3.LoadFromFile(baseFiles::keywordsLowerDat);

    const std::string indent(22, ' ');
    RichEdit2.Add("");
    RichEdit2.Add(std::string(80, '-'));
    RichEdit2.Add(indent + std::string(30, '_'));

    // Date and time are two readings of the clock: an exit at midnight may
    // show the old day's date with the new day's time.
    const TimeLocale locale = currentTimeLocale();
    const std::string date = formatShortDate(localCalendarTime(platform.clock.wallMs()), locale);
    const std::string time = formatLongTime(localCalendarTime(platform.clock.wallMs()), locale);
    RichEdit2.Add(indent + std::string("Дата - "_cp) + date + "   |   " +
                  std::string("Время -"_cp) + time);

    RichEdit2.Add(indent + std::string(30, '~'));
    RichEdit2.Add(std::string("//Загружено фраз выученных программой: "_cp) +
                  std::to_string(RichEdit3.Count() - 1));
    for (const std::string& entry : RichEdit4.entries()) RichEdit2.Add(entry);
    RichEdit2.Add(std::string(53, '='));

    RichEdit2.SaveToFile(baseFiles::dialogueLog);
    Close();
}

}  // namespace sob
