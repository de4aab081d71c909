#include "engine/phrase_preparation.h"

namespace sob {

namespace {

// The capital of one of the 33 lowercase Cyrillic letters of Windows-1251
// (а..я at 0xE0..0xFF, ё at 0xB8); any other character is returned as it is.
char capitalCyrillic(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0xE0) return static_cast<char>(byte - 0x20);
    if (byte == 0xB8) return static_cast<char>(0xA8);
    return c;
}

}  // namespace

std::string preparePhrase(std::string_view phrase) {
    std::string prepared(phrase);
    if (prepared.empty()) return prepared;
    prepared.front() = capitalCyrillic(prepared.front());
    switch (prepared.back()) {
        case ',':
            prepared.back() = '.';
            break;
        case '.':
        case '!':
        case '?':
            break;
        default:
            prepared += '.';
            break;
    }
    return prepared;
}

}  // namespace sob
