#pragma once

#include <cstdint>
#include <string>

namespace sob {

// A colour as the windows use it: either an RGB value or one of the
// system's colours, which the front end resolves from the desktop's palette.
struct Color {
    enum class System : std::uint8_t { None, WindowText, HighlightText, Window, ButtonFace };

    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    System system = System::None;

    static constexpr Color rgb(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
        return Color{red, green, blue, System::None};
    }
    static constexpr Color systemColor(System which) { return Color{0, 0, 0, which}; }
    // The Windows colour number (0x00BBGGRR) of an RGB colour.
    constexpr std::uint32_t number() const {
        return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 |
               static_cast<std::uint32_t>(b) << 16;
    }
    friend constexpr bool operator==(const Color&, const Color&) = default;
};

namespace colors {
inline constexpr Color black = Color::rgb(0, 0, 0);
inline constexpr Color white = Color::rgb(255, 255, 255);
inline constexpr Color silver = Color::rgb(192, 192, 192);
inline constexpr Color teal = Color::rgb(0, 128, 128);
inline constexpr Color windowText = Color::systemColor(Color::System::WindowText);
inline constexpr Color highlightText = Color::systemColor(Color::System::HighlightText);
}  // namespace colors

// Font styles, combinable.
enum FontStyle : int { Regular = 0, Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

struct Font {
    std::string name = "MS Sans Serif";
    int size = 8;  // points
    int style = FontStyle::Regular;
    Color color = colors::windowText;
    friend bool operator==(const Font&, const Font&) = default;
};

// The style of a transcript line: colour, font name, size and font style.
struct TextStyle {
    Color color = colors::black;
    std::string fontName = "MS Sans Serif";
    int size = 8;
    int style = FontStyle::Regular;
    friend bool operator==(const TextStyle&, const TextStyle&) = default;
};

// Left, top, width and height in pixels.
struct Bounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    friend bool operator==(const Bounds&, const Bounds&) = default;
};

enum class CursorShape : std::uint8_t { Default, Arrow, Busy, Hand, Help, No, NoDrop };

}  // namespace sob
