#include "engine/engine_fixture.h"

#include <filesystem>

#include "engine/base_files.h"
#include "platform/phrase_list.h"

namespace sob::testing {

namespace {

std::string diskPath(std::string_view programName) {
    std::string path(programName);
    for (char& c : path)
        if (c == '\\') c = '/';
    return path;
}

}  // namespace

EngineTest::EngineTest() {
    userMode.checked = true;
    exchangePath.setText("D:\\Txt.Dat");
    input.onChange = [this] { ++inputChanges; };
    sendCue.Open(tp.audio, tp.clock);
    cpuCue.Open(tp.audio, tp.clock);
    userColor.Color = Color::rgb(0, 0, 200);
    userFont.Font = Font{"Arial", 10, FontStyle::Bold};
    cpuColor.Color = Color::rgb(200, 0, 0);
    cpuFont.Font = Font{"Courier New", 12, FontStyle::Italic};

    // A few words of each hidden word list; entry 0 is the unused empty line.
    exchange.assign({"", w(" ЛОХ"), w("ГАД "), w("ГАД,"), w("ГАД."), w("ГАД!"), w("ДУРА")});
    topicWords.assign({"", w(" ИМЯ"), w("ХОЧУ"), w("СПАТЬ")});

    writeBase(baseFiles::keywords,
              {"Фразы программы", "ПРИВЕТ^Привет!;Здравствуй.;", "_КАК ДЕЛА^Хорошо, а у тебя?;",
               "__ТОЖЕ^Вот и славно.;", "ПОКА^До свидания.;Пока-пока.;@"});
    writeBase(baseFiles::repeatReplies, {"Ты это уже говорил.", "Повторяешься."});
    writeBase(baseFiles::abuseReplies, {"Не ругайся.", "Фу."});
    writeBase(baseFiles::longPhraseReplies, {"Как длинно!", "Много слов."});
    writeBase(baseFiles::questionReplies, {"Не знаю.", "Угадай."});
    writeBase(baseFiles::statementReplies, {"Понятно.", "Интересно."});
    writeBase(baseFiles::idlePrompts, {"Ты здесь?"});
    writeBase(baseFiles::remarks, {"Замечания", "Я люблю думать."});
}

void EngineTest::writeBase(std::string_view programName,
                           std::initializer_list<std::string> utf8Lines) {
    std::string bytes;
    for (const std::string& line : utf8Lines) bytes += w(line) + "\r\n";
    dir.write(diskPath(programName), bytes);
}

void EngineTest::removeBase(std::string_view programName) {
    std::filesystem::remove(std::filesystem::path(dir.path()) / diskPath(programName));
}

std::string EngineTest::baseBytes(std::string_view programName) const {
    return dir.read(diskPath(programName));
}

std::vector<std::string> EngineTest::baseEntries(std::string_view programName) const {
    PhraseList list;
    list.LoadFromFile(programName);
    std::vector<std::string> result;
    for (const std::string& entry : list.entries()) result.push_back(u(entry));
    return result;
}

void EngineTest::say(const std::string& utf8Phrase, std::initializer_list<int> draws) {
    input.setText(w(utf8Phrase));
    runQueued(draws);
}

void EngineTest::runQueued(std::initializer_list<int> draws) {
    tp.random.queueForTesting(draws);
    tp.user([this] { runTurn(turn); });
    EXPECT_FALSE(tp.random.hasQueuedValues()) << "the turn made fewer draws than queued";
}

std::vector<std::string> EngineTest::transcriptLines() const {
    std::vector<std::string> result;
    for (const StyledLine& line : transcript.lines()) result.push_back(u(line.text));
    return result;
}

std::vector<std::string> EngineTest::recordLines() const {
    std::vector<std::string> result;
    for (const std::string& entry : record.entries()) result.push_back(u(entry));
    return result;
}

std::vector<std::string> EngineTest::errors() const {
    std::vector<std::string> result;
    for (const std::string& text : tp.errorBox.texts) result.push_back(u(text));
    return result;
}

}  // namespace sob::testing
