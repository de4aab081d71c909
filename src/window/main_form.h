#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "engine/engine_state.h"
#include "platform/elements.h"
#include "platform/form.h"
#include "platform/media_player.h"
#include "platform/phrase_list.h"
#include "platform/pickers.h"
#include "platform/platform.h"
#include "platform/scheduler.h"

namespace sob {

class TForm2;
class TForm3;
class TForm4;

// The main window: the transcript, the input line with its three buttons,
// the status bar, the main menu, and the hidden elements the rest of the
// program works with (scratch lists, word lists, sound players, pickers,
// timers). It owns the engine state. Its handlers are spread over the
// window/, control/, aids/ and engine/ folders by concern.
class TForm1 : public Form {
public:
    // Builds the window from its definition: every element with its start
    // properties, the word lists, the menu, the timers (armed, not yet
    // ticking) and the six sound players, which open their files here. A
    // player that cannot open its file throws StartupError.
    explicit TForm1(Platform& platform);
    ~TForm1() override;

    Platform& platform;

    // The other windows, set once they are created (start-up).
    TForm2* Form2 = nullptr;
    TForm3* Form3 = nullptr;
    TForm4* Form4 = nullptr;

    // ---- visible elements ----
    Frame TabControl1{"TabControl1"};          // transcript frame
    RichEdit RichEdit1{"RichEdit1"};           // transcript view
    Frame TabControl2{"TabControl2"};          // input bar
    Edit Edit1{"Edit1"};                       // input line
    SpeedButton SpeedButton2{"SpeedButton2"};  // "<" undo
    SpeedButton SpeedButton3{"SpeedButton3"};  // "E/R" layout conversion
    SpeedButton SpeedButton1{"SpeedButton1"};  // "Сказать"
    StatusBar StatusBar1{"StatusBar1"};

    // ---- hidden elements ----
    PhraseList RichEdit2{ListFormat::Rich};  // scratch list
    PhraseList RichEdit3{ListFormat::Rich};  // second scratch list
    PhraseList RichEdit4{ListFormat::Rich};  // dialogue record
    PhraseList Memo1{ListFormat::Plain};     // abusive words; exchange buffer
    PhraseList Memo4{ListFormat::Plain};     // topic words
    Button Talk{"Talk"};                     // hidden default button

    MediaPlayer MediaPlayer1;  // keyboard cue
    MediaPlayer MediaPlayer2;  // send cue
    MediaPlayer MediaPlayer3;  // layout cue
    MediaPlayer MediaPlayer4;  // shake cue
    MediaPlayer MediaPlayer5;  // CPU cue
    MediaPlayer MediaPlayer6;  // close cue

    ColorDialog ColorDialog1;
    ColorDialog ColorDialog2;
    ColorDialog ColorDialog3;
    FontDialog FontDialog1;
    FontDialog FontDialog2;
    FontDialog FontDialog3;

    // ---- main menu ----
    // Captions, checks, shortcuts and submenus are set by the constructor;
    // an item's `items` lists its submenu in menu order.
    MenuItem N1, N2, N23, N22, N17, N18, N19, N20, N3, N4;
    MenuItem N5, N6, N21, N16, N9, N15, N7, User1, Cpu1, Mystring2, N36, N10, User2, Cpu2,
        Mystring1, N8, N13, N14, N37, CpuUser1, Cpu31, N38, N39, N40;
    MenuItem N11, N12;
    // The menu bar's three menus, in order: N1, N5, N11.
    std::vector<MenuItem*> menuBar;

    // ---- timers ----
    Timer Timer1;  // 1 ms, state polling
    Timer Timer2;  // 1000 ms, idle prompts
    Timer Timer3;  // 1 ms, start-up load and status bar counts
    Timer Timer4;  // 1 ms, farewell close (stopped)
    Timer Timer5;  // 1 ms, input guard
    Timer Timer6;  // 3000 ms, machine dialogue (stopped)
    Timer Timer7;  // 1 ms, entrance shake
    Timer Timer8;  // 1000 ms, menu statistics
    Timer Timer9;  // 1000 ms, spontaneous remarks (stopped)

    // ---- state kept outside the elements ----
    EngineState engine;  // UserPhrase, RawPhrase, Answer, PreviousReply, branch state, IdleTicks
    std::int32_t RemarkCounter = 0;
    std::int32_t guardPosition = 0;  // the Tag of Timer5: the input guard's scan position
    std::int32_t Tag = 0;            // the farewell close's tick count

    // The entrance shake moves the window many times within one tick. The
    // hook is called after each move (bounds already set), so that the front
    // end can move the real window on the spot; the count of moves of the
    // last shake is kept for whoever wants to know.
    std::function<void()> onWindowMoved;
    int lastShakeMoves = 0;

    // The window has been closed (Exit, or the close box): the program ends.
    bool closed = false;
    // Called once when the window closes; the program quits its event loop.
    std::function<void()> onClosed;

    // The keyboard focus the state polling asks for: the input line. The
    // count grows with every request, so the front end can tell a new request
    // from one it has already applied (it applies them only while this window
    // is active and no menu or dialog is open).
    const Control* focusRequest = nullptr;
    std::uint64_t focusRequestCount = 0;
    // Set by the front end while a focus request would move the focus: this
    // window is active, no menu or dialog is open, and the input line lacks
    // the focus. While it is clear and nothing the polling reads has
    // changed, a polling tick could change nothing anyone sees.
    bool focusWanted = false;

    // ---- handlers ----
    void FormCreate();
    void Edit1Change();
    void SpeedButton1Click();  // one conversation turn
    void SpeedButton2Click();  // undo
    void SpeedButton3Click();  // layout conversion
    void TalkClick();
    void Timer1Timer();  // state polling
    bool pollingWouldChangeNothing() const;
    bool guardWouldChangeNothing() const;
    void Timer2Timer();  // idle prompt
    void Timer3Timer();  // start-up load and status bar
    void Timer4Timer();  // farewell close
    void Timer5Timer();  // input guard
    void Timer6Timer();  // machine dialogue
    void Timer7Timer();  // entrance shake
    void Timer8Timer();  // menu statistics
    void Timer9Timer();  // spontaneous remark
    void N2Click();      // new dialogue
    void N4Click();      // exit, writing the dialogue log
    void N12Click();     // about window
    void N15Click();     // Ctrl+Z
    void N22Click();     // virtual keyboard
    void N36Click();     // Ctrl+S
    void N38Click();     // editor window
    void CpuUser1Click();
    void Cpu31Click();
    void N6Click();
    void N21Click();
    void N16Click();
    void N9Click();
    void User1Click();
    void Cpu1Click();
    void Mystring2Click();
    void User2Click();
    void Cpu2Click();
    void Mystring1Click();
    void N13Click();
    void N40Click();

    // Closes the window: the program ends once the running handler is over.
    // Hides the window, stops its timers so that no further tick runs, lets
    // the sound players release their files and calls onClosed. A second
    // call does nothing.
    void Close();

    // The secondary-window rule: opening one stops the state polling and
    // disables this window; its closing command does the reverse. Showing
    // and hiding the secondary window itself is its own command's job.
    void suspendForSecondaryWindow();
    void resumeFromSecondaryWindow();

    // Every menu item, depth first in menu order (N1, N2, ..., N12).
    std::vector<MenuItem*> allMenuItems();
    // The nine timers in order Timer1 .. Timer9.
    std::array<Timer*, 9> timers();
    // MediaPlayer1 .. MediaPlayer6.
    std::array<MediaPlayer*, 6> players;
};

// A start-up failure that ends the program with the "Application Error" box
// and exit code 1 (a sound file that cannot be opened).
class StartupError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace sob
