#include "qt/qt_convert.h"

#include <QPalette>

#include "platform/cp1251.h"

namespace sob::qt {

QString fromProgramText(std::string_view cp1251) {
    const std::string utf8 = toUtf8(cp1251);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string toProgramText(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return fromUtf8(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())));
}

QColor toQColor(const Color& color, const QPalette& palette) {
    switch (color.system) {
        case Color::System::None:
            return QColor(color.r, color.g, color.b);
        case Color::System::WindowText:
            return palette.color(QPalette::Active, QPalette::WindowText);
        case Color::System::HighlightText:
            return palette.color(QPalette::Active, QPalette::HighlightedText);
        case Color::System::Window:
            return palette.color(QPalette::Active, QPalette::Base);
        case Color::System::ButtonFace:
            return palette.color(QPalette::Active, QPalette::Button);
    }
    return QColor(color.r, color.g, color.b);
}

Color fromQColor(const QColor& color) {
    const QColor rgb = color.toRgb();
    return Color::rgb(static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
                      static_cast<std::uint8_t>(rgb.blue()));
}

QFont toQFont(const std::string& name, int pointSize, int style) {
    QFont font(fromProgramText(name));
    if (pointSize > 0) font.setPointSize(pointSize);
    font.setBold((style & FontStyle::Bold) != 0);
    font.setItalic((style & FontStyle::Italic) != 0);
    font.setUnderline((style & FontStyle::Underline) != 0);
    font.setStrikeOut((style & FontStyle::StrikeOut) != 0);
    return font;
}

Font fromQFont(const QFont& font, const Font& base) {
    Font result = base;
    result.name = toProgramText(font.family());
    if (font.pointSize() > 0) result.size = font.pointSize();
    int style = FontStyle::Regular;
    if (font.bold()) style |= FontStyle::Bold;
    if (font.italic()) style |= FontStyle::Italic;
    if (font.underline()) style |= FontStyle::Underline;
    if (font.strikeOut()) style |= FontStyle::StrikeOut;
    result.style = style;
    return result;
}

Qt::CursorShape toQtCursor(CursorShape shape) {
    switch (shape) {
        case CursorShape::Default:
        case CursorShape::Arrow:
            return Qt::ArrowCursor;
        case CursorShape::Busy:
            return Qt::WaitCursor;
        case CursorShape::Hand:
            return Qt::PointingHandCursor;
        case CursorShape::Help:
            return Qt::WhatsThisCursor;
        case CursorShape::No:
        case CursorShape::NoDrop:
            return Qt::ForbiddenCursor;
    }
    return Qt::ArrowCursor;
}

void installFontSubstitutions() {
    // Faces of about the same width first: the window's texts were laid out
    // for it (the status bar's panels have fixed widths).
    const QStringList sans{"Microsoft Sans Serif",  "Arial",       "Liberation Sans", "Nimbus Sans",
                           "DejaVu Sans Condensed", "DejaVu Sans", "Sans Serif"};
    QFont::insertSubstitutions("MS Sans Serif", sans);
    QFont::insertSubstitutions("MS Shell Dlg", sans);
    QFont::insertSubstitutions("Tahoma", sans);
}

}  // namespace sob::qt
