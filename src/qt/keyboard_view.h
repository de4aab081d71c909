#pragma once

#include <memory>
#include <vector>

#include <QMainWindow>

#include "qt/bindings.h"
#include "qt/form_view.h"

class QGroupBox;
class QToolButton;

namespace sob {
class TForm4;
}

namespace sob::qt {

// The virtual keyboard window, mirrored from TForm4: two group boxes of flat
// keys that never take the keyboard focus (so a click never takes the focus
// from anything), the four function keys and the window's menu. It has no
// close box; a close by the window manager goes to the model, which closes
// the keyboard as its menu command does.
class KeyboardView : public QMainWindow, public FormView {
    Q_OBJECT
public:
    KeyboardView(FrontEnd& frontEnd, TForm4& form);
    ~KeyboardView() override;

    QWidget* window() override { return this; }
    void sync() override;
    bool hasMenuBar() const override { return true; }

    // The widget of a key of the model (tests, screenshots).
    QToolButton* keyWidget(const Button& key) const;
    MenuBinding& menu() const { return *menu_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QToolButton* addKey(Button& key, QWidget* holder);

    TForm4& form4_;
    QGroupBox* symbols_ = nullptr;
    QGroupBox* letters_ = nullptr;
    std::unique_ptr<ControlBinding> symbolsBinding_;
    std::unique_ptr<ControlBinding> lettersBinding_;
    std::vector<ButtonBinding*> keys_;
    MenuBinding* menu_ = nullptr;
};

}  // namespace sob::qt
