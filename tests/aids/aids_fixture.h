#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "aids/about_form.h"
#include "aids/keyboard_form.h"
#include "control/editor_form.h"
#include "support/test_platform.h"
#include "window/main_form.h"
#include "window/program.h"

namespace sob::aids_test {

using sob::testing::TempWorkDir;
using sob::testing::TestPlatform;
using sob::testing::u;
using sob::testing::w;

inline const std::string kKeyboardCue = "Sound\\KeyBoard.wav";
inline const std::string kLayoutCue = "Sound\\Button2.wav";

// The program started in a temporary working folder with a tiny phrase
// base and the six sound files, on a virtual clock, with scripted pickers.
// Only the timers a test starts itself tick.
class AidsTest : public ::testing::Test {
protected:
    void SetUp() override {
        writeLines("Base/Words.Dat", {"Фразы программы", "ПРИВЕТ^Здравствуй!;"});
        for (const char* list :
             {"BigString.Dat", "Pause.Dat", "Povtor.Dat", "W1.Dat", "W2.Dat", "X.Dat", "AI.dat"})
            writeLines(std::string("Base/") + list, {"Понятно."});
        dir.write("Base/Log.Mardun", "");
        dir.writeSoundFiles();
        t.audio.clipLengthMs = 0;  // every request starts its cue

        program = std::make_unique<Program>(t.platform);
        program->show();
        for (Timer* timer : form().timers()) timer->setEnabled(false);
        t.audio.started.clear();
    }

    void writeLines(const std::string& path, std::initializer_list<std::string> utf8Lines) {
        dir.writeLines(path, utf8Lines);
    }

    TForm1& form() { return *program->Form1; }
    TForm2& editor() { return *program->Form2; }
    TForm3& about() { return *program->Form3; }
    TForm4& keyboard() { return *program->Form4; }

    // A user's click or menu command, run by the dispatcher as the front end does.
    void user(const std::function<void()>& action) { t.user(action); }
    // Text typed into the input line (raises its change event).
    void type(const std::string& utf8) { form().Edit1.setText(w(utf8)); }
    std::string input() { return u(form().Edit1.text()); }

    TempWorkDir dir;
    TestPlatform t;
    std::unique_ptr<Program> program;
};

}  // namespace sob::aids_test
