#include <cstdlib>
#include <filesystem>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

#include "aids/about_form.h"
#include "aids/keyboard_form.h"
#include "control/editor_form.h"
#include "qt/about_view.h"
#include "qt/editor_view.h"
#include "qt/keyboard_view.h"
#include "qt_fixture.h"

namespace sob::qt_test {
namespace {

// The main window with the editor, the about window and the virtual
// keyboard: what the main window does while one of them is open, and how
// they are framed and placed.
class SecondaryWindowTest : public FrontEndTest {
protected:
    template <typename View>
    View* viewOfType() {
        for (const auto& v : frontEnd->views())
            if (auto* typed = dynamic_cast<View*>(v.get())) return typed;
        return nullptr;
    }

    qt::KeyboardView* keyboardView() { return viewOfType<qt::KeyboardView>(); }
    qt::AboutView* aboutView() { return viewOfType<qt::AboutView>(); }
    qt::EditorView* editorView() { return viewOfType<qt::EditorView>(); }

    // A turn, so that undo (Ctrl+Z) and the Say button are offered.
    void takeATurn() {
        typeText(view->input(), q("привет"));
        tick();
        QTest::keyClick(view->input(), Qt::Key_Return);
        typeText(view->input(), q("да"));
        tick();
        ASSERT_EQ(form().RichEdit1.lineCount(), 2);
        ASSERT_TRUE(form().N15.enabled);
        ASSERT_TRUE(form().SpeedButton1.enabled);
    }

    // Alt with the first letter of "&Система", as the keyboard sends it.
    void pressSystemMenuKey() {
        QTest::sendKeyEvent(QTest::Click, view->input(),
                            static_cast<Qt::Key>(QChar(u'С').unicode()), q("с"), Qt::AltModifier);
    }

    static void closePopups() {
        while (QWidget* popup = QApplication::activePopupWidget()) popup->close();
    }
};

TEST_F(SecondaryWindowTest, TheMainWindowBehindTheKeyboardStaysReadableButTakesNoInput) {
    activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    takeATurn();
    // The menu access key works while the window is enabled.
    pressSystemMenuKey();
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    closePopups();

    frontEnd->run([this] { form().N22.choose(); });
    ASSERT_FALSE(form().enabled);
    ASSERT_TRUE(keyboardView()->isVisible());

    // Nothing is greyed: the input line, the menu bar, the status bar and
    // the buttons the model has enabled are drawn as before.
    for (QWidget* widget :
         {static_cast<QWidget*>(view), static_cast<QWidget*>(view->input()),
          static_cast<QWidget*>(view->menuBar()), static_cast<QWidget*>(view->statusPanel(1)),
          static_cast<QWidget*>(view->transcript()), static_cast<QWidget*>(view->sayButton())}) {
        SCOPED_TRACE(widget->objectName().toStdString());
        EXPECT_TRUE(widget->isEnabled());
    }

    // The user clicks the main window and tries everything there.
    activate();
    ASSERT_TRUE(view->isActiveWindow());
    view->transcript()->setFocus(Qt::MouseFocusReason);
    EXPECT_FALSE(form().focusWanted);  // no focus request while it takes no input
    const std::string text = form().Edit1.text();
    typeText(view->input(), q("ы"));
    QTest::keyClick(view->input(), Qt::Key_Backspace);
    EXPECT_EQ(form().Edit1.text(), text);
    EXPECT_EQ(view->input()->text(), q("да"));
    QTest::keyClick(view->input(), Qt::Key_Return);
    QTest::mouseClick(view->sayButton(), Qt::LeftButton);
    QTest::mouseClick(view->undoButton(), Qt::LeftButton);
    QTest::keyClick(view->input(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form().RichEdit1.lineCount(), 2);
    EXPECT_FALSE(form().Timer7.enabled());  // no undo, no shake
    const int layoutCues = form().MediaPlayer3.requests();
    QTest::keyClick(view->input(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(form().MediaPlayer3.requests(), layoutCues);
    pressSystemMenuKey();
    const QRect systemMenu = view->menuBar()->actionGeometry(view->menuBar()->actions()[0]);
    QTest::mouseClick(view->menuBar(), Qt::LeftButton, Qt::NoModifier, systemMenu.center());
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    closePopups();

    // The keyboard's keys still write into the input line.
    QTest::mouseClick(keyboardView()->keyWidget(program->Form4->SpeedButton61), Qt::LeftButton);
    EXPECT_EQ(form().Edit1.text(), w("дая"));
    EXPECT_EQ(view->input()->text(), q("дая"));

    // Closed by its menu: the main window takes input again.
    frontEnd->run([this] { program->Form4->N2.choose(); });
    ASSERT_TRUE(form().enabled);
    activate();
    typeText(view->input(), q("!"));
    EXPECT_EQ(form().Edit1.text(), w("дая!"));
    pressSystemMenuKey();
    EXPECT_NE(QApplication::activePopupWidget(), nullptr);
    closePopups();
}

TEST_F(SecondaryWindowTest, AClickIntoTheBlockedMainWindowBringsTheOpenWindowForward) {
    frontEnd->run([this] { form().N12.choose(); });
    activate();
    ASSERT_TRUE(view->isActiveWindow());
    QTest::mouseClick(view->windowHandle(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
    QApplication::processEvents();
    EXPECT_TRUE(aboutView()->isActiveWindow());
}

TEST_F(SecondaryWindowTest, ElementsTheModelDisablesStillLookDisabled) {
    typeText(view->input(), q("a;"));
    tick(3);  // the input guard meets ";" and disables the transcript for good
    ASSERT_FALSE(form().RichEdit1.enabled);
    EXPECT_FALSE(view->transcript()->isEnabled());
    EXPECT_FALSE(view->sayButton()->isEnabled());  // the input is empty again

    frontEnd->run([this] { form().N22.choose(); });
    tick();
    EXPECT_FALSE(keyboardView()->keyWidget(program->Form4->SpeedButton62)->isEnabled());
    EXPECT_FALSE(view->transcript()->isEnabled());
}

TEST_F(SecondaryWindowTest, SecondaryWindowsHaveACaptionOnlyAndAWindowManagersCloseRestores) {
    struct Case {
        const char* name;
        MenuItem& opener;
        QWidget* window;
        const Form& form;
    };
    for (const Case& c : {Case{"editor", form().N38, editorView(), *program->Form2},
                          Case{"about", form().N12, aboutView(), *program->Form3},
                          Case{"keyboard", form().N22, keyboardView(), *program->Form4}}) {
        SCOPED_TRACE(c.name);
        const Qt::WindowFlags flags = c.window->windowFlags();
        EXPECT_EQ(flags & Qt::WindowType_Mask, Qt::Window);  // a taskbar entry, not a tool
        EXPECT_TRUE(flags & Qt::CustomizeWindowHint);
        EXPECT_TRUE(flags & Qt::WindowTitleHint);
        EXPECT_FALSE(flags & (Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowMaximizeButtonHint | Qt::WindowSystemMenuHint));

        frontEnd->run([&] { c.opener.choose(); });
        ASSERT_TRUE(c.window->isVisible());
        ASSERT_FALSE(form().enabled);
        ASSERT_FALSE(form().Timer1.enabled());
        // No close box, but a window manager can still close the window.
        c.window->close();
        QApplication::processEvents();
        EXPECT_FALSE(c.form.visible);
        EXPECT_FALSE(c.window->isVisible());
        EXPECT_TRUE(form().enabled);
        EXPECT_TRUE(form().Timer1.enabled());
    }
    // The main window: a close box only.
    const Qt::WindowFlags flags = view->windowFlags();
    EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(flags & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
}

// The model's bounds are outer frames as the original platform drew them,
// with the menu bar in the frame; here the menu bar is inside the window and
// the frame is what the window system draws (the offscreen platform draws
// one too). Every window still stands centred on the desktop.
TEST_F(SecondaryWindowTest, EveryWindowStandsCentredAndTheAboutWindowGrowsDownwards) {
    dir.write("ReadMe.Txt", w("История программы\r\n"));
    ASSERT_GT(t.screen.frameLeft, 0);  // the frame has been measured
    const Bounds& area = t.screen.workArea;
    const QPoint centre(area.left + area.width / 2, area.top + area.height / 2);
    auto expectCentred = [&](QWidget* window) {
        const QRect frame = window->frameGeometry();
        EXPECT_LE(std::abs(frame.left() + frame.width() / 2 - centre.x()), 1) << frame.left();
        EXPECT_LE(std::abs(frame.top() + frame.height() / 2 - centre.y()), 1) << frame.top();
    };
    auto modelFrame = [](const Form& f) {
        return QRect(f.bounds.left, f.bounds.top, f.bounds.width, f.bounds.height);
    };

    tick();  // the start-up shake ends centred
    {
        SCOPED_TRACE("main window");
        expectCentred(view);
        EXPECT_EQ(view->frameGeometry(), modelFrame(form()));
        EXPECT_EQ(view->height() - view->menuBar()->height(), 361);
    }
    {
        SCOPED_TRACE("keyboard");
        frontEnd->run([this] { form().N22.choose(); });
        expectCentred(keyboardView());
        EXPECT_EQ(keyboardView()->frameGeometry(), modelFrame(*program->Form4));
        EXPECT_EQ(keyboardView()->size(), QSize(353, 145 + keyboardView()->menuBar()->height()));
        frontEnd->run([this] { program->Form4->N2.choose(); });
    }
    {
        SCOPED_TRACE("editor");
        frontEnd->run([this] { form().N38.choose(); });
        expectCentred(editorView());
        EXPECT_EQ(editorView()->size(), QSize(305, 105));
        frontEnd->run([this] { program->Form2->Button1.click(); });
    }
    {
        SCOPED_TRACE("about window");
        frontEnd->run([this] { form().N12.choose(); });
        expectCentred(aboutView());
        EXPECT_EQ(aboutView()->size(), QSize(377, 152));
        const QRect collapsed = aboutView()->frameGeometry();
        QTest::mouseClick(aboutView()->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        ASSERT_EQ(program->Form3->bounds.height, TForm3::expandedHeight);
        EXPECT_EQ(aboutView()->size(), QSize(377, 300));
        EXPECT_EQ(aboutView()->frameGeometry().topLeft(), collapsed.topLeft());
        QTest::mouseClick(aboutView()->findChild<QPushButton*>("Button1"), Qt::LeftButton);
        EXPECT_EQ(aboutView()->frameGeometry(), collapsed);
    }
}

TEST_F(SecondaryWindowTest, TheAboutPictureIsBuiltIntoTheProgram) {
    // The working folder holds the phrase base only.
    ASSERT_FALSE(std::filesystem::exists(std::filesystem::path(dir.path()) / "about.bmp"));
    const QPixmap picture = aboutView()->picture()->pixmap();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.size(), QSize(179, 132));
    EXPECT_TRUE(aboutView()->picture()->hasScaledContents());  // stretched to its box
}

}  // namespace
}  // namespace sob::qt_test
