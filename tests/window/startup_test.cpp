#include <filesystem>
#include <string>
#include <vector>

#include "window/window_fixture.h"

namespace sob::window_test {
namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, WindowIsBuiltFromItsDefinitionAndShownCentred) {
    program = std::make_unique<Program>(t.platform);
    TForm1& f = form();
    EXPECT_EQ(u(f.caption), "Разработчик: Тельдор Мардун. v2.105");
    EXPECT_EQ(f.clientWidth(), 587);
    EXPECT_EQ(f.clientHeight(), 361);
    EXPECT_EQ(f.color, colors::silver);
    EXPECT_EQ(f.font, Font{});
    EXPECT_FALSE(f.visible);
    // No tick is handled before the window is shown.
    EXPECT_EQ(t.scheduler.ticksRun(), 0u);

    program->show();
    EXPECT_TRUE(f.visible);
    EXPECT_EQ(f.bounds.left, (1024 - f.bounds.width) / 2);
    EXPECT_EQ(f.bounds.top, (768 - f.bounds.height) / 2);

    // The secondary windows exist, hidden, and know the main window.
    ASSERT_NE(f.Form2, nullptr);
    ASSERT_NE(f.Form3, nullptr);
    ASSERT_NE(f.Form4, nullptr);
    EXPECT_FALSE(f.Form2->visible);
    EXPECT_FALSE(f.Form3->visible);
    EXPECT_FALSE(f.Form4->visible);
    EXPECT_EQ(&f.Form2->Form1, &f);
}

TEST_F(StartupTest, VisibleElementsHaveTheirPlacesAndStartStates) {
    start();
    TForm1& f = form();
    struct Case {
        const Control* element;
        Bounds bounds;
        bool enabled;
        CursorShape cursor;
        const char* hint;
    };
    const std::vector<Case> cases = {
        {&f.TabControl1, {0, 0, 588, 313}, true, CursorShape::Default, ""},
        {&f.RichEdit1, {3, 6, 581, 303}, true, CursorShape::No, "Поле для отображения диалога"},
        {&f.TabControl2, {0, 312, 585, 30}, true, CursorShape::No, ""},
        {&f.Edit1,
         {3, 5, 422, 21},
         true,
         CursorShape::Default,
         "Поле для ввода фразы пользователя"},
        {&f.SpeedButton2,
         {426, 5, 27, 22},
         false,
         CursorShape::Hand,
         "Отмена (Альтернатива клавиша: <Ctrl + Z>)"},
        {&f.SpeedButton3,
         {453, 5, 43, 22},
         false,
         CursorShape::Hand,
         "Раскладка (Альтернатива клавиша: <Ctrl + S>)"},
        {&f.SpeedButton1,
         {496, 5, 86, 22},
         false,
         CursorShape::Hand,
         "Кнопка отправки текста (Альтернативная клавиша: <ENTER>)"},
        {&f.StatusBar1, {0, 342, 587, 19}, true, CursorShape::Help, "Индикатор"},
        {&f.Talk, {-200, 107, 186, 17}, true, CursorShape::Default, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.element->name());
        EXPECT_EQ(c.element->bounds, c.bounds);
        EXPECT_EQ(c.element->enabled, c.enabled);
        EXPECT_EQ(c.element->cursor, c.cursor);
        EXPECT_EQ(u(c.element->hint), c.hint);
    }

    EXPECT_TRUE(f.RichEdit1.readOnly);
    EXPECT_TRUE(f.RichEdit1.centred);
    EXPECT_EQ(f.RichEdit1.color, colors::silver);
    EXPECT_EQ(f.RichEdit1.lineCount(), 0);

    EXPECT_EQ(f.Edit1.text(), "");
    EXPECT_EQ(f.Edit1.maxLength, 255);
    EXPECT_FALSE(f.Edit1.readOnly);
    EXPECT_EQ(f.Edit1.color, colors::silver);
    EXPECT_EQ(f.Edit1.font, (Font{"MS Sans Serif", 8, FontStyle::Regular, colors::black}));

    EXPECT_EQ(f.SpeedButton2.caption, "<");
    EXPECT_EQ(f.SpeedButton3.caption, "E/R");
    EXPECT_EQ(u(f.SpeedButton1.caption), "Сказать");
    EXPECT_EQ(f.SpeedButton2.font.color, colors::black);
    EXPECT_EQ(f.SpeedButton3.font.color, colors::windowText);
    EXPECT_EQ(f.SpeedButton1.font.color, colors::windowText);
    for (const Button* button : {&f.SpeedButton1, &f.SpeedButton2, &f.SpeedButton3})
        EXPECT_TRUE(button->flat);

    EXPECT_EQ(u(f.Talk.caption), "<ENTER> (Для кнопки сказать)");
    EXPECT_TRUE(f.Talk.isDefault);

    ASSERT_EQ(f.StatusBar1.panels.size(), 3u);
    EXPECT_EQ(f.StatusBar1.panels[0].width, 130);
    EXPECT_EQ(f.StatusBar1.panels[1].width, 322);
    EXPECT_EQ(f.StatusBar1.panels[2].width, 50);
    EXPECT_EQ(f.StatusBar1.panels[0].text, "");
    EXPECT_EQ(f.StatusBar1.panels[1].text, "");
    EXPECT_EQ(u(f.StatusBar1.panels[2].text), "Режим Cpu\\User");

    EXPECT_TRUE(f.FontDialog3.onlySize8);
    EXPECT_FALSE(f.FontDialog1.onlySize8);
    EXPECT_EQ(f.ColorDialog2.Color, colors::black);
}

TEST_F(StartupTest, MenuHasItsCaptionsStatesShortcutsAndHandlers) {
    start();
    TForm1& f = form();
    struct Item {
        const char* name;
        const char* caption;
        bool checked;
        const char* shortcut;
        bool hasHandler;
    };
    // Depth first, in menu order.
    const std::vector<Item> expected = {
        {"N1", "&Система", false, "", false},
        {"N2", "&Новый диалог", false, "", true},
        {"N23", "-", false, "", false},
        {"N22", "&Вызвать виртуальную клавиатуру", false, "", true},
        {"N17", "&Подробнее о базе:", false, "", false},
        {"N18", "&Входящие выражения:", false, "", false},
        {"N19", "&Исходящие выражения:", false, "", false},
        {"N20", "&Итого:", false, "", false},
        {"N3", "-", false, "", false},
        {"N4", "В&ыход", false, "", true},
        {"N5", "&Настройки", false, "", false},
        {"N6", "&Цвет основного фона ", false, "", true},
        {"N21", "Ц&вет фона поля вывода реплик", false, "", true},
        {"N16", "Цв&ет фона поля ввода реплик", false, "", true},
        {"N9", "Цве&т шрифтов кнопок на панели", false, "", true},
        {"N15", "-", false, "Ctrl+Z", true},
        {"N7", "Цвет &реплик", false, "", false},
        {"User1", "&User", false, "", true},
        {"Cpu1", "&Cpu", false, "", true},
        {"Mystring2", "&My string", false, "", true},
        {"N36", "-", false, "Ctrl+S", true},
        {"N10", "&Параметры шрифта", false, "", false},
        {"User2", "&User", false, "", true},
        {"Cpu2", "&Cpu", false, "", true},
        {"Mystring1", "&My string", false, "", true},
        {"N8", "-", false, "", false},
        {"N13", "Вернуть первоначальные настройки", true, "", true},
        {"N14", "-", false, "", false},
        {"N37", "&Режим", false, "", false},
        {"CpuUser1", "&Cpu\\User", true, "", true},
        {"Cpu31", "C&pu\\Cpu", false, "", true},
        {"N38", "Ре&дактор", false, "", true},
        {"N39", "-", false, "", false},
        {"N40", "&Full Screen", false, "", true},
        {"N11", "С&правка", false, "", false},
        {"N12", "&О программе...", false, "", true},
    };
    const std::vector<MenuItem*> items = f.allMenuItems();
    ASSERT_EQ(items.size(), expected.size());
    for (std::size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(expected[i].name);
        EXPECT_EQ(items[i]->name(), expected[i].name);
        EXPECT_EQ(u(items[i]->caption), expected[i].caption);
        EXPECT_EQ(items[i]->checked, expected[i].checked);
        EXPECT_EQ(items[i]->shortcut, expected[i].shortcut);
        EXPECT_EQ(static_cast<bool>(items[i]->onClick), expected[i].hasHandler);
        EXPECT_TRUE(items[i]->enabled);
    }

    // The submenus.
    auto names = [](const MenuItem& parent) {
        std::vector<std::string> out;
        for (const MenuItem* item : parent.items) out.push_back(item->name());
        return out;
    };
    ASSERT_EQ(f.menuBar.size(), 3u);
    EXPECT_EQ(f.menuBar[0], &f.N1);
    EXPECT_EQ(f.menuBar[1], &f.N5);
    EXPECT_EQ(f.menuBar[2], &f.N11);
    EXPECT_EQ(names(f.N1), (std::vector<std::string>{"N2", "N23", "N22", "N17", "N3", "N4"}));
    EXPECT_EQ(names(f.N17), (std::vector<std::string>{"N18", "N19", "N20"}));
    EXPECT_EQ(names(f.N5),
              (std::vector<std::string>{"N6", "N21", "N16", "N9", "N15", "N7", "N36", "N10", "N8",
                                        "N13", "N14", "N37", "N38", "N39", "N40"}));
    EXPECT_EQ(names(f.N7), (std::vector<std::string>{"User1", "Cpu1", "Mystring2"}));
    EXPECT_EQ(names(f.N10), (std::vector<std::string>{"User2", "Cpu2", "Mystring1"}));
    EXPECT_EQ(names(f.N37), (std::vector<std::string>{"CpuUser1", "Cpu31"}));
    EXPECT_EQ(names(f.N11), (std::vector<std::string>{"N12"}));
}

TEST_F(StartupTest, TimersHaveTheirIntervalsAndStartStates) {
    start();
    struct Case {
        int interval;
        bool enabled;
    };
    const Case expected[9] = {{1, true},     {1000, true}, {1, true},    {1, false},   {1, true},
                              {3000, false}, {1, true},    {1000, true}, {1000, false}};
    const auto timers = form().timers();
    for (int i = 0; i < 9; ++i) {
        SCOPED_TRACE(timers[i]->name());
        EXPECT_EQ(timers[i]->name(), "Timer" + std::to_string(i + 1));
        EXPECT_EQ(timers[i]->interval(), expected[i].interval);
        EXPECT_EQ(timers[i]->enabled(), expected[i].enabled);
    }
}

TEST_F(StartupTest, WordListsHaveAnEmptyFirstEntryAndTheirWords) {
    start();
    const PhraseList& abusive = form().Memo1;
    const PhraseList& topics = form().Memo4;
    ASSERT_EQ(abusive.Count(), 83);
    ASSERT_EQ(topics.Count(), 83 - 3);  // 79 words
    EXPECT_EQ(abusive.Strings(0), "");
    EXPECT_EQ(topics.Strings(0), "");
    EXPECT_EQ(u(abusive.Strings(1)), " ЛОХ");
    EXPECT_EQ(u(abusive.Strings(7)), "БЛЯ ");
    EXPECT_EQ(u(abusive.Strings(66)), "УЁБИЩ");
    EXPECT_EQ(u(abusive.Strings(82)), "Я СОТРУ");
    EXPECT_EQ(u(topics.Strings(1)), " ИМЯ");
    EXPECT_EQ(u(topics.Strings(51)), "ПОЙДЁМ");
    EXPECT_EQ(u(topics.Strings(79)), "ШЕРСТ");
    // No other entry is empty: an empty word would match every phrase.
    for (int i = 1; i < abusive.Count(); ++i) EXPECT_NE(abusive.Strings(i), "") << i;
    for (int i = 1; i < topics.Count(); ++i) EXPECT_NE(topics.Strings(i), "") << i;
}

TEST_F(StartupTest, SoundPlayersOpenTheirFilesInOrder) {
    start();
    EXPECT_EQ(t.audio.opened,
              (std::vector<std::string>{"Sound\\KeyBoard.wav", "Sound\\Button3.wav",
                                        "Sound\\Button2.wav", "Sound\\Button1.wav",
                                        "Sound\\CpuSound.wav", "Sound\\Close.wav"}));
    for (const MediaPlayer* player : form().players) EXPECT_TRUE(player->isOpen());
    EXPECT_EQ(form().players[0], &form().MediaPlayer1);
    EXPECT_EQ(form().players[5], &form().MediaPlayer6);
}

TEST_F(StartupTest, SoundFileThatCannotBeOpenedEndsTheStartUp) {
    t.audio.failures["Sound\\CpuSound.wav"] = "The file does not exist";
    try {
        Program failed(t.platform);
        FAIL() << "the start-up went on";
    } catch (const StartupError& error) {
        const std::string message = error.what();
        EXPECT_NE(message.find("Sound\\CpuSound.wav"), std::string::npos) << message;
        EXPECT_NE(message.find("The file does not exist"), std::string::npos) << message;
    }
    // Opened in order up to the failing one; nothing after it.
    EXPECT_EQ(t.audio.opened.size(), 5u);
    EXPECT_EQ(t.audio.opened.back(), "Sound\\CpuSound.wav");
    // The half-built window leaves no timer behind in the scheduler.
    EXPECT_FALSE(t.scheduler.nextDue().has_value());
    // Not an error of a handler: no error box.
    EXPECT_TRUE(t.errorBox.texts.empty());
}

TEST_F(StartupTest, CreationLoadsTheKeywordFileIntoTheScratchList) {
    start();
    ASSERT_EQ(form().RichEdit2.Count(), 4);
    EXPECT_EQ(u(form().RichEdit2.Strings(1)), "ПРИВЕТ^Здравствуй!;Привет.;");
    EXPECT_TRUE(t.errorBox.texts.empty());
}

TEST_F(StartupTest, MissingKeywordFileAtCreationIsReportedAndStartUpGoesOn) {
    std::filesystem::remove(dir.path() + "/Base/Words.Dat");
    start();
    ASSERT_EQ(t.errorBox.texts.size(), 1u);
    EXPECT_EQ(t.errorBox.texts[0], "Cannot open file Base\\Words.dat.");
    EXPECT_TRUE(form().visible);
    EXPECT_NE(form().Form4, nullptr);
    EXPECT_EQ(t.audio.opened.size(), 6u);
}

TEST_F(StartupTest, FirstTicksLeaveTheInputEmptyAndTheButtonsOff) {
    start();
    // The load enables Say; the polling's next tick sets it by the input.
    tick(2);
    TForm1& f = form();
    EXPECT_FALSE(f.SpeedButton1.enabled);
    EXPECT_FALSE(f.SpeedButton2.enabled);
    EXPECT_FALSE(f.SpeedButton3.enabled);
    EXPECT_FALSE(f.Talk.enabled);
    EXPECT_FALSE(f.Edit1.readOnly);
    EXPECT_EQ(u(f.StatusBar1.panels[0].text), "Загрузка окончена");
    EXPECT_EQ(u(f.StatusBar1.panels[1].text),
              "Программе известно:   [главные фразы - 2   ветки - 1]");
    EXPECT_TRUE(f.CpuUser1.checked);
    EXPECT_FALSE(f.Cpu31.checked);
    EXPECT_FALSE(f.Timer3.enabled());
    EXPECT_EQ(f.RichEdit4.Count(), 0);
    t.advance(1000);
    EXPECT_EQ(u(f.N18.caption), "&Входящие выражения: [3]");
    EXPECT_TRUE(t.errorBox.texts.empty());
}

TEST_F(StartupTest, CloseEndsTheRunOnce) {
    start();
    int closedCalls = 0;
    form().onClosed = [&] { ++closedCalls; };
    form().Close();
    form().Close();
    EXPECT_EQ(closedCalls, 1);
    EXPECT_TRUE(form().closed);
    EXPECT_FALSE(form().visible);
    for (const MediaPlayer* player : form().players) EXPECT_FALSE(player->isOpen());
    // No tick runs after the close.
    const auto ticks = t.scheduler.ticksRun();
    t.advance(5000);
    EXPECT_EQ(t.scheduler.ticksRun(), ticks);
}

TEST_F(StartupTest, WindowManagerCloseWritesNoLog) {
    start();
    form().RichEdit4.Add("USER:     x.");
    form().onCloseRequest();
    EXPECT_TRUE(form().closed);
    EXPECT_EQ(dir.read("Base/Log.Mardun"), "");
}

TEST_F(StartupTest, SecondaryWindowSuspendsThePollingUntilItCloses) {
    start();
    tick(2);
    TForm1& f = form();
    f.suspendForSecondaryWindow();
    EXPECT_FALSE(f.enabled);
    EXPECT_FALSE(f.Timer1.enabled());
    f.Edit1.setText("a");
    tick(5);
    EXPECT_FALSE(f.SpeedButton1.enabled);  // the buttons keep their states
    f.resumeFromSecondaryWindow();
    EXPECT_TRUE(f.enabled);
    EXPECT_TRUE(f.Timer1.enabled());
    tick(1);
    EXPECT_TRUE(f.SpeedButton1.enabled);
}

}  // namespace
}  // namespace sob::window_test
