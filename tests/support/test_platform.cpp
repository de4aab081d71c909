#include "support/test_platform.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "platform/cp1251.h"
#include "platform/errors.h"

namespace sob::testing {

namespace {

class RecordingClip : public AudioClip {
public:
    RecordingClip(RecordingAudio& owner, std::string name) : owner_(owner), name_(std::move(name)) {}
    std::int64_t lengthMs() const override { return owner_.clipLengthMs; }
    void start(std::int64_t) override { owner_.started.push_back(name_); }

private:
    RecordingAudio& owner_;
    std::string name_;
};

}  // namespace

std::unique_ptr<AudioClip> RecordingAudio::open(const std::string& programPath) {
    opened.push_back(programPath);
    if (auto failure = failures.find(programPath); failure != failures.end())
        throw ProgramError(failure->second);
    return std::make_unique<RecordingClip>(*this, programPath);
}

bool ScriptedPickers::pickColor(Color& color) {
    colorsShown.push_back(color);
    if (colorAnswers.empty()) return false;
    auto [confirmed, value] = colorAnswers.front();
    colorAnswers.pop_front();
    if (confirmed) color = value;
    return confirmed;
}

bool ScriptedPickers::pickFont(Font& font, bool onlySize8) {
    fontsShown.push_back(font);
    fontSize8Only.push_back(onlySize8);
    if (fontAnswers.empty()) return false;
    auto [confirmed, value] = fontAnswers.front();
    fontAnswers.pop_front();
    if (confirmed) font = value;
    return confirmed;
}

TestPlatform::TestPlatform() { random.seed(12345); }

TempWorkDir::TempWorkDir() {
    previous_ = std::filesystem::current_path().string();
    std::string pattern = (std::filesystem::temp_directory_path() / "sob-test-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = pattern;
    std::filesystem::current_path(path_);
}

TempWorkDir::~TempWorkDir() {
    std::error_code ignored;
    std::filesystem::current_path(previous_, ignored);
    // Make everything writable again so that read-only test folders go too.
    for (auto& entry : std::filesystem::recursive_directory_iterator(path_, ignored))
        std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
}

void TempWorkDir::write(const std::string& relativePath, const std::string& bytes) const {
    std::filesystem::path full = std::filesystem::path(path_) / relativePath;
    std::filesystem::create_directories(full.parent_path());
    std::ofstream out(full, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write test file " + full.string());
}

void TempWorkDir::writeLines(const std::string& relativePath,
                             std::initializer_list<std::string> utf8Lines) const {
    std::string text;
    for (const std::string& line : utf8Lines) text += fromUtf8(line) + "\r\n";
    write(relativePath, text);
}

void TempWorkDir::writeSoundFiles() const {
    for (const char* sound : {"KeyBoard", "Button3", "Button2", "Button1", "CpuSound", "Close"})
        write(std::string("Sound/") + sound + ".wav", "RIFF");
}

std::string TempWorkDir::read(const std::string& relativePath) const {
    std::ifstream in(std::filesystem::path(path_) / relativePath, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read test file " + relativePath);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool TempWorkDir::exists(const std::string& relativePath) const {
    return std::filesystem::exists(std::filesystem::path(path_) / relativePath);
}

std::string w(const std::string& utf8) { return fromUtf8(utf8); }
std::string u(const std::string& cp1251) { return toUtf8(cp1251); }

}  // namespace sob::testing
