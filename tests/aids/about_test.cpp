#include <filesystem>
#include <string>
#include <vector>

#include "aids_fixture.h"

namespace sob::aids_test {
namespace {

class AboutWindow : public AidsTest {
protected:
    void open() {
        user([&] { form().N12.choose(); });
    }
    void history() {
        user([&] { about().Button1.click(); });
    }
    void close() {
        user([&] { about().Button2.click(); });
    }
    std::vector<std::string> shownLines() { return about().Memo1.Lines.entries(); }
};

TEST_F(AboutWindow, OpeningStopsThePollingAndShowsTheWindowCollapsed) {
    form().Timer1.setEnabled(true);
    open();
    EXPECT_FALSE(form().Timer1.enabled());
    EXPECT_FALSE(form().enabled);
    EXPECT_TRUE(about().visible);
    EXPECT_TRUE(about().enabled);
    EXPECT_EQ(about().bounds.height, 179);

    close();
    EXPECT_TRUE(form().Timer1.enabled());
    EXPECT_TRUE(form().enabled);
    EXPECT_FALSE(about().visible);
}

// The history is read afresh on every click, collapsing included, so an
// edit of the file between clicks shows at once.
TEST_F(AboutWindow, HistoryTogglesTheHeightAndReadsTheFileEveryTime) {
    dir.write("ReadMe.Txt", w("Версия 1\r\nПервая строка\r\n"));
    open();
    history();
    EXPECT_EQ(about().bounds.height, 327);
    EXPECT_EQ(shownLines(), (std::vector<std::string>{w("Версия 1"), w("Первая строка")}));

    dir.write("ReadMe.Txt", w("Версия 2\r\n"));
    history();
    EXPECT_EQ(about().bounds.height, 179);
    EXPECT_EQ(shownLines(), std::vector<std::string>{w("Версия 2")});

    dir.write("ReadMe.Txt", w("Версия 3\r\n"));
    history();
    EXPECT_EQ(about().bounds.height, 327);
    EXPECT_EQ(shownLines(), std::vector<std::string>{w("Версия 3")});
    EXPECT_TRUE(t.errorBox.texts.empty());
}

TEST_F(AboutWindow, ReopeningStartsCollapsedAndKeepsTheLastText) {
    dir.write("ReadMe.Txt", w("История\r\n"));
    open();
    history();
    close();
    open();
    EXPECT_EQ(about().bounds.height, 179);
    EXPECT_EQ(shownLines(), std::vector<std::string>{w("История")});
    history();
    EXPECT_EQ(about().bounds.height, 327);
}

// A missing file: the error box, nothing else changes, and "Закрыть" still
// gives the main window back.
TEST_F(AboutWindow, AMissingHistoryFileIsReportedAndChangesNothing) {
    dir.write("ReadMe.Txt", "old\r\n");
    open();
    history();
    ASSERT_EQ(about().bounds.height, 327);
    std::filesystem::remove(dir.path() + "/ReadMe.Txt");

    history();
    EXPECT_EQ(t.errorBox.texts, std::vector<std::string>{"Cannot open file ReadMe.Txt."});
    EXPECT_EQ(about().bounds.height, 327);
    EXPECT_EQ(shownLines(), std::vector<std::string>{"old"});
    EXPECT_TRUE(about().visible);

    close();
    EXPECT_TRUE(form().enabled);
    EXPECT_TRUE(form().Timer1.enabled());
    EXPECT_FALSE(about().visible);
}

TEST_F(AboutWindow, FileNameIsMatchedWithoutRegardToCase) {
    dir.write("README.TXT", "text\r\n");
    open();
    history();
    EXPECT_EQ(shownLines(), std::vector<std::string>{"text"});
    EXPECT_TRUE(t.errorBox.texts.empty());
}

TEST_F(AboutWindow, AClosingByTheWindowManagerRestoresTheMainWindow) {
    open();
    about().onCloseRequest();
    EXPECT_FALSE(about().visible);
    EXPECT_TRUE(form().enabled);
    EXPECT_TRUE(form().Timer1.enabled());
}

TEST_F(AboutWindow, Elements) {
    TForm3& a = about();
    EXPECT_EQ(u(a.caption), "О программе");
    EXPECT_EQ(a.clientWidth(), 377);
    EXPECT_EQ(a.clientHeight(), 152);
    EXPECT_FALSE(a.visible);
    EXPECT_EQ(u(a.Label1.caption), "ВЕРСИЯ: 2.1.0.5");
    EXPECT_EQ(a.Label1.font.name, "Arial Black");
    EXPECT_EQ(a.Label1.font.style, FontStyle::Bold | FontStyle::Underline);
    EXPECT_EQ(a.Label1.font.color, colors::white);
    EXPECT_EQ(u(a.Button1.caption), "История");
    EXPECT_EQ(u(a.Button2.caption), "Закрыть");
    EXPECT_EQ(a.Image1.bounds, (Bounds{7, 8, 178, 137}));
    EXPECT_EQ(a.Button1.bounds, (Bounds{187, 96, 185, 25}));
    EXPECT_EQ(a.Button2.bounds, (Bounds{187, 120, 185, 25}));
    EXPECT_EQ(a.Panel2.bounds, (Bounds{1, 151, 376, 148}));
    EXPECT_EQ(a.Memo1.bounds, (Bounds{3, 4, 370, 140}));
    EXPECT_EQ(a.Memo1.Lines.Count(), 0);
}

}  // namespace
}  // namespace sob::aids_test
