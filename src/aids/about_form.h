#pragma once

#include <string>

#include "platform/elements.h"
#include "platform/form.h"
#include "platform/phrase_list.h"
#include "platform/platform.h"

namespace sob {

class TForm1;

// A picture box: shows the about picture, stretched to fill its bounds.
class PictureBox : public Control {
public:
    using Control::Control;
    bool stretch = true;
};

// A read-only multi-line text area with both scroll bars; its lines are a
// plain list.
class TextMemo : public Control {
public:
    using Control::Control;
    PhraseList Lines{ListFormat::Plain};
    bool readOnly = true;
    bool scrollBars = true;
};

// The about window "О программе": the version, a picture, and the
// program's history from "ReadMe.Txt", which the window shows by growing
// downwards. Created once, hidden, at start-up; the main window's N12Click
// opens it, "Закрыть" closes it.
class TForm3 : public Form {
public:
    TForm3(Platform& platform, TForm1& form1);

    Platform& platform;
    TForm1& Form1;

    // The window's two outer heights: the history panel cut off, or shown.
    static constexpr int collapsedHeight = 179;
    static constexpr int expandedHeight = 327;
    // The file the history is read from (relative to the working folder).
    static constexpr const char* historyFile = "ReadMe.Txt";
    // The version label's character height in pixels.
    static constexpr int versionFontPixels = 29;

    // Upper panel: a bevelled frame around the picture, the version and the
    // two buttons (places relative to the panel).
    Frame Panel1{"Panel1"};
    Frame Bevel1{"Bevel1"};
    PictureBox Image1{"Image1"};
    Label Label1{"Label1"};     // "ВЕРСИЯ: 2.1.0.5"
    Button Button1{"Button1"};  // "История"
    Button Button2{"Button2"};  // "Закрыть"
    // Lower panel, below the collapsed window's bottom edge: the history.
    Frame Panel2{"Panel2"};
    TextMemo Memo1{"Memo1"};

    void Button1Click();  // "История": load the history and toggle the height
    void Button2Click();  // "Закрыть"
};

}  // namespace sob
