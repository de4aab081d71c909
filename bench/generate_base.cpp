#include "bench/generate_base.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "engine/keyword_line.h"
#include "engine/phrase_matcher.h"
#include "platform/cp1251.h"

namespace sob::bench {

namespace {

// Everyday words of a conversation, in the forms people type them.
constexpr std::string_view kWords[] = {
    "я",         "ты",        "он",         "она",       "мы",        "вы",          "они",
    "меня",      "тебя",      "тебе",       "мне",       "нас",       "вас",         "его",
    "её",        "мой",       "твой",       "наш",       "свой",      "этот",        "тот",
    "весь",      "каждый",    "другой",     "кто",       "что",       "где",         "когда",
    "почему",    "зачем",     "как",        "сколько",   "какой",     "который",     "чей",
    "куда",      "откуда",    "не",         "да",        "нет",       "и",           "а",
    "но",        "или",       "если",       "то",        "чтобы",     "потому",      "тоже",
    "также",     "очень",     "совсем",     "просто",    "уже",       "ещё",         "всегда",
    "никогда",   "иногда",    "часто",      "редко",     "сейчас",    "потом",       "сегодня",
    "вчера",     "завтра",    "утром",      "вечером",   "ночью",     "днём",        "здесь",
    "там",       "тут",       "дома",       "везде",     "наверное",  "конечно",     "может",
    "быть",      "есть",      "был",        "была",      "было",      "будет",       "будем",
    "знаю",      "знаешь",    "знает",      "думаю",     "думаешь",   "думает",      "хочешь",
    "хотел",     "могу",      "можешь",     "может",     "люблю",     "любишь",      "нравится",
    "понимаю",   "понимаешь", "говорю",     "говоришь",  "сказал",    "сказала",     "скажи",
    "расскажи",  "спроси",    "ответь",     "слушай",    "смотри",    "иди",         "пойду",
    "пришёл",    "ушёл",      "делаешь",    "делаю",     "работаю",   "работаешь",   "учусь",
    "учишься",   "читаю",     "читаешь",    "пишу",      "пишешь",    "играю",       "живёшь",
    "живу",      "помню",     "помнишь",    "забыл",     "забыла",    "верю",        "веришь",
    "надеюсь",   "жду",       "ждёшь",      "боюсь",     "смеёшься",  "плачу",       "сижу",
    "стою",      "лежу",      "гуляю",      "бегаю",     "еду",       "едешь",       "лечу",
    "плыву",     "человек",   "люди",       "друг",      "друга",     "подруга",     "брат",
    "сестра",    "семья",     "дети",       "ребёнок",   "мальчик",   "девочка",     "мужчина",
    "женщина",   "учитель",   "врач",       "компьютер", "программа", "машина",      "телефон",
    "интернет",  "книга",     "книгу",      "фильм",     "музыка",    "песня",       "картина",
    "игра",      "работа",    "работу",     "школа",     "школе",     "университет", "город",
    "городе",    "деревня",   "улица",      "дом",       "квартира",  "комната",     "окно",
    "дверь",     "стол",      "стул",       "кровать",   "кухня",     "магазин",     "рынок",
    "парк",      "лес",       "река",       "море",      "озеро",     "поле",        "гора",
    "небо",      "солнце",    "луна",       "звезда",    "облако",    "дождь",       "снег",
    "ветер",     "погода",    "погоду",     "зима",      "весна",     "лето",        "осень",
    "время",     "время",     "год",        "месяц",     "неделя",    "день",        "ночь",
    "утро",      "вечер",     "час",        "минута",    "жизнь",     "жизни",       "мир",
    "мира",      "страна",    "земля",      "вода",      "воду",      "огонь",       "воздух",
    "хлеб",      "молоко",    "чай",        "кофе",      "суп",       "каша",        "яблоко",
    "деньги",    "денег",     "цена",       "вопрос",    "ответ",     "слово",       "слова",
    "мысль",     "идея",      "правда",     "ложь",      "смысл",     "счастье",     "радость",
    "грусть",    "любовь",    "дружба",     "война",     "память",    "душа",        "сердце",
    "голова",    "глаза",     "лицо",       "голос",     "имя",       "разговор",    "история",
    "сказка",    "шутка",     "новость",    "письмо",    "кошка",     "кот",         "собака",
    "птица",     "рыба",      "лошадь",     "хороший",   "хорошо",    "плохой",      "плохо",
    "большой",   "маленький", "новый",      "старый",    "молодой",   "красивый",    "умный",
    "глупый",    "добрый",    "злой",       "весёлый",   "грустный",  "интересный",  "скучный",
    "странный",  "смешной",   "важный",     "нужный",    "трудный",   "лёгкий",      "быстрый",
    "медленный", "тихий",     "громкий",    "тёплый",    "холодный",  "светлый",     "тёмный",
    "белый",     "чёрный",    "красный",    "зелёный",   "синий",     "жёлтый",      "первый",
    "последний", "один",      "два",        "три",       "много",     "мало",        "немного",
    "больше",    "меньше",    "лучше",      "хуже",      "вместе",    "отдельно",    "быстро",
    "медленно",  "вдруг",     "снова",      "опять",     "только",    "даже",        "вот",
    "вон",       "ну",        "ладно",      "привет",    "пока",      "спасибо",     "пожалуйста",
    "извини",    "прости",    "здравствуй", "конечно",   "понятно",   "интересно",   "правильно",
};

// Words that the keys of the file never use: the phrases of the measured
// turns are built from them, so they meet only the keys meant for them.
constexpr std::string_view kRareWords[] = {
    "звездолёт",      "каракатица", "шпингалет",     "абракадабра", "громоотвод",  "перпендикуляр",
    "эскалатор",      "дирижабль",  "трансформатор", "кукурузник",  "флюгер",      "водокачка",
    "параллелепипед", "стетоскоп",  "акваланг",      "баобаб",      "вертолётчик", "циферблат",
};

// A small deterministic generator (the same bytes on every machine).
class Draw {
public:
    explicit Draw(std::uint32_t seed) : state_(seed * 2654435761u + 1u) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
    int between(int a, int b) { return a + below(b - a + 1); }
    bool chance(int percent) { return below(100) < percent; }

private:
    std::uint32_t state_;
};

class Generator {
public:
    explicit Generator(std::uint32_t seed) : draw_(seed) {
        for (std::string_view word : kWords) words_.push_back(fromUtf8(word));
        for (std::string_view word : kRareWords) rareWords_.push_back(fromUtf8(word));
    }

    Draw& draw() { return draw_; }

    const std::string& word() {
        return words_[static_cast<std::size_t>(draw_.below(static_cast<int>(words_.size())))];
    }
    const std::string& rareWord(int i) {
        return rareWords_[static_cast<std::size_t>(i) % rareWords_.size()];
    }

    // A sentence of 2 to 10 words (mostly 3 to 7), capitalised, with a comma
    // now and then and its end punctuation.
    std::string sentence() {
        const int count = std::min(draw_.between(2, 6) + draw_.between(0, 4), 10);
        std::string s;
        for (int i = 0; i < count; ++i) {
            if (i > 0) s += (i > 1 && draw_.chance(8)) ? ", " : " ";
            s += word();
        }
        s.front() = upperChar(s.front());
        const int end = draw_.below(10);
        s += end < 6 ? '.' : end < 9 ? '?' : '!';
        return s;
    }

    // A key of a hand-made line: one or two words upper-cased, sometimes cut
    // to its stem so that it matches every ending.
    std::string handKey() {
        std::string key = word();
        if (draw_.chance(25)) key += " " + word();
        if (key.size() > 5 && draw_.chance(30))
            key.resize(key.size() - static_cast<std::size_t>(draw_.between(1, 2)));
        return upperCase(key);
    }

    std::string alternatives(int count) {
        std::string s;
        for (int i = 0; i < count; ++i) {
            std::string reply = sentence();
            std::replace(reply.begin(), reply.end(), ';', ',');
            s += reply;
            s += ';';
        }
        return s;
    }

private:
    Draw draw_;
    std::vector<std::string> words_;
    std::vector<std::string> rareWords_;
};

std::vector<std::string> sentences(Generator& g, int count) {
    std::vector<std::string> list;
    list.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) list.push_back(g.sentence());
    return list;
}

// The index of the first line before `limit` (from index 1 on) whose key
// the phrase holds, or 0.
int firstKeyFound(const std::vector<std::string>& lines, std::string_view phrase, int limit) {
    for (int i = 1; i < limit; ++i) {
        const auto key = lineKey(lines[static_cast<std::size_t>(i)]);
        if (key && PhraseContains(phrase, *key)) return i;
    }
    return 0;
}

// Gives every line before `limit` whose key the phrase holds another key,
// so that the phrase reaches the lines it is meant for.
void clearKeysFoundIn(Generator& g, std::vector<std::string>& lines, std::string_view phrase,
                      int limit) {
    for (int i = firstKeyFound(lines, phrase, limit); i != 0;
         i = firstKeyFound(lines, phrase, limit)) {
        std::string& line = lines[static_cast<std::size_t>(i)];
        const std::size_t depth = static_cast<std::size_t>(branchDepth(line));
        const std::size_t caret = line.find('^');
        std::string key;
        do {
            key = g.handKey();
        } while (PhraseContains(phrase, key));
        line = line.substr(0, depth) + key + line.substr(caret);
    }
}

}  // namespace

GeneratedBase generateBase(int lines, std::uint32_t seed) {
    Generator g(seed);
    Draw& d = g.draw();
    GeneratedBase base;
    auto& out = base.keywordLines;
    out.reserve(static_cast<std::size_t>(lines));
    out.push_back(fromUtf8("Фразы программы"));

    // Learnt keys that will be the program's previous replies, with the
    // reply as the program showed it.
    std::vector<std::pair<int, std::string>> shownReplies;
    while (static_cast<int>(out.size()) < lines) {
        const int kind = d.below(100);
        if (kind < 45) {
            // A main line, sometimes with the farewell mark, sometimes with
            // an exchange of branch lines after it.
            std::string line = g.handKey() + "^" + g.alternatives(d.between(1, 5));
            if (d.chance(1)) line += '@';
            out.push_back(std::move(line));
            if (d.chance(35)) {
                int depth = 1;
                const int branchLines = d.between(1, 4);
                for (int b = 0; b < branchLines && static_cast<int>(out.size()) < lines; ++b) {
                    out.push_back(std::string(static_cast<std::size_t>(depth), '_') + g.handKey() +
                                  "^" + g.alternatives(d.between(1, 3)));
                    if (depth < 3 && d.chance(40)) ++depth;
                }
            }
        } else if (kind < 80) {
            // A learnt key waiting for its first reply.
            std::string reply = g.sentence();
            if (d.chance(2)) shownReplies.emplace_back(static_cast<int>(out.size()), reply);
            out.push_back(upperCase(reply) + "^");
        } else {
            // A learnt key that has received replies since.
            out.push_back(upperCase(g.sentence()) + "^" + g.alternatives(d.between(1, 3)));
        }
    }

    const int count = static_cast<int>(out.size());
    auto rareSentence = [&](int first, int words) {
        std::string s;
        for (int i = 0; i < words; ++i) {
            if (i > 0) s += ' ';
            s += g.rareWord(first + i);
        }
        return s;
    };

    // A main line near the end, with a key no other line uses.
    base.lateKeywordLine = count - 1 - std::min(count / 100, 50);
    out[static_cast<std::size_t>(base.lateKeywordLine)] =
        upperCase(g.rareWord(0)) + "^" + g.alternatives(3);
    base.lateKeywordPhrase = rareSentence(17, 1) + " " + g.rareWord(0) + "?";

    // The long phrase: rare words, the late key last, 109 characters typed.
    const std::size_t head = 109 - 1 - g.rareWord(0).size();
    std::string longPhrase;
    for (int i = 5; longPhrase.size() < head; ++i) {
        if (!longPhrase.empty()) longPhrase += ' ';
        longPhrase += g.rareWord(i);
    }
    longPhrase.resize(head);
    base.longPhrase = longPhrase + " " + g.rareWord(0);

    // A main line with two branch lines near the end; the second answers.
    base.branchParentLine = base.lateKeywordLine - 4;
    const auto parent = static_cast<std::size_t>(base.branchParentLine);
    out[parent] = g.handKey() + "^" + g.alternatives(2);
    out[parent + 1] = "_" + g.handKey() + "^" + g.alternatives(2);
    out[parent + 2] = "_" + upperCase(g.rareWord(1)) + "^" + g.alternatives(2);
    base.branchPhrase = rareSentence(1, 2);

    // A phrase no key is found in.
    base.unknownPhrase = rareSentence(8, 3);

    // Keys found by accident in these phrases are replaced until none is.
    for (bool changed = true; changed;) {
        const auto before = out;
        clearKeysFoundIn(g, out, base.lateKeywordPhrase, base.lateKeywordLine);
        clearKeysFoundIn(g, out, base.longPhrase, base.lateKeywordLine);
        clearKeysFoundIn(g, out, base.branchPhrase, base.branchParentLine + 2);
        clearKeysFoundIn(g, out, base.unknownPhrase, count);
        changed = out != before;
    }

    for (const auto& [index, reply] : shownReplies) {
        const auto key = lineKey(out[static_cast<std::size_t>(index)]);
        if (key && *key == upperCase(reply)) base.previousReplies.push_back(reply);
    }
    if (base.previousReplies.empty()) {
        const std::string reply = g.sentence();
        out[static_cast<std::size_t>(count / 2)] = upperCase(reply) + "^";
        base.previousReplies.push_back(reply);
    }

    const int listSize = std::max(lines / 4, 10);
    const int smallList = std::max(lines / 50, 10);
    base.questionReplies = sentences(g, listSize);
    base.statementReplies = sentences(g, listSize);
    base.repeatReplies = sentences(g, smallList);
    base.abuseReplies = sentences(g, smallList);
    base.longPhraseReplies = sentences(g, smallList);
    base.idlePrompts = sentences(g, smallList);
    base.remarks = sentences(g, smallList);
    return base;
}

void writeBase(const GeneratedBase& base, const std::string& folder, ListFormat format) {
    const std::filesystem::path dir = std::filesystem::path(folder) / "Base";
    std::filesystem::create_directories(dir);
    const std::pair<const char*, const std::vector<std::string>*> files[] = {
        {"Words.Dat", &base.keywordLines},  {"W1.Dat", &base.questionReplies},
        {"W2.Dat", &base.statementReplies}, {"Povtor.Dat", &base.repeatReplies},
        {"X.Dat", &base.abuseReplies},      {"BigString.Dat", &base.longPhraseReplies},
        {"Pause.Dat", &base.idlePrompts},   {"AI.dat", &base.remarks},
    };
    for (const auto& [name, entries] : files) {
        PhraseList list(format);
        list.assign(*entries);
        list.SaveToFile((dir / name).string());
    }
}

}  // namespace sob::bench
