#include "control/editor_form.h"
#include "window/main_form.h"

namespace sob {

namespace {

constexpr const char* kDefaultFontName = "MS Sans Serif";
constexpr int kDefaultFontSize = 8;

}  // namespace

// Each setting command clears the defaults mark before it opens its picker,
// so even a cancelled choice counts as the appearance having been touched.
// A picker keeps the last value confirmed in it and opens showing it.

// Main window background.
void TForm1::N6Click() {
    N13.checked = false;
    if (ColorDialog1.Execute(platform.pickers)) color = ColorDialog1.Color;
}

// Transcript background.
void TForm1::N21Click() {
    N13.checked = false;
    if (ColorDialog1.Execute(platform.pickers)) RichEdit1.color = ColorDialog1.Color;
}

// Input line background.
void TForm1::N16Click() {
    N13.checked = false;
    if (ColorDialog1.Execute(platform.pickers)) Edit1.color = ColorDialog1.Color;
}

// Caption colours of "Сказать", "<" and "E/R": the shared picker three times
// in a row, each answer taken or left on its own.
void TForm1::N9Click() {
    N13.checked = false;
    if (ColorDialog1.Execute(platform.pickers)) SpeedButton1.font.color = ColorDialog1.Color;
    if (ColorDialog1.Execute(platform.pickers)) SpeedButton2.font.color = ColorDialog1.Color;
    if (ColorDialog1.Execute(platform.pickers)) SpeedButton3.font.color = ColorDialog1.Color;
}

// The user style's colour; it also becomes the transcript's current colour
// at once, so anything written before the next turn takes it too.
void TForm1::User1Click() {
    N13.checked = false;
    if (ColorDialog2.Execute(platform.pickers)) RichEdit1.currentStyle.color = ColorDialog2.Color;
}

// The CPU style's colour, likewise.
void TForm1::Cpu1Click() {
    N13.checked = false;
    if (ColorDialog3.Execute(platform.pickers)) RichEdit1.currentStyle.color = ColorDialog3.Color;
}

// Input line text colour.
void TForm1::Mystring2Click() {
    N13.checked = false;
    if (ColorDialog1.Execute(platform.pickers)) Edit1.font.color = ColorDialog1.Color;
}

namespace {

void takeFont(TextStyle& style, const Font& font) {
    style.fontName = font.name;
    style.size = font.size;
    style.style = font.style;
}

}  // namespace

// The user style's font; also the transcript's current font at once.
void TForm1::User2Click() {
    N13.checked = false;
    if (FontDialog1.Execute(platform.pickers)) takeFont(RichEdit1.currentStyle, FontDialog1.Font);
}

// The CPU style's font, likewise.
void TForm1::Cpu2Click() {
    N13.checked = false;
    if (FontDialog2.Execute(platform.pickers)) takeFont(RichEdit1.currentStyle, FontDialog2.Font);
}

// Input line font name and style; its picker offers size 8 only, and the
// line's size never changes.
void TForm1::Mystring1Click() {
    N13.checked = false;
    if (FontDialog3.Execute(platform.pickers)) {
        Edit1.font.name = FontDialog3.Font.name;
        Edit1.font.style = FontDialog3.Font.style;
    }
}

// Restores the initial appearance, with two differences from the start: the
// input line becomes bold and all three button captions black. The input
// line's font name, FontDialog3's style, the transcript's current style and
// the full-screen state are left alone; the styles take effect at the next
// turn.
void TForm1::N13Click() {
    color = colors::silver;
    RichEdit1.color = colors::silver;
    Edit1.color = colors::silver;

    Edit1.font.color = colors::black;
    Edit1.font.style = FontStyle::Bold;

    SpeedButton1.font.color = colors::black;
    SpeedButton2.font.color = colors::black;
    SpeedButton3.font.color = colors::black;

    ColorDialog1.Color = colors::black;
    ColorDialog2.Color = colors::black;
    ColorDialog3.Color = colors::black;

    for (FontDialog* dialog : {&FontDialog1, &FontDialog2}) {
        dialog->Font.name = kDefaultFontName;
        dialog->Font.size = kDefaultFontSize;
        dialog->Font.style = FontStyle::Regular;
    }
    FontDialog3.Font.name = kDefaultFontName;
    FontDialog3.Font.size = kDefaultFontSize;

    // The editor's path and interval ("D:\\Txt.Dat", 1000); this change of
    // its fields keeps the mark, which is set once more at the end.
    if (Form2 != nullptr) Form2->restoreDefaults();

    N13.checked = true;
}

namespace {

// The status bar is aligned to the window's bottom edge across its width.
void keepStatusBarAtBottom(TForm1& form) {
    form.StatusBar1.bounds.left = 0;
    form.StatusBar1.bounds.width = form.clientWidth();
    form.StatusBar1.bounds.top = form.clientHeight() - form.StatusBar1.bounds.height;
}

}  // namespace

// Switches between the normal size and full screen. In full screen the
// transcript and the input bar stretch with the maximised window (W, H: its
// outer size) and the buttons keep to the right edge; back at the normal
// size they return to fixed sizes (the transcript 2 pixels taller than at
// start).
void TForm1::N40Click() {
    if (!N40.checked) {
        N40.checked = true;
        N40.caption = "Normal";
        maximize();
        const int W = bounds.width;  // outer size after maximising
        const int H = bounds.height;
        TabControl1.bounds.width = W - 4;
        TabControl1.bounds.height = H - 98;
        RichEdit1.bounds.width = W - 11;
        RichEdit1.bounds.height = H - 108;
        TabControl2.bounds.width = W - 5;
        TabControl2.bounds.top = H - 99;
        SpeedButton1.bounds.left = W - 93;
        SpeedButton3.bounds.left = W - 136;
        SpeedButton2.bounds.left = W - 163;
        Edit1.bounds.width = W - 167;
    } else {
        N40.checked = false;
        N40.caption = "Full Screen";
        restore();
        TabControl1.bounds.width = 588;
        TabControl1.bounds.height = 313;
        RichEdit1.bounds.width = 581;
        RichEdit1.bounds.height = 305;
        TabControl2.bounds.width = 585;
        TabControl2.bounds.top = 312;
        SpeedButton1.bounds.left = 496;
        SpeedButton3.bounds.left = 453;
        SpeedButton2.bounds.left = 426;
        Edit1.bounds.width = 422;
    }
    keepStatusBarAtBottom(*this);
}

}  // namespace sob
