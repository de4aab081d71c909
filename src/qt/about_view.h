#pragma once

#include <cstdint>
#include <memory>

#include <QWidget>

#include "qt/bindings.h"
#include "qt/form_view.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace sob {
class TForm3;
}

namespace sob::qt {

// The about window, mirrored from TForm3: the upper panel with the picture,
// the version and the two buttons, and below it the history panel, which
// shows only while the window is expanded. It has no close box; a close by
// the window manager goes to the model, which closes it as "Закрыть" does.
//
// The model's heights (179 collapsed, 327 expanded) are the window's outer
// heights with the program's original dialog frame, 27 pixels high in all;
// the view gives the window the client height they stand for (152 or 300),
// whatever frame this desktop draws, about the centre of the model's bounds
// (the shift is the same at both heights, so the window grows downwards).
class AboutView : public QWidget, public FormView {
    Q_OBJECT
public:
    AboutView(FrontEnd& frontEnd, TForm3& form);
    ~AboutView() override;

    QWidget* window() override { return this; }
    void sync() override;
    int clientHeight() const override;

    QPlainTextEdit* history() const { return memo_; }
    QLabel* picture() const { return image_; }

    // The height of the dialog frame the model's outer heights include.
    static constexpr int originalFrameHeight = 27;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void loadPicture();
    void syncHistory();

    TForm3& form3_;
    QFrame* panel1_ = nullptr;
    QFrame* bevel_ = nullptr;
    QLabel* image_ = nullptr;
    QLabel* label_ = nullptr;
    QFrame* panel2_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    std::unique_ptr<ControlBinding> panel1Binding_;
    std::unique_ptr<ControlBinding> bevelBinding_;
    std::unique_ptr<ControlBinding> imageBinding_;
    std::unique_ptr<LabelBinding> labelBinding_;
    ButtonBinding* historyButton_ = nullptr;
    ButtonBinding* closeButton_ = nullptr;
    std::unique_ptr<ControlBinding> panel2Binding_;
    std::unique_ptr<ControlBinding> memoBinding_;
    std::uint64_t historyRevision_ = 0;
    bool historyShown_ = false;
};

}  // namespace sob::qt
