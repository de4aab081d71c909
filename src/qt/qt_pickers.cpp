#include "qt/qt_pickers.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QFontDialog>
#include <QGroupBox>
#include <QIntValidator>
#include <QLineEdit>
#include <QListView>
#include <QStringListModel>
#include <QTimer>

#include "qt/qt_convert.h"

namespace sob::qt {

namespace {

bool isSizeList(QListView* view) {
    auto* model = qobject_cast<QStringListModel*>(view->model());
    if (model == nullptr || model->rowCount() == 0) return false;
    for (const QString& entry : model->stringList()) {
        bool number = false;
        entry.toInt(&number);
        if (!number) return false;
    }
    return true;
}

}  // namespace

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

void QtPickers::restrictToSize8(QFontDialog& dialog) {
    QFont font = dialog.currentFont();
    font.setPointSize(8);
    dialog.setCurrentFont(font);
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (edit->findChild<QIntValidator*>() == nullptr) continue;
        edit->setText("8");
        edit->setReadOnly(true);
    }
    for (QListView* view : dialog.findChildren<QListView*>()) {
        if (!isSizeList(view)) continue;
        auto* model = qobject_cast<QStringListModel*>(view->model());
        // The dialog refills the size list whenever the name or the style
        // changes; keep it at the one size each time.
        auto keepOnly8 = [model, view] {
            if (model->stringList() == QStringList{"8"}) return;
            model->setStringList({"8"});
            view->setCurrentIndex(model->index(0));
        };
        keepOnly8();
        QObject::connect(model, &QAbstractItemModel::modelReset, view, keepOnly8,
                         Qt::QueuedConnection);
    }
}

bool QtPickers::pickFont(Font& font, bool onlySize8) {
    QFontDialog dialog(toQFont(font), parentWidget());
    dialog.setOption(QFontDialog::DontUseNativeDialog);
    dialog.setObjectName("sob_font_dialog");
    // No underline or strike-out: hide the effects group.
    for (QCheckBox* box : dialog.findChildren<QCheckBox*>()) {
        if (auto* group = qobject_cast<QGroupBox*>(box->parentWidget())) group->hide();
    }
    if (onlySize8) restrictToSize8(dialog);
    callHookWhenOpen(&dialog);
    if (dialog.exec() != QDialog::Accepted) return false;
    QFont chosen = dialog.selectedFont();
    chosen.setUnderline(false);
    chosen.setStrikeOut(false);
    if (onlySize8) chosen.setPointSize(8);
    font = fromQFont(chosen, font);
    return true;
}

}  // namespace sob::qt
