#include "platform/phrase_list.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/cp1251.h"
#include "platform/errors.h"
#include "platform/rtf.h"
#include "platform/test_folder.h"

namespace sob {
namespace {

namespace fs = std::filesystem;
using Entries = std::vector<std::string>;

class PhraseListTest : public test::TemporaryWorkingFolder {};

TEST_F(PhraseListTest, PlainFilesSplitIntoLines) {
    struct Case {
        std::string content;
        Entries entries;
    };
    const Case cases[] = {
        {"", {}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\r\nb", {"a", "b"}},  // the same entries without the final line break
        {"\r\n", {""}},
        {"a\r\n\r\n", {"a", ""}},
        {"\r\n\r\nx", {"", "", "x"}},
        {"a\nb\rc\r\n\r\nd\n", {"a", "b", "c", "", "d"}},  // lone LF and lone CR break lines too
        {"\n\r", {"", ""}},                                // LF CR is two breaks
        {"  x \t^;@\r\n", {"  x \t^;@"}},
        {"\xcf\xf0\xe8\xe2\xe5\xf2^\xc7\xe4\xf0\xe0\xe2\xf1\xf2\xe2\xf3\xe9.;\r\n",
         {"\xcf\xf0\xe8\xe2\xe5\xf2^\xc7\xe4\xf0\xe0\xe2\xf1\xf2\xe2\xf3\xe9.;"}},
    };
    for (const Case& c : cases) {
        makeFile("Base/List.Dat", c.content);
        PhraseList list;
        list.Add("old entry");
        list.LoadFromFile("Base\\List.Dat");
        EXPECT_EQ(list.entries(), c.entries) << ::testing::PrintToString(c.content);
        EXPECT_EQ(list.Count(), static_cast<int>(c.entries.size()));
    }
}

TEST_F(PhraseListTest, StringsDeleteAndAdd) {
    PhraseList list;
    list.SetText("zero\r\none\r\ntwo\r\n");
    EXPECT_EQ(list.Strings(0), "zero");
    EXPECT_EQ(list.Strings(2), "two");
    for (int outside : {-1, 3, 1000}) EXPECT_EQ(list.Strings(outside), "") << outside;

    const auto before = list.revision();
    list.Delete(3);
    list.Delete(-1);
    EXPECT_EQ(list.entries(), (Entries{"zero", "one", "two"}));
    EXPECT_EQ(list.revision(), before);  // nothing changed

    list.Delete(1);
    EXPECT_EQ(list.entries(), (Entries{"zero", "two"}));
    EXPECT_GT(list.revision(), before);

    list.Add("a\r\nb");  // a text with line breaks becomes one entry per line
    list.Add("c\n");
    list.Add("");
    EXPECT_EQ(list.entries(), (Entries{"zero", "two", "a", "b", "c", "", ""}));
    EXPECT_EQ(list.Text(), "zero\r\ntwo\r\na\r\nb\r\nc\r\n\r\n\r\n");

    const auto beforeClear = list.revision();
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.Strings(0), "");
    EXPECT_EQ(list.Text(), "");
    EXPECT_GT(list.revision(), beforeClear);
}

TEST_F(PhraseListTest, PlainSaveWritesEveryEntryWithCrLf) {
    fs::create_directory("Base");
    PhraseList list;  // plain by default, as the exchange file is written
    list.assign({"\xcf\xf0\xe8\xe2\xe5\xf2", "", " x "});
    list.SaveToFile("Base\\Txt.Dat");
    EXPECT_EQ(readFile("Base/Txt.Dat"), "\xcf\xf0\xe8\xe2\xe5\xf2\r\n\r\n x \r\n");

    list.Clear();
    list.SaveToFile("Base\\Txt.Dat");
    EXPECT_EQ(readFile("Base/Txt.Dat"), "");
}

TEST_F(PhraseListTest, RichSaveLoadsBackTheSameEntries) {
    fs::create_directory("Base");
    const std::vector<Entries> lists = {
        {},
        {""},
        {"", ""},
        {"header",
         "\xcf\xd0\xc8\xc2\xc5\xd2^\xcf\xf0\xe8\xe2\xe5\xf2!;"
         "\xc7\xe4\xf0\xe0\xe2\xf1\xf2\xe2\xf3\xe9.;@",
         "", "  leading and trailing blanks  ", "tab\there", "\\par {braces} \\'e9", ""},
    };
    for (const Entries& entries : lists) {
        PhraseList saved(ListFormat::Rich);
        saved.assign(entries);
        saved.SaveToFile("Base\\W1.Dat");
        EXPECT_TRUE(isRtf(readFile("Base/W1.Dat")));
        PhraseList loaded;
        loaded.LoadFromFile("base\\w1.dat");
        EXPECT_EQ(loaded.entries(), entries) << ::testing::PrintToString(entries);
    }
}

TEST_F(PhraseListTest, AMissingFileFailsWithThePathAndKeepsTheList) {
    fs::create_directory("Base");
    PhraseList list;
    list.Add("kept");
    try {
        list.LoadFromFile("Base\\Povtor.Dat");
        FAIL() << "no error";
    } catch (const ProgramError& e) {
        EXPECT_STREQ(e.what(), "Cannot open file Base\\Povtor.Dat");
    }
    EXPECT_EQ(list.entries(), Entries{"kept"});
}

TEST_F(PhraseListTest, AWriteIntoAReadOnlyFolderFailsAndLeavesTheOldFile) {
    makeFile("Base/W2.Dat", "old\r\n");
    fs::permissions("Base", fs::perms::owner_read | fs::perms::owner_exec);
    test::WithoutFileCapabilities asUser;
    if (writableFolder("Base")) GTEST_SKIP() << "permissions are not enforced here";
    for (ListFormat format : {ListFormat::Plain, ListFormat::Rich}) {
        PhraseList list(format);
        list.Add("new");
        try {
            list.SaveToFile("Base\\W2.Dat");
            FAIL() << "no error";
        } catch (const ProgramError& e) {
            EXPECT_STREQ(e.what(), "Cannot create file Base\\W2.Dat");
        }
    }
    EXPECT_EQ(readFile("Base/W2.Dat"), "old\r\n");
    EXPECT_EQ(listFolder("Base"), std::vector<std::string>{"W2.Dat"});
}

TEST_F(PhraseListTest, ALargeFileLoadsWhole) {
    // Large enough to be read into memory of its own (huge pages).
    std::string content;
    for (int i = 0; i < 400000; ++i) content += "KEY" + std::to_string(i) + "^reply;\r\n";
    ASSERT_GT(content.size(), 4u << 20);
    makeFile("Base/Words.Dat", content);
    PhraseList list;
    list.LoadFromFile("Base\\Words.dat");
    ASSERT_EQ(list.Count(), 400000);
    EXPECT_EQ(list.Strings(399999), "KEY399999^reply;");
    EXPECT_TRUE(list.Text() == content);
}

// A list finds a file it held before without reading it again, unless the
// file has changed since: every way of changing it must be seen.
class ListAndChangedFileTest : public PhraseListTest {
protected:
    static timespec modifiedTime(const char* path) {
        struct stat st {};
        ::stat(path, &st);
        return st.st_mtim;
    }
    static void setModifiedTime(const char* path, timespec time) {
        const timespec times[2] = {time, time};
        ASSERT_EQ(::utimensat(AT_FDCWD, path, times, 0), 0);
    }
    // The file's bytes with "three" made "thref": same size, other entries.
    static std::string changedContent(const char* path) {
        std::string bytes = readFile(path);
        const std::size_t at = bytes.rfind("three");
        EXPECT_NE(at, std::string::npos);
        bytes[at + 4] = 'f';
        return bytes;
    }
};

TEST_F(ListAndChangedFileTest, ALoadGivesWhatTheFileHoldsNow) {
    const Entries before = {"one", "two", "three"};
    struct Change {
        const char* what;
        std::function<void(const char* path)> apply;
        Entries after = {"one", "two", "thref"};
    };
    const Change changes[] = {
        {"rewritten in place, its time set back",
         [](const char* path) {
             const timespec time = modifiedTime(path);
             makeFile(path, changedContent(path));
             setModifiedTime(path, time);
         }},
        {"replaced by a file of the same size and time",
         [](const char* path) {
             const timespec time = modifiedTime(path);
             makeFile("Base/other", changedContent(path));
             setModifiedTime("Base/other", time);
             fs::rename("Base/other", path);
         }},
        {"rewritten in place, another size",
         [](const char* path) {
             std::string bytes = changedContent(path);
             bytes.insert(bytes.rfind("two") + 3, "o");
             makeFile(path, bytes);
         },
         {"one", "twoo", "thref"}},
    };
    struct Situation {
        const char* what;
        ListFormat format;
        std::function<void(PhraseList&)> arrange;  // leaves Base/F.Dat holding `before`
    };
    const Situation situations[] = {
        {"loaded", ListFormat::Plain, [](PhraseList& l) { l.LoadFromFile("Base\\F.Dat"); }},
        {"loaded, then another file loaded", ListFormat::Plain,
         [](PhraseList& l) {
             l.LoadFromFile("Base\\F.Dat");
             l.LoadFromFile("Base\\G.Dat");
         }},
        {"saved", ListFormat::Rich,
         [&](PhraseList& l) {
             l.assign(before);
             l.SaveToFile("Base\\F.Dat");
         }},
        {"saved, then another file loaded twice", ListFormat::Rich,
         [&](PhraseList& l) {
             l.assign(before);
             l.SaveToFile("Base\\F.Dat");
             l.LoadFromFile("Base\\G.Dat");
             l.LoadFromFile("Base\\G.Dat");
         }},
    };
    for (const Change& change : changes) {
        for (const Situation& situation : situations) {
            makeFile("Base/F.Dat", "one\r\ntwo\r\nthree\r\n");
            makeFile("Base/G.Dat", "gamma\r\n");
            PhraseList list(situation.format);
            situation.arrange(list);
            change.apply("Base/F.Dat");
            list.LoadFromFile("Base\\F.Dat");
            EXPECT_EQ(list.entries(), change.after) << change.what << ", " << situation.what;
            list.LoadFromFile("Base\\G.Dat");
            EXPECT_EQ(list.entries(), Entries{"gamma"}) << change.what << ", " << situation.what;
        }
    }
}

TEST_F(ListAndChangedFileTest, AListUsedForSeveralFilesGivesEachItsEntries) {
    makeFile("Base/Words.Dat", "KEY^reply;\r\n");
    makeFile("Base/AI.dat", "remark\r\n");
    makeFile("Base/X.Dat", "x\r\n");
    PhraseList list(ListFormat::Rich);
    const auto load = [&](const char* path) {
        list.LoadFromFile(path);
        return list.entries();
    };
    EXPECT_EQ(load("Base\\Words.Dat"), Entries{"KEY^reply;"});
    EXPECT_EQ(load("Base\\AI.dat"), Entries{"remark"});
    EXPECT_EQ(load("Base\\Words.Dat"), Entries{"KEY^reply;"});
    EXPECT_EQ(load("Base\\X.Dat"), Entries{"x"});
    EXPECT_EQ(load("Base\\AI.dat"), Entries{"remark"});
    EXPECT_EQ(load("Base\\Words.Dat"), Entries{"KEY^reply;"});

    // A change to the list, saved or not, is never taken for a file's content.
    list.Add("NEW^");
    EXPECT_EQ(load("Base\\AI.dat"), Entries{"remark"});
    EXPECT_EQ(load("Base\\Words.Dat"), Entries{"KEY^reply;"});
    list.Add("NEW^");
    list.SaveToFile("Base\\Words.Dat");
    list.Delete(0);
    EXPECT_EQ(load("Base\\Words.Dat"), (Entries{"KEY^reply;", "NEW^"}));
    list.Add("MORE^");
    list.SaveToFile("Base\\Words.Dat");
    EXPECT_EQ(load("Base\\AI.dat"), Entries{"remark"});
    EXPECT_EQ(load("Base\\Words.Dat"), (Entries{"KEY^reply;", "NEW^", "MORE^"}));
    list.loadFromBytes("bytes\r\n");
    EXPECT_EQ(load("Base\\Words.Dat"), (Entries{"KEY^reply;", "NEW^", "MORE^"}));

    // Saved under another name, the list is that file's content.
    list.SaveToFile("Base\\Copy.Dat");
    EXPECT_EQ(load("Base\\X.Dat"), Entries{"x"});
    EXPECT_EQ(load("Base\\Copy.Dat"), (Entries{"KEY^reply;", "NEW^", "MORE^"}));

    // A file that has gone cannot be loaded, though the list kept its content.
    fs::remove("Base/X.Dat");
    EXPECT_THROW(list.LoadFromFile("Base\\X.Dat"), ProgramError);
    EXPECT_EQ(list.entries(), (Entries{"KEY^reply;", "NEW^", "MORE^"}));
}

}  // namespace
}  // namespace sob
