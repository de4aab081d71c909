// Measures what a conversation turn costs on phrase bases of 1,000, 10,000
// and 100,000 keyword lines: loading and saving the keyword file, and whole
// turns through the keyword lookup, a pending branch, a long phrase and the
// learning. Every case works on real files in a temporary folder.
//
//   sob_turn_bench [google benchmark flags]   the measurements
//   sob_turn_bench --generate=DIR:LINES       writes a base (RTF in DIR, plain
//                                             text in DIR/plain) and exits
//   sob_turn_bench --peak=CASE:DIR            runs one case once on the base in
//                                             DIR and prints its peak memory
// bench/report.py runs all three and prints the table.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench/generate_base.h"
#include "engine/base_files.h"
#include "platform/phrase_list.h"
#include "robustness/turn_rig.h"

namespace sob::bench {
namespace {

constexpr int kSizes[] = {1'000, 10'000, 100'000};

// What a turn case needs to know of its base; written beside a generated
// base so that a separate process can run the case without generating.
struct Phrases {
    std::string lateKeywordPhrase;
    int lateKeywordLine = 0;
    std::string branchPhrase;
    int branchParentLine = 0;
    std::string longPhrase;
    std::string unknownPhrase;
    std::vector<std::string> previousReplies;
};

Phrases phrasesOf(const GeneratedBase& base) {
    return Phrases{base.lateKeywordPhrase, base.lateKeywordLine, base.branchPhrase,
                   base.branchParentLine,  base.longPhrase,      base.unknownPhrase,
                   base.previousReplies};
}

void savePhrases(const Phrases& p, const std::string& file) {
    std::ofstream out(file, std::ios::binary);
    out << p.lateKeywordPhrase << '\n'
        << p.lateKeywordLine << '\n'
        << p.branchPhrase << '\n'
        << p.branchParentLine << '\n'
        << p.longPhrase << '\n'
        << p.unknownPhrase << '\n';
    for (const std::string& reply : p.previousReplies) out << reply << '\n';
}

Phrases loadPhrases(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    Phrases p;
    std::string number;
    std::getline(in, p.lateKeywordPhrase);
    std::getline(in, number);
    p.lateKeywordLine = std::stoi(number);
    std::getline(in, p.branchPhrase);
    std::getline(in, number);
    p.branchParentLine = std::stoi(number);
    std::getline(in, p.longPhrase);
    std::getline(in, p.unknownPhrase);
    for (std::string reply; std::getline(in, reply);) p.previousReplies.push_back(reply);
    return p;
}

std::string makeTempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "sob-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    return pattern;
}

// Generates the base of a size once per run; the folders go at exit.
struct GeneratedFolder {
    std::string path;  // RTF base; the plain-text copy is in path/plain
    Phrases phrases;
    ~GeneratedFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

const GeneratedFolder& folderFor(int lines) {
    static std::map<int, std::unique_ptr<GeneratedFolder>> folders;
    auto& slot = folders[lines];
    if (!slot) {
        slot = std::make_unique<GeneratedFolder>();
        slot->path = makeTempFolder();
        const GeneratedBase base = generateBase(lines);
        writeBase(base, slot->path, ListFormat::Rich);
        writeBase(base, slot->path + "/plain", ListFormat::Plain);
        slot->phrases = phrasesOf(base);
    }
    return *slot;
}

void enter(const std::string& folder) {
    std::filesystem::current_path(folder);
}

// ---------------------------------------------------------------------------
// The cases. Each runs once per call; the turn cases share one rig per run.

void loadWords(PhraseList& list) {
    list.LoadFromFile(baseFiles::keywords);
    benchmark::DoNotOptimize(list.Count());
}

void keywordTurn(testing::TurnRig& rig, const Phrases& p) {
    rig.transcript.clear();  // no repeat of the earlier line
    rig.passTime(1);
    rig.say(p.lateKeywordPhrase);
    if (rig.state.BranchLine != p.lateKeywordLine)
        throw std::logic_error("keyword turn missed its line");
    rig.state.BranchDepth = 0;
}

void branchTurn(testing::TurnRig& rig, const Phrases& p) {
    rig.transcript.clear();
    rig.passTime(1);
    rig.state.BranchDepth = 1;
    rig.state.BranchLine = p.branchParentLine;
    rig.say(p.branchPhrase);
    if (rig.state.BranchDepth != 2) throw std::logic_error("branch turn missed its line");
    rig.state.BranchDepth = 0;
}

void longPhraseTurn(testing::TurnRig& rig, const Phrases& p) {
    rig.transcript.clear();
    rig.passTime(1);
    rig.tp.random.queueForTesting({1});  // r = 2: the length is not looked at
    rig.say(p.longPhrase);
    if (rig.state.BranchLine != p.lateKeywordLine)
        throw std::logic_error("long turn missed its line");
    rig.state.BranchDepth = 0;
}

void learningTurn(testing::TurnRig& rig, const Phrases& p, int n) {
    rig.transcript.clear();
    rig.passTime(1);
    rig.state.BranchDepth = 0;
    rig.state.PreviousReply =
        p.previousReplies[static_cast<std::size_t>(n) % p.previousReplies.size()];
    rig.say(p.unknownPhrase + " " + std::to_string(n));
}

int keywordLineCount() {
    PhraseList list;
    list.LoadFromFile(baseFiles::keywords);
    return list.Count();
}

// ---------------------------------------------------------------------------

// Marks the files as changed, as another copy of the program writing them
// would: a list that held them must read and parse them again. Not timed.
void touch(benchmark::State& state, std::initializer_list<const char*> paths) {
    state.PauseTiming();
    for (const char* path : paths) {
        if (::utimensat(AT_FDCWD, path, nullptr, 0) != 0)
            throw std::runtime_error(std::string("cannot touch ") + path);
    }
    state.ResumeTiming();
}

// Loads of the keyword file of the working folder, changed on disk since it
// was last loaded, into the list that held it before, as the turns load it
// into their scratch list.
void loadChangedWords(benchmark::State& state) {
    PhraseList list(ListFormat::Rich);
    for (auto _ : state) {
        touch(state, {"Base/Words.Dat"});
        loadWords(list);
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size("Base/Words.Dat"));
}

void BM_LoadRtf(benchmark::State& state) {
    enter(folderFor(static_cast<int>(state.range(0))).path);
    loadChangedWords(state);
}

// A load of the keyword file as the list left it: nothing to read.
void BM_LoadUnchanged(benchmark::State& state) {
    enter(folderFor(static_cast<int>(state.range(0))).path);
    PhraseList list(ListFormat::Rich);
    list.LoadFromFile(baseFiles::keywords);
    for (auto _ : state) loadWords(list);
}

// The first load, into an empty list.
void BM_LoadRtfFresh(benchmark::State& state) {
    enter(folderFor(static_cast<int>(state.range(0))).path);
    for (auto _ : state) {
        PhraseList list(ListFormat::Rich);
        loadWords(list);
    }
    state.counters["bytes"] = static_cast<double>(std::filesystem::file_size("Base/Words.Dat"));
}

void BM_LoadPlain(benchmark::State& state) {
    enter(folderFor(static_cast<int>(state.range(0))).path + "/plain");
    loadChangedWords(state);
}

void BM_Save(benchmark::State& state) {
    enter(folderFor(static_cast<int>(state.range(0))).path);
    PhraseList list(ListFormat::Rich);
    list.LoadFromFile(baseFiles::keywords);
    for (auto _ : state) list.SaveToFile(baseFiles::keywords);
}

// The turns come one after another as in a conversation with one copy of
// the program; with `afterOtherCopy`, another copy has written the files a
// turn reads since the turn before.
template <void (*Turn)(testing::TurnRig&, const Phrases&), bool afterOtherCopy = false>
void BM_Turn(benchmark::State& state) {
    const GeneratedFolder& folder = folderFor(static_cast<int>(state.range(0)));
    enter(folder.path);
    testing::TurnRig rig;
    for (auto _ : state) {
        if (afterOtherCopy) touch(state, {"Base/Words.Dat"});
        Turn(rig, folder.phrases);
    }
}

int learntPhrases = 0;  // phrases taught so far: every learning turn teaches a new one

template <bool afterOtherCopy>
void BM_LearningTurn(benchmark::State& state) {
    const GeneratedFolder& folder = folderFor(static_cast<int>(state.range(0)));
    enter(folder.path);
    testing::TurnRig rig;
    const int before = keywordLineCount();
    int turns = 0;
    for (auto _ : state) {
        if (afterOtherCopy) touch(state, {"Base/Words.Dat", "Base/W1.Dat", "Base/W2.Dat"});
        learningTurn(rig, folder.phrases, ++learntPhrases);
        ++turns;
    }
    // Every turn taught a key, and gave an alternative to a learnt line.
    if (keywordLineCount() != before + turns)
        state.SkipWithError("the learning turns did not learn");
}

void sizes(benchmark::internal::Benchmark* b) {
    for (int lines : kSizes) b->Arg(lines);
    b->Unit(benchmark::kMillisecond)->UseRealTime();
}

BENCHMARK(BM_LoadRtf)->Apply(sizes);
BENCHMARK(BM_LoadRtfFresh)->Apply(sizes);
BENCHMARK(BM_LoadPlain)->Apply(sizes);
BENCHMARK(BM_LoadUnchanged)->Apply(sizes);
BENCHMARK(BM_Save)->Apply(sizes);
BENCHMARK_TEMPLATE(BM_Turn, keywordTurn)->Name("BM_KeywordTurn")->Apply(sizes);
BENCHMARK_TEMPLATE(BM_Turn, branchTurn)->Name("BM_BranchTurn")->Apply(sizes);
BENCHMARK_TEMPLATE(BM_Turn, longPhraseTurn)->Name("BM_LongPhraseTurn")->Apply(sizes);
BENCHMARK_TEMPLATE(BM_Turn, keywordTurn, true)->Name("BM_KeywordTurnAfterOtherCopy")->Apply(sizes);
// The learning turns come last: they move lines the other turns look for.
BENCHMARK_TEMPLATE(BM_LearningTurn, false)->Name("BM_LearningTurn")->Apply(sizes);
BENCHMARK_TEMPLATE(BM_LearningTurn, true)->Name("BM_LearningTurnAfterOtherCopy")->Apply(sizes);

// ---------------------------------------------------------------------------
// Separate-process modes for the report.

long peakKiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0) return std::stol(line.substr(6));
    return -1;
}

int generate(const std::string& arg) {
    const std::size_t colon = arg.rfind(':');
    const std::string folder = arg.substr(0, colon);
    const GeneratedBase base = generateBase(std::stoi(arg.substr(colon + 1)));
    writeBase(base, folder, ListFormat::Rich);
    writeBase(base, folder + "/plain", ListFormat::Plain);
    savePhrases(phrasesOf(base), folder + "/phrases.txt");
    return 0;
}

// CASE:DIR[:TIMES]. Runs the case (TIMES times, for profiling) and prints
// the process's peak memory before and after.
int peak(const std::string& arg) {
    const std::size_t colon = arg.find(':');
    const std::string name = arg.substr(0, colon);
    std::string folder = arg.substr(colon + 1);
    int times = 1;
    if (const std::size_t last = folder.rfind(':'); last != std::string::npos) {
        times = std::stoi(folder.substr(last + 1));
        folder.resize(last);
    }
    const Phrases phrases = loadPhrases(folder + "/phrases.txt");
    enter(name == "load_plain" ? folder + "/plain" : folder);
    const long before = peakKiB();
    PhraseList list(ListFormat::Rich);
    testing::TurnRig rig;
    for (int n = 1; n <= times; ++n) {
        if (name == "load_rtf" || name == "load_plain") {
            list.LoadFromFile(baseFiles::keywords);
        } else if (name == "save") {
            if (n == 1) list.LoadFromFile(baseFiles::keywords);
            list.SaveToFile(baseFiles::keywords);
        } else if (name == "keyword") {
            keywordTurn(rig, phrases);
        } else if (name == "branch") {
            branchTurn(rig, phrases);
        } else if (name == "long_phrase") {
            longPhraseTurn(rig, phrases);
        } else if (name == "learning") {
            learningTurn(rig, phrases, n);
        } else {
            throw std::invalid_argument("unknown case " + name);
        }
    }
    std::cout << "{\"case\": \"" << name << "\", \"baseline_kib\": " << before
              << ", \"peak_kib\": " << peakKiB() << "}\n";
    return 0;
}

}  // namespace
}  // namespace sob::bench

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg.rfind("--generate=", 0) == 0) return sob::bench::generate(arg.substr(11));
        if (arg.rfind("--peak=", 0) == 0) return sob::bench::peak(arg.substr(7));
    }
    const std::string start = std::filesystem::current_path().string();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::current_path(start);
    return 0;
}
