#pragma once

#include <functional>

#include <QObject>

class QEvent;
class QWidget;

namespace sob::qt {

class FrontEnd;
class FormView;

// Keeps the user's input away from a window whose form is disabled, while
// its widgets go on looking as they do: a disabled form (the main window
// while the editor, the about window or the virtual keyboard is open) takes
// no mouse click, key, wheel, drop, menu access key or shortcut, but its
// input line, menu bar and status bar stay readable. QWidget::setEnabled
// would grey them all. Elements the model disables one by one are still
// disabled as widgets and look it.
//
// A click into a blocked window brings the open secondary window forward,
// so that the window that takes input is never left hidden behind it.
//
// It also reports menus and modal boxes opening and closing (which change
// whether a focus request may move the focus) through the callback.
class InputBlocker : public QObject {
public:
    InputBlocker(FrontEnd& frontEnd, std::function<void()> onPopupOrModalChange);
    ~InputBlocker() override;

    // The view whose window the object belongs to: a widget of the window,
    // one of its menus, a shortcut, or its window-system window. Null for
    // anything else (a message box or a picker is a window of its own).
    FormView* viewOf(QObject* object) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool anyFormDisabled() const;
    void bringEnabledWindowForward(const FormView& blocked) const;

    FrontEnd& frontEnd_;
    std::function<void()> onPopupOrModalChange_;
};

}  // namespace sob::qt
