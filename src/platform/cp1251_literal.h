#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace sob {

namespace literal_detail {

// Windows-1251 byte for a code point, or -1 when the code page lacks it.
constexpr int cp1251Byte(char32_t c) {
    if (c < 0x80) return static_cast<int>(c);
    if (c >= 0x0410 && c <= 0x044F) return static_cast<int>(c - 0x0410 + 0xC0);
    constexpr char32_t high[64] = {
        0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
        0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88-8F
        0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
        0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98-9F
        0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0-A7
        0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8-AF
        0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0-B7
        0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8-BF
    };
    for (int i = 0; i < 64; ++i)
        if (high[i] == c && c != 0) return 0x80 + i;
    return -1;
}

template <std::size_t N>
struct Cp1251Text {
    char bytes[N]{};
    std::size_t size = 0;

    // Decodes the UTF-8 literal; a character the code page lacks, or broken
    // UTF-8, stops the compilation.
    consteval Cp1251Text(const char (&utf8)[N]) {
        std::size_t i = 0;
        while (i + 1 < N) {
            unsigned char lead = static_cast<unsigned char>(utf8[i]);
            char32_t c = 0;
            std::size_t extra = 0;
            if (lead < 0x80) {
                c = lead;
            } else if ((lead & 0xE0) == 0xC0) {
                c = lead & 0x1F;
                extra = 1;
            } else if ((lead & 0xF0) == 0xE0) {
                c = lead & 0x0F;
                extra = 2;
            } else {
                throw "not representable in Windows-1251";
            }
            for (std::size_t k = 1; k <= extra; ++k) {
                unsigned char next = static_cast<unsigned char>(utf8[i + k]);
                if ((next & 0xC0) != 0x80) throw "broken UTF-8";
                c = (c << 6) | (next & 0x3F);
            }
            int byte = cp1251Byte(c);
            if (byte < 0) throw "not representable in Windows-1251";
            bytes[size++] = static_cast<char>(byte);
            i += extra + 1;
        }
    }
};

}  // namespace literal_detail

// "Сказать"_cp: a UTF-8 string literal turned into Windows-1251 bytes at
// compile time. The program keeps all its text in Windows-1251; source
// files are UTF-8, so every Russian literal goes through this.
template <literal_detail::Cp1251Text text>
constexpr std::string_view operator""_cp() {
    return std::string_view(text.bytes, text.size);
}

}  // namespace sob
