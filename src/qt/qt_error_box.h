#pragma once

#include <functional>
#include <string>

#include <QPointer>
#include <QString>
#include <QWidget>

#include "platform/dispatcher.h"

namespace sob::qt {

// The common error box: a modal QMessageBox with the error icon and an OK
// button, titled with the application's title. The Dispatcher decides when
// it is shown (never two at once).
class QtErrorBox : public ErrorBox {
public:
    explicit QtErrorBox(QString title) : title_(std::move(title)) {}

    // text: Windows-1251.
    void showError(const std::string& text) override;

    // The window the box is centred on (the main window once it exists).
    void setParentWidget(QWidget* parent) { parent_ = parent; }
    const QString& title() const { return title_; }

    // Called with the box once it is open (tests close it from here).
    void setOpenedHook(std::function<void(QWidget* box)> hook) { openedHook_ = std::move(hook); }

private:
    QString title_;
    QPointer<QWidget> parent_;
    std::function<void(QWidget*)> openedHook_;
};

// The "Application Error" box of a failed start-up (modal, error icon, OK).
void showApplicationError(const QString& text);

}  // namespace sob::qt
