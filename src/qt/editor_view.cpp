#include "qt/editor_view.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFocusEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>

#include "control/editor_form.h"
#include "qt/front_end.h"
#include "qt/qt_convert.h"

namespace sob::qt {

// ---- SpinEditWidget ----

SpinEditWidget::SpinEditWidget(FrontEnd& frontEnd, SpinEdit& model, std::function<void()> onExit,
                               QWidget* parent)
    : QAbstractSpinBox(parent),
      frontEnd_(frontEnd),
      model_(model),
      onExit_(std::move(onExit)),
      control_(model, this, QPalette::Base, QPalette::Text) {
    setObjectName(QString::fromStdString(model.name()));
    setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    setAccelerated(true);
    setFocusPolicy(Qt::StrongFocus);
    shown_ = model_.text();
    lineEdit()->setText(fromProgramText(shown_));
    connect(lineEdit(), &QLineEdit::textEdited, this, &SpinEditWidget::onTextEdited);
}

QValidator::State SpinEditWidget::validate(QString& input, int&) const {
    // A whole-number field takes digits and signs only.
    for (const QChar c : input)
        if (!c.isDigit() && c != u'-' && c != u'+') return QValidator::Invalid;
    return QValidator::Acceptable;
}

void SpinEditWidget::fixup(QString&) const {
    // The model corrects the value when the field loses the focus.
}

QAbstractSpinBox::StepEnabled SpinEditWidget::stepEnabled() const {
    return StepUpEnabled | StepDownEnabled;
}

void SpinEditWidget::stepBy(int steps) {
    frontEnd_.run([this, steps] {
        const long long next = static_cast<long long>(model_.value()) + steps;
        model_.setValue(
            static_cast<int>(std::clamp<long long>(next, model_.minValue, model_.maxValue)));
    });
}

void SpinEditWidget::onTextEdited(const QString& text) {
    std::string programText = toProgramText(text);
    shown_ = programText;
    frontEnd_.run([this, programText = std::move(programText)] { model_.setText(programText); });
}

void SpinEditWidget::focusOutEvent(QFocusEvent* event) {
    QAbstractSpinBox::focusOutEvent(event);
    // Leaving the field, not the window: another window taking the
    // activation or a popup opening is no exit.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    if (onExit_) frontEnd_.run(onExit_);
}

void SpinEditWidget::sync() {
    control_.sync();
    if (model_.text() != shown_) {
        shown_ = model_.text();
        lineEdit()->setText(fromProgramText(shown_));
    }
}

// ---- EditorView ----

EditorView::EditorView(FrontEnd& frontEnd, TForm2& form)
    : QWidget(nullptr), FormView(frontEnd, form), form2_(form) {
    setObjectName("Form2");
    applyWindowFlags(this, false);
    setAttribute(Qt::WA_QuitOnClose, false);

    bevel_ = new QFrame(this);
    bevel_->setObjectName("Bevel1");
    bevel_->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    bevelBinding_ = std::make_unique<ControlBinding>(form2_.Bevel1, bevel_);

    group1_ = makeGroup(form2_.GroupBox1);
    group1Binding_ = std::make_unique<ControlBinding>(form2_.GroupBox1, group1_);
    path_ = new QLineEdit(group1_);
    path_->setObjectName("Edit1");
    pathBinding_ = new EditBinding(frontEnd, form2_.Edit1, path_);

    group2_ = makeGroup(form2_.GroupBox2);
    group2Binding_ = std::make_unique<ControlBinding>(form2_.GroupBox2, group2_);
    interval_ = new SpinEditWidget(
        frontEnd, form2_.SpinEdit1, [this] { form2_.SpinEdit1Exit(); }, group2_);

    ok_ = new QPushButton(this);
    ok_->setObjectName("Button1");
    okBinding_ = new ButtonBinding(frontEnd, form2_.Button1, ok_);
    cancel_ = new QPushButton(this);
    cancel_->setObjectName("Button2");
    cancelBinding_ = new ButtonBinding(frontEnd, form2_.Button2, cancel_);

    // Path field, interval field, "Хорошо", "Отмена".
    setTabOrder(path_, interval_);
    setTabOrder(interval_, ok_);
    setTabOrder(ok_, cancel_);

    sync();
}

EditorView::~EditorView() = default;

QGroupBox* EditorView::makeGroup(const Frame& model) {
    auto* group = new QGroupBox(fromProgramText(model.caption), this);
    group->setObjectName(QString::fromStdString(model.name()));
    return group;
}

void EditorView::sync() {
    syncWindow();
    bevelBinding_->sync();
    group1Binding_->sync();
    if (form2_.GroupBox1.caption != group1Title_) {
        group1Title_ = form2_.GroupBox1.caption;
        group1_->setTitle(fromProgramText(group1Title_));
    }
    group2Binding_->sync();
    if (form2_.GroupBox2.caption != group2Title_) {
        group2Title_ = form2_.GroupBox2.caption;
        group2_->setTitle(fromProgramText(group2Title_));
    }
    pathBinding_->sync();
    interval_->sync();
    okBinding_->sync();
    cancelBinding_->sync();
    applyFocusRequest();
}

void EditorView::applyFocusRequest() {
    if (form2_.focusRequestCount == focusRequests_) return;
    focusRequests_ = form2_.focusRequestCount;
    QWidget* target = form2_.focusRequest == &form2_.Edit1 ? static_cast<QWidget*>(path_)
                                                           : static_cast<QWidget*>(interval_);
    // Only while this window is the active one and no menu or box is open.
    // Moved after the present handler: leaving the interval field runs the
    // model's correction, which must not run inside a synchronisation.
    QMetaObject::invokeMethod(
        this,
        [this, target] {
            if (!isVisible() || !isActiveWindow() || FrontEnd::modalOrPopupOpen()) return;
            if (!target->hasFocus()) target->setFocus(Qt::OtherFocusReason);
        },
        Qt::QueuedConnection);
}

void EditorView::closeEvent(QCloseEvent* event) {
    handleCloseEvent(event);
}

}  // namespace sob::qt
