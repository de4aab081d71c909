#pragma once

#include <cstdint>
#include <deque>
#include <initializer_list>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/platform.h"

namespace sob::testing {

// Records the texts of the error boxes instead of showing them.
class RecordingErrorBox : public ErrorBox {
public:
    void showError(const std::string& text) override { texts.push_back(text); }
    std::vector<std::string> texts;
};

// Sound output that plays nothing and records which cue started when.
class RecordingAudio : public AudioOutput {
public:
    std::unique_ptr<AudioClip> open(const std::string& programPath) override;

    // Files that fail to open, with the error text to raise.
    std::map<std::string, std::string> failures;
    // Length of every clip (0: every request starts the sound again).
    std::int64_t clipLengthMs = 0;
    // The file names of the clips in the order they were started.
    std::vector<std::string> started;
    // The file names in the order they were opened.
    std::vector<std::string> opened;
};

// Pickers whose answers a test queues in advance: each answer either
// confirms with a value or cancels. An unscripted picker cancels.
class ScriptedPickers : public PickerHost {
public:
    bool pickColor(Color& color) override;
    bool pickFont(Font& font, bool onlySize8) override;

    void confirmColor(Color color) { colorAnswers.push_back({true, color}); }
    void cancelColor() { colorAnswers.push_back({false, {}}); }
    void confirmFont(Font font) { fontAnswers.push_back({true, std::move(font)}); }
    void cancelFont() { fontAnswers.push_back({false, {}}); }

    std::deque<std::pair<bool, Color>> colorAnswers;
    std::deque<std::pair<bool, Font>> fontAnswers;
    // What each picker showed when it opened.
    std::vector<Color> colorsShown;
    std::vector<Font> fontsShown;
    std::vector<bool> fontSize8Only;
};

// A whole platform on a virtual clock: what model tests run the windows on.
struct TestPlatform {
    TestPlatform();

    VirtualClock clock;
    RecordingErrorBox errorBox;
    Dispatcher dispatcher{errorBox};
    Scheduler scheduler{clock, dispatcher};
    RandomGenerator random;
    RecordingAudio audio;
    ScriptedPickers pickers;
    Screen screen;
    Platform platform{clock, scheduler, dispatcher, random, audio, pickers, screen};

    // Runs the timers for ms milliseconds of virtual time.
    void advance(std::int64_t ms) { scheduler.advanceBy(clock, ms); }
    // Runs a user's command the way the front end does: through the dispatcher.
    void user(const std::function<void()>& handler) { dispatcher.run(handler); }
};

// A temporary folder that the test works in: the constructor makes it the
// working directory, the destructor returns and removes it.
class TempWorkDir {
public:
    TempWorkDir();
    ~TempWorkDir();
    TempWorkDir(const TempWorkDir&) = delete;
    TempWorkDir& operator=(const TempWorkDir&) = delete;

    const std::string& path() const { return path_; }
    // Writes a file (path with '/' separators, relative to the folder),
    // making its folders; content is written byte for byte.
    void write(const std::string& relativePath, const std::string& bytes) const;
    // Writes a text file as the phrase base holds text: the lines (UTF-8 in
    // the test) in Windows-1251, each followed by CR LF.
    void writeLines(const std::string& relativePath, std::initializer_list<std::string> utf8Lines) const;
    // Writes the six sound files the main window opens (their content is
    // never played by the tests' recording audio).
    void writeSoundFiles() const;
    std::string read(const std::string& relativePath) const;
    bool exists(const std::string& relativePath) const;

private:
    std::string path_;
    std::string previous_;
};

// Windows-1251 text from a UTF-8 literal, for readable tests.
std::string w(const std::string& utf8);
// UTF-8 from Windows-1251, for readable failure messages.
std::string u(const std::string& cp1251);

}  // namespace sob::testing
