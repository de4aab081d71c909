#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <initializer_list>
#include <memory>
#include <string>

#include <QApplication>
#include <QKeyEvent>
#include <QString>
#include <QWidget>

#include "qt/front_end.h"
#include "qt/main_window_view.h"
#include "support/test_platform.h"
#include "window/program.h"

namespace sob::qt_test {

using sob::testing::TempWorkDir;
using sob::testing::TestPlatform;
using sob::testing::u;
using sob::testing::w;

// The program's windows with their Qt views, on the virtual clock, in a
// temporary working folder holding a small phrase base. The scheduler is
// advanced by the test (the Qt timer that drives it in the program is not
// started); the views follow every handler as in the program.
class FrontEndTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::setlocale(LC_TIME, "C");
        writeBase();
        menuBarHeight = qt::measureMenuBarHeight();
        qt::fillScreen(t.platform, menuBarHeight);
        program = std::make_unique<Program>(t.platform);
        frontEnd = std::make_unique<qt::FrontEnd>(t.platform);
        frontEnd->setMenuBarHeight(menuBarHeight);
        qt::addProgramViews(*frontEnd, *program);
        program->show();
        frontEnd->syncAll();
        view = static_cast<qt::MainWindowView*>(frontEnd->views().front().get());
        QApplication::processEvents();
    }

    void TearDown() override {
        frontEnd.reset();
        program.reset();
    }

    void writeLines(const std::string& path, std::initializer_list<std::string> utf8Lines) {
        std::string text;
        for (const std::string& line : utf8Lines) text += w(line) + "\r\n";
        dir.write(path, text);
    }

    void writeBase() {
        writeLines("Base/Words.Dat", {"Фразы программы", "ПРИВЕТ^Здравствуй!;",
                                      "_КАК ДЕЛА^Хорошо.;", "ПОКА^До свидания.;@"});
        for (const char* name :
             {"BigString.Dat", "Pause.Dat", "Povtor.Dat", "W1.Dat", "W2.Dat", "X.Dat", "AI.dat"})
            writeLines(std::string("Base/") + name, {"Ответ."});
        dir.write("Base/Log.Mardun", "");
    }

    TForm1& form() { return *program->Form1; }

    // Types text as a keyboard does: one key event carrying each character
    // (QTest::keyClicks cannot send Cyrillic).
    static void typeText(QWidget* widget, const QString& text) {
        for (const QChar c : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(widget, &release);
        }
    }

    // Makes the main window the active window, as a user's click would.
    void activate() {
        QApplication::setActiveWindow(view);
        view->activateWindow();
        QApplication::processEvents();
    }

    void tick(int ms = 1) { t.advance(ms); }

    TempWorkDir dir;
    TestPlatform t;
    int menuBarHeight = 0;
    std::unique_ptr<Program> program;
    std::unique_ptr<qt::FrontEnd> frontEnd;
    qt::MainWindowView* view = nullptr;
};

inline QString q(const char* utf8) {
    return QString::fromUtf8(utf8);
}

}  // namespace sob::qt_test
