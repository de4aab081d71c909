#include "platform/elements.h"

#include <charconv>

namespace sob {

int SpinEdit::value() const {
    int number = 0;
    const std::string& digits = text();
    const char* first = digits.data();
    const char* last = digits.data() + digits.size();
    while (first != last && *first == ' ') ++first;
    while (last != first && last[-1] == ' ') --last;
    auto [end, error] = std::from_chars(first, last, number);
    if (first == last || error != std::errc() || end != last) return 1;
    return number;
}

void SpinEdit::correct() {
    int current = value();
    if (current < minValue)
        setValue(minValue);
    else if (current > maxValue)
        setValue(maxValue);
}

const std::string& RichEdit::line(int index) const {
    static const std::string empty;
    if (index < 0 || index >= lineCount()) return empty;
    return lines_[static_cast<std::size_t>(index)].text;
}

void RichEdit::deleteLine(int index) {
    if (index < 0 || index >= lineCount()) return;
    lines_.erase(lines_.begin() + index);
    ++revision_;
}

}  // namespace sob
