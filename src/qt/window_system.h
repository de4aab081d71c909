#pragma once

class QWidget;

namespace sob::qt {

// Hands everything Qt has queued for the window system (a window moved,
// resized) to the X server and waits until the server has dealt with it: a
// round trip on Qt's own connection. The event loop does not run, so no
// event and no timer tick is handled meanwhile. Returns false where there
// is no X server to talk to (Qt's offscreen platform, Wayland).
bool syncWithWindowSystem();

// Takes the window out of the window manager's resize synchronisation
// (_NET_WM_SYNC_REQUEST), before the window is first shown. The program
// resizes its windows itself, once a millisecond while the main window
// shrinks at the farewell; a window manager that waits for the window to
// repaint after each resize (openbox does) stops following it after the
// first. The user never resizes these windows: their size is fixed.
void leaveResizeSynchronisation(QWidget* window);

}  // namespace sob::qt
