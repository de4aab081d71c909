#pragma once

#include <string>
#include <string_view>

#include <QColor>
#include <QFont>
#include <QString>

#include "platform/graphics.h"

class QPalette;

namespace sob::qt {

// Text crosses between the widgets and the model here: the model holds
// Windows-1251, Qt holds Unicode. A character the code page cannot hold
// becomes "?", as in an ANSI edit control.
QString fromProgramText(std::string_view cp1251);
std::string toProgramText(const QString& text);

// A model colour as Qt draws it; system colours come from the palette.
QColor toQColor(const Color& color, const QPalette& palette);
// A Qt colour as the model keeps it (always RGB).
Color fromQColor(const QColor& color);

// Name, point size and style (bold, italic, underline, strike-out).
QFont toQFont(const std::string& name, int pointSize, int style);
inline QFont toQFont(const Font& font) {
    return toQFont(font.name, font.size, font.style);
}
inline QFont toQFont(const TextStyle& style) {
    return toQFont(style.fontName, style.size, style.style);
}
// Name, size and style of a Qt font; `colour` is kept from `base`.
Font fromQFont(const QFont& font, const Font& base);

Qt::CursorShape toQtCursor(CursorShape shape);

// Makes the fonts of the program's windows ("MS Sans Serif" and its kin)
// resolve to a similar sans-serif face on this desktop.
void installFontSubstitutions();

}  // namespace sob::qt
