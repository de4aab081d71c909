// A turn of the machine dialogue on any exchange text: the exchange file is
// loaded into the exchange buffer, as the dialogue's tick does, and the turn
// answers it over a small phrase base in a scratch folder. The turn must
// complete, write its reply (and only it) to the exchange file, and leave
// every line of the keyword file in the grammar.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "engine/base_files.h"
#include "fuzz/fuzz_support.h"
#include "platform/file_system.h"
#include "platform/phrase_list.h"
#include "robustness/turn_rig.h"

namespace {

using namespace sob;

constexpr std::string_view kExchangeFile = "D:\\Txt.Dat";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    fuzz::enterScratchFolder(argc, argv);
    std::filesystem::create_directory("D:");
    testing::writeSmallBase();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    writeWholeFile(kExchangeFile, text);

    testing::TurnRig r;  // a fresh window for every input
    r.useMachineDialogue(std::string(kExchangeFile));
    r.exchange.LoadFromFile(kExchangeFile);
    const bool hasPhrase = !r.exchange.Text().empty() && r.exchange.Text() != "\r\n";
    r.tp.random.queueForTesting({static_cast<int>(size), size > 0 ? data[0] : 0});
    r.say("");

    if (hasPhrase) {
        fuzz::check(readWholeFile(kExchangeFile) == r.state.Answer + "\r\n",
                    "the exchange file does not hold the reply");
        fuzz::check(r.state.PreviousReply == r.state.Answer, "the turn did not complete");
    }
    PhraseList keywords;
    keywords.LoadFromFile(baseFiles::keywords);
    for (int i = 1; i < keywords.Count(); ++i)
        fuzz::check(testing::isWellFormedKeywordLine(keywords.Strings(i)),
                    "a keyword line is out of the grammar");
    if (keywords.Count() > 6) testing::writeSmallBase();  // the base stays small
    return 0;
}
