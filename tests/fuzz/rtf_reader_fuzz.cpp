// The RTF reader on arbitrary bytes: it must read every document, however
// damaged, into entries without line breaks, the same whether it is read
// whole or in two halves at once, and the writer must give back a document
// that reads as exactly those entries.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/rtf.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sob;
    const std::string_view rtf(reinterpret_cast<const char*>(data), size);
    const std::vector<std::string> entries = readRtfEntries(rtf);
    for (const std::string& entry : entries)
        fuzz::check(entry.find_first_of("\r\n") == std::string::npos,
                    "an entry holds a line break");

    // Read again into a list that holds other strings: the same entries.
    std::vector<std::string> reused = {"left over", std::string(300, 'x'), "", "z"};
    readRtfEntries(rtf, reused);
    fuzz::check(reused == entries, "reading into a used list gives other entries");

    // Read in two halves at once (as a large document is), the same entries.
    setTwoHalvesFromForTesting(0);
    const std::vector<std::string> inHalves = readRtfEntries(rtf);
    setTwoHalvesFromForTesting(1024 * 1024);
    fuzz::check(inHalves == entries, "reading in two halves gives other entries");

    const std::string written = writeRtfEntries(entries);
    fuzz::check(isRtf(written), "the writer's document is not RTF");
    fuzz::check(readRtfEntries(written) == entries, "written entries do not read back");
    return 0;
}
