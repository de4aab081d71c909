#pragma once

#include <gtest/gtest.h>

#include <clocale>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "support/test_platform.h"
#include "window/program.h"

namespace sob::window_test {

using sob::testing::TempWorkDir;
using sob::testing::TestPlatform;
using sob::testing::u;
using sob::testing::w;

// The main window started in a temporary working folder that holds a small
// phrase base (UTF-8 text in the tests, Windows-1251 on disk), an empty
// dialogue log and the six sound files, on a virtual clock.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The log's date and time come from LC_TIME; "C" gives the fixed forms.
        std::setlocale(LC_TIME, "C");
        writeBase();
    }

    void writeLines(const std::string& path, std::initializer_list<std::string> utf8Lines) {
        dir.writeLines(path, utf8Lines);
    }

    void writeBase() {
        writeLines("Base/Words.Dat", {"Фразы программы", "ПРИВЕТ^Здравствуй!;Привет.;",
                                      "_КАК ДЕЛА^Хорошо.;", "ПОКА^До свидания.;@"});
        writeLines("Base/BigString.Dat", {"Длинно."});
        writeLines("Base/Pause.Dat", {"Ты здесь?", "Молчишь?"});
        writeLines("Base/Povtor.Dat", {"Ты повторяешься."});
        writeLines("Base/W1.Dat", {"Не знаю.", "Может быть?"});
        writeLines("Base/W2.Dat", {"Понятно."});
        writeLines("Base/X.Dat", {"Не ругайся."});
        writeLines("Base/AI.dat", {"Мне скучно."});
        dir.write("Base/Log.Mardun", "");
        dir.writeSoundFiles();
    }

    // Start-up steps 1 to 5: build the windows, then show the main window.
    void start() {
        program = std::make_unique<Program>(t.platform);
        program->show();
    }

    TForm1& form() { return *program->Form1; }

    // Leaves running only the given timers of the main window (each in the
    // state it has); the others are stopped, so a test sees one job alone.
    void onlyTimers(std::initializer_list<Timer*> keep) {
        for (Timer* timer : form().timers()) {
            bool kept = false;
            for (Timer* k : keep) kept = kept || k == timer;
            if (!kept) timer->setEnabled(false);
        }
    }

    // One tick of the 1-millisecond timers.
    void tick(int count = 1) { t.advance(count); }

    TempWorkDir dir;
    TestPlatform t;
    std::unique_ptr<Program> program;
};

}  // namespace sob::window_test
