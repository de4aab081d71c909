#pragma once

#include "platform/graphics.h"

namespace sob {

// The modal colour and font choosers. The front end opens Qt's dialogs;
// tests script the answers.
class PickerHost {
public:
    virtual ~PickerHost() = default;
    // Opens showing `color`; on confirm stores the choice and returns true.
    virtual bool pickColor(Color& color) = 0;
    // Opens showing `font` (name, size, style only); on confirm stores the
    // choice and returns true. onlySize8: the chooser offers size 8 only.
    virtual bool pickFont(Font& font, bool onlySize8) = 0;
};

// A colour picker of the main window: keeps the colour last confirmed.
struct ColorDialog {
    sob::Color Color = colors::black;
    bool Execute(PickerHost& host) {
        sob::Color chosen = Color;
        if (!host.pickColor(chosen)) return false;
        Color = chosen;
        return true;
    }
};

// A font picker: keeps the font last confirmed.
struct FontDialog {
    sob::Font Font{"MS Sans Serif", 8, FontStyle::Regular, colors::black};
    bool onlySize8 = false;
    bool Execute(PickerHost& host) {
        sob::Font chosen = Font;
        if (!host.pickFont(chosen, onlySize8)) return false;
        if (onlySize8) chosen.size = 8;
        Font = chosen;
        return true;
    }
};

}  // namespace sob
