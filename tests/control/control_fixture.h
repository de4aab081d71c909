#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "control/editor_form.h"
#include "support/test_platform.h"
#include "window/program.h"

namespace sob::control_test {

using sob::testing::TempWorkDir;
using sob::testing::TestPlatform;
using sob::testing::u;
using sob::testing::w;

// Writes a small phrase base, an empty dialogue log and the six sound files
// into the folder.
inline void writeSmallBase(const TempWorkDir& dir) {
    dir.writeLines("Base/Words.Dat", {"Фразы программы", "ПРИВЕТ^Здравствуй!;Привет.;",
                                      "_КАК ДЕЛА^Хорошо.;", "ПОКА^До свидания.;@"});
    dir.writeLines("Base/BigString.Dat", {"Длинно."});
    dir.writeLines("Base/Pause.Dat", {"Ты здесь?", "Молчишь?"});
    dir.writeLines("Base/Povtor.Dat", {"Ты повторяешься."});
    dir.writeLines("Base/W1.Dat", {"Не знаю.", "Может быть?"});
    dir.writeLines("Base/W2.Dat", {"Понятно.", "Расскажи ещё."});
    dir.writeLines("Base/X.Dat", {"Не ругайся."});
    dir.writeLines("Base/AI.dat", {"Заголовок", "Мне скучно.", "А знаешь что?"});
    dir.write("Base/Log.Mardun", "");
    dir.writeSoundFiles();
}

// The whole program on a virtual clock in a temporary working folder with a
// small phrase base.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override { writeSmallBase(dir); }

    // Builds the windows and shows the main window; no tick has run yet.
    void start() {
        program = std::make_unique<Program>(t.platform);
        program->show();
    }
    // Builds and shows, then lets the start-up ticks run (load, shake,
    // statistics), so the test begins with the program settled.
    void startAndSettle() {
        start();
        t.advance(10);
    }

    TForm1& form() { return *program->Form1; }
    TForm2& editor() { return *program->Form2; }

    // Leaves running only the given timers of the main window; the others
    // are stopped, so that a test watches one job alone.
    void onlyTimers(std::initializer_list<Timer*> keep) {
        for (Timer* timer : form().timers()) {
            bool kept = false;
            for (Timer* k : keep) kept = kept || k == timer;
            if (!kept) timer->setEnabled(false);
        }
    }

    // The user types the phrase and clicks "Сказать", through the dispatcher.
    void say(const std::string& utf8Phrase) {
        form().Edit1.setText(w(utf8Phrase));
        t.user([this] { form().SpeedButton1.click(); });
    }

    static std::vector<std::string> linesOf(const RichEdit& view) {
        std::vector<std::string> lines;
        for (const StyledLine& line : view.lines()) lines.push_back(u(line.text));
        return lines;
    }
    static std::vector<std::string> entriesOf(const PhraseList& list) {
        std::vector<std::string> lines;
        for (const std::string& entry : list.entries()) lines.push_back(u(entry));
        return lines;
    }
    std::vector<std::string> transcript() { return linesOf(form().RichEdit1); }
    std::vector<std::string> record() { return entriesOf(form().RichEdit4); }
    std::vector<std::string> errors() const {
        std::vector<std::string> texts;
        for (const std::string& text : t.errorBox.texts) texts.push_back(u(text));
        return texts;
    }

    TempWorkDir dir;
    TestPlatform t;
    std::unique_ptr<Program> program;
};

}  // namespace sob::control_test
