#include <functional>
#include <string>
#include <vector>

#include "control/control_fixture.h"

namespace sob::control_test {
namespace {

class EditorTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        startAndSettle();
        onlyTimers({&form().Timer1});
    }
};

TEST_F(EditorTest, OpeningSuspendsTheMainWindowAndEveryWayOfClosingRestoresIt) {
    struct Case {
        const char* name;
        std::function<void(TForm2&)> close;
    };
    const std::vector<Case> cases = {
        {"Хорошо", [](TForm2& e) { e.Button1.click(); }},
        {"Отмена", [](TForm2& e) { e.Button2.click(); }},
        {"window manager", [](TForm2& e) { e.onCloseRequest(); }},
    };
    TForm1& f = form();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        f.Edit1.setText("");
        t.advance(1);
        ASSERT_FALSE(f.SpeedButton1.enabled);

        t.user([&] { f.N38.choose(); });
        EXPECT_FALSE(f.Timer1.enabled());
        EXPECT_FALSE(f.enabled);
        EXPECT_TRUE(editor().visible);
        EXPECT_TRUE(editor().enabled);
        EXPECT_TRUE(editor().Timer1.enabled());
        // Centred on the desktop.
        EXPECT_EQ(editor().bounds.left, (t.screen.workArea.width - editor().bounds.width) / 2);
        EXPECT_EQ(editor().bounds.top, (t.screen.workArea.height - editor().bounds.height) / 2);

        // The polling is suspended: the buttons keep their states.
        f.Edit1.setText("x");
        t.advance(10);
        EXPECT_FALSE(f.SpeedButton1.enabled);

        t.user([&] { c.close(editor()); });
        EXPECT_TRUE(f.Timer1.enabled());
        EXPECT_TRUE(f.enabled);
        EXPECT_FALSE(editor().visible);
        EXPECT_FALSE(editor().Timer1.enabled());
        t.advance(1);
        EXPECT_TRUE(f.SpeedButton1.enabled);
    }
    EXPECT_TRUE(errors().empty());
}

TEST_F(EditorTest, TheFocusMovesBetweenTheTwoFieldsEveryTwoSecondsWhileOpen) {
    TForm1& f = form();
    f.N38.choose();
    int pathField = 0;
    int intervalField = 0;
    for (int tick = 1; tick <= 80; ++tick) {
        t.advance(1999);
        ASSERT_EQ(editor().focusRequestCount, static_cast<std::uint64_t>(tick - 1));
        t.advance(1);
        ASSERT_EQ(editor().focusRequestCount, static_cast<std::uint64_t>(tick));
        if (editor().focusRequest == &editor().Edit1) ++pathField;
        if (editor().focusRequest == &editor().SpinEdit1) ++intervalField;
    }
    EXPECT_EQ(pathField + intervalField, 80);
    EXPECT_GE(pathField, 20);
    EXPECT_GE(intervalField, 20);

    editor().Button2.click();
    t.advance(10'000);
    EXPECT_EQ(editor().focusRequestCount, 80u);
}

TEST_F(EditorTest, TheIntervalFieldIsCorrectedWhenItLosesTheFocus) {
    struct Case {
        const char* typed;
        std::string after;
        int value;
    };
    const std::vector<Case> cases = {
        {"500", "500", 500},       {"0", "1", 1}, {"-3", "1", 1},
        {"90000", "60000", 60000}, {"", "", 1},   {"abc", "abc", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        editor().SpinEdit1.setText(c.typed);
        editor().SpinEdit1Exit();
        EXPECT_EQ(editor().SpinEdit1.text(), c.after);
        EXPECT_EQ(editor().SpinEdit1.value(), c.value);
    }
}

TEST_F(EditorTest, EditsRemoveTheDefaultsMarkButTheRestoreCommandKeepsIt) {
    TForm1& f = form();
    TForm2& e = editor();
    EXPECT_EQ(e.Edit1.text(), "D:\\Txt.Dat");
    EXPECT_EQ(e.SpinEdit1.value(), 1000);
    ASSERT_TRUE(f.N13.checked);

    e.Edit1.setText("/tmp/other.dat");
    EXPECT_FALSE(f.N13.checked);

    f.N13.checked = true;  // as the restore command leaves it
    e.restoreDefaults();
    EXPECT_EQ(e.Edit1.text(), "D:\\Txt.Dat");
    EXPECT_TRUE(f.N13.checked);

    e.SpinEdit1.setValue(2000);
    EXPECT_FALSE(f.N13.checked);
    f.N13.checked = true;
    e.restoreDefaults();
    EXPECT_EQ(e.SpinEdit1.value(), 1000);
    EXPECT_TRUE(f.N13.checked);

    // A correction made on leaving the field is a change like any other.
    e.SpinEdit1.setText("0");
    f.N13.checked = true;
    e.SpinEdit1Exit();
    EXPECT_FALSE(f.N13.checked);
}

TEST_F(EditorTest, CancelKeepsTheEditedPathInForceAndTheDialogueGoesOnWhileOpen) {
    TForm1& f = form();
    dir.write("first.dat", w("Привет") + "\r\n");
    dir.write("second.dat", w("Как дела") + "\r\n");
    editor().Edit1.setText(dir.path() + "/first.dat");
    f.Cpu31.choose();
    t.advance(3001);
    ASSERT_EQ(u(f.engine.RawPhrase), "Привет");

    f.N38.choose();
    editor().Edit1.setText(dir.path() + "/second.dat");
    t.advance(1000);  // the machine dialogue ticks on under the open editor
    EXPECT_EQ(u(f.engine.RawPhrase), "Как дела");
    editor().Button2.click();
    EXPECT_EQ(editor().Edit1.text(), dir.path() + "/second.dat");
    t.advance(1000);
    EXPECT_EQ(dir.read("second.dat"), f.engine.Answer + "\r\n");
    EXPECT_TRUE(errors().empty());
}

}  // namespace
}  // namespace sob::control_test
