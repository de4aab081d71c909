#include "qt/qt_pickers.h"

#include <QColorDialog>
#include <QTimer>

#include "qt/font_chooser.h"
#include "qt/qt_convert.h"

namespace sob::qt {

QWidget* QtPickers::parentWidget() const {
    return parent_ && parent_->isVisible() ? parent_.data() : nullptr;
}

void QtPickers::callHookWhenOpen(QWidget* dialog) {
    if (!openedHook_) return;
    QTimer::singleShot(0, dialog, [this, dialog] {
        if (openedHook_) openedHook_(dialog);
    });
}

bool QtPickers::pickColor(Color& color) {
    QColorDialog dialog(toQColor(color, QPalette()), parentWidget());
    dialog.setOption(QColorDialog::DontUseNativeDialog);
    dialog.setObjectName("sob_color_dialog");
    callHookWhenOpen(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    color = fromQColor(dialog.selectedColor());
    return true;
}

bool QtPickers::pickFont(Font& font, bool onlySize8) {
    FontChooser dialog(font, onlySize8, parentWidget());
    callHookWhenOpen(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    font = dialog.chosen(font);
    return true;
}

}  // namespace sob::qt
