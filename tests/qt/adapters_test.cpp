#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include <QAbstractButton>
#include <QApplication>
#include <QColorDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QTest>

#include "platform/clock.h"
#include "platform/dispatcher.h"
#include "platform/errors.h"
#include "platform/platform.h"
#include "platform/random.h"
#include "platform/scheduler.h"
#include "platform/screen.h"
#include "qt/font_chooser.h"
#include "qt/front_end.h"
#include "qt/qt_audio_output.h"
#include "qt/qt_error_box.h"
#include "qt/qt_pickers.h"
#include "qt/scheduler_driver.h"
#include "support/test_platform.h"
#include "window/main_form.h"
#include "window/program.h"

namespace sob::qt_test {
namespace {

using sob::testing::TempWorkDir;
using sob::testing::w;

// ---- the common error box ----

TEST(QtErrorBoxTest, ShowsOneBoxAtATimeWithTheTitleAndTheFullStop) {
    qt::QtErrorBox errorBox(QString::fromUtf8("Собеседник"));
    Dispatcher dispatcher(errorBox);
    std::vector<QString> texts;
    errorBox.setOpenedHook([&](QWidget* widget) {
        auto* box = qobject_cast<QMessageBox*>(widget);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->windowTitle(), QString::fromUtf8("Собеседник"));
        EXPECT_EQ(box->icon(), QMessageBox::Critical);
        EXPECT_EQ(box->standardButtons(), QMessageBox::Ok);
        texts.push_back(box->text());
        // A timer tick failing while the box is open shows nothing more.
        dispatcher.run([] { throw cannotOpenFile("Base\\X.Dat"); });
        box->button(QMessageBox::Ok)->click();
    });

    dispatcher.run([] { throw cannotOpenFile(w("Base\\Слова.Dat")); });
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0], QString::fromUtf8("Cannot open file Base\\Слова.Dat."));
    EXPECT_EQ(dispatcher.errorsShown(), 1);

    // Once closed, the next failure opens a box again.
    dispatcher.run([] { throw ProgramError("Done!"); });
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1], "Done!");
}

// ---- the pickers ----

TEST(QtPickersTest, ColourPickerOpensOnTheColourAndReturnsTheChoice) {
    qt::QtPickers pickers;
    pickers.setOpenedHook([](QWidget* widget) {
        auto* dialog = qobject_cast<QColorDialog*>(widget);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->currentColor(), QColor(10, 20, 30));
        dialog->setCurrentColor(QColor(200, 100, 50));
        dialog->accept();
    });
    Color color = Color::rgb(10, 20, 30);
    EXPECT_TRUE(pickers.pickColor(color));
    EXPECT_EQ(color, Color::rgb(200, 100, 50));

    pickers.setOpenedHook([](QWidget* widget) { static_cast<QDialog*>(widget)->reject(); });
    EXPECT_FALSE(pickers.pickColor(color));
    EXPECT_EQ(color, Color::rgb(200, 100, 50));
}

TEST(QtPickersTest, FontPickerOffersNameStyleAndSizeOnly) {
    qt::QtPickers pickers;
    QStringList styles;
    pickers.setOpenedHook([&](QWidget* widget) {
        auto* dialog = qobject_cast<qt::FontChooser*>(widget);
        ASSERT_NE(dialog, nullptr);
        // It opens on the font it holds, even one this desktop lacks.
        ASSERT_NE(dialog->familyList()->currentItem(), nullptr);
        EXPECT_EQ(dialog->familyList()->currentItem()->text(), "MS Sans Serif");
        EXPECT_EQ(dialog->styleList()->currentRow(), 0);
        EXPECT_EQ(dialog->sizeEdit()->text(), "12");
        for (int i = 0; i < dialog->styleList()->count(); ++i)
            styles << dialog->styleList()->item(i)->text();
        dialog->styleList()->setCurrentRow(3);
        dialog->sizeList()->setCurrentItem(
            dialog->sizeList()->findItems("14", Qt::MatchExactly).front());
        dialog->accept();
    });
    Font font{"MS Sans Serif", 12, FontStyle::Regular, Color::rgb(1, 2, 3)};
    ASSERT_TRUE(pickers.pickFont(font, false));
    EXPECT_EQ(styles, (QStringList{QString::fromUtf8("Обычный"), QString::fromUtf8("Курсив"),
                                   QString::fromUtf8("Полужирный"),
                                   QString::fromUtf8("Полужирный курсив")}));
    EXPECT_EQ(font.name, "MS Sans Serif");
    EXPECT_EQ(font.style, FontStyle::Bold | FontStyle::Italic);
    EXPECT_EQ(font.size, 14);
    EXPECT_EQ(font.color, Color::rgb(1, 2, 3));  // no colour choice

    pickers.setOpenedHook([](QWidget* widget) { static_cast<QDialog*>(widget)->reject(); });
    EXPECT_FALSE(pickers.pickFont(font, false));
    EXPECT_EQ(font.size, 14);
}

TEST(QtPickersTest, InputLineFontPickerOffersOnlySize8) {
    qt::QtPickers pickers;
    QStringList sizes;
    bool sizeEditable = true;
    pickers.setOpenedHook([&](QWidget* widget) {
        auto* dialog = static_cast<qt::FontChooser*>(widget);
        for (int i = 0; i < dialog->sizeList()->count(); ++i)
            sizes << dialog->sizeList()->item(i)->text();
        sizeEditable = !dialog->sizeEdit()->isReadOnly();
        dialog->styleList()->setCurrentRow(2);
        dialog->accept();
    });
    Font font{"MS Sans Serif", 8, FontStyle::Regular, colors::black};
    ASSERT_TRUE(pickers.pickFont(font, true));
    EXPECT_EQ(sizes, QStringList{"8"});
    EXPECT_FALSE(sizeEditable);
    EXPECT_EQ(font.size, 8);
    EXPECT_EQ(font.style, FontStyle::Bold);
}

// ---- sound ----

// A PCM WAV of `frames` silent 16-bit mono frames at `rate`.
std::string wavBytes(std::uint32_t frames, std::uint32_t rate) {
    auto le32 = [](std::uint32_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    };
    auto le16 = [](std::uint16_t v) {
        return std::string{static_cast<char>(v), static_cast<char>(v >> 8)};
    };
    const std::uint32_t data = frames * 2;
    return "RIFF" + le32(36 + data) + "WAVE" + "fmt " + le32(16) + le16(1) + le16(1) + le32(rate) +
           le32(rate * 2) + le16(2) + le16(16) + "data" + le32(data) + std::string(data, '\0');
}

TEST(QtAudioOutputTest, OpensWavFilesCaseInsensitivelyAndMeasuresThem) {
    TempWorkDir dir;
    dir.write("sound/close.WAV", wavBytes(2205, 22050));
    qt::QtAudioOutput audio(false);
    auto clip = audio.open("Sound\\Close.wav");
    ASSERT_NE(clip, nullptr);
    EXPECT_EQ(clip->lengthMs(), 100);
    clip->start(0);  // silent machine: nothing happens, nothing fails
}

TEST(QtAudioOutputTest, MissingOrNonWavFilesThrowTheLibrarysErrorText) {
    TempWorkDir dir;
    dir.write("Sound/Text.wav", "not a sound at all, just text\r\n");
    dir.write("Sound/Raw.wav", "RIFF");
    qt::QtAudioOutput audio(false);
    for (const char* name : {"Sound\\Missing.wav", "Sound\\Text.wav", "Sound\\Raw.wav"}) {
        SCOPED_TRACE(name);
        try {
            audio.open(name);
            ADD_FAILURE() << "no error";
        } catch (const ProgramError& error) {
            EXPECT_FALSE(std::string(error.what()).empty());
        }
    }
    try {
        audio.open("Sound\\Missing.wav");
    } catch (const ProgramError& error) {
        EXPECT_NE(std::string(error.what()).find("No such file"), std::string::npos)
            << error.what();
    }
}

TEST(QtAudioOutputTest, AMissingCueEndsTheStartUpNamingTheFileAndTheError) {
    TempWorkDir dir;
    for (const char* cue : {"KeyBoard", "Button3", "Button2", "Button1", "CpuSound"})
        dir.write(std::string("Sound/") + cue + ".wav", wavBytes(441, 44100));
    dir.write("Base/Words.Dat", "x\r\n");
    testing::TestPlatform t;
    qt::QtAudioOutput audio(false);
    Platform platform{t.clock, t.scheduler, t.dispatcher, t.random, audio, t.pickers, t.screen};
    try {
        Program program(platform);
        ADD_FAILURE() << "started without Sound\\Close.wav";
    } catch (const StartupError& error) {
        const std::string text = error.what();
        EXPECT_NE(text.find("Sound\\Close.wav"), std::string::npos) << text;
        EXPECT_NE(text.find("No such file"), std::string::npos) << text;
    }
}

// ---- the scheduler driven by the event loop ----

TEST(SchedulerDriverTest, RunsDueTicksFromTheEventLoopAndRearms) {
    VirtualClock clock;
    testing::RecordingErrorBox box;
    Dispatcher dispatcher(box);
    Scheduler scheduler(clock, dispatcher);
    int ticks = 0;
    Timer timer(scheduler, "T", 50, true);
    timer.setOnTimer([&] { ++ticks; });
    qt::SchedulerDriver driver(scheduler, clock);
    int batches = 0;
    driver.setAfterRun([&] { ++batches; });

    clock.advanceBy(50);  // due now: the driver wakes at once
    driver.start();
    QApplication::processEvents();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(batches, 1);
    QApplication::processEvents();
    EXPECT_EQ(ticks, 1);  // the next period is 50 ms away on the virtual clock

    // A stopped timer leaves nothing armed; starting it again re-arms.
    timer.setEnabled(false);
    clock.advanceBy(100);
    QApplication::processEvents();
    EXPECT_EQ(ticks, 1);
    timer.setInterval(1);
    timer.setEnabled(true);
    clock.advanceBy(1);
    EXPECT_TRUE(QTest::qWaitFor([&] { return ticks == 2; }, 5000));

    driver.stop();
    clock.advanceBy(10);
    QApplication::processEvents();
    EXPECT_EQ(ticks, 2);
}

TEST(SchedulerDriverTest, TicksGoOnUnderAnErrorBoxOpenedByATick) {
    VirtualClock clock;
    qt::QtErrorBox errorBox("t");
    Dispatcher dispatcher(errorBox);
    Scheduler scheduler(clock, dispatcher);
    testing::RecordingAudio audio;
    testing::ScriptedPickers pickers;
    RandomGenerator random;
    Screen screen;
    Platform platform{clock, scheduler, dispatcher, random, audio, pickers, screen};
    qt::FrontEnd frontEnd(platform);

    // Fails once, without touching any timer before it fails.
    bool failed = false;
    Timer failing(scheduler, "failing", 1, true);
    failing.setOnTimer([&] {
        if (failed) return;
        failed = true;
        throw ProgramError("tick failed");
    });
    int counted = 0;
    Timer counting(scheduler, "counting", 1, true);
    counting.setOnTimer([&] { ++counted; });
    int countedUnderBox = 0;
    errorBox.setOpenedHook([&](QWidget* box) {
        const int before = counted;
        clock.advanceBy(1);
        EXPECT_TRUE(QTest::qWaitFor([&] { return counted > before; }, 5000));
        countedUnderBox = counted - before;
        static_cast<QMessageBox*>(box)->button(QMessageBox::Ok)->click();
    });
    clock.advanceBy(1);
    frontEnd.start();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return dispatcher.errorsShown() == 1 && !dispatcher.errorBoxOpen(); }, 5000));
    EXPECT_GE(countedUnderBox, 1);
    frontEnd.stop();
}

}  // namespace
}  // namespace sob::qt_test
