#include <string>
#include <vector>

#include "window/window_fixture.h"

namespace sob::window_test {
namespace {

class SoundCuesTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        start();
        onlyTimers({&form().Timer1});
        tick();
        t.audio.started.clear();
    }
};

TEST_F(SoundCuesTest, EveryRealChangeOfTheInputSoundsTheKeyboardCue) {
    TForm1& f = form();
    f.Edit1.setText("a");
    f.Edit1.setText("a");  // the same text: no change, no cue
    f.Edit1.setText("ab");
    f.Edit1.setText("");
    EXPECT_EQ(t.audio.started, std::vector<std::string>(3, "Sound\\KeyBoard.wav"));
}

TEST_F(SoundCuesTest, KeyStrokesWhileTheCueSoundsAddNothing) {
    t.audio.clipLengthMs = 50;
    TForm1& f = form();
    f.Edit1.setText("a");
    t.advance(10);
    f.Edit1.setText("ab");
    EXPECT_EQ(t.audio.started.size(), 1u);
    t.advance(40);
    f.Edit1.setText("abc");
    EXPECT_EQ(t.audio.started.size(), 2u);
}

TEST_F(SoundCuesTest, TurnSoundsSendThenCpuThenKeyboard) {
    TForm1& f = form();
    f.Edit1.setText(w("привет"));
    tick();
    ASSERT_TRUE(f.Talk.enabled);
    t.audio.started.clear();
    t.user([&] { f.Talk.click(); });  // Enter
    ASSERT_TRUE(t.errorBox.texts.empty()) << t.errorBox.texts[0];
    EXPECT_EQ(t.audio.started,
              (std::vector<std::string>{"Sound\\Button3.wav", "Sound\\CpuSound.wav",
                                        "Sound\\KeyBoard.wav"}));
    EXPECT_EQ(f.Edit1.text(), "");
    ASSERT_EQ(f.RichEdit1.lineCount(), 2);
    EXPECT_EQ(u(f.RichEdit1.line(0)), "Привет.");
    EXPECT_EQ(f.RichEdit4.Count(), 2);
    tick();
    EXPECT_TRUE(f.SpeedButton2.enabled);
    EXPECT_FALSE(f.SpeedButton1.enabled);
}

TEST_F(SoundCuesTest, TurnInMachineDialogueWritesToTheEditorsExchangePath) {
    TForm1& f = form();
    f.CpuUser1.checked = false;
    f.Cpu31.checked = true;
    f.Form2->Edit1.setText("Base\\Txt.Dat");
    f.Memo1.assign({w("Привет")});
    t.user([&] { f.SpeedButton1.click(); });
    ASSERT_TRUE(t.errorBox.texts.empty()) << t.errorBox.texts[0];
    ASSERT_TRUE(dir.exists("Base/Txt.Dat"));
    EXPECT_EQ(dir.read("Base/Txt.Dat"), f.engine.Answer + "\r\n");
}

}  // namespace
}  // namespace sob::window_test
