#include "qt/qt_error_box.h"

#include <QMessageBox>
#include <QTimer>

#include "qt/qt_convert.h"

namespace sob::qt {

void QtErrorBox::showError(const std::string& text) {
    QWidget* parent = parent_ && parent_->isVisible() ? parent_.data() : nullptr;
    QMessageBox box(QMessageBox::Critical, title_, fromProgramText(text), QMessageBox::Ok, parent);
    box.setObjectName("sob_error_box");
    if (openedHook_) {
        QTimer::singleShot(0, &box, [this, &box] {
            if (openedHook_) openedHook_(&box);
        });
    }
    box.exec();
}

void showApplicationError(const QString& text) {
    QMessageBox box(QMessageBox::Critical, QStringLiteral("Application Error"), text,
                    QMessageBox::Ok);
    box.setObjectName("sob_application_error");
    box.exec();
}

}  // namespace sob::qt
