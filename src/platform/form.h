#pragma once

#include <algorithm>
#include <string>

#include "platform/elements.h"
#include "platform/screen.h"

namespace sob {

// A window. Its bounds are the outer frame in screen pixels; the client
// area is what lies inside the frame the window system draws.
class Form : public Control {
public:
    Form(std::string name, Screen& screen) : Control(std::move(name)), screen_(screen) {}

    Screen& screen() const { return screen_; }

    std::string caption;
    bool maximized = false;
    // Bounds kept while maximised, to return to.
    Bounds normalBounds;

    int clientWidth() const { return bounds.width - screen_.frameLeft - screen_.frameRight; }
    int clientHeight() const { return bounds.height - screen_.frameTop - screen_.frameBottom; }
    void setClientSize(int width, int height) {
        bounds.width = width + screen_.frameLeft + screen_.frameRight;
        bounds.height = height + screen_.frameTop + screen_.frameBottom;
    }

    // The window system never gives a window less than its smallest size.
    void setWidth(int width) { bounds.width = std::max(width, screen_.minWindowWidth); }
    void setHeight(int height) { bounds.height = std::max(height, screen_.minWindowHeight); }

    // Centred on the desktop's work area, keeping the size.
    void centre() {
        const Bounds& area = screen_.workArea;
        bounds.left = area.left + (area.width - bounds.width) / 2;
        bounds.top = area.top + (area.height - bounds.height) / 2;
    }

    void show() { visible = true; }
    void hide() { visible = false; }

    // Maximise to the work area, remembering the normal bounds.
    void maximize() {
        if (maximized) return;
        normalBounds = bounds;
        maximized = true;
        bounds = screen_.workArea;
    }
    void restore() {
        if (!maximized) return;
        maximized = false;
        bounds = normalBounds;
    }

    // Set by the front end when the window system closed the window by other
    // means than its own commands (there is no close box, but a window
    // manager may still close it).
    std::function<void()> onCloseRequest;

private:
    Screen& screen_;
};

}  // namespace sob
