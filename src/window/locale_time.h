#pragma once

#include <cstdint>
#include <ctime>
#include <string>

namespace sob {

// The user's date and time settings, as the C library's LC_TIME category
// holds them once the program has called setlocale (the Qt application does
// so at start). The dialogue log writes the date in the user's short date
// format and the time in the long time format.
struct TimeLocale {
    // The "C" or "POSIX" locale carries no user settings; the fixed forms
    // dd.mm.yyyy and h:mm:ss (24-hour clock) are used then.
    bool fixed = true;
    std::string dateFormat;      // D_FMT, e.g. "%d.%m.%Y"
    std::string timeFormat;      // T_FMT, e.g. "%T" or "%r"
    std::string timeFormatAmPm;  // T_FMT_AMPM, what "%r" stands for
    std::string am;              // AM_STR
    std::string pm;              // PM_STR
    bool utf8 = true;            // the strings above are UTF-8 (else single-byte)
};

// The settings of the process's current LC_TIME locale.
TimeLocale currentTimeLocale();

// Local calendar time of a wall-clock reading (milliseconds since the epoch).
std::tm localCalendarTime(std::int64_t wallMs);

// The date in the short date format, Windows-1251. The locale's date
// pattern is followed with its separators; day and month are two digits
// (%d, %m), "%e" gives the day without the blank glibc pads it with, and the
// year is written as the pattern asks (%Y four digits, %y two). Other
// conversions are written by strftime in the current locale.
std::string formatShortDate(const std::tm& time, const TimeLocale& locale);

// The time in the long time format, Windows-1251: hours, then minutes and
// seconds of two digits each, joined by the locale's time separator (the
// text between the hours and the minutes in its pattern). With a 12-hour
// pattern (%I, %l, %r) the hours run from 1 to 12 and the morning or
// afternoon designator follows after a blank, or precedes with a blank
// where the pattern puts %p first. The hours carry no leading zero: glibc
// writes every 24-hour pattern with the zero-padded %H, so it cannot tell
// "H" from "HH"; we take the Russian default, 9:05:07.
std::string formatLongTime(const std::tm& time, const TimeLocale& locale);

}  // namespace sob
