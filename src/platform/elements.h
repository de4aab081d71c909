#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/graphics.h"

namespace sob {

// What every element of a window has: a name, a place inside its holder,
// enabled and visible states, a hint, a colour, a font and a pointer shape.
// The front end mirrors these into widgets; the model never waits for it.
class Control {
public:
    explicit Control(std::string name) : name_(std::move(name)) {}
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    const std::string& name() const { return name_; }

    Bounds bounds;
    bool enabled = true;
    bool visible = true;
    std::string hint;
    Color color = colors::silver;
    Font font;
    CursorShape cursor = CursorShape::Default;

private:
    std::string name_;
};

// A single-line text field. Every real change of the text raises the change
// event; setting the text it already has raises none. The maximum length
// binds only what the user types (the front end enforces it).
class Edit : public Control {
public:
    using Control::Control;

    const std::string& text() const { return text_; }
    void setText(std::string text) {
        if (text == text_) return;
        text_ = std::move(text);
        if (onChange) onChange();
    }

    int maxLength = 0;  // 0: no limit
    bool readOnly = false;
    std::function<void()> onChange;

private:
    std::string text_;
};

// A button: a flat speed button or a push button. A click made by program
// code (click()) runs the handler whatever the enabled state; the front end
// runs it for the user's own click only while the button is enabled.
class Button : public Control {
public:
    using Control::Control;

    void click() {
        if (onClick) onClick();
    }

    std::string caption;
    bool flat = false;
    bool isDefault = false;  // the window's default button: Enter clicks it
    std::function<void()> onClick;
};
using SpeedButton = Button;

class Label : public Control {
public:
    using Control::Control;
    std::string caption;
    bool centred = false;
    bool wordWrap = false;
};

// A frame with a caption (group box) or without (bevel, panel, tab control).
class Frame : public Control {
public:
    using Control::Control;
    std::string caption;
};

// A whole-number spin field with a minimum and a maximum: an edit whose
// text is what the user typed. value() reads it as a number (1 while it is
// not one, as the field did); the field brings the value into range when it
// loses the focus.
class SpinEdit : public Edit {
public:
    using Edit::Edit;

    int value() const;
    void setValue(int value) { setText(std::to_string(value)); }
    // Leaving the field: a value below the minimum becomes the minimum, one
    // above the maximum the maximum.
    void correct();

    int minValue = 0;
    int maxValue = 0;
};

// One line of the transcript and the style it was written in.
struct StyledLine {
    std::string text;
    TextStyle style;
};

// The visible transcript: lines, each in its own style, and the current
// text style that every appended line takes.
class RichEdit : public Control {
public:
    using Control::Control;

    int lineCount() const { return static_cast<int>(lines_.size()); }
    const std::vector<StyledLine>& lines() const { return lines_; }
    // The text of line i; the empty text outside 0 .. lineCount()-1.
    const std::string& line(int index) const;

    void append(std::string text) {
        lines_.push_back(StyledLine{std::move(text), currentStyle});
        ++revision_;
    }
    void deleteLine(int index);
    void clear() {
        lines_.clear();
        ++revision_;
    }
    std::uint64_t revision() const { return revision_; }

    TextStyle currentStyle;
    bool readOnly = true;
    bool centred = true;

private:
    std::vector<StyledLine> lines_;
    std::uint64_t revision_ = 0;
};

class StatusBar : public Control {
public:
    using Control::Control;
    struct Panel {
        int width = 0;
        std::string text;
    };
    std::vector<Panel> panels;
};

// An item of a main menu. A menu item runs its handler only while it is
// enabled; no item checks itself when chosen.
class MenuItem {
public:
    MenuItem(std::string name, std::string itemCaption)
        : caption(std::move(itemCaption)), name_(std::move(name)) {}
    MenuItem(const MenuItem&) = delete;
    MenuItem& operator=(const MenuItem&) = delete;

    const std::string& name() const { return name_; }
    bool isSeparator() const { return caption == "-"; }

    // The user (or the program choosing the command) picks the item.
    void choose() {
        if (enabled && onClick) onClick();
    }

    std::string caption;  // "&" marks the access key; "-" is a separator line
    bool enabled = true;
    bool checked = false;
    bool visible = true;
    std::string shortcut;  // "Ctrl+Z", "Ctrl+S" or empty
    std::function<void()> onClick;
    std::vector<MenuItem*> items;  // a submenu's items, in order

private:
    std::string name_;
};

}  // namespace sob
