#include "qt/input_blocker.h"

#include <QApplication>
#include <QEvent>
#include <QMetaObject>
#include <QWidget>
#include <QWindow>

#include "platform/form.h"
#include "qt/form_view.h"
#include "qt/front_end.h"

namespace sob::qt {

namespace {

// What a user does with the mouse, the keyboard, a pen or a finger, and
// what Qt derives from it (context menu, tool tip, drop).
bool isUserInput(QEvent::Type type) {
    switch (type) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
        case QEvent::Enter:
        case QEvent::HoverEnter:
        case QEvent::HoverMove:
        case QEvent::ToolTip:
        case QEvent::WhatsThis:
            return true;
        default:
            return false;
    }
}

}  // namespace

InputBlocker::InputBlocker(FrontEnd& frontEnd, std::function<void()> onPopupOrModalChange)
    : frontEnd_(frontEnd), onPopupOrModalChange_(std::move(onPopupOrModalChange)) {
    qApp->installEventFilter(this);
}

InputBlocker::~InputBlocker() {
    if (qApp != nullptr) qApp->removeEventFilter(this);
}

bool InputBlocker::anyFormDisabled() const {
    for (const auto& view : frontEnd_.views())
        if (!view->form().enabled) return true;
    return false;
}

FormView* InputBlocker::viewOf(QObject* object) const {
    const auto& views = frontEnd_.views();
    for (QObject* o = object; o != nullptr;) {
        if (o->isWindowType()) {
            for (const auto& view : views)
                if (view->window()->windowHandle() == o) return view.get();
            return nullptr;
        }
        if (!o->isWidgetType()) {
            o = o->parent();  // a shortcut or an action: its owner
            continue;
        }
        auto* widget = static_cast<QWidget*>(o);
        if (widget->isWindow()) {
            for (const auto& view : views)
                if (view->window() == widget) return view.get();
            // A menu belongs to the window whose menu bar opened it; any
            // other window (a box, a picker) is a window of its own.
            if (widget->windowType() != Qt::Popup) return nullptr;
        }
        o = widget->parentWidget();
    }
    return nullptr;
}

void InputBlocker::bringEnabledWindowForward(const FormView& blocked) const {
    for (const auto& view : frontEnd_.views()) {
        if (view.get() == &blocked || !view->form().visible || !view->form().enabled) continue;
        QWidget* window = view->window();
        if (!window->isVisible()) continue;
        // Once the click is over: the window manager is still busy with it.
        QMetaObject::invokeMethod(
            window,
            [window] {
                window->raise();
                window->activateWindow();
            },
            Qt::QueuedConnection);
        return;
    }
}

bool InputBlocker::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type == QEvent::Show || type == QEvent::Hide) {
        // A menu or a modal box opening or closing: the focus state is
        // looked at again once Qt has finished with it.
        if (watched->isWidgetType()) {
            auto* widget = static_cast<QWidget*>(watched);
            if (widget->isWindow() && (widget->windowType() == Qt::Popup || widget->isModal()) &&
                onPopupOrModalChange_)
                QMetaObject::invokeMethod(this, onPopupOrModalChange_, Qt::QueuedConnection);
        }
        return false;
    }
    if (!isUserInput(type) || !anyFormDisabled()) return false;
    FormView* view = viewOf(watched);
    if (view == nullptr || view->form().enabled) return false;
    switch (type) {
        case QEvent::ShortcutOverride:
            // Taken here, so that no shortcut and no menu access key of the
            // window is looked for; the key press that follows is dropped.
            event->accept();
            break;
        case QEvent::DragEnter:
            event->ignore();  // the drop is refused
            break;
        case QEvent::MouseButtonPress:
            // Only the window-system window's press: the one that reaches
            // the widget under the pointer afterwards is the same click.
            if (watched->isWindowType() ||
                (watched->isWidgetType() && static_cast<QWidget*>(watched)->isWindow()))
                bringEnabledWindowForward(*view);
            event->accept();
            break;
        default:
            event->accept();
            break;
    }
    return true;
}

}  // namespace sob::qt
