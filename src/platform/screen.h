#pragma once

#include "platform/graphics.h"

namespace sob {

// The desktop the windows live on, the frame the window system draws around
// a window, and the application-wide mouse pointer. The front end fills in
// the real figures; tests use the defaults.
struct Screen {
    int width = 1024;
    int height = 768;
    // The work area (the desktop less panels): where windows are centred and
    // what a maximised window fills.
    Bounds workArea{0, 0, 1024, 768};
    // Frame thickness around a window's client area.
    int frameLeft = 3;
    int frameTop = 22;
    int frameRight = 3;
    int frameBottom = 3;
    // The smallest outer size the window system allows a window.
    int minWindowWidth = 112;
    int minWindowHeight = 27;
    // The application-wide pointer: busy (hourglass) or normal.
    bool busyCursor = false;
};

}  // namespace sob
