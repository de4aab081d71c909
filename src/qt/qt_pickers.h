#pragma once

#include <functional>

#include <QPointer>
#include <QWidget>

#include "platform/pickers.h"

namespace sob::qt {

// The colour and font choosers, modal: Qt's QColorDialog and the program's
// FontChooser (name, style and size only; the size 8 alone for the input
// line's font).
class QtPickers : public PickerHost {
public:
    bool pickColor(Color& color) override;
    bool pickFont(Font& font, bool onlySize8) override;

    void setParentWidget(QWidget* parent) { parent_ = parent; }

    // Called with each dialog once it is open (tests answer it from here).
    void setOpenedHook(std::function<void(QWidget* dialog)> hook) { openedHook_ = std::move(hook); }

private:
    QWidget* parentWidget() const;
    void callHookWhenOpen(QWidget* dialog);

    QPointer<QWidget> parent_;
    std::function<void(QWidget*)> openedHook_;
};

}  // namespace sob::qt
