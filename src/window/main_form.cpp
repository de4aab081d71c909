#include "window/main_form.h"

#include <exception>
#include <string_view>

#include "engine/base_files.h"
#include "platform/cp1251_literal.h"
#include "window/word_lists.h"

namespace sob {

namespace {

std::string text(std::string_view s) {
    return std::string(s);
}

}  // namespace

TForm1::TForm1(Platform& platform_)
    : Form("Form1", platform_.screen),
      platform(platform_),
      // The sound cues, each with its file (names relative to the working folder).
      MediaPlayer1("MediaPlayer1", "Sound\\KeyBoard.wav"),
      MediaPlayer2("MediaPlayer2", "Sound\\Button3.wav"),
      MediaPlayer3("MediaPlayer3", "Sound\\Button2.wav"),
      MediaPlayer4("MediaPlayer4", "Sound\\Button1.wav"),
      MediaPlayer5("MediaPlayer5", "Sound\\CpuSound.wav"),
      MediaPlayer6("MediaPlayer6", "Sound\\Close.wav"),
      // "&Система"
      N1("N1", text("&Система"_cp)),
      N2("N2", text("&Новый диалог"_cp)),
      N23("N23", "-"),
      N22("N22", text("&Вызвать виртуальную клавиатуру"_cp)),
      N17("N17", text("&Подробнее о базе:"_cp)),
      N18("N18", text("&Входящие выражения:"_cp)),
      N19("N19", text("&Исходящие выражения:"_cp)),
      N20("N20", text("&Итого:"_cp)),
      N3("N3", "-"),
      N4("N4", text("В&ыход"_cp)),
      // "&Настройки"
      N5("N5", text("&Настройки"_cp)),
      N6("N6", text("&Цвет основного фона "_cp)),
      N21("N21", text("Ц&вет фона поля вывода реплик"_cp)),
      N16("N16", text("Цв&ет фона поля ввода реплик"_cp)),
      N9("N9", text("Цве&т шрифтов кнопок на панели"_cp)),
      N15("N15", "-"),
      N7("N7", text("Цвет &реплик"_cp)),
      User1("User1", "&User"),
      Cpu1("Cpu1", "&Cpu"),
      Mystring2("Mystring2", "&My string"),
      N36("N36", "-"),
      N10("N10", text("&Параметры шрифта"_cp)),
      User2("User2", "&User"),
      Cpu2("Cpu2", "&Cpu"),
      Mystring1("Mystring1", "&My string"),
      N8("N8", "-"),
      N13("N13", text("Вернуть первоначальные настройки"_cp)),
      N14("N14", "-"),
      N37("N37", text("&Режим"_cp)),
      CpuUser1("CpuUser1", "&Cpu\\User"),
      Cpu31("Cpu31", "C&pu\\Cpu"),
      N38("N38", text("Ре&дактор"_cp)),
      N39("N39", "-"),
      N40("N40", "&Full Screen"),
      // "С&правка"
      N11("N11", text("С&правка"_cp)),
      N12("N12", text("&О программе..."_cp)),
      // The timers are armed here; they tick once the event loop runs.
      Timer1(platform_.scheduler, "Timer1", 1, true),
      Timer2(platform_.scheduler, "Timer2", 1000, true),
      Timer3(platform_.scheduler, "Timer3", 1, true),
      Timer4(platform_.scheduler, "Timer4", 1, false),
      Timer5(platform_.scheduler, "Timer5", 1, true),
      Timer6(platform_.scheduler, "Timer6", 3000, false),
      Timer7(platform_.scheduler, "Timer7", 1, true),
      Timer8(platform_.scheduler, "Timer8", 1000, true),
      Timer9(platform_.scheduler, "Timer9", 1000, false),
      players{&MediaPlayer1, &MediaPlayer2, &MediaPlayer3,
              &MediaPlayer4, &MediaPlayer5, &MediaPlayer6} {
    // The window itself: shown (centred) by the start-up once it is built.
    caption = text("Разработчик: Тельдор Мардун. v2.105"_cp);
    setClientSize(587, 361);
    color = colors::silver;
    font = Font{};  // "MS Sans Serif", 8 points, window-text colour
    cursor = CursorShape::NoDrop;
    visible = false;

    TabControl1.bounds = {0, 0, 588, 313};

    RichEdit1.bounds = {3, 6, 581, 303};
    RichEdit1.readOnly = true;
    RichEdit1.centred = true;
    RichEdit1.color = colors::silver;
    RichEdit1.cursor = CursorShape::No;
    RichEdit1.hint = text("Поле для отображения диалога"_cp);

    TabControl2.bounds = {0, 312, 585, 30};
    TabControl2.cursor = CursorShape::No;

    Edit1.bounds = {3, 5, 422, 21};
    Edit1.maxLength = 255;
    Edit1.color = colors::silver;
    Edit1.font = Font{"MS Sans Serif", 8, FontStyle::Regular, colors::black};
    Edit1.hint = text("Поле для ввода фразы пользователя"_cp);
    Edit1.onChange = [this] { Edit1Change(); };

    SpeedButton2.caption = "<";
    SpeedButton2.bounds = {426, 5, 27, 22};
    SpeedButton2.flat = true;
    SpeedButton2.enabled = false;
    SpeedButton2.font.color = colors::black;
    SpeedButton2.cursor = CursorShape::Hand;
    SpeedButton2.hint = text("Отмена (Альтернатива клавиша: <Ctrl + Z>)"_cp);
    SpeedButton2.onClick = [this] { SpeedButton2Click(); };

    SpeedButton3.caption = "E/R";
    SpeedButton3.bounds = {453, 5, 43, 22};
    SpeedButton3.flat = true;
    SpeedButton3.enabled = false;
    SpeedButton3.font.color = colors::windowText;
    SpeedButton3.cursor = CursorShape::Hand;
    SpeedButton3.hint = text("Раскладка (Альтернатива клавиша: <Ctrl + S>)"_cp);
    SpeedButton3.onClick = [this] { SpeedButton3Click(); };

    SpeedButton1.caption = text("Сказать"_cp);
    SpeedButton1.bounds = {496, 5, 86, 22};
    SpeedButton1.flat = true;
    SpeedButton1.enabled = false;
    SpeedButton1.font.color = colors::windowText;
    SpeedButton1.cursor = CursorShape::Hand;
    SpeedButton1.hint = text("Кнопка отправки текста (Альтернативная клавиша: <ENTER>)"_cp);
    SpeedButton1.onClick = [this] { SpeedButton1Click(); };

    StatusBar1.bounds = {0, 342, 587, 19};
    StatusBar1.panels = {{130, ""}, {322, ""}, {50, text("Режим Cpu\\User"_cp)}};
    StatusBar1.cursor = CursorShape::Help;
    StatusBar1.hint = text("Индикатор"_cp);

    // The hidden default button, outside the visible area: Enter clicks it.
    Talk.caption = text("<ENTER> (Для кнопки сказать)"_cp);
    Talk.bounds = {-200, 107, 186, 17};
    Talk.isDefault = true;
    Talk.onClick = [this] { TalkClick(); };

    FontDialog3.onlySize8 = true;

    Memo1.assign(abusiveWordList());
    Memo4.assign(topicWordList());

    // The main menu.
    menuBar = {&N1, &N5, &N11};
    N1.items = {&N2, &N23, &N22, &N17, &N3, &N4};
    N17.items = {&N18, &N19, &N20};
    N5.items = {&N6, &N21, &N16, &N9,  &N15, &N7,  &N36, &N10,
                &N8, &N13, &N14, &N37, &N38, &N39, &N40};
    N7.items = {&User1, &Cpu1, &Mystring2};
    N10.items = {&User2, &Cpu2, &Mystring1};
    N37.items = {&CpuUser1, &Cpu31};
    N11.items = {&N12};

    N15.shortcut = "Ctrl+Z";
    N36.shortcut = "Ctrl+S";
    N13.checked = true;
    CpuUser1.checked = true;

    N2.onClick = [this] { N2Click(); };
    N22.onClick = [this] { N22Click(); };
    N4.onClick = [this] { N4Click(); };
    N6.onClick = [this] { N6Click(); };
    N21.onClick = [this] { N21Click(); };
    N16.onClick = [this] { N16Click(); };
    N9.onClick = [this] { N9Click(); };
    N15.onClick = [this] { N15Click(); };
    User1.onClick = [this] { User1Click(); };
    Cpu1.onClick = [this] { Cpu1Click(); };
    Mystring2.onClick = [this] { Mystring2Click(); };
    N36.onClick = [this] { N36Click(); };
    User2.onClick = [this] { User2Click(); };
    Cpu2.onClick = [this] { Cpu2Click(); };
    Mystring1.onClick = [this] { Mystring1Click(); };
    N13.onClick = [this] { N13Click(); };
    CpuUser1.onClick = [this] { CpuUser1Click(); };
    Cpu31.onClick = [this] { Cpu31Click(); };
    N38.onClick = [this] { N38Click(); };
    N40.onClick = [this] { N40Click(); };
    N12.onClick = [this] { N12Click(); };

    Timer1.setOnTimer([this] { Timer1Timer(); });
    Timer2.setOnTimer([this] { Timer2Timer(); });
    Timer3.setOnTimer([this] { Timer3Timer(); });
    Timer4.setOnTimer([this] { Timer4Timer(); });
    Timer5.setOnTimer([this] { Timer5Timer(); });
    Timer6.setOnTimer([this] { Timer6Timer(); });
    Timer7.setOnTimer([this] { Timer7Timer(); });
    Timer8.setOnTimer([this] { Timer8Timer(); });
    Timer9.setOnTimer([this] { Timer9Timer(); });
    // The two 1-millisecond watchers mostly find nothing to do; such ticks
    // are skipped so that the idle program does not wake a thousand times a
    // second.
    Timer1.setIdleCheck([this] { return pollingWouldChangeNothing(); });
    Timer5.setIdleCheck([this] { return guardWouldChangeNothing(); });

    // A window manager's close (there is no close box of our own to choose
    // Exit from) ends the program without writing the dialogue log.
    onCloseRequest = [this] { Close(); };

    // The sound cues open their files last, in order; one that cannot be
    // opened ends the start-up.
    for (MediaPlayer* player : players) {
        try {
            player->Open(platform.audio, platform.clock);
        } catch (const std::exception& error) {
            throw StartupError("Cannot open sound file " + player->fileName() + ": " +
                               error.what());
        }
    }
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    RichEdit2.LoadFromFile(baseFiles::keywordsLowerDat);
}

void TForm1::Close() {
    if (closed) return;
    closed = true;
    visible = false;
    // The program ends with this handler: no tick may run after it.
    for (Timer* timer : timers()) timer->setEnabled(false);
    for (MediaPlayer* player : players) player->Close();
    if (onClosed) onClosed();
}

void TForm1::suspendForSecondaryWindow() {
    Timer1.setEnabled(false);
    enabled = false;
}

void TForm1::resumeFromSecondaryWindow() {
    Timer1.setEnabled(true);
    enabled = true;
}

std::vector<MenuItem*> TForm1::allMenuItems() {
    std::vector<MenuItem*> all;
    auto walk = [&all](auto& self, const std::vector<MenuItem*>& items) -> void {
        for (MenuItem* item : items) {
            all.push_back(item);
            self(self, item->items);
        }
    };
    walk(walk, menuBar);
    return all;
}

std::array<Timer*, 9> TForm1::timers() {
    return {&Timer1, &Timer2, &Timer3, &Timer4, &Timer5, &Timer6, &Timer7, &Timer8, &Timer9};
}

}  // namespace sob
