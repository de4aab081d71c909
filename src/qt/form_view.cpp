#include "qt/form_view.h"

#include <algorithm>

#include <QCloseEvent>
#include <QWidget>

#include "platform/form.h"
#include "platform/platform.h"
#include "qt/front_end.h"
#include "qt/qt_convert.h"
#include "qt/window_system.h"

namespace sob::qt {

FormView::FormView(FrontEnd& frontEnd, Form& form) : frontEnd_(frontEnd), form_(form) {}

FormView::~FormView() = default;

// On X11 Qt passes these on as Motif hints (_MOTIF_WM_HINTS): a window
// without the close box offers the window manager only moving and resizing,
// with it closing too; no minimise or maximise (the fixed size rules
// maximising out as well). Window managers that honour the hints draw just
// the caption bar (and the close box). openbox ignores the Motif functions
// when it draws its buttons, so there a secondary window shows its theme's
// buttons all the same; its close goes to the form's close request, which
// closes it as its own command does.
void FormView::applyWindowFlags(QWidget* window, bool closeBox) {
    Qt::WindowFlags flags = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (closeBox) flags |= Qt::WindowCloseButtonHint;
    window->setWindowFlags(flags);
}

void FormView::run(const std::function<void()>& handler) {
    frontEnd_.run(handler);
}

// How the model's bounds map onto the real window.
//
// The model's bounds are a window's outer frame as the original platform
// drew it; the Screen's frame figures are the frame around the client area:
// frameLeft, frameRight and frameBottom are the frame this window system
// draws (measured once a window is shown), frameTop is its title bar plus a
// menu bar's height (FrontEnd::menuBarHeight), because the original
// platform drew the menu bar as part of the frame and the forms lay their
// elements out from the top of the client area below it. In Qt the menu
// bar lies inside the window. So:
//  - a window with a menu bar: its real outer frame is exactly the model's
//    bounds; the Qt window holds the menu bar and the client area;
//  - a window without one: its client area is the model's (bounds less the
//    frame figures), so its real frame is a menu bar shorter than the
//    model's bounds, and it stands in their middle, about the same centre.
//    The model places such windows only by centring them and grows them
//    downwards, which keeps the shift the same;
//  - a view may set the client height itself (clientHeight()); that window
//    too stands in the middle of the model's bounds.
int FormView::clientHeight() const {
    return form_.clientHeight();
}

void FormView::placeWindow() {
    const Screen& screen = form_.screen();
    const Bounds frame{screen.frameLeft, screen.frameTop, screen.frameRight, screen.frameBottom};
    if (form_.bounds == shownBounds_ && frame == shownFrame_) return;
    QWidget* w = window();
    const bool resized = form_.bounds.width != shownBounds_.width ||
                         form_.bounds.height != shownBounds_.height || frame != shownFrame_;
    shownBounds_ = form_.bounds;
    shownFrame_ = frame;
    const Bounds& bounds = form_.bounds;
    // The window system's own top frame: the title bar.
    const int title = std::max(0, screen.frameTop - frontEnd_.menuBarHeight());
    const int width = std::max(bounds.width - screen.frameLeft - screen.frameRight, 1);
    int height = bounds.height - title - screen.frameBottom;
    int top = bounds.top + title;
    if (!hasMenuBar()) {
        height = clientHeight();
        top += (bounds.height - (title + height + screen.frameBottom)) / 2;
    }
    height = std::max(height, 1);
    // Fixed at the new size before it is taken: the window manager never
    // sees the window resizable (openbox would give it a resize handle and
    // keep it).
    if (resized) w->setFixedSize(width, height);
    // Placed by its client area: the window manager puts its
    // frame around it.
    w->setGeometry(bounds.left + screen.frameLeft, top, width, height);
}

void FormView::syncWindow() {
    QWidget* w = window();
    if (form_.caption != shownCaption_) {
        shownCaption_ = form_.caption;
        w->setWindowTitle(fromProgramText(shownCaption_));
    }
    placeWindow();
    if (!colorShown_ || form_.color != shownColor_) {
        colorShown_ = true;
        shownColor_ = form_.color;
        QPalette palette = w->palette();
        palette.setColor(QPalette::Window, toQColor(shownColor_, palette));
        w->setPalette(palette);
        w->setAutoFillBackground(true);
    }
    if (form_.cursor != shownCursor_) {
        shownCursor_ = form_.cursor;
        w->setCursor(toQtCursor(shownCursor_));
    }
    if (form_.visible != shownVisible_) {
        shownVisible_ = form_.visible;
        if (shownVisible_) {
            if (!w->testAttribute(Qt::WA_WState_Created)) leaveResizeSynchronisation(w);
            w->show();
            w->raise();
            w->activateWindow();
        } else {
            w->hide();
        }
    }
}

void FormView::handleCloseEvent(QCloseEvent* event) {
    if (form_.visible) {
        run([this] {
            if (form_.onCloseRequest) form_.onCloseRequest();
        });
    }
    if (form_.visible)
        event->ignore();
    else
        event->accept();
}

}  // namespace sob::qt
