#include "platform/cp1251.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace sob {
namespace {

// Every lowercase letter of Windows-1251 with its capital.
std::vector<std::pair<unsigned char, unsigned char>> letterPairs() {
    std::vector<std::pair<unsigned char, unsigned char>> pairs;
    for (int c = 'a'; c <= 'z'; ++c) pairs.emplace_back(c, c - 0x20);
    for (int c = 0xE0; c <= 0xFF; ++c) pairs.emplace_back(c, c - 0x20);
    const std::pair<int, int> cyrillic[] = {
        {0xB8, 0xA8}, {0x90, 0x80}, {0x83, 0x81}, {0xA2, 0xA1}, {0xBC, 0xA3},
        {0xB4, 0xA5}, {0xBA, 0xAA}, {0xBF, 0xAF}, {0xB3, 0xB2}, {0xBE, 0xBD},
        {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F},
    };
    for (auto [lower, upper] : cyrillic) pairs.emplace_back(lower, upper);
    return pairs;
}

TEST(Cp1251Case, EveryLowercaseLetterBecomesItsCapitalAndNothingElseChanges) {
    std::set<int> lowers;
    for (auto [lower, upper] : letterPairs()) {
        lowers.insert(lower);
        EXPECT_EQ(static_cast<unsigned char>(upperChar(static_cast<char>(lower))), upper)
            << "byte " << std::hex << int(lower);
        EXPECT_EQ(static_cast<unsigned char>(upperChar(static_cast<char>(upper))), upper)
            << "capital " << std::hex << int(upper);
    }
    for (int b = 0; b < 256; ++b) {
        if (lowers.count(b)) continue;
        EXPECT_EQ(static_cast<unsigned char>(upperChar(static_cast<char>(b))), b)
            << "byte " << std::hex << b;
    }
}

TEST(Cp1251Case, CapitalsAgreeWithTheUnicodeCapitals) {
    // The table and the code page's Unicode mapping must tell the same story.
    for (auto [lower, upper] : letterPairs()) {
        const std::string l(1, static_cast<char>(lower));
        const std::string u(1, static_cast<char>(upper));
        EXPECT_NE(toUtf8(l), toUtf8(u));
        EXPECT_EQ(fromUtf8(toUtf8(u)), u);
    }
    EXPECT_EQ(upperCase(fromUtf8("привет, Ёлка ё! hello ђѓўјґєїіѕљњќћџ 123")),
              fromUtf8("ПРИВЕТ, ЁЛКА Ё! HELLO ЂЃЎЈҐЄЇІЅЉЊЌЋЏ 123"));
    EXPECT_EQ(upperCase(""), "");
    EXPECT_EQ(upperCase(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(Cp1251Conversion, KnownTextBothWays) {
    const std::string cp = "\xcf\xf0\xe8\xe2\xe5\xf2, \xb8\xe6 \xb9 \x80";
    const std::string utf8 = "Привет, ёж № Ђ";
    EXPECT_EQ(toUtf8(cp), utf8);
    EXPECT_EQ(fromUtf8(utf8), cp);
    EXPECT_EQ(toUtf8("\x88"), "€");
    EXPECT_EQ(toUtf8("\xa0"), "\u00a0");
}

TEST(Cp1251Conversion, EveryDefinedByteRoundTrips) {
    std::string all;
    for (int b = 1; b < 256; ++b) {
        if (b != 0x98) all.push_back(static_cast<char>(b));
    }
    EXPECT_EQ(fromUtf8(toUtf8(all)), all);
}

TEST(Cp1251Conversion, UndefinedByteBecomesTheReplacementCharacter) {
    EXPECT_EQ(toUtf8("a\x98z"), "a\uFFFDz");
    EXPECT_EQ(fromUtf8(toUtf8("a\x98z")), "a?z");
}

TEST(Cp1251Conversion, WhatTheCodePageCannotHoldBecomesQuestionMark) {
    struct Case {
        const char* utf8;
        const char* cp1251;
    };
    const Case cases[] = {
        {"é", "?"},                    // Latin letter outside the code page
        {"日本", "??"},                // three-byte characters
        {"a😀b", "a?b"},                // a four-byte character gives one "?"
        {"\xff", "?"},                 // not UTF-8 at all
        {"a\xd0", "a?"},               // truncated sequence at the end
        {"\xd0z", "?z"},               // lead byte without its continuation
        {"\xc0\xaf", "??"},            // overlong form
        {"\xed\xa0\x80", "???"},       // surrogate
        {"\xf4\x90\x80\x80", "????"},  // above U+10FFFF
        {"\x80\xbf", "??"},            // stray continuation bytes
        {"Да\xffнет", "\xc4\xe0?\xed\xe5\xf2"},
    };
    for (const Case& c : cases) EXPECT_EQ(fromUtf8(c.utf8), c.cp1251) << c.utf8;
}

TEST(Cp1251Conversion, LargeTextConvertsWhole) {
    std::string big;
    for (int i = 0; i < 200000; ++i) big += "\xcf\xf0\xe8\xe2\xe5\xf2 abc\r\n";
    const std::string utf8 = toUtf8(big);
    EXPECT_EQ(utf8.size(), big.size() + 6 * 200000);
    EXPECT_EQ(fromUtf8(utf8), big);
}

}  // namespace
}  // namespace sob
