#include "aids/about_form.h"

#include "platform/cp1251_literal.h"
#include "platform/file_system.h"
#include "window/main_form.h"

namespace sob {

TForm3::TForm3(Platform& platform_, TForm1& form1)
    : Form("Form3", platform_.screen), platform(platform_), Form1(form1) {
    caption = std::string("О программе"_cp);
    setClientSize(377, 152);
    color = colors::silver;
    visible = false;
    centre();

    Panel1.bounds = {0, 0, 377, 153};
    Bevel1.bounds = {3, 5, 371, 146};

    Image1.bounds = {7, 8, 178, 137};
    Image1.stretch = true;

    Label1.bounds = {187, 9, 182, 82};
    Label1.caption = std::string("ВЕРСИЯ: 2.1.0.5"_cp);
    Label1.centred = true;
    Label1.wordWrap = true;
    // 29 pixels of character height are 22 points on a 96-dpi screen.
    Label1.font = Font{"Arial Black", 22, FontStyle::Bold | FontStyle::Underline, colors::white};

    Button1.caption = std::string("История"_cp);
    Button1.bounds = {187, 96, 185, 25};
    Button1.cursor = CursorShape::Hand;
    Button1.onClick = [this] { Button1Click(); };

    Button2.caption = std::string("Закрыть"_cp);
    Button2.bounds = {187, 120, 185, 25};
    Button2.cursor = CursorShape::Hand;
    Button2.onClick = [this] { Button2Click(); };

    Panel2.bounds = {1, 151, 376, 148};
    Memo1.bounds = {3, 4, 370, 140};
    Memo1.color = colors::silver;
    Memo1.font = Font{"Courier New", 8, FontStyle::Regular, colors::windowText};
    Memo1.cursor = CursorShape::No;

    // The window manager may close the window although it has no close box:
    // the main window must come back as with "Закрыть".
    onCloseRequest = [this] {
        if (visible) Button2Click();
    };
}

// Reads the history afresh on every click (also when collapsing), then
// toggles between the two heights: 179 + 1 becomes 327, 327 + 1 becomes
// 179. A file that cannot be read ends the click before anything changes.
void TForm3::Button1Click() {
    Memo1.Lines.SetText(readWholeFile(historyFile));
    setHeight(bounds.height + 1);
    if (bounds.height == collapsedHeight + 1) setHeight(expandedHeight);
    if (bounds.height == expandedHeight + 1) setHeight(collapsedHeight);
}

void TForm3::Button2Click() {
    Form1.resumeFromSecondaryWindow();  // polling on, main window enabled
    hide();
}

}  // namespace sob
