#include "robustness/turn_rig.h"

#include <filesystem>
#include <initializer_list>

#include "engine/base_files.h"

namespace sob::testing {

TurnRig::TurnRig() {
    userMode.checked = true;
    exchangePath.setText("D:\\Txt.Dat");
    sendCue.Open(tp.audio, tp.clock);
    cpuCue.Open(tp.audio, tp.clock);
    exchange.assign({"", w(" ЛОХ"), w("ГАД "), w("ГАД."), w("ДУРА"), w("ХЕР?")});
    topicWords.assign({"", w(" ИМЯ"), w("ХОЧУ"), w("СПАТЬ"), w("МАМА")});
}

void TurnRig::say(std::string_view phrase) {
    input.setText(std::string(phrase));
    runTurn(turn);
}

void TurnRig::useMachineDialogue(std::string exchangeFile) {
    userMode.checked = false;
    cpuMode.checked = true;
    exchangePath.setText(std::move(exchangeFile));
}

const std::vector<std::string_view>& phraseBaseFiles() {
    static const std::vector<std::string_view> files = {
        baseFiles::keywords,          baseFiles::repeatReplies,   baseFiles::abuseReplies,
        baseFiles::longPhraseReplies, baseFiles::questionReplies, baseFiles::statementReplies,
        baseFiles::idlePrompts,       baseFiles::remarks};
    return files;
}

void writeSmallBase() {
    std::filesystem::create_directories("Base");
    auto put = [](std::string_view file, std::initializer_list<const char*> utf8Lines) {
        PhraseList list;
        std::vector<std::string> entries;
        for (const char* line : utf8Lines) entries.push_back(w(line));
        list.assign(std::move(entries));
        list.SaveToFile(file);
    };
    put(baseFiles::keywords,
        {"Фразы программы", "ПРИВЕТ^Привет!;Здравствуй.;", "_КАК ДЕЛА^Хорошо, а у тебя?;",
         "__ТОЖЕ^Вот и славно.;", "ПОКА^До свидания.;Пока-пока.;@", "КАК ТЕБЯ ЗОВУТ?^"});
    put(baseFiles::repeatReplies, {"Ты это уже говорил.", "Повторяешься."});
    put(baseFiles::abuseReplies, {"Не ругайся.", "Фу."});
    put(baseFiles::longPhraseReplies, {"Как длинно!", "Много слов."});
    put(baseFiles::questionReplies, {"Не знаю.", "Угадай?"});
    put(baseFiles::statementReplies, {"Понятно.", "Интересно."});
    put(baseFiles::idlePrompts, {"Ты здесь?"});
    put(baseFiles::remarks, {"Замечания", "Я люблю думать."});
}

bool isWellFormedKeywordLine(std::string_view line) {
    const std::size_t depth = line.find_first_not_of('_');
    if (depth == std::string_view::npos) return false;
    const std::size_t caret = line.find('^', depth);
    if (caret == std::string_view::npos || caret == depth) return false;
    if (line.substr(depth, caret - depth).find(';') != std::string_view::npos) return false;
    std::string_view rest = line.substr(caret + 1);
    if (depth == 0 && rest.ends_with('@')) rest.remove_suffix(1);
    // What is left is a run of non-empty alternatives, each ended by ";".
    while (!rest.empty()) {
        const std::size_t end = rest.find(';');
        if (end == std::string_view::npos || end == 0) return false;
        rest.remove_prefix(end + 1);
    }
    return true;
}

}  // namespace sob::testing
