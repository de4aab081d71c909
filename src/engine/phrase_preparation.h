#pragma once

#include <string>
#include <string_view>

namespace sob {

// The phrase as the program shows and learns it: a lowercase Cyrillic first
// letter (а..я, ё) becomes its capital, other first characters (Latin letters
// included) stay; a final "," becomes "."; a phrase that does not end with
// ".", "!" or "?" gets "." appended. A non-empty phrase is expected.
std::string preparePhrase(std::string_view phrase);

}  // namespace sob
