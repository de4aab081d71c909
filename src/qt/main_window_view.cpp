#include "qt/main_window_view.h"

#include <thread>

#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QTextEdit>
#include <QToolButton>

#include "platform/platform.h"
#include "qt/front_end.h"
#include "qt/transcript_view.h"
#include "qt/window_system.h"
#include "window/main_form.h"

namespace sob::qt {

MainWindowView::MainWindowView(FrontEnd& frontEnd, TForm1& form)
    : FormView(frontEnd, form), form1_(form) {
    setObjectName("Form1");
    applyWindowFlags(this, true);
    setAttribute(Qt::WA_QuitOnClose, false);

    auto* central = new QWidget(this);
    central->setObjectName("client");
    setCentralWidget(central);

    tab1_ = new QFrame(central);
    tab1_->setObjectName("TabControl1");
    tab1_->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    tab1_->setCursor(Qt::ArrowCursor);
    tab1Binding_ = std::make_unique<ControlBinding>(form1_.TabControl1, tab1_, QPalette::Window);

    transcriptWidget_ = new QTextEdit(tab1_);
    transcriptWidget_->setObjectName("RichEdit1");
    transcriptBinding_ = std::make_unique<TranscriptBinding>(form1_.RichEdit1, transcriptWidget_);

    tab2_ = new QFrame(central);
    tab2_->setObjectName("TabControl2");
    tab2_->setFrameStyle(QFrame::StyledPanel | QFrame::Raised);
    tab2Binding_ = std::make_unique<ControlBinding>(form1_.TabControl2, tab2_, QPalette::Window);

    input_ = new QLineEdit(tab2_);
    input_->setObjectName("Edit1");
    input_->setCursor(Qt::IBeamCursor);
    inputBinding_ = new EditBinding(frontEnd, form1_.Edit1, input_);

    auto makeButton = [this, &frontEnd](Button& model, const char* name, ButtonBinding*& binding) {
        auto* button = new QToolButton(tab2_);
        button->setObjectName(name);
        binding = new ButtonBinding(frontEnd, model, button);
        return button;
    };
    undo_ = makeButton(form1_.SpeedButton2, "SpeedButton2", undoBinding_);
    layout_ = makeButton(form1_.SpeedButton3, "SpeedButton3", layoutBinding_);
    say_ = makeButton(form1_.SpeedButton1, "SpeedButton1", sayBinding_);

    statusBar()->setObjectName("StatusBar1");
    statusBinding_ = std::make_unique<StatusBarBinding>(form1_.StatusBar1, statusBar());

    menuBar()->setObjectName("MainMenu1");
    menuBar()->setCursor(Qt::ArrowCursor);
    menuBar()->setNativeMenuBar(false);
    menu_ = new MenuBinding(frontEnd, menuBar(), form1_.menuBar, this);

    input_->installEventFilter(this);
    transcriptWidget_->installEventFilter(this);
    // The input line holds the focus from the moment the window is first
    // activated, before the state polling asks for it: keys typed at once
    // go there.
    input_->setFocus(Qt::OtherFocusReason);
    // The entrance shake moves the window a hundred times and more within
    // one tick; each move is shown as it is made.
    form1_.onWindowMoved = [this] { showMove(); };
    sync();
}

MainWindowView::~MainWindowView() {
    form1_.onWindowMoved = nullptr;
}

void MainWindowView::showMove() {
    if (!isVisible()) return;
    placeWindow();
    // Straight to the X server, without running the event loop (which
    // would run other ticks inside this one). Where there is none, nothing
    // shows the moves, and nothing waits.
    if (!syncWithWindowSystem()) return;
    // A millisecond for each position, so that the window manager and the
    // screen keep up: a shake of 125 to 250 moves lasts a quarter of a
    // second at most, and the window is seen to jump about.
    constexpr auto pace = std::chrono::milliseconds(1);
    const auto due = lastMove_ + pace;
    if (std::chrono::steady_clock::now() < due) std::this_thread::sleep_until(due);
    lastMove_ = std::chrono::steady_clock::now();
}

QLabel* MainWindowView::statusPanel(int index) const {
    return statusBinding_->panel(index);
}

void MainWindowView::sync() {
    syncWindow();
    tab1Binding_->sync();
    transcriptBinding_->sync();
    tab2Binding_->sync();
    inputBinding_->sync();
    undoBinding_->sync();
    layoutBinding_->sync();
    sayBinding_->sync();
    statusBinding_->sync();
    menu_->sync();
    applyFocusRequest();
}

bool MainWindowView::focusRequestWouldMove() const {
    // Only while this window takes input, is the active one and no menu,
    // picker or box is open: a request must never take keys from them.
    return form1_.enabled && !input_->hasFocus() && input_->isEnabled() && input_->isVisible() &&
           isActiveWindow() && !FrontEnd::modalOrPopupOpen();
}

void MainWindowView::focusChanged() {
    // The state polling sleeps while its ticks could change nothing; it
    // needs to know when one would move the focus.
    form1_.focusWanted = focusRequestWouldMove();
}

void MainWindowView::applyFocusRequest() {
    if (form1_.focusRequestCount != focusRequests_) {
        focusRequests_ = form1_.focusRequestCount;
        if (form1_.focusRequest == &form1_.Edit1 && focusRequestWouldMove())
            input_->setFocus(Qt::OtherFocusReason);
    }
    const bool wanted = focusRequestWouldMove();
    if (wanted != form1_.focusWanted) {
        form1_.focusWanted = wanted;
        if (wanted) frontEnd().platform().scheduler.wake();
    }
}

bool MainWindowView::takeEnter(QKeyEvent* event) {
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) return false;
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    if (modifiers == Qt::NoModifier && form1_.Talk.enabled) run([this] { form1_.Talk.click(); });
    return true;
}

bool MainWindowView::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && takeEnter(static_cast<QKeyEvent*>(event))) return true;
    if (event->type() == QEvent::ShortcutOverride) {
        // Ctrl+Z and Ctrl+S belong to the menu, not to the input line's own
        // undo.
        auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if (modifiers == Qt::ControlModifier &&
            (key->key() == Qt::Key_Z || key->key() == Qt::Key_S))
            return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindowView::keyPressEvent(QKeyEvent* event) {
    if (takeEnter(event)) return;
    QMainWindow::keyPressEvent(event);
}

void MainWindowView::closeEvent(QCloseEvent* event) {
    handleCloseEvent(event);
}

}  // namespace sob::qt
