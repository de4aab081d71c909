#include "qt/bindings.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAction>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>
#include <QStatusBar>
#include <QToolButton>

#include "platform/elements.h"
#include "qt/front_end.h"
#include "qt/qt_convert.h"

namespace sob::qt {

// ---- ControlBinding ----

ControlBinding::ControlBinding(const Control& model, QWidget* widget, QPalette::ColorRole colorRole,
                               QPalette::ColorRole textRole)
    : model_(model), widget_(widget), colorRole_(colorRole), textRole_(textRole) {}

void ControlBinding::sync(bool placeFromModel) {
    if (placeFromModel && (first_ || model_.bounds != bounds_)) {
        bounds_ = model_.bounds;
        widget_->setGeometry(bounds_.left, bounds_.top, std::max(bounds_.width, 0),
                             std::max(bounds_.height, 0));
    }
    if (first_ || model_.enabled != enabled_) {
        enabled_ = model_.enabled;
        widget_->setEnabled(enabled_);
    }
    if (first_ || model_.visible != visible_) {
        visible_ = model_.visible;
        widget_->setVisible(visible_);
    }
    if (first_ || model_.hint != hint_) {
        hint_ = model_.hint;
        widget_->setToolTip(fromProgramText(hint_));
    }
    if (first_ || model_.cursor != cursor_) {
        cursor_ = model_.cursor;
        if (cursor_ == CursorShape::Default)
            widget_->unsetCursor();
        else
            widget_->setCursor(toQtCursor(cursor_));
    }
    const bool colorChanged = colorRole_ != QPalette::NoRole && (first_ || model_.color != color_);
    const bool fontChanged = first_ || !(model_.font == font_);
    if (colorChanged || (fontChanged && textRole_ != QPalette::NoRole)) {
        color_ = model_.color;
        QPalette palette = widget_->palette();
        if (colorRole_ != QPalette::NoRole) {
            // The same colour whether the element is enabled or not, as the
            // original controls draw their background.
            const QColor background = toQColor(color_, palette);
            for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
                palette.setColor(group, colorRole_, background);
            if (colorRole_ == QPalette::Window) widget_->setAutoFillBackground(true);
        }
        if (textRole_ != QPalette::NoRole) {
            const QColor text = toQColor(model_.font.color, palette);
            palette.setColor(QPalette::Active, textRole_, text);
            palette.setColor(QPalette::Inactive, textRole_, text);
        }
        widget_->setPalette(palette);
    }
    if (fontChanged) {
        font_ = model_.font;
        widget_->setFont(toQFont(font_));
    }
    first_ = false;
}

// ---- EditBinding ----

EditBinding::EditBinding(FrontEnd& frontEnd, Edit& model, QLineEdit* widget)
    : QObject(widget),
      frontEnd_(frontEnd),
      model_(model),
      widget_(widget),
      control_(model, widget, QPalette::Base, QPalette::Text) {
    connect(widget_, &QLineEdit::textEdited, this, &EditBinding::onTextEdited);
    shown_ = model_.text();
    widget_->setText(fromProgramText(shown_));
    applyLengthLimit();
}

void EditBinding::applyLengthLimit() {
    // The limit binds typing only: text longer than the limit, set by the
    // program, stays whole (the user can then only shorten it).
    constexpr int unlimited = 32767;
    const int limit = model_.maxLength > 0 ? model_.maxLength : unlimited;
    const int wanted = std::max(limit, static_cast<int>(widget_->text().size()));
    if (widget_->maxLength() != wanted) widget_->setMaxLength(wanted);
}

void EditBinding::onTextEdited(const QString& text) {
    std::string programText = toProgramText(text);
    // What the model can hold: a character outside Windows-1251 becomes "?".
    const QString shownText = fromProgramText(programText);
    if (shownText != text) {
        const int position = widget_->cursorPosition();
        widget_->setText(shownText);
        widget_->setCursorPosition(position);
    }
    shown_ = programText;
    applyLengthLimit();
    frontEnd_.run([this, programText = std::move(programText)] { model_.setText(programText); });
}

void EditBinding::sync() {
    control_.sync();
    if (model_.text() != shown_) {
        shown_ = model_.text();
        widget_->setMaxLength(32767);
        widget_->setText(fromProgramText(shown_));
        applyLengthLimit();
    }
    if (first_ || model_.readOnly != readOnly_) {
        readOnly_ = model_.readOnly;
        widget_->setReadOnly(readOnly_);
    }
    first_ = false;
}

// ---- ButtonBinding ----

ButtonBinding::ButtonBinding(FrontEnd& frontEnd, Button& model, QAbstractButton* widget)
    : QObject(widget),
      frontEnd_(frontEnd),
      model_(model),
      widget_(widget),
      control_(model, widget, QPalette::NoRole, QPalette::ButtonText) {
    widget_->setFocusPolicy(model_.flat ? Qt::NoFocus : Qt::StrongFocus);
    if (auto* tool = qobject_cast<QToolButton*>(widget_)) tool->setAutoRaise(model_.flat);
    // A disabled caption in grey, readable on the silver background.
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(128, 128, 128));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, QColor(128, 128, 128));
    widget_->setPalette(palette);
    connect(widget_, &QAbstractButton::clicked, this, [this] {
        // The user's click counts only while the button is enabled.
        if (!model_.enabled) return;
        frontEnd_.run([this] { model_.click(); });
    });
}

void ButtonBinding::sync() {
    control_.sync();
    if (first_ || model_.caption != caption_) {
        caption_ = model_.caption;
        widget_->setText(fromProgramText(caption_));
    }
    first_ = false;
}

// ---- LabelBinding ----

LabelBinding::LabelBinding(const Label& model, QLabel* widget)
    : model_(model),
      widget_(widget),
      control_(model, widget, QPalette::Window, QPalette::WindowText) {}

void LabelBinding::sync() {
    control_.sync();
    if (first_ || model_.caption != caption_) {
        caption_ = model_.caption;
        widget_->setText(fromProgramText(caption_));
        widget_->setWordWrap(model_.wordWrap);
        widget_->setAlignment(model_.centred ? Qt::AlignHCenter | Qt::AlignTop
                                             : Qt::AlignLeft | Qt::AlignTop);
    }
    first_ = false;
}

// ---- StatusBarBinding ----

StatusBarBinding::StatusBarBinding(const StatusBar& model, QStatusBar* widget)
    : model_(model), widget_(widget), control_(model, widget) {
    widget_->setSizeGripEnabled(false);
}

QLabel* StatusBarBinding::panel(int index) const {
    if (index < 0 || index >= static_cast<int>(panels_.size())) return nullptr;
    return panels_[static_cast<std::size_t>(index)];
}

void StatusBarBinding::sync() {
    control_.sync(false);
    if (model_.bounds.height > 0 && widget_->height() != model_.bounds.height)
        widget_->setFixedHeight(model_.bounds.height);
    const auto& panels = model_.panels;
    while (panels_.size() < panels.size()) {
        auto* label = new QLabel(widget_);
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        label->setObjectName(QStringLiteral("panel%1").arg(panels_.size()));
        label->setIndent(2);
        widget_->addWidget(label);
        panels_.push_back(label);
        texts_.emplace_back();
        widths_.push_back(-1);
        label->setText(QString());
    }
    // The last panel reaches to the right edge of the bar, as in the
    // platform's status bars; the others keep their widths.
    if (!panels_.empty() && lastStretched_ != panels.size()) {
        lastStretched_ = panels.size();
        for (std::size_t i = 0; i < panels_.size(); ++i) {
            widget_->removeWidget(panels_[i]);
            widget_->addWidget(panels_[i], i + 1 == panels.size() ? 1 : 0);
        }
        std::fill(widths_.begin(), widths_.end(), -1);
    }
    for (std::size_t i = 0; i < panels_.size(); ++i) {
        const bool exists = i < panels.size();
        panels_[i]->setVisible(exists);
        if (!exists) continue;
        if (panels[i].width != widths_[i]) {
            widths_[i] = panels[i].width;
            if (i + 1 == panels.size()) {
                panels_[i]->setMinimumWidth(widths_[i]);
                panels_[i]->setMaximumWidth(QWIDGETSIZE_MAX);
            } else {
                panels_[i]->setFixedWidth(widths_[i]);
            }
        }
        if (panels[i].text != texts_[i]) {
            texts_[i] = panels[i].text;
            panels_[i]->setText(fromProgramText(texts_[i]));
        }
    }
}

// ---- MenuBinding ----

MenuBinding::MenuBinding(FrontEnd& frontEnd, QMenuBar* bar, const std::vector<MenuItem*>& items,
                         QWidget* shortcutWindow)
    : QObject(bar), frontEnd_(frontEnd), bar_(bar), shortcutWindow_(shortcutWindow) {
    for (MenuItem* item : items) {
        QMenu* menu = bar_->addMenu(fromProgramText(item->caption));
        menu->setObjectName(QString::fromStdString(item->name()));
        entries_.push_back({item, menu->menuAction(), item->caption, true, true, false});
        addItems(menu, item->items);
        if (!item->shortcut.empty()) addShortcut(item, shortcutWindow_);
    }
    sync();
}

void MenuBinding::addItems(QMenu* menu, const std::vector<MenuItem*>& items) {
    for (MenuItem* item : items) {
        QAction* action = nullptr;
        if (!item->items.empty()) {
            QMenu* submenu = menu->addMenu(fromProgramText(item->caption));
            submenu->setObjectName(QString::fromStdString(item->name()));
            action = submenu->menuAction();
            addItems(submenu, item->items);
        } else if (item->isSeparator()) {
            action = menu->addSeparator();
        } else {
            action = menu->addAction(fromProgramText(item->caption));
            connect(action, &QAction::triggered, this, [this, item, action] {
                // No item checks itself: undo Qt's toggle before the handler.
                if (action->isCheckable()) action->setChecked(item->checked);
                choose(item);
            });
        }
        action->setObjectName(QString::fromStdString(item->name()));
        entries_.push_back({item, action, item->caption, true, true, false});
        if (!item->shortcut.empty()) addShortcut(item, shortcutWindow_);
    }
}

void MenuBinding::addShortcut(MenuItem* item, QWidget* window) {
    // Window-wide, so that a separator item's shortcut works too.
    auto* shortcut = new QShortcut(QKeySequence(QString::fromStdString(item->shortcut)), window);
    shortcut->setContext(Qt::WindowShortcut);
    shortcut->setObjectName(QString::fromStdString(item->name()) + "_shortcut");
    connect(shortcut, &QShortcut::activated, this, [this, item] { choose(item); });
}

void MenuBinding::choose(MenuItem* item) {
    frontEnd_.run([item] { item->choose(); });
}

QAction* MenuBinding::actionFor(const MenuItem& item) const {
    for (const Entry& entry : entries_)
        if (entry.item == &item) return entry.action;
    return nullptr;
}

void MenuBinding::sync() {
    for (Entry& entry : entries_) {
        const MenuItem& item = *entry.item;
        QAction* action = entry.action;
        if (item.caption != entry.caption) {
            entry.caption = item.caption;
            action->setText(fromProgramText(entry.caption));
        }
        if (item.enabled != entry.enabled) {
            entry.enabled = item.enabled;
            action->setEnabled(entry.enabled);
        }
        if (item.visible != entry.visible) {
            entry.visible = item.visible;
            action->setVisible(entry.visible);
        }
        if (item.checked != entry.checked) {
            // Only a checked item shows a mark; an unchecked one shows none.
            entry.checked = item.checked;
            if (entry.checked) action->setCheckable(true);
            action->setChecked(entry.checked);
            if (!entry.checked) action->setCheckable(false);
        }
    }
}

}  // namespace sob::qt
