#include "qt/keyboard_view.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QMenuBar>
#include <QToolButton>

#include "aids/keyboard_form.h"
#include "qt/qt_convert.h"

namespace sob::qt {

namespace {

QGroupBox* makeGroup(const Frame& model, QWidget* parent) {
    auto* group = new QGroupBox(fromProgramText(model.caption), parent);
    group->setObjectName(QString::fromStdString(model.name()));
    // The keys sit at fixed places inside the box; the title stays on the
    // frame line and takes no room from them.
    group->setFlat(false);
    return group;
}

}  // namespace

KeyboardView::KeyboardView(FrontEnd& frontEnd, TForm4& form)
    : FormView(frontEnd, form), form4_(form) {
    setObjectName("Form4");
    applyWindowFlags(this, false);
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* central = new QWidget(this);
    central->setObjectName("client");
    setCentralWidget(central);

    symbols_ = makeGroup(form4_.GroupBox1, central);
    symbolsBinding_ = std::make_unique<ControlBinding>(form4_.GroupBox1, symbols_, QPalette::NoRole,
                                                       QPalette::WindowText);
    letters_ = makeGroup(form4_.GroupBox2, central);
    lettersBinding_ = std::make_unique<ControlBinding>(form4_.GroupBox2, letters_, QPalette::NoRole,
                                                       QPalette::WindowText);

    for (Button* key : form4_.symbolKeys()) addKey(*key, symbols_);
    for (Button* key : form4_.letterKeys()) addKey(*key, letters_);
    for (Button* key : {&form4_.SpeedButton62, &form4_.SpeedButton66, &form4_.SpeedButton23,
                        &form4_.SpeedButton63})
        addKey(*key, central);

    menuBar()->setObjectName("MainMenu1");
    menuBar()->setNativeMenuBar(false);
    menu_ = new MenuBinding(frontEnd, menuBar(), form4_.menuBar, this);

    sync();
}

KeyboardView::~KeyboardView() = default;

QToolButton* KeyboardView::addKey(Button& key, QWidget* holder) {
    auto* button = new QToolButton(holder);
    button->setObjectName(QString::fromStdString(key.name()));
    // Keys keep the window's text colour for their captions, not the white
    // of the group titles.
    QPalette palette = button->palette();
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ButtonText));
    button->setPalette(palette);
    keys_.push_back(new ButtonBinding(frontEnd(), key, button));
    return button;
}

QToolButton* KeyboardView::keyWidget(const Button& key) const {
    return findChild<QToolButton*>(QString::fromStdString(key.name()));
}

void KeyboardView::sync() {
    syncWindow();
    symbolsBinding_->sync();
    lettersBinding_->sync();
    for (ButtonBinding* key : keys_) key->sync();
    menu_->sync();
}

void KeyboardView::closeEvent(QCloseEvent* event) {
    handleCloseEvent(event);
}

}  // namespace sob::qt
