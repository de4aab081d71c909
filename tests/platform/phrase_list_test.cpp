#include "platform/phrase_list.h"

#include <gtest/gtest.h>

#include <filesystem>
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
    std::string content;
    for (int i = 0; i < 100000; ++i) content += "KEY" + std::to_string(i) + "^reply;\r\n";
    makeFile("Base/Words.Dat", content);
    PhraseList list;
    list.LoadFromFile("Base\\Words.dat");
    ASSERT_EQ(list.Count(), 100000);
    EXPECT_EQ(list.Strings(99999), "KEY99999^reply;");
    EXPECT_EQ(list.Text(), content);
}

}  // namespace
}  // namespace sob
