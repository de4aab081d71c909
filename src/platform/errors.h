#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace sob {

// An error raised inside a handler. The message is Windows-1251 text, exactly
// as the program shows it (before the full-stop rule of the error box).
class ProgramError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "Cannot open file %s": a file that cannot be opened for reading.
// The path is given as the program wrote it ("Base\Povtor.Dat").
inline ProgramError cannotOpenFile(std::string_view path) {
    return ProgramError("Cannot open file " + std::string(path));
}

// "Cannot create file %s": a file that cannot be written.
inline ProgramError cannotCreateFile(std::string_view path) {
    return ProgramError("Cannot create file " + std::string(path));
}

// The text of the common error box: the message with a full stop appended when
// its last byte sorts after '.' (so a message ending in a letter or a digit
// gets one, and one ending in '.', '!' or ')' does not).
inline std::string errorBoxText(std::string message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
    return message;
}

}  // namespace sob
