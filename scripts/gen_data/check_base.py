#!/usr/bin/env python3
"""Checks the phrase base delivered in data/Base.

Verifies the file formats (Windows-1251, CR LF, the key^alt;alt; grammar of
Words.Dat, branch depths, farewell marks, minimum sizes) and then runs a small
model of the reply selection over a set of typical phrases and scripted
dialogues, to show which line answers each one. The model follows the
program: the phrase is matched as typed, upper-cased, one pass from left to
right; after a mismatch the word starts again at the NEXT character (the
failing character is not tried as the first character of the word).

Usage: check_base.py [path/to/data/Base] [-v]
Exit status 0 when every check passes, 1 otherwise.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_BASE = os.path.normpath(os.path.join(HERE, "..", "..", "data", "Base"))

LIST_FILES = ["Povtor.Dat", "X.Dat", "BigString.Dat", "W1.Dat", "W2.Dat",
              "Pause.Dat", "AI.dat"]
MIN_MAIN_LINES = 200
MIN_BRANCHES = 15
MIN_LIST_ENTRIES = 20
MAX_ALTERNATIVES = 5

# The program's built-in abusive-word list (tested before any key).
ABUSIVE = [
    " ЛОХ", " ХАМ", "БЕСТОЛКОВ", "БЕСТОЛОЧЬ", "БЛУДЛИВ", "БЛУДНИЦА", "БЛЯ ",
    "БЛЯ,", "БЛЯ.", "БЛЯ!", "БЛЯ?", "БЛЯДИ", "БЛЯДЬ", "БОЛВАН", "ВЫРОДК",
    "ВЫРОДОК", "ГАД ", "ГАД,", "ГАД.", "ГАД!", "ГАДИН", "ДРОЧУН",
    "ЖЕРТВА АБОРТА", "ЖМУРИК", "ЕБАТЬ", "ЕБЛАН", "ЕБЛО", "ДЕБИЛ", "ДУРА",
    "ДУРЕНЬ", "ДУРИК", "ДУРОЙ", "ДУРОЧ", "ДУРЫ", "КУРТИЗАН", "МАНДА", "МАНДЮ",
    "МРАЗЬ", "МУДАК", "МУДИЛ", "МУДАЗВОН", "МУДОЗВОН", "МУРЛО", "НЕДОНОСК",
    "НЕДОНОСОК", "НЕДОУМ", "ОТСОСИ", "ПАДЛ", "ПОДЛ", "ПИЗД", "ПОДОН",
    "ПРИДУРОК", "ПРОСТИТНЯ", "ПРОСТИТУТ", "СУКА", "СУКИ", "СУКУ", "СУЧАРА",
    "СУЧКА", "СУЧКИ", "СУЧОК", "ТЕБЯ СОТРУ", "ТРАХАТЬ", "ТРАХНУТ", "УБЛЮД",
    "УЁБИЩ", "УПЫР", "УРОД", "ХЕР ", "ХЕР,", "ХЕР.", "ХЕР!", "ХЕР?", "ХУИ",
    "ХУЙ", "ЧМО", "ЧУРК", "ШАЛАВА", "ШАЛАВКА", "ШЛЮХА", "ШЛЮШ", "Я СОТРУ",
]

# The program's built-in topic words: a phrase holding one of them that no
# key answers gets the previous reply again and teaches nothing.
TOPIC = [
    " ИМЯ", " ЛЕТ", "В ТУАЛЕТ", "ВИДЕ", "ВИЖУ", "ВОЛОС", "ДЕМОНТИРУЮ", "ДРОЧИ",
    "ДРОЧУ", "ДЫШАТЬ", "ДЫШУ", "ЖАРКО", "ЖИВ", "ЖОП", "ЖРАТЬ", "ИГРАЕМ",
    "ИГРАТЬ", "ИГРАЮ", "ИЗ ПЛОТИ", "ИМЯ ", "КАКАТЬ", "КУШАТЬ", "ЛЕТ ",
    "ЛЕТАТЬ", "ЛЕТЕТЬ", "ЛЮБИЛ", "ЛЮБЛЮ", "МАМА", "МАМОЙ", "МАМОЧК", "МАМУ",
    "МЕНЯ ЗОВУТ", "НЕ ПРОГА", "НЕ ПРОГРАММА", "НЕ РОБОТ", "НОГА", "НОГИ",
    "ОРГАН", "ПАПА", "ПАПОЙ", "ПАПОЧК", "ПАПУ", "ПЕРЕДЕЛАТЬ", "ПЕТЬ", "ПИСАТЬ",
    "ПИСЬ", "ПИСЯ", "ПИТЬ", "ПОБЕЖАЛ", "ПОДОЖДИ", "ПОЙДЁМ", "ПОПА", "ПОПК",
    "ПОШЛИ", "РОДИЛ", "РОДИТЕЛ", "РОДСТВЕННИК", "РОЖДЁН", "РУКА", "РУКИ",
    "СЛЫШАТЬ", "СЛЫШИ", "СЛЫШУ", "СМОТРЮ", "СОТРУ", "СПАТЬ", "ТЕЛО", "УДАЛЮ",
    "УМРУ", "УСТАЛ", "УСТАЮ", "УХОЖУ", "ХОДИТЬ", "ХОЛОДНО", "ХОЧУ",
    "ЧЕЛОВЕК", "ЧУВСТВО", "ЧУВСТВУЮ", "ШЕРСТ",
]

# Typical phrases and the key of the line that should answer them.
# "ABUSE" = the abusive-word list answers, "TOPIC" = a topic word and no key
# (the previous reply is repeated), "FALLBACK" = a generic reply plus learning.
PHRASES = [
    ("привет", "ПРИВЕТ"),
    ("Привет, как дела?", "ПРИВЕТ"),
    ("здравствуйте", "ЗДРАВСТВУЙ"),
    ("добрый день", "ДОБРЫЙ ДЕНЬ"),
    ("доброе утро", "ДОБРОЕ УТРО"),
    ("как дела?", "КАК ДЕЛА"),
    ("как у тебя дела?", "КАК У ТЕБЯ ДЕЛА"),
    ("как поживаешь?", "КАК ПОЖИВА"),
    ("как настроение?", "НАСТРОЕНИ"),
    ("что нового?", "ЧТО НОВОГО"),
    ("что делаешь?", "ДЕЛАЕШЬ"),
    ("как тебя зовут?", "ТЕБЯ ЗОВУТ"),
    ("а тебя как зовут?", "ЗОВУТ"),
    ("меня зовут Вася", "МЕНЯ ЗОВУТ"),
    ("моё имя Петя", "МОЁ ИМЯ"),
    ("назови своё имя", "ИМЯ"),
    ("кто ты?", "КТО ТЫ"),
    ("ты кто такой?", "ТЫ КТО"),
    ("ты человек?", "ТЫ ЧЕЛОВЕК"),
    ("ты робот?", "ТЫ РОБОТ"),
    ("ты живой?", "ТЫ ЖИВОЙ"),
    ("кто тебя создал?", "ТЕБЯ СОЗДАЛ"),
    ("расскажи о себе", "О СЕБЕ"),
    ("сколько тебе лет?", "ТЕБЕ ЛЕТ"),
    ("мне 20 лет", " ЛЕТ"),
    ("когда ты родился?", "РОДИЛ"),
    ("где ты живёшь?", "ЖИВЁШЬ"),
    ("где ты живешь?", "ЖИВЕШЬ"),
    ("что ты умеешь?", "УМЕЕШЬ"),
    ("ты умный", "ТЫ УМН"),
    ("какая сегодня погода", "ПОГОД"),
    ("на улице идёт дождь", "ДОЖД"),
    ("мне холодно", "ХОЛОД"),
    ("который час?", "КОТОРЫЙ ЧАС"),
    ("сколько сейчас времени?", "СКОЛЬКО СЕЙЧАС"),
    ("какое сегодня число?", "КАКОЕ СЕГОДНЯ"),
    ("что ты любишь есть?", "ЛЮБИШЬ ЕСТЬ"),
    ("я голоден", "ГОЛОД"),
    ("я хочу есть", "ХОЧУ ЕСТЬ"),
    ("что у тебя на обед?", "ОБЕД"),
    ("ты любишь пиццу?", "ПИЦЦ"),
    ("пью чай с лимоном", " ЧАЙ"),
    ("какую музыку ты слушаешь?", "МУЗЫК"),
    ("ты играешь на гитаре?", "ГИТАР"),
    ("ты любишь читать?", "ЧИТА"),
    ("я читаю интересную книгу", "КНИГ"),
    ("я считаю, что ты прав", "СЧИТА"),
    ("посоветуй хороший фильм", "ФИЛЬМ"),
    ("ты смотрел кино?", "КИНО"),
    ("ты любишь компьютеры?", "КОМПЬЮТЕР"),
    ("где ты работаешь?", "РАБОТАЕШЬ"),
    ("я устал на работе", "УСТАЛ"),
    ("я учусь в школе", "ШКОЛ"),
    ("у меня завтра экзамен", "ЭКЗАМЕН"),
    ("я тебя люблю", "ТЕБЯ ЛЮБЛЮ"),
    ("что такое любовь?", "ЛЮБОВ"),
    ("давай дружить", "ДРУЖ"),
    ("у тебя есть друзья?", "ДРУЗ"),
    ("моя мама врач", "МАМ"),
    ("у меня есть брат", " БРАТ"),
    ("у меня есть кошка", "КОШК"),
    ("я люблю собак", "СОБАК"),
    ("ты любишь животных?", "ЖИВОТН"),
    ("ты занимаешься спортом?", "СПОРТ"),
    ("я играю в футбол", "ФУТБОЛ"),
    ("во что ты играешь?", "ИГР"),
    ("какое у тебя хобби?", "ХОББИ"),
    ("чем ты увлекаешься?", "УВЛЕК"),
    ("я люблю путешествовать", "ПУТЕШЕСТВ"),
    ("о чём ты мечтаешь?", "МЕЧТ"),
    ("какой твой любимый цвет?", "ЦВЕТ"),
    ("расскажи анекдот", "АНЕКДОТ"),
    ("пошути", "ПОШУТИ"),
    ("ха-ха", "ХА-Х"),
    ("ахахах", "ХАХ"),
    ("спасибо", "СПАСИБ"),
    ("извини", "ИЗВИН"),
    ("прости меня", "ПРОСТИ"),
    ("мне скучно", "СКУЧ"),
    ("мне грустно", "ГРУСТ"),
    ("я хочу спать", "СПАТЬ"),
    ("ты меня понимаешь?", "ПОНИМАЕШЬ"),
    ("мне непонятно", "НЕПОНЯТН"),
    ("мне не понятно", " НЕ ПОНЯТНО"),
    ("мне понятно", "МНЕ ПОНЯТНО"),
    ("мне не смешно", " НЕ СМЕШН"),
    ("мне смешно", "МНЕ СМЕШН"),
    ("не смешно", "НЕ СМЕШН"),
    ("мне не скучно", " НЕ СКУЧН"),
    ("ты не скучный", " НЕ СКУЧН"),
    ("мне плохо", "МНЕ ПЛОХО"),
    ("не плохо", "НЕ ПЛОХО"),
    ("мне нравится", "МНЕ НРАВ"),
    ("не нравится", "НЕ НРАВ"),
    ("мне не нравится", " НЕ НРАВ"),
    ("можно задать вопрос?", "ВОПРОС"),
    ("почему?", "ПОЧЕМУ"),
    ("зачем?", "ЗАЧЕМ"),
    ("никогда", "НИКОГДА"),
    ("не знаю", "НЕ ЗНАЮ"),
    ("конечно нет", "КОНЕЧНО НЕТ"),
    ("конечно", "КОНЕЧНО"),
    ("а ты?", "А ТЫ"),
    ("как ты?", "КАК ТЫ"),
    ("ага", "АГА"),
    ("ладно", "ЛАДНО"),
    ("хорошо", "ХОРОШО"),
    ("да", "ДА"),
    ("нет", "НЕТ"),
    ("покажи картинку", "ПОКАЖ"),
    ("пока не знаю", "ПОКА НЕ"),
    ("пока", "ПОКА"),
    ("ну всё, пока!", "ПОКА"),
    ("до свидания", "ДО СВИДАН"),
    ("до свиданья", "ДО СВИДАН"),
    ("спокойной ночи", "СПОКОЙНОЙ НОЧИ"),
    ("прощай", "ПРОЩАЙ"),
    ("до встречи", "ДО ВСТРЕЧИ"),
    ("я люблю тебя", "ЛЮБЛЮ ТЕБЯ"),
    ("у меня плохое настроение", "ПЛОХОЕ НАСТРОЕНИЕ"),
    ("мне надо идти", "МНЕ НАДО ИДТИ"),
    ("мне надоело", "НАДОЕЛ"),
    ("расскажи сказку", "СКАЗК"),
    ("ты откуда?", "ОТКУДА"),
    ("подожди минутку", "ПОДОЖД"),
    ("у меня нет друзей", "НЕТ ДРУЗЕЙ"),
    ("я занят", "Я ЗАНЯТ"),
    ("какие у тебя планы?", "ПЛАНЫ"),
    ("идиот", "ИДИОТ"),
    ("ты дура", "ABUSE"),
    ("ну ты лох", "ABUSE"),
    ("у меня длинные волосы", "TOPIC"),
    ("я купил новый шкаф", "FALLBACK"),
    ("где ты учишься?", "УЧИШЬСЯ"),
]

# Scripted dialogues: each step is (phrase, expected key); a branch line's
# key is written with its leading underscores.
DIALOGUES = [
    [("привет", "ПРИВЕТ"), ("нормально", "_НОРМ"), ("был на работе", "__РАБОТ"),
     ("нет, не нравится", "___НЕ НРАВ")],
    [("привет", "ПРИВЕТ"), ("нормально", "_НОРМ"), ("был на работе", "__РАБОТ"),
     ("мне не нравится", "___МНЕ НЕ")],
    [("расскажи анекдот", "АНЕКДОТ"), ("мне не смешно", "_МНЕ НЕ")],
    [("мне скучно", "СКУЧ"), ("давай", "_ДАВАЙ"), ("мне не смешно", "__МНЕ НЕ")],
    [("я много работаю", "РАБОТ"), ("мне не нравится", "_МНЕ НЕ")],
    [("я много работаю", "РАБОТ"), ("мне очень нравится", "_МНЕ ОЧЕНЬ")],
    [("привет", "ПРИВЕТ"), ("мне плохо", "_МНЕ ПЛОХ")],
    [("привет", "ПРИВЕТ"), ("не плохо", "_НЕ ПЛОХ")],
    [("привет", "ПРИВЕТ"), ("мне не плохо", "_ НЕ ПЛОХ")],
    [("привет", "ПРИВЕТ"), ("хорошо", "_ХОРОШ"), ("ничего, скучно было", "__НИЧЕГО")],
    [("как дела?", "КАК ДЕЛА"), ("нормально", "_НОРМ"), ("в институте учился", "__УЧ")],
    [("как у тебя дела?", "КАК У ТЕБЯ ДЕЛА"), ("неплохо", "_НЕПЛОХ")],
    [("привет", "ПРИВЕТ"), ("хорошо", "_ХОРОШ"), ("на работе", "__РАБОТ"),
     ("мне нравится", "___МНЕ НРАВ")],
    [("расскажи анекдот", "АНЕКДОТ"), ("мне смешно", "_МНЕ СМЕШН")],
    [("ты любишь книги?", "КНИГ"), ("мне нравится", "_МНЕ НРАВ")],
    [("где ты живешь?", "ЖИВЕШЬ"), ("в деревне", "FALLBACK")],
    [("где ты живёшь?", "ЖИВЁШЬ"), ("в деревне", "_ДЕРЕВН"), ("мне не нравится", "__МНЕ НЕ")],
    [("где ты живёшь?", "ЖИВЁШЬ"), ("в деревне", "_ДЕРЕВН"), ("мне нравится", "__МНЕ НРАВ")],
    [("привет", "ПРИВЕТ"), ("плохо", "_ПЛОХ"), ("поссорился с другом", "__ПОССОР")],
    [("привет", "ПРИВЕТ"), ("неплохо", "_НЕПЛОХ"), ("гулял в парке", "__ГУЛЯ")],
    [("здравствуй", "ЗДРАВСТВУЙ"), ("хорошо", "_ХОРОШ")],
    [("как дела?", "КАК ДЕЛА"), ("отлично", "_ОТЛИЧН"), ("ходил гулять", "__ГУЛЯ")],
    [("доброе утро", "ДОБРОЕ УТРО"), ("неплохо", "_НЕПЛОХО")],
    [("добрый вечер", "ДОБРЫЙ ВЕЧЕР"), ("весь день на работе", "_РАБОТ")],
    [("меня зовут Вася", "МЕНЯ ЗОВУТ"), ("мне 25", "_2"), ("учусь", "__УЧ")],
    [("как тебя зовут?", "ТЕБЯ ЗОВУТ"), ("меня зовут Оля", "_ЗОВУТ"),
     ("люблю музыку", "__МУЗЫК")],
    [("сколько тебе лет?", "ТЕБЕ ЛЕТ"), ("секрет", "_СЕКРЕТ"), ("работаю", "__РАБОТ")],
    [("ты человек?", "ТЫ ЧЕЛОВЕК"), ("нет", "_НЕТ"), ("почему?", "__ПОЧЕМУ")],
    [("где ты живёшь?", "ЖИВЁШЬ"), ("в городе", "_ГОРОД"), ("да", "__ДА")],
    [("мне скучно", "СКУЧ"), ("давай", "_ДАВАЙ"), ("ахаха", "__ХАХ")],
    [("какая погода?", "ПОГОД"), ("люблю солнце", "_СОЛН"), ("осень", "__ОСЕН")],
    [("я голоден", "ГОЛОД"), ("пиццу", "_ПИЦЦ"), ("не умею", "__НЕ УМЕЮ")],
    [("какую музыку ты любишь?", "МУЗЫК"), ("рок", "_РОК"), ("на гитаре", "__ГИТАР")],
    [("ты любишь книги?", "КНИГ"), ("очень люблю", "_ЛЮБЛЮ"), ("фантастику", "__ФАНТАСТ")],
    [("давай про фильмы", "ФИЛЬМ"), ("комедии", "_КОМЕДИ"), ("редко", "__РЕДКО")],
    [("я много работаю", "РАБОТ"), ("нравится", "_НРАВ"), ("врачом", "__ВРАЧ")],
    [("учёба надоела", "УЧЁБ"), ("математика", "_МАТЕМАТ"), ("программистом", "__ПРОГРАММИСТ")],
    [("любишь животных?", "ЖИВОТН"), ("нет", "_НЕТ"), ("собаку", "__СОБАК")],
    [("ты любишь спорт?", "СПОРТ"), ("нет", "_НЕТ"), ("не делаю", "__НЕ ДЕЛАЮ")],
    [("ты любишь спорт?", "СПОРТ"), ("плаваю", "_ПЛАВА"), ("каждый день", "__КАЖДЫЙ ДЕНЬ")],
    [("во что поиграем?", "ИГР"), ("в шахматы", "_ШАХМАТ"), ("давно", "__ДАВНО")],
    [("люблю путешествовать", "ПУТЕШЕСТВ"), ("на море", "_МОР"), ("в Японию", "__ЯПОНИ")],
    [("что такое любовь", "ЛЮБОВ"), ("да", "_ДА"), ("да, очень", "__ДА")],
    [("мечтать люблю", "МЕЧТ"), ("о путешествиях", "_ПУТЕШЕСТВ"), ("в Париж", "__ПАРИЖ")],
    [("у тебя большая семья?", "СЕМЬ"), ("большая", "_БОЛЬШ"), ("да", "__ДА")],
    [("расскажи анекдот", "АНЕКДОТ"), ("смешно", "_СМЕШН"), ("давай", "__ДАВАЙ"),
     ("нет", "___НЕТ")],
    [("расскажи анекдот", "АНЕКДОТ"), ("не смешно", "_НЕ СМЕШН"), ("не надо", "__НЕ НАДО")],
    [("компьютер", "КОМПЬЮТЕР"), ("много", "_МНОГО"), ("ладно", "__ЛАДНО")],
    # a branch answer that is not foreseen ends the branch; the keys answer it
    [("привет", "ПРИВЕТ"), ("который час?", "КОТОРЫЙ ЧАС")],
    [("как дела?", "КАК ДЕЛА"), ("пока", "ПОКА")],
]

# Words in which a short key could wrongly fire, with the lines allowed to
# answer them alone (None: no key, a generic reply and learning). A key that
# fires inside one of these words and wins is reported unless listed here.
UNRELATED = [
    ("когда", {"КОГДА"}), ("всегда", {"ВСЕГДА"}), ("никогда", {"НИКОГДА"}),
    ("иногда", {"ИНОГДА"}), ("правда", {"ПРАВДА"}), ("давай", {"ДАВАЙ"}),
    ("даже", {"ДАЖЕ"}), ("давно", {"ДАВНО"}), ("погода", {"ПОГОД"}),
    ("который", {None}), ("котлета", {None}), ("работа", {"РАБОТ"}),
    ("монета", {"МОНЕТ"}), ("планшет", {None}), ("планета", {"ПЛАНЕТ"}), ("интернет", {"ИНТЕРНЕТ"}),
    ("следующий", {None}), ("сейчас", {None}), ("часто", {None}),
    ("счастье", {"СЧАСТ"}), ("показывать", {"ПОКАЗ"}), ("покажи", {"ПОКАЖ"}),
    ("покататься", {"ПОКАТ"}), ("пока что", {"ПОКА ЧТО"}), ("сегодня", {None}),
    ("случай", {None}), ("песня", {"ПЕСН"}), ("завтрак", {"ЗАВТРАК"}),
    ("неплохо", {"НЕПЛОХО"}), ("непонятно", {"НЕПОНЯТН"}), ("победа", {"ПОБЕД"}),
    ("беседа", {"БЕСЕД"}), ("странный", {"СТРАНН"}), ("посчитай", {"ПОСЧИТА"}),
    ("считаю", {"СЧИТА"}), ("разработчик", {"РАЗРАБОТЧИК"}), ("магазин", {"МАГАЗИН"}),
    ("супер", {"СУПЕР"}), ("выиграл", {"ИГР"}), ("умею", {None}),
    ("хочешь", {"ХОЧЕШЬ"}), ("думаешь", {"ДУМАЕШЬ"}), ("мне", {None}),
    ("должен", {None}), ("брать", {None}), ("классно", {"КЛАСС"}),
    ("понятно", {"ПОНЯТНО"}), ("не хочу", {"НЕ ХОЧУ"}), ("болею за наших", {"БОЛЕЮ ЗА"}),
    ("летать", {"ЛЕТАТЬ"}), ("летом", {"ЛЕТО"}), ("уже лето", {"ЛЕТО"}),
    ("время", {None}), ("вода", {"ДА"}), ("создать", {"ДА"}), ("задача", {"ДА"}),
    ("куда", {"ДА"}), ("города", {"ГОРОД"}), ("звезда", {"ЗВЕЗД"}),
    ("еда", {"ЕДА"}), ("беда", {"БЕДА"}), ("дальше", {"ДАЛЬШЕ"}), ("до обеда", {"ОБЕД"}), ("среда", {"ЕДА"}), ("ответ", {None}), ("привет", {"ПРИВЕТ"}),
    ("нету", {"НЕТ"}), ("команда", {"ABUSE"}), ("процедура", {"ABUSE"}),
]

errors = []
notes = []


def error(msg):
    errors.append(msg)


def upper1251(ch):
    up = ch.upper()
    if len(up) != 1:
        return ch
    try:
        up.encode("cp1251")
    except UnicodeEncodeError:
        return ch
    return up


def phrase_contains(phrase, word):
    """One pass with the restart rule: a failing character is not compared
    again with the first character of the word."""
    if not word:
        return False
    run = 0
    for ch in phrase:
        if upper1251(ch) == word[run]:
            run += 1
        else:
            run = 0
        if run == len(word):
            return True
    return False


def read_lines(path):
    with open(path, "rb") as f:
        data = f.read()
    name = os.path.basename(path)
    try:
        text = data.decode("cp1251")
    except UnicodeDecodeError as e:
        error(f"{name}: not Windows-1251: {e}")
        return []
    if not data:
        return []
    if not data.endswith(b"\r\n"):
        error(f"{name}: last line is not ended by CR LF")
    body = text[:-2] if text.endswith("\r\n") else text
    lines = body.split("\r\n")
    for i, line in enumerate(lines):
        if "\r" in line or "\n" in line:
            error(f"{name}: line {i}: bare CR or LF (lines must end with CR LF)")
    return lines


class Line:
    def __init__(self, index, text):
        self.index = index
        self.text = text
        self.depth = len(text) - len(text.lstrip("_"))
        caret = text.find("^")
        self.key = text[self.depth:caret] if caret >= 0 else ""
        self.caret = caret
        rest = text[caret + 1:] if caret >= 0 else ""
        self.farewell = self.depth == 0 and text.endswith("@")
        if self.farewell:
            rest = rest[:-1]
        self.alternatives = rest.split(";")[:-1]
        self.tail = rest.split(";")[-1]

    def label(self):
        return "_" * self.depth + self.key


def check_words(path):
    lines = read_lines(path)
    if not lines:
        error("Words.Dat: empty")
        return []
    parsed = []
    for i, text in enumerate(lines[1:], start=1):
        where = f"Words.Dat line {i}"
        if not text:
            error(f"{where}: empty line")
            continue
        ln = Line(i, text)
        if ln.caret < 1:
            error(f"{where}: no '^' at position 2 or later")
            continue
        if not ln.key:
            error(f"{where}: empty key")
        if ";" in ln.key or "_" in ln.key:
            error(f"{where}: key holds ';' or '_': {ln.key!r}")
        if ln.key != "".join(upper1251(c) for c in ln.key):
            error(f"{where}: key has lowercase letters and can never match: {ln.key!r}")
        if ln.tail:
            error(f"{where}: text after the last ';': {ln.tail!r}")
        if "@" in text[:-1] or (ln.depth and text.endswith("@")):
            error(f"{where}: '@' only allowed as the last character of a main line")
        if not ln.alternatives:
            error(f"{where}: no reply alternative")
        if len(ln.alternatives) > MAX_ALTERNATIVES:
            error(f"{where}: more than {MAX_ALTERNATIVES} alternatives")
        for k, alt in enumerate(ln.alternatives, start=1):
            if not alt.strip():
                error(f"{where}: alternative {k} is empty")
            elif alt != alt.strip():
                error(f"{where}: alternative {k} has blanks at its ends: {alt!r}")
            elif alt[-1] not in ".!?…»":
                error(f"{where}: alternative {k} lacks end punctuation: {alt!r}")
            if "^" in alt:
                error(f"{where}: alternative {k} holds '^'")
        parsed.append(ln)
    # depth grammar: a branch line follows its parent depth
    prev_depth = 0
    for ln in parsed:
        if ln.depth > prev_depth + 1:
            error(f"Words.Dat line {ln.index}: depth {ln.depth} after depth {prev_depth}")
        prev_depth = ln.depth
    return [None] + parsed  # index = file line number


def branch_stats(lines):
    """Return [(main key, max depth)] for main lines followed by branch lines."""
    result = []
    current = None
    for ln in lines[1:]:
        if ln is None:
            continue
        if ln.depth == 0:
            current = [ln.key, 0]
            result.append(current)
        else:
            current[1] = max(current[1], ln.depth)
    return [(k, d) for k, d in result if d > 0]


class Engine:
    """The reply selection without the random parts (no repeat test, phrases
    shorter than the long-phrase limit)."""

    def __init__(self, lines):
        self.lines = lines
        self.depth = 0
        self.branch_line = 0

    def lookup(self, raw):
        return self.turn(raw, keep_state=False)

    def turn(self, raw, keep_state=True):
        depth, line_no = self.depth, self.branch_line
        result = self._select(raw)
        if not keep_state:
            self.depth, self.branch_line = depth, line_no
        return result

    def _select(self, raw):
        for w in ABUSIVE:
            if phrase_contains(raw, w):
                return ("ABUSE", w)
        topic = next((w for w in TOPIC if phrase_contains(raw, w)), None)
        last = len(self.lines) - 1
        run_keywords = True
        if self.depth >= 1:
            while True:
                self.branch_line += 1
                if self.branch_line > last:
                    self.depth = 0
                    run_keywords = False
                    break
                ln = self.lines[self.branch_line]
                if ln.depth == 0:
                    self.depth = 0
                    break
                if ln.depth != self.depth:
                    continue
                if phrase_contains(raw, ln.key):
                    self.depth += 1
                    return (ln.label(), ln)
        if run_keywords:
            for ln in self.lines[1:]:
                if ln.depth == 0 and ln.alternatives and phrase_contains(raw, ln.key):
                    self.depth = 1
                    self.branch_line = ln.index
                    return (ln.label(), ln)
        if topic:
            return ("TOPIC", topic)
        return ("FALLBACK", None)


LEADS = ["мне ", "я ", "ну ", "а ", "ты ", "у меня ", "как ", "очень ", "да, ",
         "нет, ", "и ", "он ", "она ", "не "]


def blind_spots(lines):
    """Keys that the one-pass matcher misses when a common lead-in comes just
    before them (a lead-in that ends with the start of the key eats it). A
    lead-in whose last word is the key's first word is skipped, and so are
    keys for which an earlier line of the same depth already answers."""
    result = []
    for ln in lines[1:]:
        key = ln.key
        leads = []
        for lead in LEADS:
            if lead.split()[-1].upper().strip(",") == key.split()[0]:
                continue
            phrase = (lead.rstrip() if key.startswith(" ") else lead) + key.lower()
            if phrase_contains(phrase, key):
                continue
            covered = any(o.depth == ln.depth and o.index < ln.index and
                          o.index > ln.index - 40 and phrase_contains(phrase, o.key)
                          for o in lines[1:])
            if not covered:
                leads.append(lead)
        if leads:
            result.append((ln, leads))
    return result


def show(result):
    label, ln = result
    if isinstance(ln, Line):
        extra = " @" if ln.farewell else ""
        return f"line {ln.index} [{label}]{extra}: {ln.alternatives[0][:60]}"
    if ln:
        return f"{label} ({ln!r})"
    return label


def main():
    args = [a for a in sys.argv[1:] if not a.startswith("-")]
    verbose = "-v" in sys.argv[1:]
    base = args[0] if args else DEFAULT_BASE

    expected = ["Words.Dat"] + LIST_FILES + ["Log.Mardun"]
    present = set(os.listdir(base))
    for name in expected:
        if name not in present:
            error(f"missing file {name} (names are case-sensitive here)")
    if errors:
        return report()
    if os.path.getsize(os.path.join(base, "Log.Mardun")) != 0:
        error("Log.Mardun must be empty")

    lines = check_words(os.path.join(base, "Words.Dat"))
    mains = [ln for ln in lines[1:] if ln.depth == 0]
    branch_lines = [ln for ln in lines[1:] if ln.depth > 0]
    branches = branch_stats(lines)
    deep = [(k, d) for k, d in branches if d >= 2]
    farewells = [ln.key for ln in mains if ln.farewell]
    print(f"Words.Dat: {len(mains)} main lines, {len(branch_lines)} branch lines, "
          f"{sum(len(ln.alternatives) for ln in lines[1:])} alternatives, "
          f"{len(farewells)} farewell lines")
    print(f"  branches: {len(branches)}, of depth 2 or more: {len(deep)}")
    for k, d in deep:
        print(f"    {k} (depth {d})")
    print(f"  farewell keys: {', '.join(farewells)}")
    if len(mains) < MIN_MAIN_LINES:
        error(f"Words.Dat: {len(mains)} main lines, at least {MIN_MAIN_LINES} wanted")
    if len(deep) < MIN_BRANCHES:
        error(f"Words.Dat: {len(deep)} branches of depth >= 2, at least {MIN_BRANCHES} wanted")
    seen = {}
    for ln in mains:
        if ln.key in seen:
            error(f"Words.Dat line {ln.index}: key {ln.key!r} repeats line {seen[ln.key]}")
        seen[ln.key] = ln.index

    for name in LIST_FILES:
        entries = read_lines(os.path.join(base, name))
        sayable = entries[1:] if name == "AI.dat" else entries
        print(f"{name}: {len(entries)} entries" +
              (" (index 0 is never said)" if name == "AI.dat" else ""))
        if len(sayable) < MIN_LIST_ENTRIES:
            error(f"{name}: {len(sayable)} entries, at least {MIN_LIST_ENTRIES} wanted")
        for i, e in enumerate(entries):
            if not e.strip():
                error(f"{name}: entry {i} is empty")
            elif e != e.strip():
                error(f"{name}: entry {i} has blanks at its ends")
            elif name != "AI.dat" or i > 0:
                if e[-1] not in ".!?…»)":
                    error(f"{name}: entry {i} lacks end punctuation: {e!r}")
        if len(set(entries)) != len(entries):
            error(f"{name}: duplicate entries")

    engine = Engine(lines)
    print("\nTypical phrases:")
    bad = 0
    for phrase, want in PHRASES:
        got = engine.lookup(phrase)
        ok = got[0] == want
        if not ok:
            bad += 1
            error(f"phrase {phrase!r}: answered by {got[0]!r}, expected {want!r}")
        if verbose or not ok:
            print(f"  {'ok ' if ok else 'BAD'} {phrase!r:40} -> {show(got)}")
    print(f"  {len(PHRASES) - bad} of {len(PHRASES)} answered as expected")

    print("\nDialogues:")
    bad = 0
    for dialogue in DIALOGUES:
        engine = Engine(lines)
        trace = []
        ok = True
        for phrase, want in dialogue:
            got = engine.turn(phrase)
            trace.append((phrase, want, got))
            if got[0] != want:
                ok = False
                error(f"dialogue step {phrase!r}: answered by {got[0]!r}, expected {want!r}")
        if not ok:
            bad += 1
        if verbose or not ok:
            for phrase, want, got in trace:
                mark = "ok " if got[0] == want else "BAD"
                print(f"  {mark} {phrase!r:32} -> {show(got)}")
            print()
    print(f"  {len(DIALOGUES) - bad} of {len(DIALOGUES)} dialogues as expected")

    print("\nKeys inside unrelated words:")
    engine = Engine(lines)
    flagged = 0
    for word, allowed in UNRELATED:
        got = engine.lookup(word)
        winner = None if got[0] in ("FALLBACK", "TOPIC") else got[0]
        hits = [ln.key for ln in mains if phrase_contains(word, ln.key)]
        ok = winner in allowed
        if not ok:
            flagged += 1
            error(f"word {word!r}: answered by {winner!r}, allowed {sorted(map(str, allowed))}")
        if verbose or not ok:
            print(f"  {'ok ' if ok else 'BAD'} {word!r:22} -> {winner!r:16} keys inside: {hits}")
    print(f"  {len(UNRELATED) - flagged} of {len(UNRELATED)} words answered as allowed")
    print("\nRestart-rule blind spots (a key missed after a common lead-in):")
    spots = blind_spots(lines)
    for ln, leads in spots:
        print(f"  line {ln.index} [{ln.label()}] after {', '.join(repr(p) for p in leads)}")
    if not spots:
        print("  none")
    caught_by_yes = [w for w, a in UNRELATED if a == {"ДА"}]
    if caught_by_yes:
        notes.append("the catch-all line 'ДА' (last line) answers unmatched phrases "
                     "holding ДА inside a word, e.g. " + ", ".join(caught_by_yes))
    return report()


def report():
    for n in notes:
        print(f"note: {n}")
    if errors:
        print(f"\n{len(errors)} problem(s):")
        for e in errors:
            print(f"  - {e}")
        return 1
    print("\nAll checks passed.")
    return 0


if __name__ == "__main__":
    sys.exit(main())
