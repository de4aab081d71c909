#pragma once

#include <optional>
#include <string_view>

namespace sob {

// Reading one line of the keyword file "Base\Words.Dat".
//
//   main line:    KEY^alternative 1;alternative 2;...;[@]
//   branch line:  ___KEY^alternative 1;alternative 2;...;
//
// Lines written by hand may break this form. The accessors never fail on
// them: a line with no "^", with "^" right at the start of its key (an empty
// key), or with ";" before its first "^" has no key and is never matched; a
// line with no ";" has no alternatives and is never chosen as a reply, like a
// learnt key waiting for its first reply ("KEY^").

// The key of a line: the text before its first "^". For a branch line that
// text starts with its underscores (learning compares whole keys this way).
std::optional<std::string_view> lineKey(std::string_view line);

// The number of "_" at the start of the line: 0 for a main line, the depth
// for a branch line.
int branchDepth(std::string_view line);

// The key of a branch line: the text after its leading "_" up to the first
// "^". Same rules as lineKey.
std::optional<std::string_view> branchKey(std::string_view line);

// The number of reply alternatives: the number of ";" in the whole line.
int alternativeCount(std::string_view line);

// Alternative k (1 <= k <= alternativeCount): for k = 1 the text after the
// first "^" up to the first ";" after it, for k >= 2 the text after the
// (k-1)-th ";" up to the k-th. The empty text for any other k.
std::string_view alternative(std::string_view line, int k);

// Whether the line ends with the farewell mark "@".
bool hasFarewellMark(std::string_view line);

}  // namespace sob
