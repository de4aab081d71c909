#pragma once

#include <functional>

#include <QPointer>
#include <QWidget>

#include "platform/pickers.h"

class QFontDialog;

namespace sob::qt {

// The colour and font choosers: Qt's own QColorDialog and QFontDialog, modal.
// The font chooser offers name, style and size only (its effects group with
// underline and strike-out is hidden; the model's fonts carry no colour
// choice). For the input line's font it offers the size 8 alone.
class QtPickers : public PickerHost {
public:
    bool pickColor(Color& color) override;
    bool pickFont(Font& font, bool onlySize8) override;

    void setParentWidget(QWidget* parent) { parent_ = parent; }

    // Called with each dialog once it is open (tests answer it from here).
    void setOpenedHook(std::function<void(QWidget* dialog)> hook) { openedHook_ = std::move(hook); }

    // Restricts an open font dialog to the size 8 (exposed for tests).
    static void restrictToSize8(QFontDialog& dialog);

private:
    QWidget* parentWidget() const;
    void callHookWhenOpen(QWidget* dialog);

    QPointer<QWidget> parent_;
    std::function<void(QWidget*)> openedHook_;
};

}  // namespace sob::qt
