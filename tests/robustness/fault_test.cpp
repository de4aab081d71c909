// A learning turn that meets a file it cannot write stops with the file error
// and leaves every file of the phrase base as it was (a write completed before
// the failing one stays, as the turn's order of writes says).

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/base_files.h"
#include "platform/errors.h"
#include "platform/file_system.h"
#include "platform/phrase_list.h"
#include "robustness/robustness_support.h"
#include "robustness/turn_rig.h"

namespace sob::testing {
namespace {

namespace fs = std::filesystem;

class FaultTest : public ::testing::Test {
protected:
    FaultTest() {
        writeSmallBase();
        // Enough lines that the keyword file is written in several chunks.
        PhraseList words(ListFormat::Rich);
        words.LoadFromFile(baseFiles::keywords);
        for (int i = 0; i < 1500; ++i)
            words.Add(w("ВЫУЧЕННАЯ ФРАЗА НОМЕР ") + std::to_string(i) + ".^" + w("Ответ на неё.;"));
        words.SaveToFile(baseFiles::keywords);
    }
    ~FaultTest() override { setWriteFaultForTesting({}); }

    // The program asked "Как тебя зовут?"; the user answers with a phrase no
    // key is found in, so the turn learns: W1.Dat, then Words.Dat twice.
    void learningTurn() {
        rig.state.PreviousReply = w("Как тебя зовут?");
        rig.tp.random.queueForTesting({1});  // the length is not looked at
        rig.tp.user([this] { rig.say(w("меня зовут Вася")); });
    }

    // Runs the learning turn after `breakIt` and expects it to stop with
    // `error` having changed only the files named in `changed`.
    void expectFailure(const std::function<void()>& breakIt, const std::string& error,
                       const std::vector<std::string>& changed) {
        breakIt();
        auto broken = snapshotFolder(dir.path());
        learningTurn();
        setWriteFaultForTesting({});

        EXPECT_EQ(rig.tp.errorBox.texts, std::vector<std::string>{error});
        EXPECT_EQ(differences(broken, snapshotFolder(dir.path())), changed)
            << "only the writes made before the failure may stay";
        EXPECT_TRUE(temporaryFiles(dir.path()).empty());
        // The turn stopped at the failure: the phrase is echoed, no reply.
        EXPECT_EQ(rig.transcript.lineCount(), 1);
        EXPECT_EQ(u(rig.state.PreviousReply), "Как тебя зовут?");
    }

    TempWorkDir dir;
    TurnRig rig;
};

TEST_F(FaultTest, WithoutAFaultTheTurnWritesBothFiles) {
    const auto before = snapshotFolder(dir.path());
    learningTurn();
    EXPECT_TRUE(rig.tp.errorBox.texts.empty());
    EXPECT_EQ(differences(before, snapshotFolder(dir.path())),
              (std::vector<std::string>{"Base/W1.Dat", "Base/Words.Dat"}));
    PhraseList words;
    words.LoadFromFile(baseFiles::keywords);
    EXPECT_EQ(u(words.Strings(words.Count() - 1)), "КАК ТЕБЯ ЗОВУТ?^Меня зовут Вася.;");
}

TEST_F(FaultTest, AReadOnlyBaseFolder) {
    PermissionsEnforced asUser;
    if (!asUser.enforced())
        GTEST_SKIP() << "root cannot give up its file permission overrides here";
    expectFailure([] { fs::permissions("Base", fs::perms::owner_read | fs::perms::owner_exec); },
                  "Cannot create file Base\\W1.Dat.", {});
    fs::permissions("Base", fs::perms::owner_all);
}

TEST_F(FaultTest, AReadOnlyKeywordFile) {
    PermissionsEnforced asUser;
    if (!asUser.enforced())
        GTEST_SKIP() << "root cannot give up its file permission overrides here";
    expectFailure(
        [] { fs::permissions("Base/Words.Dat", fs::perms::owner_read | fs::perms::group_read); },
        "Cannot create file Base\\Words.Dat.", {"Base/W1.Dat"});
}

TEST_F(FaultTest, AKeywordFileThatIsAFolder) {
    expectFailure(
        [] {
            fs::remove("Base/Words.Dat");
            fs::create_directory("Base/Words.Dat");
            std::ofstream("Base/Words.Dat/inside.txt") << "kept";
        },
        "Cannot open file Base\\Words.Dat.", {});

    // Writing over the folder is refused too, and the folder stays.
    PhraseList words(ListFormat::Rich);
    words.Add("ANY^;");
    try {
        words.SaveToFile(baseFiles::keywords);
        ADD_FAILURE() << "a folder was written over";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "Cannot create file Base\\Words.Dat");
    }
    EXPECT_TRUE(fs::is_regular_file("Base/Words.Dat/inside.txt"));
}

TEST_F(FaultTest, AWriteThatFailsMidway) {
    ASSERT_GT(fs::file_size("Base/Words.Dat"), 64u * 1024u)
        << "the keyword file must take several chunks";
    expectFailure([] { setWriteFaultForTesting([](std::size_t soFar) { return soFar > 0; }); },
                  "Cannot create file Base\\Words.Dat.", {"Base/W1.Dat"});
}

}  // namespace
}  // namespace sob::testing
