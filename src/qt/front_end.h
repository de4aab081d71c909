#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QPointer>
#include <QWidget>

namespace sob {
class Form;
class Program;
struct Platform;
}  // namespace sob

namespace sob::qt {

class FormView;
class InputBlocker;
class SchedulerDriver;

// The Qt front end of the running program: the views of the windows, the
// scheduler driven by the event loop, and the few application-wide states
// (busy pointer, keyboard focus, window frame figures).
//
// Every view is synchronised after every handler the dispatcher runs. While
// ticks run in a batch (the scheduler driver's wake-up), the views are
// synchronised once after the batch, not after each tick, because the
// 1-millisecond timers would otherwise repaint a thousand times a second.
class FrontEnd {
public:
    explicit FrontEnd(Platform& platform);
    ~FrontEnd();
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;

    Platform& platform() const { return platform_; }
    SchedulerDriver& driver() const { return *driver_; }

    // Takes a view; views are synchronised in the order they were added.
    // The first view added is the main window's.
    FormView& addView(std::unique_ptr<FormView> view);
    const std::vector<std::unique_ptr<FormView>>& views() const { return views_; }
    QWidget* mainWindow() const;

    // Runs a user's action as a handler: through the dispatcher (errors go
    // to the error box, the views are synchronised afterwards).
    void run(const std::function<void()>& handler);

    // Shows the views' state; starts the scheduler. Called once the main
    // window has been shown by the start-up.
    void start();
    // Stops the scheduler: no tick runs afterwards.
    void stop();

    // Brings every widget in line with the model. Cheap when nothing changed.
    void syncAll();

    // Whether a menu, a picker or a message box is open (focus requests from
    // the model wait while one is).
    static bool modalOrPopupOpen();

    // The keyboard focus moved, a window was activated, or a menu or a modal
    // box opened or closed: each view tells its model whether a focus request
    // would now move the focus, and the sleeping timers are woken.
    void focusStateChanged();

    // The view whose window a widget, menu, shortcut or window-system window
    // belongs to (null for a message box or a picker).
    FormView* viewOf(QObject* object) const;

    // The window system's frame around a window, measured once a window is
    // shown: updates the screen figures and the windows' outer sizes (their
    // client sizes stay as they are).
    void updateFrame(int left, int top, int right, int bottom);

    // The height of the menu bar, counted into the top frame of the screen
    // figures (the main window's client area lies below its menu, as the
    // program's layout assumes).
    int menuBarHeight() const { return menuBarHeight_; }
    void setMenuBarHeight(int height) { menuBarHeight_ = height; }

private:
    void onDispatched();
    void syncBusyCursor();
    void measureFrame();

    Platform& platform_;
    std::unique_ptr<SchedulerDriver> driver_;
    std::vector<std::unique_ptr<FormView>> views_;
    // The watch on the application's focus; cut first when the front end
    // goes, since closing the views' windows moves the focus.
    QMetaObject::Connection focusWatch_;
    std::unique_ptr<InputBlocker> inputBlocker_;
    std::shared_ptr<bool> alive_;
    bool dirty_ = false;
    bool boxWasOpen_ = false;
    bool busyApplied_ = false;
    bool syncing_ = false;
    int menuBarHeight_ = 0;
};

// Fills the screen figures from the desktop before the windows are built:
// the work area, the frame (not yet known: measured once a window is shown;
// the top frame holds the menu bar) and the smallest window size.
void fillScreen(Platform& platform, int menuBarHeight);

// The height of a menu bar in the application's font.
int measureMenuBarHeight();

// Adds the views of the program's windows to the front end.
void addProgramViews(FrontEnd& frontEnd, Program& program);

}  // namespace sob::qt
