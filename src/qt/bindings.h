#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include <QObject>
#include <QPalette>

#include "platform/graphics.h"

class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QShortcut;
class QStatusBar;
class QWidget;

namespace sob {
class Button;
class Control;
class Edit;
class Label;
class MenuItem;
class StatusBar;
}  // namespace sob

namespace sob::qt {

class FrontEnd;

// Mirrors what every element has into its widget: place (relative to the
// widget holding it), enabled and visible states, hint (tool-tip) and
// pointer. Colour and font go to the palette role the element draws with.
class ControlBinding {
public:
    // colorRole: the palette role of the element's colour (QPalette::Window
    // for frames, Base for text fields; NoRole to leave it alone).
    // textRole: the palette role of the font's colour (NoRole to leave it).
    ControlBinding(const Control& model, QWidget* widget,
                   QPalette::ColorRole colorRole = QPalette::NoRole,
                   QPalette::ColorRole textRole = QPalette::NoRole);

    // placeFromModel: whether the element's bounds place the widget (not for
    // widgets a Qt layout places, such as the status bar).
    void sync(bool placeFromModel = true);

    QWidget* widget() const { return widget_; }

private:
    const Control& model_;
    QWidget* widget_;
    QPalette::ColorRole colorRole_;
    QPalette::ColorRole textRole_;
    bool first_ = true;
    Bounds bounds_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string hint_;
    CursorShape cursor_ = CursorShape::Default;
    Color color_;
    Font font_;
};

// A single-line text field. The model is the truth: text set by the program
// is shown whole (the length limit is lifted for it); the limit binds only
// what the user types. Typing sets the model's text (Windows-1251), which
// raises its change event.
class EditBinding : public QObject {
    Q_OBJECT
public:
    EditBinding(FrontEnd& frontEnd, Edit& model, QLineEdit* widget);
    void sync();
    QLineEdit* widget() const { return widget_; }

private:
    void onTextEdited(const QString& text);
    void applyLengthLimit();

    FrontEnd& frontEnd_;
    Edit& model_;
    QLineEdit* widget_;
    ControlBinding control_;
    std::string shown_;
    bool readOnly_ = false;
    bool first_ = true;
};

// A button (a flat speed button or a push button). The user's click runs
// the handler only while the model's button is enabled.
class ButtonBinding : public QObject {
    Q_OBJECT
public:
    ButtonBinding(FrontEnd& frontEnd, Button& model, QAbstractButton* widget);
    void sync();
    QAbstractButton* widget() const { return widget_; }

private:
    FrontEnd& frontEnd_;
    Button& model_;
    QAbstractButton* widget_;
    ControlBinding control_;
    std::string caption_;
    bool first_ = true;
};

class LabelBinding {
public:
    LabelBinding(const Label& model, QLabel* widget);
    void sync();

private:
    const Label& model_;
    QLabel* widget_;
    ControlBinding control_;
    std::string caption_;
    bool first_ = true;
};

// The status bar's panels: fixed widths, texts.
class StatusBarBinding {
public:
    StatusBarBinding(const StatusBar& model, QStatusBar* widget);
    void sync();
    QLabel* panel(int index) const;

private:
    const StatusBar& model_;
    QStatusBar* widget_;
    ControlBinding control_;
    std::vector<QLabel*> panels_;
    std::vector<std::string> texts_;
    std::vector<int> widths_;
    std::size_t lastStretched_ = 0;
};

// A main menu built from the model's menu tree: captions with "&" access
// keys, separators, submenus; enabled, checked and visible states mirrored.
// Choosing an item runs MenuItem::choose() (which runs the handler only
// while the item is enabled); no item checks itself. Shortcuts are
// window-wide, so they work on separator items too.
class MenuBinding : public QObject {
    Q_OBJECT
public:
    MenuBinding(FrontEnd& frontEnd, QMenuBar* bar, const std::vector<MenuItem*>& items,
                QWidget* shortcutWindow);
    void sync();

    // The action showing an item (a submenu's own action for a submenu).
    QAction* actionFor(const MenuItem& item) const;
    QMenuBar* bar() const { return bar_; }

private:
    struct Entry {
        MenuItem* item;
        QAction* action;
        std::string caption;
        bool enabled = true;
        bool visible = true;
        bool checked = false;
    };
    void addItems(QMenu* menu, const std::vector<MenuItem*>& items);
    void addShortcut(MenuItem* item, QWidget* window);
    void choose(MenuItem* item);

    FrontEnd& frontEnd_;
    QMenuBar* bar_;
    QWidget* shortcutWindow_;
    std::vector<Entry> entries_;
};

}  // namespace sob::qt
