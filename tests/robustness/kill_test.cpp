// A process killed at a random moment while it saves a large keyword file
// leaves the file as it was before that save or as the save made it, never
// a mixture or a part: every write goes to a temporary file that is renamed
// over the old one only once it is complete.
//
// A kill can leave behind the temporary file of the save it interrupted
// (".Words.Dat.tmp-<pid>-<n>" beside the keyword file): nothing removes it
// later, but nothing reads it either, and there is at most one per kill.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "engine/base_files.h"
#include "platform/file_system.h"
#include "platform/phrase_list.h"
#include "platform/rtf.h"
#include "robustness/robustness_support.h"
#include "robustness/turn_rig.h"

namespace sob::testing {
namespace {

// A keyword file of about 5 MB of RTF; `variant` changes every reply.
std::vector<std::string> largeKeywordFile(int variant) {
    std::vector<std::string> lines{w("Фразы программы")};
    for (int i = 0; i < 33'000; ++i)
        lines.push_back(w("ВЫУЧЕННАЯ ФРАЗА НОМЕР ") + std::to_string(i) + ".^" + w("Ответ номер ") +
                        std::to_string(variant) + ".;");
    return lines;
}

TEST(KillTest, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
    constexpr int kKills = 50;
    TempWorkDir dir;
    writeSmallBase();

    PhraseList first(ListFormat::Rich);
    PhraseList second(ListFormat::Rich);
    first.assign(largeKeywordFile(1));
    second.assign(largeKeywordFile(2));
    const std::string firstBytes = writeRtfEntries(first.entries());
    const std::string secondBytes = writeRtfEntries(second.entries());
    ASSERT_GT(firstBytes.size(), 4'500'000u);

    // How long one save takes here, so the kills fall anywhere in a save.
    const auto start = std::chrono::steady_clock::now();
    first.SaveToFile(baseFiles::keywords);
    const auto saveTime = std::chrono::steady_clock::now() - start;
    const auto saveMicros = std::max<long long>(
        1000, std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count());

    std::mt19937 random(20261211);
    int foundFirst = 0;
    int foundSecond = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Saves the two contents in turn until it is killed.
            ::close(ready[0]);
            const char go = 1;
            [[maybe_unused]] const auto n = ::write(ready[1], &go, 1);
            for (;;) {
                second.SaveToFile(baseFiles::keywords);
                first.SaveToFile(baseFiles::keywords);
            }
        }
        ::close(ready[1]);
        char go = 0;
        ASSERT_EQ(::read(ready[0], &go, 1), 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(
            std::uniform_int_distribution<long long>(0, 3 * saveMicros)(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);

        const std::string bytes = readWholeFile(baseFiles::keywords);
        ASSERT_TRUE(bytes == firstBytes || bytes == secondBytes)
            << "after kill " << kill << " the keyword file holds " << bytes.size()
            << " other bytes";
        PhraseList loaded;
        loaded.LoadFromFile(baseFiles::keywords);
        ASSERT_EQ(loaded.entries(), bytes == firstBytes ? first.entries() : second.entries());
        (bytes == firstBytes ? foundFirst : foundSecond)++;
    }

    const auto leftOver = temporaryFiles(dir.path());
    EXPECT_LE(leftOver.size(), static_cast<std::size_t>(kKills));
    RecordProperty("kills", kKills);
    RecordProperty("old_content_found", foundFirst);
    RecordProperty("new_content_found", foundSecond);
    RecordProperty("temporary_files_left", static_cast<int>(leftOver.size()));
    std::cout << "[ kills    ] " << kKills << " kills: old file " << foundFirst
              << " times, new file " << foundSecond << " times; " << leftOver.size()
              << " temporary files left by interrupted saves\n";

    // The program goes on writing beside what a kill left behind.
    second.SaveToFile(baseFiles::keywords);
    EXPECT_EQ(readWholeFile(baseFiles::keywords), secondBytes);
}

}  // namespace
}  // namespace sob::testing
