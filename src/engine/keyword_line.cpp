#include "engine/keyword_line.h"

#include <algorithm>

namespace sob {

namespace {

// The text of `line` from `from` up to its first "^", when that text is a
// usable key: not empty and free of ";".
std::optional<std::string_view> keyFrom(std::string_view line, std::size_t from) {
    const std::size_t caret = line.find('^', from);
    if (caret == std::string_view::npos || caret == from) return std::nullopt;
    const std::string_view key = line.substr(from, caret - from);
    if (key.find(';') != std::string_view::npos) return std::nullopt;
    return key;
}

}  // namespace

std::optional<std::string_view> lineKey(std::string_view line) {
    return keyFrom(line, 0);
}

int branchDepth(std::string_view line) {
    const std::size_t first = line.find_first_not_of('_');
    return static_cast<int>(first == std::string_view::npos ? line.size() : first);
}

std::optional<std::string_view> branchKey(std::string_view line) {
    return keyFrom(line, static_cast<std::size_t>(branchDepth(line)));
}

int alternativeCount(std::string_view line) {
    return static_cast<int>(std::count(line.begin(), line.end(), ';'));
}

std::string_view alternative(std::string_view line, int k) {
    if (k < 1) return {};
    std::size_t start;
    if (k == 1) {
        const std::size_t caret = line.find('^');
        if (caret == std::string_view::npos) return {};
        start = caret + 1;
    } else {
        // After the (k-1)-th ";" of the line.
        std::size_t pos = std::string_view::npos;
        for (int seen = 0; seen < k - 1; ++seen) {
            pos = line.find(';', pos == std::string_view::npos ? 0 : pos + 1);
            if (pos == std::string_view::npos) return {};
        }
        start = pos + 1;
    }
    const std::size_t end = line.find(';', start);
    if (end == std::string_view::npos) return {};
    return line.substr(start, end - start);
}

bool hasFarewellMark(std::string_view line) {
    return !line.empty() && line.back() == '@';
}

}  // namespace sob
