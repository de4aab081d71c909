#include <functional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QToolButton>

#include "qt/qt_convert.h"
#include "qt_fixture.h"

namespace sob::qt_test {
namespace {

using MainWindowViewTest = FrontEndTest;

// The character format of the text of block `index` of the transcript.
QTextCharFormat lineFormat(QTextEdit* edit, int index) {
    QTextCursor cursor(edit->document()->findBlockByNumber(index));
    cursor.movePosition(QTextCursor::EndOfBlock);
    return cursor.charFormat();
}

QStringList transcriptLines(QTextEdit* edit) {
    QStringList lines;
    if (edit->document()->isEmpty()) return lines;
    for (QTextBlock block = edit->document()->begin(); block.isValid(); block = block.next())
        lines << block.text();
    return lines;
}

TEST_F(MainWindowViewTest, WidgetsMirrorTheStartState) {
    EXPECT_EQ(view->windowTitle(), q("Разработчик: Тельдор Мардун. v2.105"));
    // The client area lies below the menu bar: 587 x 361.
    EXPECT_EQ(view->width(), 587);
    EXPECT_EQ(view->height() - view->menuBar()->height(), 361);
    EXPECT_EQ(view->statusBar()->height(), 19);
    EXPECT_TRUE(view->isVisible());
    // A normal window (taskbar entry) with a close box, no minimise or
    // maximise button.
    EXPECT_EQ(view->windowFlags() & Qt::WindowType_Mask, Qt::Window);
    EXPECT_TRUE(view->windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(view->windowFlags() & Qt::WindowMaximizeButtonHint);

    struct Button {
        QToolButton* widget;
        const char* caption;
        const char* hint;
    };
    for (const Button& b :
         {Button{view->sayButton(), "Сказать",
                 "Кнопка отправки текста (Альтернативная клавиша: <ENTER>)"},
          Button{view->undoButton(), "<", "Отмена (Альтернатива клавиша: <Ctrl + Z>)"},
          Button{view->layoutButton(), "E/R", "Раскладка (Альтернатива клавиша: <Ctrl + S>)"}}) {
        SCOPED_TRACE(b.caption);
        EXPECT_EQ(b.widget->text(), q(b.caption));
        EXPECT_EQ(b.widget->toolTip(), q(b.hint));
        EXPECT_FALSE(b.widget->isEnabled());
        EXPECT_TRUE(b.widget->autoRaise());
        EXPECT_EQ(b.widget->cursor().shape(), Qt::PointingHandCursor);
    }
    EXPECT_EQ(view->sayButton()->geometry(), QRect(496, 5, 86, 22));
    EXPECT_EQ(view->input()->geometry(), QRect(3, 5, 422, 21));
    EXPECT_EQ(view->input()->text(), QString());
    EXPECT_EQ(view->input()->maxLength(), 255);
    EXPECT_TRUE(view->transcript()->isReadOnly());
    EXPECT_EQ(view->transcript()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(view->transcript()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(view->transcript()->toolTip(), q("Поле для отображения диалога"));

    EXPECT_EQ(view->statusPanel(0)->width(), 130);
    EXPECT_EQ(view->statusPanel(1)->width(), 322);
    EXPECT_GE(view->statusPanel(2)->width(), 50);
    EXPECT_EQ(view->statusPanel(2)->text(), q("Режим Cpu\\User"));

    const QList<QAction*> menus = view->menuBar()->actions();
    ASSERT_EQ(menus.size(), 3);
    EXPECT_EQ(menus[0]->text(), q("&Система"));
    EXPECT_EQ(menus[1]->text(), q("&Настройки"));
    EXPECT_EQ(menus[2]->text(), q("С&правка"));
    EXPECT_EQ(view->menu().actionFor(form().N4)->text(), q("В&ыход"));
    EXPECT_EQ(view->menu().actionFor(form().N6)->text(), q("&Цвет основного фона "));
    EXPECT_TRUE(view->menu().actionFor(form().N15)->isSeparator());
    EXPECT_TRUE(view->menu().actionFor(form().N13)->isChecked());
    EXPECT_TRUE(view->menu().actionFor(form().CpuUser1)->isChecked());
    EXPECT_FALSE(view->menu().actionFor(form().Cpu31)->isChecked());
    // An unchecked item shows no check box at all.
    EXPECT_FALSE(view->menu().actionFor(form().Cpu31)->isCheckable());
}

TEST_F(MainWindowViewTest, TicksShowTheStatusCountsAndTheDisabledUndo) {
    tick();
    EXPECT_EQ(view->statusPanel(0)->text(), q("Загрузка окончена"));
    EXPECT_EQ(view->statusPanel(1)->text(),
              q("Программе известно:   [главные фразы - 2   ветки - 1]"));
    EXPECT_FALSE(view->menu().actionFor(form().N15)->isEnabled());
    tick(1000);
    EXPECT_EQ(view->menu().actionFor(form().N18)->text(), q("&Входящие выражения: [3]"));
}

TEST_F(MainWindowViewTest, TypedCyrillicReachesTheModelAndEnablesTheButtons) {
    tick(2);
    ASSERT_FALSE(view->sayButton()->isEnabled());
    typeText(view->input(), q("привет"));
    EXPECT_EQ(form().Edit1.text(), w("привет"));
    EXPECT_EQ(form().MediaPlayer1.requests(), 6);  // the change event ran for every key
    EXPECT_FALSE(view->sayButton()->isEnabled());  // until the next polling tick
    tick();
    EXPECT_TRUE(view->sayButton()->isEnabled());
    EXPECT_TRUE(view->layoutButton()->isEnabled());

    QTest::keyClick(view->input(), Qt::Key_Backspace);
    EXPECT_EQ(form().Edit1.text(), w("приве"));

    // A character Windows-1251 cannot hold enters as "?", and the field shows
    // what the model holds.
    typeText(view->input(), QString(QChar(0x4E2D)));
    EXPECT_EQ(form().Edit1.text(), w("приве?"));
    EXPECT_EQ(view->input()->text(), q("приве?"));

    view->input()->clear();  // a program-side clear of the widget alone changes nothing
    frontEnd->syncAll();
    EXPECT_EQ(form().Edit1.text(), w("приве?"));
}

TEST_F(MainWindowViewTest, EnterTakesATurnOnlyWithoutModifiersAndWithText) {
    tick();
    QTest::keyClick(view->input(), Qt::Key_Return);  // empty input: Talk is disabled
    EXPECT_EQ(form().RichEdit1.lineCount(), 0);

    typeText(view->input(), q("привет"));
    tick();
    for (Qt::KeyboardModifier modifier :
         {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier}) {
        QTest::keyClick(view->input(), Qt::Key_Return, modifier);
        EXPECT_EQ(form().RichEdit1.lineCount(), 0) << modifier;
    }

    QTest::keyClick(view->input(), Qt::Key_Enter, Qt::KeypadModifier);
    ASSERT_EQ(form().RichEdit1.lineCount(), 2);
    EXPECT_EQ(transcriptLines(view->transcript()), (QStringList{q("Привет."), q("Здравствуй!")}));
    EXPECT_EQ(view->input()->text(), QString());  // the turn clears the input
    ASSERT_EQ(form().RichEdit4.Count(), 2);
    EXPECT_EQ(form().RichEdit4.Strings(0), w("USER:     Привет."));
}

TEST_F(MainWindowViewTest, EachLineIsACentredParagraphInItsOwnStyle) {
    RichEdit& transcript = form().RichEdit1;
    transcript.currentStyle =
        TextStyle{Color::rgb(200, 0, 0), "DejaVu Serif", 14, FontStyle::Bold | FontStyle::Italic};
    transcript.append(w("Первая"));
    transcript.currentStyle =
        TextStyle{Color::rgb(0, 0, 160), "DejaVu Sans", 8, FontStyle::Regular};
    transcript.append("");
    transcript.append(w("Третья"));
    frontEnd->syncAll();

    QTextEdit* edit = view->transcript();
    ASSERT_EQ(transcriptLines(edit), (QStringList{q("Первая"), QString(), q("Третья")}));
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(edit->document()->findBlockByNumber(i).blockFormat().alignment() &
                      Qt::AlignHorizontal_Mask,
                  Qt::AlignHCenter);
    const QTextCharFormat first = lineFormat(edit, 0);
    EXPECT_EQ(first.foreground().color(), QColor(200, 0, 0));
    EXPECT_EQ(first.font().family(), q("DejaVu Serif"));
    EXPECT_EQ(first.font().pointSize(), 14);
    EXPECT_TRUE(first.font().bold());
    EXPECT_TRUE(first.font().italic());
    const QTextCharFormat third = lineFormat(edit, 2);
    EXPECT_EQ(third.foreground().color(), QColor(0, 0, 160));
    EXPECT_EQ(third.font().pointSize(), 8);
    EXPECT_FALSE(third.font().bold());

    // Appending keeps what is shown; a deletion rebuilds it.
    transcript.deleteLine(0);
    frontEnd->syncAll();
    EXPECT_EQ(transcriptLines(edit), (QStringList{QString(), q("Третья")}));
    EXPECT_EQ(lineFormat(edit, 1).foreground().color(), QColor(0, 0, 160));
    transcript.clear();
    transcript.append(w("Новая"));
    frontEnd->syncAll();
    EXPECT_EQ(transcriptLines(edit), QStringList{q("Новая")});
}

TEST_F(MainWindowViewTest, TextFromTheModelIsShownWholeButTypingStopsAtTheLimit) {
    const std::string longText(300, 'a');
    t.user([&] { form().Edit1.setText(longText); });
    EXPECT_EQ(view->input()->text().size(), 300);
    typeText(view->input(), "b");
    EXPECT_EQ(form().Edit1.text(), longText);  // no more typing beyond the text

    t.user([&] { form().Edit1.setText(std::string(250, 'a')); });
    typeText(view->input(), "bbbbbbbbbb");
    EXPECT_EQ(form().Edit1.text().size(), 255u);
    EXPECT_EQ(view->input()->text().size(), 255);
}

TEST_F(MainWindowViewTest, CtrlZAndCtrlSReachTheirSeparatorItemsWhileEnabled) {
    activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    tick();  // polling: the transcript is empty, so N15 is disabled
    ASSERT_FALSE(form().Timer7.enabled());
    QTest::keyClick(view->input(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(form().Timer7.enabled());  // undo (with its shake) did not run

    typeText(view->input(), q("привет"));
    tick();
    QTest::keyClick(view->input(), Qt::Key_Return);
    tick();
    ASSERT_EQ(form().RichEdit1.lineCount(), 2);
    QTest::keyClick(view->input(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(form().RichEdit1.lineCount(), 1);
    EXPECT_EQ(transcriptLines(view->transcript()), QStringList{q("Привет.")});

    const int layoutCues = form().MediaPlayer3.requests();
    QTest::keyClick(view->input(), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(form().MediaPlayer3.requests(), layoutCues + 1);
}

TEST_F(MainWindowViewTest, MenuCommandsRunTheirHandlersAndNoItemChecksItself) {
    typeText(view->input(), q("привет"));
    tick();
    QTest::keyClick(view->input(), Qt::Key_Return);
    ASSERT_EQ(form().RichEdit1.lineCount(), 2);
    view->menu().actionFor(form().N2)->trigger();  // new dialogue
    EXPECT_EQ(form().RichEdit1.lineCount(), 0);
    EXPECT_TRUE(transcriptLines(view->transcript()).isEmpty());

    form().N18.checked = true;
    frontEnd->syncAll();
    QAction* n18 = view->menu().actionFor(form().N18);
    EXPECT_TRUE(n18->isChecked());
    n18->trigger();  // Qt would toggle a checkable action
    EXPECT_TRUE(n18->isChecked());
    EXPECT_TRUE(form().N18.checked);
    form().N18.checked = false;
    frontEnd->syncAll();
    EXPECT_FALSE(n18->isChecked());
    EXPECT_FALSE(n18->isCheckable());

    form().N1.enabled = false;  // as the shake does
    frontEnd->syncAll();
    EXPECT_FALSE(view->menuBar()->actions()[0]->isEnabled());
}

TEST_F(MainWindowViewTest, FocusRequestsWaitWhileAnotherWindowIsActive) {
    activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    view->transcript()->setFocus();
    tick();
    EXPECT_TRUE(view->input()->hasFocus());

    QMessageBox box(QMessageBox::Information, "x", "y", QMessageBox::Ok, view);
    box.open();
    QApplication::setActiveWindow(&box);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    tick(5);
    EXPECT_FALSE(view->input()->hasFocus());
    EXPECT_TRUE(box.isAncestorOf(QApplication::focusWidget()) ||
                QApplication::focusWidget() == &box);
    box.close();
}

TEST_F(MainWindowViewTest, TheModelLearnsWhenAFocusRequestWouldMoveTheFocus) {
    activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    tick(5);
    ASSERT_TRUE(view->input()->hasFocus());
    EXPECT_FALSE(form().focusWanted);
    EXPECT_TRUE(form().Timer1.sleeping());  // nothing for the polling to do

    // The user clicks into the transcript: outside any handler, so the front
    // end tells the model and wakes the polling, which takes the focus back.
    view->transcript()->setFocus(Qt::MouseFocusReason);
    EXPECT_TRUE(form().focusWanted);
    EXPECT_FALSE(form().Timer1.sleeping());
    tick();
    EXPECT_TRUE(view->input()->hasFocus());
    EXPECT_FALSE(form().focusWanted);

    QMessageBox box(QMessageBox::Information, "x", "y", QMessageBox::Ok, view);
    box.open();
    QApplication::setActiveWindow(&box);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    EXPECT_FALSE(form().focusWanted);
    box.close();
}

TEST_F(MainWindowViewTest, AClickOnTheTranscriptGivesTheFocusBackToTheInputLineAtTheNextTick) {
    activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    tick(5);
    ASSERT_TRUE(view->input()->hasFocus());
    ASSERT_TRUE(form().Timer1.sleeping());

    QTest::mouseClick(view->transcript()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(50, 50));
    ASSERT_TRUE(view->transcript()->hasFocus());
    EXPECT_TRUE(form().focusWanted);
    EXPECT_FALSE(form().Timer1.sleeping());
    tick();
    EXPECT_TRUE(view->input()->hasFocus());
    EXPECT_FALSE(form().focusWanted);
}

TEST_F(MainWindowViewTest, AMenuClosedOverTheTranscriptLetsTheFocusGoBack) {
    activate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    tick(5);
    QTest::mouseClick(view->transcript()->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(50, 50));
    ASSERT_TRUE(view->transcript()->hasFocus());

    // A menu opens before the polling has taken the focus back: meanwhile
    // no request may move the focus, and the polling goes to sleep.
    QMenu* menu = view->menu().actionFor(form().N1)->menu();
    ASSERT_NE(menu, nullptr);
    menu->popup(view->mapToGlobal(QPoint(10, 10)));
    QApplication::processEvents();
    ASSERT_EQ(QApplication::activePopupWidget(), menu);
    EXPECT_FALSE(form().focusWanted);
    tick(5);
    EXPECT_TRUE(view->transcript()->hasFocus());
    EXPECT_TRUE(form().Timer1.sleeping());

    // Closing it moves no focus, but the polling wakes and takes it back.
    menu->close();
    QApplication::processEvents();
    EXPECT_TRUE(form().focusWanted);
    EXPECT_FALSE(form().Timer1.sleeping());
    tick();
    EXPECT_TRUE(view->input()->hasFocus());
}

TEST_F(MainWindowViewTest, GeometryFollowsTheModel) {
    t.user([&] {
        form().bounds.left = 100;
        form().bounds.top = 97;
        form().setWidth(form().bounds.width - 100);
    });
    EXPECT_EQ(view->pos(), QPoint(100, 97));
    EXPECT_EQ(view->width(), 487);
}

TEST_F(MainWindowViewTest, TheShakeMovesTheRealWindowAtEveryMoveThenCentresIt) {
    const std::function<void()> showMove = form().onWindowMoved;
    ASSERT_TRUE(showMove);
    std::vector<QPoint> seen;
    form().onWindowMoved = [&] {
        showMove();
        seen.push_back(view->pos());
    };
    tick();  // the start-up shake
    ASSERT_GE(form().lastShakeMoves, 125);
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(form().lastShakeMoves));
    std::set<std::pair<int, int>> places;
    for (const QPoint& p : seen) {
        EXPECT_TRUE(p.x() >= 95 && p.x() <= 105 && p.y() >= 95 && p.y() <= 105)
            << p.x() << "," << p.y();
        places.insert({p.x(), p.y()});
    }
    EXPECT_GT(places.size(), 10u);
    EXPECT_EQ(view->pos(), QPoint(form().bounds.left, form().bounds.top));
    const Bounds& area = t.screen.workArea;
    EXPECT_EQ(form().bounds.left, area.left + (area.width - form().bounds.width) / 2);
}

TEST_F(MainWindowViewTest, TheFarewellDriftsAndShrinksTheRealWindowDownToTheSmallestSize) {
    tick();  // the start-up shake is over
    const QRect start = view->frameGeometry();
    t.user([&] { form().Timer4.setEnabled(true); });
    for (int i = 1; i <= 79; ++i) {
        tick();
        const QRect now = view->frameGeometry();
        ASSERT_EQ(now.topLeft(), start.topLeft() - QPoint(3 * i, 2 * i)) << i;
        ASSERT_EQ(now.width(), std::max(start.width() - 10 * i, t.screen.minWindowWidth)) << i;
    }
    EXPECT_EQ(view->frameGeometry().width(), t.screen.minWindowWidth);
    EXPECT_EQ(view->frameGeometry().height(), t.screen.minWindowHeight);
}

TEST_F(MainWindowViewTest, BusyPointerIsOneStateAndNeverStacks) {
    t.screen.busyCursor = true;
    frontEnd->syncAll();
    frontEnd->syncAll();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    t.screen.busyCursor = false;
    frontEnd->syncAll();
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(MainWindowViewTest, CloseBoxEndsTheProgramWithoutWritingTheLog) {
    bool ended = false;
    form().onClosed = [&] { ended = true; };
    typeText(view->input(), q("привет"));
    tick();
    QTest::keyClick(view->input(), Qt::Key_Return);
    EXPECT_TRUE(view->close());
    EXPECT_TRUE(ended);
    EXPECT_TRUE(form().closed);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(dir.read("Base/Log.Mardun"), "");
}

}  // namespace
}  // namespace sob::qt_test
