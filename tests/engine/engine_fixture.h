#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "engine/turn.h"
#include "support/test_platform.h"
#include "support/turn_elements.h"

namespace sob::testing {

// Draws that tests queue for a turn. Random(6) decides whether the length of
// the phrase is looked at (r = draw + 1); Random(3) whether a remark is armed.
inline constexpr int lookAtLength = 0;  // r = 1
inline constexpr int ignoreLength = 1;  // r = 2
inline constexpr int armRemark = 0;     // r = 1
inline constexpr int noRemark = 1;      // r = 2

// The main window's elements that a turn touches, built directly, over a
// phrase base in a temporary working folder.
//
// The default base: the keyword file of the branch example
//   0 Фразы программы
//   1 ПРИВЕТ^Привет!;Здравствуй.;
//   2 _КАК ДЕЛА^Хорошо, а у тебя?;
//   3 __ТОЖЕ^Вот и славно.;
//   4 ПОКА^До свидания.;Пока-пока.;@
// and two-entry lists whose replies tell where an answer came from.
//
// Members are public so that tables of cases can set up and check a fixture
// through plain functions.
class EngineTest : public ::testing::Test, public TurnElements {
public:
    EngineTest();

    // Writes a plain-text base file (CR LF line ends) from UTF-8 lines.
    // The name is the program's: "Base\\W1.Dat".
    void writeBase(std::string_view programName, std::initializer_list<std::string> utf8Lines);
    void removeBase(std::string_view programName);
    // The raw bytes of a base file.
    std::string baseBytes(std::string_view programName) const;
    // The entries of a base file (plain or RTF), as UTF-8.
    std::vector<std::string> baseEntries(std::string_view programName) const;

    // Types the phrase (UTF-8) into the input line, queues the draws and runs
    // the turn as a click would: through the dispatcher, which shows errors.
    void say(const std::string& utf8Phrase, std::initializer_list<int> draws);
    // Runs a turn with the input line and the draws as they are.
    void runQueued(std::initializer_list<int> draws);

    // UTF-8 views of the state and the elements, for readable expectations.
    std::string answer() const { return u(state.Answer); }
    std::vector<std::string> transcriptLines() const;
    std::vector<std::string> recordLines() const;
    std::vector<std::string> errors() const;

    TempWorkDir dir;
    int inputChanges = 0;
};

}  // namespace sob::testing
