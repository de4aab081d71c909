// A PhraseList loaded from arbitrary bytes (RTF or plain text): the entries
// hold no line breaks, a list loaded over another one ends up as a fresh
// one, and saving in either form and loading again gives the same entries.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "platform/phrase_list.h"

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    sob::fuzz::enterScratchFolder(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace sob;
    // The bytes are one file; a tail of them is also loaded first, as an
    // earlier file of the same list.
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t cut = size == 0 ? 0 : data[0] % (size + 1);

    PhraseList fresh(ListFormat::Rich);
    fresh.loadFromBytes(bytes);
    for (const std::string& entry : fresh.entries())
        fuzz::check(entry.find_first_of("\r\n") == std::string::npos,
                    "an entry holds a line break");

    PhraseList reused(ListFormat::Rich);
    reused.loadFromBytes(bytes.substr(cut));
    reused.Add("an entry added by hand");
    reused.loadFromBytes(bytes);
    fuzz::check(reused.entries() == fresh.entries(), "a list loaded over another differs");

    // Through real files, as the program saves and loads its lists; names
    // are matched without regard to case.
    fresh.SaveToFile("Base.Rtf");
    PhraseList back;
    back.LoadFromFile("base.rtf");
    fuzz::check(back.entries() == fresh.entries(), "an RTF list does not load back");

    PhraseList plain(ListFormat::Plain);
    plain.assign(fresh.entries());
    plain.SaveToFile("Base.Txt");
    back.LoadFromFile("BASE.TXT");
    // A plain list whose first entry starts with "{\rtf" reads as RTF.
    if (!(fresh.Count() > 0 && fresh.Strings(0).starts_with("{\\rtf")))
        fuzz::check(back.entries() == fresh.entries(), "a plain list does not load back");
    return 0;
}
