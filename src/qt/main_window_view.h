#pragma once

#include <chrono>
#include <cstdint>
#include <memory>

#include <QMainWindow>

#include "qt/bindings.h"
#include "qt/form_view.h"

class QFrame;
class QLineEdit;
class QTextEdit;
class QToolButton;

namespace sob {
class TForm1;
}

namespace sob::qt {

class TranscriptBinding;

// The main window: the transcript, the input line with its three flat
// buttons, the status bar and the main menu, mirrored from TForm1.
// Enter (without Shift, Ctrl or Alt) clicks the hidden default button while
// it is enabled; Ctrl+Z and Ctrl+S reach their menu items; the close box
// closes the window without the Exit command.
class MainWindowView : public QMainWindow, public FormView {
    Q_OBJECT
public:
    MainWindowView(FrontEnd& frontEnd, TForm1& form);
    ~MainWindowView() override;

    QWidget* window() override { return this; }
    void sync() override;
    bool hasMenuBar() const override { return true; }
    void focusChanged() override;

    // The widgets, for tests and for the screenshot.
    QTextEdit* transcript() const { return transcriptWidget_; }
    QLineEdit* input() const { return input_; }
    QToolButton* sayButton() const { return say_; }
    QToolButton* undoButton() const { return undo_; }
    QToolButton* layoutButton() const { return layout_; }
    QLabel* statusPanel(int index) const;
    MenuBinding& menu() const { return *menu_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Enter, as the window's default button takes it. True when the key was
    // Enter (taken whatever the modifiers).
    bool takeEnter(QKeyEvent* event);
    void applyFocusRequest();
    // Shows a move the model made within a tick (the entrance shake).
    void showMove();
    // Whether a focus request would move the focus into the input line now.
    bool focusRequestWouldMove() const;

    TForm1& form1_;
    QFrame* tab1_ = nullptr;
    QFrame* tab2_ = nullptr;
    QTextEdit* transcriptWidget_ = nullptr;
    QLineEdit* input_ = nullptr;
    QToolButton* say_ = nullptr;
    QToolButton* undo_ = nullptr;
    QToolButton* layout_ = nullptr;
    std::unique_ptr<ControlBinding> tab1Binding_;
    std::unique_ptr<ControlBinding> tab2Binding_;
    std::unique_ptr<TranscriptBinding> transcriptBinding_;
    EditBinding* inputBinding_ = nullptr;
    ButtonBinding* sayBinding_ = nullptr;
    ButtonBinding* undoBinding_ = nullptr;
    ButtonBinding* layoutBinding_ = nullptr;
    std::unique_ptr<StatusBarBinding> statusBinding_;
    MenuBinding* menu_ = nullptr;
    std::uint64_t focusRequests_ = 0;
    std::chrono::steady_clock::time_point lastMove_{};
};

}  // namespace sob::qt
