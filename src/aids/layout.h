#pragma once

#include <string>
#include <string_view>

namespace sob {

// The text as it would have come out had every key been typed in the
// Russian layout: each character of the layout table (the Latin letters and
// 18 punctuation marks) becomes its partner, in one pass, so a character
// put in by the table is not converted again; every other character
// (digits, blanks, commas, full stops, Cyrillic) stays as it is.
std::string convertLayout(std::string_view latinTyped);

}  // namespace sob
