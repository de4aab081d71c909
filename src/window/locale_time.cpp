#include "window/locale_time.h"

#include <langinfo.h>
#include <locale.h>

#include <cstdio>
#include <cstring>
#include <string_view>

#include "platform/cp1251.h"

namespace sob {

namespace {

std::string twoDigits(int value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d", value);
    return buffer;
}

// Text of the locale's own encoding as Windows-1251.
std::string toCp1251(std::string_view text, const TimeLocale& locale) {
    if (locale.utf8) return fromUtf8(text);
    std::string out(text);
    for (char& c : out)
        if (static_cast<unsigned char>(c) >= 0x80) c = '?';
    return out;
}

// One strftime conversion ("%b", "%Ey") in the current locale.
std::string strftimeOne(std::string_view conversion, const std::tm& time) {
    std::string format(conversion);
    char buffer[128];
    const std::size_t n = std::strftime(buffer, sizeof buffer, format.c_str(), &time);
    return std::string(buffer, n);
}

// Replaces the composite conversions by what they stand for.
std::string expand(std::string_view pattern, const TimeLocale& locale) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] != '%' || i + 1 >= pattern.size()) {
            out += pattern[i];
            continue;
        }
        const char c = pattern[i + 1];
        ++i;
        switch (c) {
            case 'D':
                out += "%m/%d/%y";
                break;
            case 'F':
                out += "%Y-%m-%d";
                break;
            case 'T':
                out += "%H:%M:%S";
                break;
            case 'R':
                out += "%H:%M";
                break;
            case 'r':
                out += locale.timeFormatAmPm.empty() ||
                               locale.timeFormatAmPm.find("%r") != std::string::npos
                           ? std::string("%I:%M:%S %p")
                           : locale.timeFormatAmPm;
                break;
            default:
                out += '%';
                out += c;
        }
    }
    return out;
}

// A conversion of a pattern: its letter and where it lies.
struct Conversion {
    std::size_t begin = 0;
    std::size_t end = 0;  // one past its letter
    std::string flags;    // GNU flags and E/O modifiers
    char letter = 0;
};

bool nextConversion(std::string_view pattern, std::size_t from, Conversion& found) {
    for (std::size_t i = from; i < pattern.size(); ++i) {
        if (pattern[i] != '%') continue;
        std::size_t j = i + 1;
        std::string flags;
        while (j < pattern.size() && std::strchr("-_0^#EO", pattern[j]) != nullptr)
            flags += pattern[j++];
        while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9') ++j;  // widths
        if (j >= pattern.size()) return false;
        found = Conversion{i, j + 1, flags, pattern[j]};
        return true;
    }
    return false;
}

constexpr std::string_view kFixedDate = "%d.%m.%Y";

}  // namespace

TimeLocale currentTimeLocale() {
    TimeLocale locale;
    const char* name = setlocale(LC_TIME, nullptr);
    const std::string_view localeName = name != nullptr ? name : "C";
    if (localeName == "C" || localeName == "POSIX" || localeName.starts_with("C.")) return locale;
    locale.fixed = false;
    locale.dateFormat = nl_langinfo(D_FMT);
    locale.timeFormat = nl_langinfo(T_FMT);
    locale.timeFormatAmPm = nl_langinfo(T_FMT_AMPM);
    locale.am = nl_langinfo(AM_STR);
    locale.pm = nl_langinfo(PM_STR);
    // The strings are in the character set of the LC_TIME locale, which may
    // differ from that of LC_CTYPE.
    locale.utf8 = true;
    if (locale_t timeLocale = newlocale(LC_CTYPE_MASK, name, static_cast<locale_t>(nullptr))) {
        const std::string_view codeset = nl_langinfo_l(CODESET, timeLocale);
        locale.utf8 = codeset == "UTF-8";
        freelocale(timeLocale);
    }
    return locale;
}

std::tm localCalendarTime(std::int64_t wallMs) {
    std::int64_t seconds = wallMs / 1000;
    if (wallMs % 1000 < 0) --seconds;
    const auto t = static_cast<std::time_t>(seconds);
    std::tm time{};
    localtime_r(&t, &time);
    return time;
}

std::string formatShortDate(const std::tm& time, const TimeLocale& locale) {
    const std::string pattern =
        expand(locale.fixed || locale.dateFormat.empty() ? kFixedDate : locale.dateFormat, locale);
    std::string out;
    std::size_t at = 0;
    Conversion conversion;
    while (nextConversion(pattern, at, conversion)) {
        out += pattern.substr(at, conversion.begin - at);
        const bool unpadded = conversion.flags.find('-') != std::string::npos;
        const bool plain = conversion.flags.find_first_of("EO_^#") == std::string::npos;
        switch (plain ? conversion.letter : '\0') {
            case 'd':
                out += unpadded ? std::to_string(time.tm_mday) : twoDigits(time.tm_mday);
                break;
            case 'e':
                out += std::to_string(time.tm_mday);
                break;
            case 'm':
                out += unpadded ? std::to_string(time.tm_mon + 1) : twoDigits(time.tm_mon + 1);
                break;
            case 'Y':
                out += std::to_string(time.tm_year + 1900);
                break;
            case 'y':
                out += twoDigits((time.tm_year + 1900) % 100);
                break;
            case '%':
                out += '%';
                break;
            default:
                out += strftimeOne(std::string_view(pattern).substr(
                                       conversion.begin, conversion.end - conversion.begin),
                                   time);
        }
        at = conversion.end;
    }
    out += pattern.substr(at);
    return toCp1251(out, locale);
}

std::string formatLongTime(const std::tm& time, const TimeLocale& locale) {
    std::string pattern = locale.fixed || locale.timeFormat.empty()
                              ? std::string("%H:%M:%S")
                              : expand(locale.timeFormat, locale);

    // Find the hours, the separator after them and the designator.
    bool twelveHour = false;
    bool designatorFirst = false;
    bool hasDesignator = false;
    bool hoursSeen = false;
    std::string separator;
    bool separatorFound = false;
    std::size_t at = 0;
    Conversion conversion;
    while (nextConversion(pattern, at, conversion)) {
        const char letter = conversion.letter;
        if (!hoursSeen && (letter == 'H' || letter == 'k' || letter == 'I' || letter == 'l')) {
            hoursSeen = true;
            twelveHour = letter == 'I' || letter == 'l';
            at = conversion.end;
            // The separator: the text up to the next conversion.
            Conversion next;
            if (nextConversion(pattern, at, next) && next.letter == 'M') {
                separator = pattern.substr(at, next.begin - at);
                separatorFound = true;
            }
            continue;
        }
        if (letter == 'p' || letter == 'P') {
            hasDesignator = true;
            if (!hoursSeen) designatorFirst = true;
        }
        at = conversion.end;
    }
    if (!hoursSeen) twelveHour = false;
    if (!separatorFound) separator = ":";

    int hours = time.tm_hour;
    if (twelveHour) hours = (hours + 11) % 12 + 1;
    std::string out = std::to_string(hours) + separator + twoDigits(time.tm_min) + separator +
                      twoDigits(time.tm_sec);
    if (twelveHour && hasDesignator) {
        const std::string& designator = time.tm_hour < 12 ? locale.am : locale.pm;
        if (!designator.empty())
            out = designatorFirst ? designator + " " + out : out + " " + designator;
    }
    return toCp1251(out, locale);
}

}  // namespace sob
