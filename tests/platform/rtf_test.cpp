#include "platform/rtf.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "platform/cp1251.h"

namespace sob {
namespace {

using Entries = std::vector<std::string>;

std::string fixture(const std::string& name) {
    std::ifstream in(std::string(SOB_TEST_DATA_DIR) + "/rtf/" + name, std::ios::binary);
    EXPECT_TRUE(in.good()) << name;
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Entries cp1251(std::initializer_list<const char*> utf8) {
    Entries r;
    for (const char* s : utf8) r.push_back(fromUtf8(s));
    return r;
}

std::string body(const std::string& text) {
    return "{\\rtf1\\ansi\\ansicpg1251\\deff0{\\fonttbl{\\f0\\fnil\\fcharset204 MS Sans Serif;}}"
           "\\pard\\f0\\fs16 " +
           text;
}

TEST(Rtf, RecognisesRichText) {
    EXPECT_TRUE(isRtf("{\\rtf1\\ansi}"));
    EXPECT_TRUE(isRtf(fixture("windows_richedit.rtf")));
    EXPECT_FALSE(isRtf("{\\rt"));
    EXPECT_FALSE(isRtf(" {\\rtf1}"));
    EXPECT_FALSE(isRtf("KEY^reply;\r\n"));
    EXPECT_FALSE(isRtf(""));
}

TEST(Rtf, EveryByteOfAnEntrySurvivesWriteAndRead) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != '\r' && b != '\n') all.push_back(static_cast<char>(b));
    }
    Entries single;
    for (char c : all) single.emplace_back(1, c);
    const std::vector<Entries> lists = {
        {all},
        single,
        {all, "", all, ""},
        {},
        {""},
        {"", ""},
        {"  blanks around  ", " ", "\t", "\ttab first", "tab last\t", "1 digit first"},
        {"\\par", "{\\b not bold}", "\\'e9", "\\u1055?", "}", "{", "\\"},
        {"a", "", "b", "", ""},
    };
    for (const Entries& entries : lists) {
        const std::string rtf = writeRtfEntries(entries);
        EXPECT_TRUE(isRtf(rtf));
        EXPECT_EQ(readRtfEntries(rtf), entries) << ::testing::PrintToString(entries);
    }
}

TEST(Rtf, RandomListsSurviveWriteAndRead) {
    std::mt19937 rng(20241209);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int round = 0; round < 300; ++round) {
        Entries entries(rng() % 8);
        for (std::string& e : entries) {
            const int length = static_cast<int>(rng() % 4 == 0 ? 0 : rng() % 40);
            for (int i = 0; i < length; ++i) {
                int b = byte(rng);
                while (b == '\r' || b == '\n') b = byte(rng);
                e.push_back(static_cast<char>(b));
            }
        }
        ASSERT_EQ(readRtfEntries(writeRtfEntries(entries)), entries)
            << ::testing::PrintToString(entries);
    }
}

// Read in two halves at once, as a large document is, any document reads as
// it does whole: the second half's reading is used only where it began in
// the state the first half ended in.
TEST(Rtf, ReadingInTwoHalvesChangesNothing) {
    std::vector<std::string> documents = {
        fixture("windows_richedit.rtf"),
        fixture("unicode_editor.rtf"),
        body("a\\par\r\n{\\b b\\par\r\nc}\\par\r\nd\\par\r\n}"),
        body("a\\par\r\n{\\*\\x b\\par\r\nc\\par\r\n}\\par\r\nd\\par\r\n}"),
        body("a\\par\r\n\\u1040\\par\r\nb\\par\r\n}"),
        body("a\\par\r\nb\\bin9 \\par\r\nc}d\\par\r\n}"),
        body("a\\par\r\n}b\\par\r\nc\\par\r\n"),
        body("k\\\\par\r\nv\\par k\\\\par\r\nv\\par }"),
        body("a\\par\r\n\\par\r\n"),
    };
    std::mt19937 rng(11);
    for (int round = 0; round < 200; ++round) {
        Entries entries(rng() % 12);
        for (std::string& e : entries)
            for (int n = static_cast<int>(rng() % 6); n > 0; --n) e += "ab\xe0{\\"[rng() % 6];
        const std::string rtf = writeRtfEntries(entries);
        documents.push_back(rtf);
        documents.push_back(rtf.substr(0, rng() % rtf.size()));
    }
    setTwoHalvesFromForTesting(0);
    std::vector<Entries> inHalves;
    for (const std::string& d : documents) inHalves.push_back(readRtfEntries(d));
    setTwoHalvesFromForTesting(1024 * 1024);
    for (std::size_t i = 0; i < documents.size(); ++i)
        EXPECT_EQ(inHalves[i], readRtfEntries(documents[i])) << documents[i];
}

// A list of Cyrillic phrases of natural lengths, with now and then an empty
// entry, an entry holding the bytes that need escaping and a very long one.
Entries largeList(int count, unsigned seed) {
    std::mt19937 rng(seed);
    const std::string letters = fromUtf8("абвгдеёжзийклмнопрстуфхцчшщъыьэюяАБВГДЕЁЖЗИЙКЛМН");
    Entries entries(static_cast<std::size_t>(count));
    for (std::string& e : entries) {
        switch (rng() % 50) {
            case 0:
                break;  // empty
            case 1:
                e = "\\par {}\t\x01tab\'e0";
                break;
            case 2:
                e.assign(20000 + rng() % 7, letters[rng() % letters.size()]);
                break;
            default:
                for (int word = 1 + static_cast<int>(rng() % 12); word > 0; --word) {
                    for (int n = 1 + static_cast<int>(rng() % 9); n > 0; --n)
                        e += letters[rng() % letters.size()];
                    e += word > 1 ? " " : "?";
                }
        }
    }
    return entries;
}

// A large document is read in two halves at once: what it reads must not
// depend on that, whatever the list held before.
TEST(Rtf, LargeListsSurviveWriteAndRead) {
    const Entries lists[] = {
        largeList(30000, 1),
        largeList(30001, 2),
        [] {
            Entries e = largeList(30000, 3);
            e.insert(e.end(), 5, "");  // empty entries at the end
            return e;
        }(),
        Entries(400000, ""),
    };
    for (const Entries& entries : lists) {
        const std::string rtf = writeRtfEntries(entries);
        ASSERT_GT(rtf.size(), 1024u * 1024u);
        EXPECT_TRUE(readRtfEntries(rtf) == entries);
        for (const Entries& before : {Entries(10, "old"), Entries(200000, "old"), lists[1]}) {
            Entries got = before;
            readRtfEntries(rtf, got);
            EXPECT_TRUE(got == entries) << before.size() << " entries before";
        }
    }
}

// When the middle of a large document is not between two entries of its
// text, the document is still read as a whole would be.
TEST(Rtf, LargeDocumentsWhoseMiddleIsNotPlainTextReadAsAWhole) {
    Entries half;
    std::string halfRtf;
    for (int i = 0; i < 40000; ++i) {
        half.push_back("line " + std::to_string(i));
        halfRtf += half.back() + "\\par\r\n";
    }
    const auto document = [&](const std::string& middle) {
        return body(halfRtf + middle + halfRtf + "}");
    };
    const auto twice = [&](const Entries& middle) {
        Entries e = half;
        e.insert(e.end(), middle.begin(), middle.end());
        e.insert(e.end(), half.begin(), half.end());
        return e;
    };
    struct Case {
        const char* what;
        std::string middle;
        Entries entries;
    };
    const Case cases[] = {
        {"a skipped group", "{\\*\\comment " + halfRtf + "}", {}},
        {"a bold group", "{\\b " + halfRtf + "}", half},
        {"binary data", "{\\pict\\bin" + std::to_string(halfRtf.size()) + " " + halfRtf + "}", {}},
        {"a group in another code page",
         "{\\fonttbl{\\f1\\fcharset238 Arial;}}{\\f1 " + halfRtf + "}", half},
    };
    for (const Case& c : cases) {
        const std::string rtf = document(c.middle);
        ASSERT_GT(rtf.size(), 1024u * 1024u);
        EXPECT_TRUE(readRtfEntries(rtf) == twice(c.entries)) << c.what;
    }
    // The only "\par" and line break in the middle belongs to an escaped backslash.
    std::string escaped;
    Entries escapedEntries;
    for (int i = 0; i < 80000; ++i) {
        escaped += "k\\\\par\r\nv\\par ";
        escapedEntries.push_back("k\\parv");
    }
    ASSERT_GT(escaped.size(), 1024u * 1024u);
    EXPECT_TRUE(readRtfEntries(body(escaped + "}")) == escapedEntries);
}

TEST(Rtf, WritesCodePage1251WithEscapes) {
    EXPECT_EQ(writeRtfEntries({"\xcf\xf0\xe8\xe2\xe5\xf2!", "a\\b{c}\td\x01"}),
              "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
              "{\\fonttbl{\\f0\\fnil\\fcharset204 MS Sans Serif;}}\r\n"
              "\\viewkind4\\uc1\\pard\\f0\\fs16 \\'cf\\'f0\\'e8\\'e2\\'e5\\'f2!\\par\r\n"
              "a\\\\b\\{c\\}\\tab d\\'01\\par\r\n"
              "\\par\r\n"
              "}\r\n");
    // Should an entry hold a line break after all, it becomes a paragraph break, not nothing.
    EXPECT_EQ(readRtfEntries(writeRtfEntries({"a\r\nb", "c\nd\re"})),
              (Entries{"a", "b", "c", "d", "e"}));
}

TEST(Rtf, TheClosingParagraphRule) {
    struct Case {
        const char* text;
        Entries entries;
    };
    const Case cases[] = {
        // A rich edit control writes the closing empty paragraph after a list filled line by
        // line...
        {"a\\par\r\nb\\par\r\n\\par\r\n}", {"a", "b"}},
        // ...and none when the last line had no line break; other writers end without \par.
        {"a\\par\r\nb\\par\r\n}", {"a", "b"}},
        {"a\\par b}", {"a", "b"}},
        {"a\\par \\par \\par }", {"a", ""}},
        {"\\par \\par }", {""}},
        {"\\par }", {}},
        {"}", {}},
        {"a\\line b\\sect c\\page d\\row e}", {"a", "b", "c", "d", "e"}},
        {"a\\\r\nb\\\nc}", {"a", "b", "c"}},  // a backslash before a line break is \par
    };
    for (const Case& c : cases) EXPECT_EQ(readRtfEntries(body(c.text)), c.entries) << c.text;
}

TEST(Rtf, ReadsWhatAWindowsRichEditControlWrites) {
    EXPECT_EQ(
        readRtfEntries(fixture("windows_richedit.rtf")),
        cp1251({"Фразы программы", "ПРИВЕТ^Привет!;Здравствуй.;", "_КАК ДЕЛА^Хорошо, а у тебя?;",
                "__ТОЖЕ^Вот и славно.;", "ПОКА^До свидания.;Пока-пока.;@", "КАК ТЕБЯ ЗОВУТ?^",
                "HELLO^Hello!;Привет, world.;"}));
}

TEST(Rtf, ReadsUnicodeEscapesAsOtherEditorsWriteThem) {
    EXPECT_EQ(readRtfEntries(fixture("unicode_editor.rtf")),
              cp1251({"Привет!", "Bold text, — dash, caf?, ??", "Яяё№?"}));
}

TEST(Rtf, ControlSymbolsAndSpecialCharacters) {
    struct Case {
        const char* text;
        std::string entry;
    };
    const Case cases[] = {
        {"a\\~b\\-c\\_d\\:e\\|f}",
         "a\xa0"
         "bc-def"},
        {"\\\\ \\{ \\}}", "\\ { }"},
        {"x\\tab y\\cell z}", "x\ty\tz"},
        {"\\lquote q\\rquote  \\ldblquote w\\rdblquote \\emdash\\endash\\bullet}",
         "\x91q\x92 \x93w\x94\x97\x96\x95"},
        {"\\'cf\\'D0\\'zz\\'e}", "\xcf\xd0zze"},  // an escape with bad hex digits is dropped
        {"a\\fs-20 b\\unknownword123 c\\unknown d}",
         "abcd"},  // the delimiting space goes with the word
        {"1\\fs20 2\\fs20-3}", "12-3"},
        {"line\r\nbreaks\rin\nsource}", "linebreaksinsource"},
        {"\\u-3913?\\u1025 ?\\u55357\\u56832?x}",
         "?\xa8?x"},  // negative; surrogate pair gives one "?"
        {"{\\uc3\\u1040abc}d\\u1041\\'c1e}",
         "\xc0"
         "d\xc1"
         "e"},  // \'hh counts as one stand-in
        {"\\u1040{b}}",
         "\xc0"
         "b"},  // a group ends the stand-in
        {"\\'0dx}", ""},
    };
    for (const Case& c : cases) {
        const Entries got = readRtfEntries(body(c.text));
        EXPECT_EQ(got.empty() ? std::string() : got.front(), c.entry) << c.text;
    }
    // A \'0d is a line break: it ends the entry, it never goes into one.
    EXPECT_EQ(readRtfEntries(body("a\\'0d\\'0ab}")), (Entries{"a", "b"}));
}

TEST(Rtf, SkipsDestinationsThatHoldNoText) {
    const std::string rtf =
        "{\\rtf1\\ansi\\ansicpg1251{\\fonttbl{\\f0\\fcharset204 Arial;}{\\f1 Courier{\\*\\panose 0}"
        ";}}"
        "{\\colortbl;\\red1\\green2\\blue3;}{\\stylesheet{\\s1 Heading;}}"
        "{\\info{\\title T}{\\author A}}{\\*\\generator G;}"
        "{\\header head}{\\footer foot}{\\*\\listtable{\\list x}}"
        "\\pard\\f0 one {\\*\\bkmkstart m}{\\*\\unknowndest text}two"
        "{\\pict\\wmetafile8 0a0b{\\nested cc}}"
        "{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt link}}"
        "{\\pntext 1.\\tab}three"
        "{\\*\\shppict{\\pict aa}}{\\nonshppict{\\pict bb}}\\par}";
    EXPECT_EQ(readRtfEntries(rtf), (Entries{"one twolinkthree"}));
}

TEST(Rtf, BinaryDataIsSkippedBracesAndAll) {
    std::string data = "\\bin6 {}\\}\\x";
    EXPECT_EQ(readRtfEntries(body("a{\\pict\\bin6 " + data.substr(6) + "}b\\par}")),
              (Entries{"ab"}));
    EXPECT_EQ(readRtfEntries(body("a\\bin3 {{{b\\par}")), (Entries{"ab"}));
    EXPECT_EQ(readRtfEntries(body("a\\bin999999999 xyz")), (Entries{"a"}));
}

TEST(Rtf, NestedGroupsKeepTheirText) {
    EXPECT_EQ(readRtfEntries(body("a{b{\\b c{\\i d}e}f}g\\par{{h}}\\par}")),
              (Entries{"abcdefg", "h"}));
    std::string deep = body("");
    for (int i = 0; i < 100000; ++i) deep += '{';
    deep += "x";
    EXPECT_EQ(readRtfEntries(deep), (Entries{"x"}));
}

TEST(Rtf, OtherCodePagesAreConverted) {
    // é has no place in Windows-1251; the euro sign has.
    EXPECT_EQ(readRtfEntries("{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss Arial;}}"
                             "\\f0 caf\\'e9 \\'80 caf\xe9\\par}"),
              (Entries{"caf? \x88 caf?"}));
    // A font's character set decides the code page of its text.
    EXPECT_EQ(readRtfEntries("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl{\\f0\\fcharset0 Arial;}"
                             "{\\f1\\fcharset204 Arial;}{\\f2\\fcharset238 Arial;}}"
                             "\\f1\\'cf\\'f0\\'e8\\'e2\\'e5\\'f2 {\\f0 caf\\'e9} \\f2\\'8a\\par}"),
              (Entries{"\xcf\xf0\xe8\xe2\xe5\xf2 caf? ?"}));
    // Text before any \f, or after \plain, is in the default font.
    EXPECT_EQ(readRtfEntries("{\\rtf1\\ansi\\ansicpg1252\\deff1{\\fonttbl{\\f0\\fcharset0 Arial;}"
                             "{\\f1\\fcharset204 Arial;}}\\'cf\\f0\\'e9\\plain\\'f0\\par}"),
              (Entries{"\xcf?\xf0"}));
    EXPECT_EQ(readRtfEntries("{\\rtf1\\ansi\\ansicpg20866 \\'f0\\'d2\\'c9\\'d7\\'c5\\'d4}"),
              (Entries{"\xcf\xf0\xe8\xe2\xe5\xf2"}));
}

TEST(Rtf, DamagedDocumentsGiveWhatWasRead) {
    const Entries entries = {"\xcf\xf0\xe8\xe2\xe5\xf2", "", "\ttab\\{}", "last"};
    const std::string rtf = writeRtfEntries(entries);
    for (std::size_t cut = 0; cut <= rtf.size(); ++cut) {
        const Entries got = readRtfEntries(rtf.substr(0, cut));
        ASSERT_LE(got.size(), entries.size()) << cut;
        for (std::size_t i = 0; i < got.size(); ++i) {
            if (i + 1 < got.size()) {
                ASSERT_EQ(got[i], entries[i]) << cut;
            } else {
                ASSERT_EQ(entries[i].compare(0, got[i].size(), got[i]), 0) << cut;
            }
        }
    }
    std::mt19937 rng(7);
    for (int round = 0; round < 200; ++round) {
        std::string garbage = "{\\rtf1 ";
        const int length = static_cast<int>(rng() % 300);
        const char pieces[] = "{}\\'u-0123456789abcxyz \r\n\x80\xff";
        for (int i = 0; i < length; ++i) garbage += pieces[rng() % (sizeof pieces - 1)];
        for (const std::string& e : readRtfEntries(garbage)) {
            ASSERT_EQ(e.find_first_of("\r\n"), std::string::npos);
        }
    }
    EXPECT_EQ(readRtfEntries("{\\rtf1 text after the end\\par}more\\par"),
              (Entries{"text after the end"}));
}

}  // namespace
}  // namespace sob
