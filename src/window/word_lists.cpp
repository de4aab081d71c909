#include "window/word_lists.h"

#include <initializer_list>
#include <string_view>

#include "platform/cp1251_literal.h"

namespace sob {

namespace {

std::vector<std::string> withEmptyFirst(std::initializer_list<std::string_view> words) {
    std::vector<std::string> list;
    list.reserve(words.size() + 1);
    list.emplace_back();
    for (std::string_view word : words) list.emplace_back(word);
    return list;
}

}  // namespace

std::vector<std::string> abusiveWordList() {
    return withEmptyFirst({
        " ЛОХ"_cp,     " ХАМ"_cp,       "БЕСТОЛКОВ"_cp,     "БЕСТОЛОЧЬ"_cp, "БЛУДЛИВ"_cp,
        "БЛУДНИЦА"_cp, "БЛЯ "_cp,       "БЛЯ,"_cp,          "БЛЯ."_cp,      "БЛЯ!"_cp,
        "БЛЯ?"_cp,     "БЛЯДИ"_cp,      "БЛЯДЬ"_cp,         "БОЛВАН"_cp,    "ВЫРОДК"_cp,
        "ВЫРОДОК"_cp,  "ГАД "_cp,       "ГАД,"_cp,          "ГАД."_cp,      "ГАД!"_cp,
        "ГАДИН"_cp,    "ДРОЧУН"_cp,     "ЖЕРТВА АБОРТА"_cp, "ЖМУРИК"_cp,    "ЕБАТЬ"_cp,
        "ЕБЛАН"_cp,    "ЕБЛО"_cp,       "ДЕБИЛ"_cp,         "ДУРА"_cp,      "ДУРЕНЬ"_cp,
        "ДУРИК"_cp,    "ДУРОЙ"_cp,      "ДУРОЧ"_cp,         "ДУРЫ"_cp,      "КУРТИЗАН"_cp,
        "МАНДА"_cp,    "МАНДЮ"_cp,      "МРАЗЬ"_cp,         "МУДАК"_cp,     "МУДИЛ"_cp,
        "МУДАЗВОН"_cp, "МУДОЗВОН"_cp,   "МУРЛО"_cp,         "НЕДОНОСК"_cp,  "НЕДОНОСОК"_cp,
        "НЕДОУМ"_cp,   "ОТСОСИ"_cp,     "ПАДЛ"_cp,          "ПОДЛ"_cp,      "ПИЗД"_cp,
        "ПОДОН"_cp,    "ПРИДУРОК"_cp,   "ПРОСТИТНЯ"_cp,     "ПРОСТИТУТ"_cp, "СУКА"_cp,
        "СУКИ"_cp,     "СУКУ"_cp,       "СУЧАРА"_cp,        "СУЧКА"_cp,     "СУЧКИ"_cp,
        "СУЧОК"_cp,    "ТЕБЯ СОТРУ"_cp, "ТРАХАТЬ"_cp,       "ТРАХНУТ"_cp,   "УБЛЮД"_cp,
        "УЁБИЩ"_cp,    "УПЫР"_cp,       "УРОД"_cp,          "ХЕР "_cp,      "ХЕР,"_cp,
        "ХЕР."_cp,     "ХЕР!"_cp,       "ХЕР?"_cp,          "ХУИ"_cp,       "ХУЙ"_cp,
        "ЧМО"_cp,      "ЧУРК"_cp,       "ШАЛАВА"_cp,        "ШАЛАВКА"_cp,   "ШЛЮХА"_cp,
        "ШЛЮШ"_cp,     "Я СОТРУ"_cp,
    });
}

std::vector<std::string> topicWordList() {
    return withEmptyFirst({
        " ИМЯ"_cp,    " ЛЕТ"_cp,        "В ТУАЛЕТ"_cp,   "ВИДЕ"_cp,         "ВИЖУ"_cp,
        "ВОЛОС"_cp,   "ДЕМОНТИРУЮ"_cp,  "ДРОЧИ"_cp,      "ДРОЧУ"_cp,        "ДЫШАТЬ"_cp,
        "ДЫШУ"_cp,    "ЖАРКО"_cp,       "ЖИВ"_cp,        "ЖОП"_cp,          "ЖРАТЬ"_cp,
        "ИГРАЕМ"_cp,  "ИГРАТЬ"_cp,      "ИГРАЮ"_cp,      "ИЗ ПЛОТИ"_cp,     "ИМЯ "_cp,
        "КАКАТЬ"_cp,  "КУШАТЬ"_cp,      "ЛЕТ "_cp,       "ЛЕТАТЬ"_cp,       "ЛЕТЕТЬ"_cp,
        "ЛЮБИЛ"_cp,   "ЛЮБЛЮ"_cp,       "МАМА"_cp,       "МАМОЙ"_cp,        "МАМОЧК"_cp,
        "МАМУ"_cp,    "МЕНЯ ЗОВУТ"_cp,  "НЕ ПРОГА"_cp,   "НЕ ПРОГРАММА"_cp, "НЕ РОБОТ"_cp,
        "НОГА"_cp,    "НОГИ"_cp,        "ОРГАН"_cp,      "ПАПА"_cp,         "ПАПОЙ"_cp,
        "ПАПОЧК"_cp,  "ПАПУ"_cp,        "ПЕРЕДЕЛАТЬ"_cp, "ПЕТЬ"_cp,         "ПИСАТЬ"_cp,
        "ПИСЬ"_cp,    "ПИСЯ"_cp,        "ПИТЬ"_cp,       "ПОБЕЖАЛ"_cp,      "ПОДОЖДИ"_cp,
        "ПОЙДЁМ"_cp,  "ПОПА"_cp,        "ПОПК"_cp,       "ПОШЛИ"_cp,        "РОДИЛ"_cp,
        "РОДИТЕЛ"_cp, "РОДСТВЕННИК"_cp, "РОЖДЁН"_cp,     "РУКА"_cp,         "РУКИ"_cp,
        "СЛЫШАТЬ"_cp, "СЛЫШИ"_cp,       "СЛЫШУ"_cp,      "СМОТРЮ"_cp,       "СОТРУ"_cp,
        "СПАТЬ"_cp,   "ТЕЛО"_cp,        "УДАЛЮ"_cp,      "УМРУ"_cp,         "УСТАЛ"_cp,
        "УСТАЮ"_cp,   "УХОЖУ"_cp,       "ХОДИТЬ"_cp,     "ХОЛОДНО"_cp,      "ХОЧУ"_cp,
        "ЧЕЛОВЕК"_cp, "ЧУВСТВО"_cp,     "ЧУВСТВУЮ"_cp,   "ШЕРСТ"_cp,
    });
}

}  // namespace sob
