#pragma once

namespace sob::qt {

// Hands everything Qt has queued for the window system (a window moved,
// resized) to the X server and waits until the server has dealt with it: a
// round trip on Qt's own connection. The event loop does not run, so no
// event and no timer tick is handled meanwhile. Returns false where there
// is no X server to talk to (Qt's offscreen platform, Wayland).
bool syncWithWindowSystem();

}  // namespace sob::qt
