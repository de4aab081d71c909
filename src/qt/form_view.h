#pragma once

#include <functional>
#include <string>

#include "platform/graphics.h"

class QCloseEvent;
class QWidget;

namespace sob {
class Form;
}

namespace sob::qt {

class FrontEnd;

// The view of one window (a Form of the model). A view builds its widgets
// from the form's elements, hands the user's actions to the model through
// run(), and mirrors the model into the widgets in sync().
//
// To add the view of a window:
//  1. derive from FormView (and a QWidget class for the window itself),
//  2. build the widgets in the constructor, one binding per element (see
//     bindings.h: EditBinding, ButtonBinding, LabelBinding, MenuBinding...),
//  3. in sync(), call syncWindow() and then each binding's sync(),
//  4. route the window's close request through handleCloseEvent(),
//  5. add it in addProgramViews() (views.cpp).
// sync() runs after every handler: compare with cached values and touch a
// widget only when its value changed.
class FormView {
public:
    FormView(FrontEnd& frontEnd, Form& form);
    virtual ~FormView();
    FormView(const FormView&) = delete;
    FormView& operator=(const FormView&) = delete;

    Form& form() const { return form_; }
    FrontEnd& frontEnd() const { return frontEnd_; }

    // The top-level widget of the window.
    virtual QWidget* window() = 0;
    // Brings the widgets in line with the model.
    virtual void sync() = 0;
    // Whether the window carries a menu bar: its height then counts as part
    // of the top frame, as the model's layout expects (see placeWindow()).
    virtual bool hasMenuBar() const { return false; }
    // The height of the client area of a window without a menu bar: the
    // model's (bounds less the frame figures), unless the view knows better.
    virtual int clientHeight() const;
    // The keyboard focus moved, a window was activated, or a menu or dialog
    // opened or closed. A view whose model polls for the focus tells it here
    // whether a focus request would now move the focus; the front end then
    // wakes the sleeping timers.
    virtual void focusChanged() {}

    // Window flags: a normal top-level window (taskbar entry) with a title
    // bar, a fixed size and, if asked, a close box only.
    static void applyWindowFlags(QWidget* window, bool closeBox);

protected:
    // Runs a user's action through the dispatcher.
    void run(const std::function<void()>& handler);

    // Caption, geometry (the model's bounds are the outer frame), visibility
    // (showing activates the window), background colour and pointer of the
    // window. A disabled form is not greyed: the front end's InputBlocker
    // keeps input away from it.
    void syncWindow();

    // Moves and sizes the real window to the model's bounds, if they
    // changed since it was last placed (part of syncWindow()). The mapping
    // is described in form_view.cpp.
    void placeWindow();

    // A close request from the window system: the form's onCloseRequest
    // handler decides; the event is accepted once the form is hidden.
    void handleCloseEvent(QCloseEvent* event);

private:
    FrontEnd& frontEnd_;
    Form& form_;
    std::string shownCaption_;
    Bounds shownBounds_{-1, -1, -1, -1};
    Bounds shownFrame_{-1, -1, -1, -1};  // left, top, right, bottom
    bool shownVisible_ = false;
    Color shownColor_{};
    bool colorShown_ = false;
    CursorShape shownCursor_ = CursorShape::Default;
};

}  // namespace sob::qt
