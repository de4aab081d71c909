#include "platform/cp1251.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <stdexcept>

namespace sob {

namespace {

constexpr char32_t kReplacement = 0xFFFD;
// The highest code point of a Windows-1251 character (U+2122, the trade mark sign).
constexpr char32_t kHighestMapped = 0x2122;

// Conversion tables taken once from the C library's iconv: the code point of
// every byte, its UTF-8 form, and the byte of every code point the code page holds.
struct Tables {
    std::array<char32_t, 256> codePoint{};
    std::array<std::array<char, 4>, 256> utf8{};                    // utf8[b][3] holds the length
    std::array<unsigned char, kHighestMapped + 1> fromCodePoint{};  // 0: not in the code page

    Tables() {
        iconv_t cd = iconv_open("UTF-32LE", "CP1251");
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error("iconv cannot convert from CP1251 to UTF-32LE");
        }
        for (int b = 0; b < 256; ++b) {
            char in = static_cast<char>(b);
            unsigned char out[4] = {};
            char* inPtr = &in;
            char* outPtr = reinterpret_cast<char*>(out);
            std::size_t inLeft = 1;
            std::size_t outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
            char32_t cp = kReplacement;
            if (rc != static_cast<std::size_t>(-1) && inLeft == 0 && outLeft == 0) {
                cp = static_cast<char32_t>(out[0] | (out[1] << 8) | (out[2] << 16) |
                                           (static_cast<std::uint32_t>(out[3]) << 24));
            }
            codePoint[b] = cp;
            utf8[b] = encode(cp);
            if (cp != kReplacement && cp <= kHighestMapped && cp != 0) {
                fromCodePoint[cp] = static_cast<unsigned char>(b);
            }
        }
        iconv_close(cd);
    }

    static std::array<char, 4> encode(char32_t cp) {
        std::array<char, 4> r{};
        if (cp < 0x80) {
            r[0] = static_cast<char>(cp);
            r[3] = 1;
        } else if (cp < 0x800) {
            r[0] = static_cast<char>(0xC0 | (cp >> 6));
            r[1] = static_cast<char>(0x80 | (cp & 0x3F));
            r[3] = 2;
        } else {  // every character of the code page lies in the Basic Multilingual Plane
            r[0] = static_cast<char>(0xE0 | (cp >> 12));
            r[1] = static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            r[2] = static_cast<char>(0x80 | (cp & 0x3F));
            r[3] = 3;
        }
        return r;
    }
};

const Tables& tables() {
    static const Tables t;
    return t;
}

}  // namespace

std::string upperCase(std::string_view s) {
    std::string r(s.size(), '\0');
    for (std::size_t i = 0; i < s.size(); ++i) {
        r[i] = static_cast<char>(detail::kUpperTable[static_cast<unsigned char>(s[i])]);
    }
    return r;
}

std::string toUtf8(std::string_view cp1251) {
    const Tables& t = tables();
    std::string r;
    r.resize(cp1251.size() * 3);
    char* out = r.data();
    for (char c : cp1251) {
        const auto& u = t.utf8[static_cast<unsigned char>(c)];
        const int n = u[3];
        out[0] = u[0];
        if (n > 1) {
            out[1] = u[1];
            if (n > 2) out[2] = u[2];
        }
        out += n;
    }
    r.resize(static_cast<std::size_t>(out - r.data()));
    return r;
}

char cp1251FromCodePoint(char32_t codePoint) {
    if (codePoint < 0x80) return static_cast<char>(codePoint);
    if (codePoint > kHighestMapped) return '?';
    const unsigned char b = tables().fromCodePoint[codePoint];
    return b == 0 ? '?' : static_cast<char>(b);
}

std::string fromUtf8(std::string_view utf8) {
    const Tables& t = tables();
    std::string r;
    r.resize(utf8.size());
    char* out = r.data();
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* end = p + utf8.size();
    while (p < end) {
        const unsigned char b = *p;
        if (b < 0x80) {
            *out++ = static_cast<char>(b);
            ++p;
            continue;
        }
        // Length and lowest allowed value of the sequence a lead byte starts;
        // overlong forms, surrogates and values above U+10FFFF are malformed.
        int len = 0;
        char32_t cp = 0;
        char32_t minimum = 0;
        if (b >= 0xC2 && b <= 0xDF) {
            len = 2, cp = b & 0x1F, minimum = 0x80;
        } else if (b >= 0xE0 && b <= 0xEF) {
            len = 3, cp = b & 0x0F, minimum = 0x800;
        } else if (b >= 0xF0 && b <= 0xF4) {
            len = 4, cp = b & 0x07, minimum = 0x10000;
        }
        bool ok = len > 0 && end - p >= len;
        for (int i = 1; ok && i < len; ++i) {
            if ((p[i] & 0xC0) != 0x80) {
                ok = false;
            } else {
                cp = (cp << 6) | (p[i] & 0x3F);
            }
        }
        if (ok && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) ok = false;
        if (!ok) {
            *out++ = '?';  // one "?" for each byte that starts no well-formed sequence
            ++p;
            continue;
        }
        unsigned char mapped = 0;
        if (cp <= kHighestMapped) mapped = t.fromCodePoint[cp];
        *out++ = mapped == 0 ? '?' : static_cast<char>(mapped);
        p += len;
    }
    r.resize(static_cast<std::size_t>(out - r.data()));
    return r;
}

}  // namespace sob
