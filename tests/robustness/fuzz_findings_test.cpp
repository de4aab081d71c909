// Inputs that fuzzing found to break a rule, kept as tests.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "platform/rtf.h"

namespace sob::testing {
namespace {

// Entries never hold a line break, whatever the code page makes of a byte:
// EBCDIC code pages put LF at 0x25 ("%") and CR at 0x0D.
TEST(FuzzFindings, NoCodePageTurnsAByteIntoALineBreakInsideAnEntry) {
    for (const char* codePage : {"1047", "037", "500", "1251", "437", "20866", "10000"}) {
        for (int b = 1; b < 256; ++b) {
            if (b == '\\' || b == '{' || b == '}') continue;
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\'%02x", b);
            const std::string rtf = std::string("{\\rtf1\\ansi\\ansicpg") + codePage + " x" +
                                    static_cast<char>(b) + "y" + hex + "z}";
            for (const std::string& entry : readRtfEntries(rtf))
                ASSERT_EQ(entry.find_first_of("\r\n"), std::string::npos)
                    << "code page " << codePage << ", byte " << b;
        }
    }
    // In EBCDIC a CR ends the entry and an LF vanishes, as they do as characters.
    EXPECT_EQ(readRtfEntries("{\\rtf1\\ansi\\ansicpg1047 \\'c1\\'0d\\'c2\\'25\\'c3}"),
              (std::vector<std::string>{"A", "BC"}));
}

}  // namespace
}  // namespace sob::testing
