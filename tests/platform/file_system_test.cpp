#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/cp1251.h"
#include "platform/errors.h"
#include "platform/test_folder.h"

namespace sob {
namespace {

namespace fs = std::filesystem;
using test::TemporaryWorkingFolder;
using test::WithoutFileCapabilities;

class FileSystemTest : public TemporaryWorkingFolder {};

TEST_F(FileSystemTest, EveryPartOfAPathMatchesWithoutRegardToCase) {
    makeFile("Base/words.DAT", "keys");
    makeFile("Base/Deep/er/File.txt", "deep");
    EXPECT_EQ(readWholeFile("base\\DEEP\\Er\\file.TXT"), "deep");
    for (const char* path : {"Base\\Words.Dat", "Base\\Words.dat", "BASE\\WORDS.DAT",
                             "base/words.dat", "./Base\\words.DAT", "Base\\\\Words.Dat"}) {
        EXPECT_TRUE(fileExists(path)) << path;
        EXPECT_EQ(readWholeFile(path), "keys") << path;
        EXPECT_EQ(resolvePath(path).substr(resolvePath(path).find("Base")), "Base/words.DAT");
    }
}

TEST_F(FileSystemTest, CyrillicNamesMatchWithoutRegardToCase) {
    makeFile("Данные/Слова.txt", "da");
    // Lowercase folder, capital file name, in Windows-1251.
    const std::string path = fromUtf8("данные\\СЛОВА.TXT");
    EXPECT_EQ(readWholeFile(path), "da");
    writeWholeFile(path, "net");
    EXPECT_EQ(readFile("Данные/Слова.txt"), "net");
    EXPECT_EQ(listFolder("Данные"), std::vector<std::string>{"Слова.txt"});
}

TEST_F(FileSystemTest, AnExactMatchWinsOverOtherCases) {
    makeFile("Base/x.dat", "lower");
    makeFile("Base/X.dat", "upper");
    EXPECT_EQ(readWholeFile("Base\\x.dat"), "lower");
    EXPECT_EQ(readWholeFile("Base\\X.dat"), "upper");
    EXPECT_EQ(readWholeFile("base\\X.DAT"), "upper");  // first in byte order
}

TEST_F(FileSystemTest, ANewFileTakesTheNameAsWritten) {
    fs::create_directory("base");
    writeWholeFile("Base\\New.Dat", "one");
    EXPECT_EQ(listFolder("base"), std::vector<std::string>{"New.Dat"});
    writeWholeFile("BASE\\NEW.DAT", "two");  // the same file again, no second one
    EXPECT_EQ(listFolder("base"), std::vector<std::string>{"New.Dat"});
    EXPECT_EQ(readFile("base/New.Dat"), "two");
}

TEST_F(FileSystemTest, LinuxAndWindowsFormsOfPaths) {
    const std::string absolute = (fs::current_path() / "Abs.dat").string();
    writeWholeFile(absolute, "abs");
    EXPECT_EQ(readWholeFile(absolute), "abs");
    EXPECT_EQ(readFile("Abs.dat"), "abs");

    // A drive letter is just the name of a first folder, normally missing.
    EXPECT_THROW(readWholeFile("D:\\Txt.Dat"), ProgramError);
    fs::create_directory("d:");
    writeWholeFile("D:\\Txt.Dat", "hello\r\n");
    EXPECT_EQ(readFile("d:/Txt.Dat"), "hello\r\n");
}

TEST_F(FileSystemTest, ReadErrorsNameThePathAsTheProgramWroteIt) {
    fs::create_directory("Base");
    fs::create_directory("Base/Folder.Dat");
    for (const char* path :
         {"Base\\Povtor.Dat", "Nowhere\\Povtor.Dat", "Base\\Folder.Dat", "Base", ""}) {
        try {
            readWholeFile(path);
            ADD_FAILURE() << "no error for " << path;
        } catch (const ProgramError& e) {
            EXPECT_EQ(std::string(e.what()), std::string("Cannot open file ") + path);
        }
        EXPECT_FALSE(fileExists(path)) << path;
    }
}

TEST_F(FileSystemTest, AnUnreadableFileCannotBeOpened) {
    makeFile("Base/Secret.Dat", "x");
    fs::permissions("Base/Secret.Dat", fs::perms::none);
    WithoutFileCapabilities asUser;
    if (readable("Base/Secret.Dat")) GTEST_SKIP() << "permissions are not enforced here";
    EXPECT_THROW(readWholeFile("Base\\Secret.Dat"), ProgramError);
}

TEST_F(FileSystemTest, ReplacingKeepsNoTemporaryFileAndKeepsThePermissions) {
    makeFile("Base/W1.Dat", "old");
    fs::permissions("Base/W1.Dat",
                    fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    writeWholeFile("Base\\W1.Dat", "new content");
    EXPECT_EQ(readFile("Base/W1.Dat"), "new content");
    EXPECT_EQ(listFolder("Base"), std::vector<std::string>{"W1.Dat"});
    EXPECT_EQ(fs::status("Base/W1.Dat").permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    writeWholeFile("Base\\W1.Dat", "");
    EXPECT_EQ(readWholeFile("Base\\W1.Dat"), "");
}

TEST_F(FileSystemTest, WritingThroughALinkReplacesTheFileItPointsAt) {
    makeFile("real/W2.Dat", "old");
    fs::create_directory("Base");
    fs::create_symlink("../real/W2.Dat", "Base/W2.Dat");
    writeWholeFile("Base\\w2.dat", "new");
    EXPECT_TRUE(fs::is_symlink("Base/W2.Dat"));
    EXPECT_EQ(readFile("real/W2.Dat"), "new");
    EXPECT_EQ(listFolder("real"), std::vector<std::string>{"W2.Dat"});
}

// Every failing write throws "Cannot create file <path>" and leaves every file as it was.
void expectCreateError(const std::string& path, const std::string& bytes) {
    try {
        writeWholeFile(path, bytes);
        ADD_FAILURE() << "no error for " << path;
    } catch (const ProgramError& e) {
        EXPECT_EQ(std::string(e.what()), "Cannot create file " + path);
    }
}

TEST_F(FileSystemTest, AFolderInPlaceOfTheFileOrAMissingFolderCannotBeWritten) {
    fs::create_directories("Base/Words.Dat");
    makeFile("Base/Words.Dat/inside", "kept");
    expectCreateError("Base\\Words.Dat", "x");
    expectCreateError("Base\\Missing\\Words.Dat", "x");
    expectCreateError("Base\\", "x");
    expectCreateError("", "x");
    EXPECT_EQ(listFolder("Base"), std::vector<std::string>{"Words.Dat"});
    EXPECT_EQ(readFile("Base/Words.Dat/inside"), "kept");
}

TEST_F(FileSystemTest, AReadOnlyFolderLeavesTheOldFile) {
    makeFile("Base/Log.Mardun", "old log");
    fs::permissions("Base", fs::perms::owner_read | fs::perms::owner_exec);
    WithoutFileCapabilities asUser;
    if (writableFolder("Base")) GTEST_SKIP() << "permissions are not enforced here";
    expectCreateError("Base\\Log.Mardun", "new log");
    expectCreateError("Base\\Other.Dat", "new");
    EXPECT_EQ(readFile("Base/Log.Mardun"), "old log");
    EXPECT_EQ(listFolder("Base"), std::vector<std::string>{"Log.Mardun"});
}

TEST_F(FileSystemTest, AWriteThatFailsMidwayLeavesTheOldFileIntact) {
    makeFile("Base/Words.Dat", "the old keyword file");
    const std::string big(300 * 1024, 'x');
    std::vector<std::size_t> asked;
    setWriteFaultForTesting([&](std::size_t soFar) {
        asked.push_back(soFar);
        return soFar >= 128 * 1024;  // fail after two chunks are on disk
    });
    expectCreateError("Base\\Words.Dat", big);
    setWriteFaultForTesting({});
    EXPECT_EQ(asked, (std::vector<std::size_t>{0, 64 * 1024, 128 * 1024}));
    EXPECT_EQ(readFile("Base/Words.Dat"), "the old keyword file");
    EXPECT_EQ(listFolder("Base"), std::vector<std::string>{"Words.Dat"});

    writeWholeFile("Base\\Words.Dat", big);  // without the hook the same write succeeds
    EXPECT_EQ(readFile("Base/Words.Dat"), big);
}

// A file of several megabytes is written by a second thread while it is
// made: the pieces arrive whole and in order, and a failure on either side
// leaves the old file.
class LargeWriteTest : public FileSystemTest {
protected:
    // About `size` bytes (6 MiB and a bit by default), to be handed over in
    // pieces of awkward sizes.
    static std::string content(std::size_t size = 6 * 1024 * 1024 + 777) {
        std::string c;
        for (int i = 0; c.size() < size; ++i) c += std::to_string(i) + ",";
        c.resize(size);
        return c;
    }
    static void produceInPieces(const ByteSink& sink, std::string_view bytes) {
        for (std::size_t at = 0, n = 1; at < bytes.size(); at += n, n = n * 7 % 300001 + 1)
            sink(bytes.substr(at, n));
    }
    void TearDown() override {
        setWriteFaultForTesting({});
        FileSystemTest::TearDown();
    }
};

TEST_F(LargeWriteTest, ArrivesWholeAndInOrder) {
    makeFile("Base/Words.Dat", "old");
    // Whole blocks exactly, and a block and a bit.
    for (const std::size_t size : {std::size_t{3} << 20, (std::size_t{1} << 20) + 1}) {
        const std::string exact = content(size);
        writeWholeFile("Base\\Words.Dat",
                       [&](const ByteSink& sink) { produceInPieces(sink, exact); });
        EXPECT_TRUE(readFile("Base/Words.Dat") == exact) << size;
    }
    const std::string big = content();
    writeWholeFile("Base\\Words.Dat", [&](const ByteSink& sink) { produceInPieces(sink, big); });
    EXPECT_TRUE(readFile("Base/Words.Dat") == big);
    EXPECT_EQ(listFolder("Base"), std::vector<std::string>{"Words.Dat"});
    // And again over the large file, which is let go of on a thread of its own.
    writeWholeFile("Base\\Words.Dat", big + "more");
    EXPECT_TRUE(readFile("Base/Words.Dat") == big + "more");
}

TEST_F(LargeWriteTest, AFailureOnEitherSideLeavesTheOldFile) {
    const std::string big = content();
    struct Case {
        const char* what;
        std::function<void()> arrange;
        std::function<void(const ByteSink&)> produce;
    };
    const Case cases[] = {
        {"a write fails after 3 MiB",
         [] { setWriteFaultForTesting([](std::size_t soFar) { return soFar >= 3u << 20; }); },
         [&](const ByteSink& sink) { produceInPieces(sink, big); }},
        {"the very first write fails",
         [] { setWriteFaultForTesting([](std::size_t) { return true; }); },
         [&](const ByteSink& sink) { produceInPieces(sink, big); }},
        {"the making fails after 4 MiB", [] {},
         [&](const ByteSink& sink) {
             produceInPieces(sink, std::string_view(big).substr(0, 4u << 20));
             throw cannotOpenFile("Base\\W1.Dat");
         }},
    };
    for (const Case& c : cases) {
        makeFile("Base/Words.Dat", "the old keyword file");
        c.arrange();
        EXPECT_THROW(writeWholeFile("Base\\Words.Dat", c.produce), std::exception) << c.what;
        setWriteFaultForTesting({});
        EXPECT_EQ(readFile("Base/Words.Dat"), "the old keyword file") << c.what;
        EXPECT_EQ(listFolder("Base"), std::vector<std::string>{"Words.Dat"}) << c.what;
    }
    // The error is the one the program reports.
    setWriteFaultForTesting([](std::size_t soFar) { return soFar >= 3u << 20; });
    try {
        writeWholeFile("Base\\Words.Dat", big);
        ADD_FAILURE() << "the write should have failed";
    } catch (const std::exception& e) {
        EXPECT_STREQ(e.what(), "Cannot create file Base\\Words.Dat");
    }
}

}  // namespace
}  // namespace sob
