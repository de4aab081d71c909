#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include <QAbstractSpinBox>
#include <QWidget>

#include "qt/bindings.h"
#include "qt/form_view.h"

class QFrame;
class QGroupBox;
class QLineEdit;
class QPushButton;

namespace sob {
class Frame;
class SpinEdit;
class TForm2;
}  // namespace sob

namespace sob::qt {

// The interval field: a spin box whose text is the model's text, exactly
// (QSpinBox would clamp and reformat it). Typing digits, "+" or "-" changes
// the model's text; the arrows and the arrow keys step the model's value by
// one within its range; leaving the field lets the model correct the value.
class SpinEditWidget : public QAbstractSpinBox {
    Q_OBJECT
public:
    SpinEditWidget(FrontEnd& frontEnd, SpinEdit& model, std::function<void()> onExit,
                   QWidget* parent);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;
    void sync();

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void onTextEdited(const QString& text);

    FrontEnd& frontEnd_;
    SpinEdit& model_;
    std::function<void()> onExit_;
    ControlBinding control_;
    std::string shown_;
};

// The editor window "Редактор", mirrored from TForm2: the sunken bevel, the
// path field and the interval field in their group boxes, "Хорошо" and
// "Отмена". The focus timer's requests move the keyboard focus between the
// two fields while this window is active and no menu or box is open. It has
// no close box; a close by the window manager goes to the model, which
// closes the editor as "Хорошо" does.
class EditorView : public QWidget, public FormView {
    Q_OBJECT
public:
    EditorView(FrontEnd& frontEnd, TForm2& form);
    ~EditorView() override;

    QWidget* window() override { return this; }
    void sync() override;

    QLineEdit* pathField() const { return path_; }
    SpinEditWidget* intervalField() const { return interval_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QGroupBox* makeGroup(const Frame& model);
    void applyFocusRequest();

    TForm2& form2_;
    QFrame* bevel_ = nullptr;
    QGroupBox* group1_ = nullptr;
    QGroupBox* group2_ = nullptr;
    QLineEdit* path_ = nullptr;
    SpinEditWidget* interval_ = nullptr;
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::unique_ptr<ControlBinding> bevelBinding_;
    std::unique_ptr<ControlBinding> group1Binding_;
    std::unique_ptr<ControlBinding> group2Binding_;
    EditBinding* pathBinding_ = nullptr;
    ButtonBinding* okBinding_ = nullptr;
    ButtonBinding* cancelBinding_ = nullptr;
    std::string group1Title_;
    std::string group2Title_;
    std::uint64_t focusRequests_ = 0;
};

}  // namespace sob::qt
