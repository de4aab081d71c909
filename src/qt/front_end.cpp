#include "qt/front_end.h"

#include <algorithm>

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>

#include "platform/form.h"
#include "platform/platform.h"
#include "qt/form_view.h"
#include "qt/input_blocker.h"
#include "qt/scheduler_driver.h"

namespace sob::qt {

FrontEnd::FrontEnd(Platform& platform)
    : platform_(platform),
      driver_(std::make_unique<SchedulerDriver>(platform.scheduler, platform.clock)),
      alive_(std::make_shared<bool>(true)) {
    std::weak_ptr<bool> alive = alive_;
    platform_.dispatcher.addListener([this, alive] {
        if (alive.lock()) onDispatched();
    });
    driver_->setAfterRun([this] {
        if (dirty_) syncAll();
    });
    // The user moving the focus (a click, a window activated) happens
    // outside any handler: wake the timers that sleep meanwhile, so the
    // state polling asks for the focus again. A menu or a modal box opening
    // or closing moves no focus widget but changes whether a request may
    // move the focus: the input blocker reports those.
    focusWatch_ = QObject::connect(qApp, &QApplication::focusChanged, driver_.get(),
                                   [this] { focusStateChanged(); });
    inputBlocker_ = std::make_unique<InputBlocker>(*this, [this] { focusStateChanged(); });
}

FrontEnd::~FrontEnd() {
    QObject::disconnect(focusWatch_);
    inputBlocker_.reset();
    driver_->stop();
    *alive_ = false;
    alive_.reset();
    if (busyApplied_) QGuiApplication::restoreOverrideCursor();
    // The views go first: their widgets refer to the bindings.
    views_.clear();
}

FormView& FrontEnd::addView(std::unique_ptr<FormView> view) {
    views_.push_back(std::move(view));
    return *views_.back();
}

QWidget* FrontEnd::mainWindow() const {
    return views_.empty() ? nullptr : views_.front()->window();
}

void FrontEnd::run(const std::function<void()>& handler) {
    platform_.dispatcher.run(handler);
}

void FrontEnd::start() {
    syncAll();
    driver_->start();
}

void FrontEnd::stop() {
    driver_->stop();
}

void FrontEnd::onDispatched() {
    const bool boxOpen = platform_.dispatcher.errorBoxOpen();
    if (boxOpen && !boxWasOpen_) {
        // An error box is about to open inside a handler: show the state the
        // handler left, and keep the timers ticking under the modal box.
        boxWasOpen_ = true;
        syncAll();
        driver_->arm();
        return;
    }
    boxWasOpen_ = boxOpen;
    if (driver_->runDepth() > 0) {
        dirty_ = true;  // synchronised once after the batch of ticks
        return;
    }
    syncAll();
}

void FrontEnd::syncAll() {
    if (syncing_) {
        dirty_ = true;
        return;
    }
    syncing_ = true;
    dirty_ = false;
    for (auto& view : views_) {
        // A hidden window has nothing to show: its widgets catch up when it
        // is shown (the virtual keyboard alone has dozens of buttons, and
        // this runs after every tick of the 1-millisecond timers).
        if (!view->form().visible && !view->window()->isVisible()) continue;
        view->sync();
    }
    syncBusyCursor();
    syncing_ = false;
    measureFrame();
}

void FrontEnd::measureFrame() {
    QWidget* window = mainWindow();
    if (window == nullptr || !window->isVisible()) return;
    const QRect outer = window->frameGeometry();
    const QRect inner = window->geometry();
    const int left = std::max(0, inner.left() - outer.left());
    const int top = std::max(0, inner.top() - outer.top());
    const int right = std::max(0, outer.right() - inner.right());
    const int bottom = std::max(0, outer.bottom() - inner.bottom());
    const Screen& screen = platform_.screen;
    if (left == screen.frameLeft && top + menuBarHeight_ == screen.frameTop &&
        right == screen.frameRight && bottom == screen.frameBottom)
        return;
    updateFrame(left, top, right, bottom);
}

void FrontEnd::syncBusyCursor() {
    // One application-wide state: never stacked.
    const bool busy = platform_.screen.busyCursor;
    if (busy == busyApplied_) return;
    busyApplied_ = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}

bool FrontEnd::modalOrPopupOpen() {
    return QApplication::activeModalWidget() != nullptr ||
           QApplication::activePopupWidget() != nullptr;
}

void FrontEnd::focusStateChanged() {
    for (auto& view : views_) view->focusChanged();
    platform_.scheduler.wake();
}

FormView* FrontEnd::viewOf(QObject* object) const {
    return inputBlocker_->viewOf(object);
}

void FrontEnd::updateFrame(int left, int top, int right, int bottom) {
    Screen& screen = platform_.screen;
    const int newTop = top + menuBarHeight_;
    const int dw = (left + right) - (screen.frameLeft + screen.frameRight);
    const int dh = (newTop + bottom) - (screen.frameTop + screen.frameBottom);
    if (dw == 0 && dh == 0 && screen.frameLeft == left && screen.frameTop == newTop) return;
    screen.frameLeft = left;
    screen.frameTop = newTop;
    screen.frameRight = right;
    screen.frameBottom = bottom;
    // Keep every window's client size: the outer size grows with the
    // frame, about the same centre.
    for (auto& view : views_) {
        Form& form = view->form();
        Bounds& normal = form.maximized ? form.normalBounds : form.bounds;
        normal.width += dw;
        normal.height += dh;
        normal.left -= dw / 2;
        normal.top -= dh / 2;
    }
    syncAll();
}

int measureMenuBarHeight() {
    QMenuBar bar;
    bar.setNativeMenuBar(false);
    bar.addMenu(QStringLiteral("&M"));
    return bar.sizeHint().height();
}

void fillScreen(Platform& platform, int menuBarHeight) {
    Screen& screen = platform.screen;
    if (QScreen* primary = QGuiApplication::primaryScreen()) {
        const QRect whole = primary->geometry();
        const QRect work = primary->availableGeometry();
        screen.width = whole.width();
        screen.height = whole.height();
        screen.workArea = Bounds{work.x(), work.y(), work.width(), work.height()};
    }
    // The window manager's frame is known only once a window is shown
    // (FrontEnd::updateFrame); until then the client area is the window.
    screen.frameLeft = 0;
    screen.frameRight = 0;
    screen.frameBottom = 0;
    screen.frameTop = menuBarHeight;
    screen.minWindowWidth = 112;
    screen.minWindowHeight = std::max(27, menuBarHeight + 1);
    screen.busyCursor = false;
}

}  // namespace sob::qt
