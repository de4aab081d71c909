#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace sob::fuzz {

// Stops the run with a message when a property of the code does not hold;
// libFuzzer reports the input that broke it.
void check(bool holds, const char* what);

// Makes a fresh folder on a memory file system (/dev/shm when there is one,
// so the writes' flushes cost nothing) the working folder for the whole
// run; it goes at exit. Called from LLVMFuzzerInitialize with its arguments:
// the corpus folders and files given on the command line are made absolute
// first, and crash inputs are written to the folder the run started in
// (unless -artifact_prefix says otherwise).
void enterScratchFolder(int* argc, char*** argv);

// Takes bytes off the front of a fuzzer input.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size)
        : rest_(reinterpret_cast<const char*>(data), size) {}

    std::uint8_t byte() {
        if (rest_.empty()) return 0;
        const auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // The text up to the next LF (dropped), or everything left.
    std::string line() {
        const std::size_t end = rest_.find('\n');
        std::string text(rest_.substr(0, end));
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return text;
    }
    std::string_view rest() const { return rest_; }

private:
    std::string_view rest_;
};

}  // namespace sob::fuzz
