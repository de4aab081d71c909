#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/dispatcher.h"
#include "platform/errors.h"

namespace sob {
namespace {

// A box that, like a modal box, lets other events run while it is open.
class ReentrantBox : public ErrorBox {
public:
    std::function<void()> whileOpen;
    std::vector<std::string> texts;
    void showError(const std::string& text) override {
        texts.push_back(text);
        if (whileOpen) whileOpen();
    }
};

TEST(ErrorBoxText, AFullStopIsAddedWhenTheLastCharacterSortsAfterIt) {
    struct Case {
        std::string message;
        std::string shown;
    };
    const Case cases[] = {
        {"Cannot open file Base\\Words.dat", "Cannot open file Base\\Words.dat."},
        {"Cannot open file D:\\Txt.Dat", "Cannot open file D:\\Txt.Dat."},
        {"Failure 7", "Failure 7."},
        {"Done.", "Done."},
        {"Stop!", "Stop!"},
        {"(dash)-", "(dash)-"},
        {"", ""},
        {"\xc4\xe0", "\xc4\xe0."},  // a Cyrillic letter sorts after '.'
    };
    for (const auto& c : cases) EXPECT_EQ(errorBoxText(c.message), c.shown) << c.message;
}

TEST(Dispatcher, AFailureEndsTheHandlerAtTheFailingStep) {
    ReentrantBox box;
    Dispatcher dispatcher(box);
    std::vector<int> steps;
    dispatcher.run([&] {
        steps.push_back(1);
        throw cannotOpenFile("Base\\Povtor.Dat");
        steps.push_back(2);
    });
    EXPECT_EQ(steps, std::vector<int>{1});
    EXPECT_EQ(box.texts, std::vector<std::string>{"Cannot open file Base\\Povtor.Dat."});
}

TEST(Dispatcher, ErrorBoxesNeverStack) {
    ReentrantBox box;
    Dispatcher dispatcher(box);
    int ticksWhileOpen = 0;
    box.whileOpen = [&] {
        // Timer ticks under the open box fail too; they end, but show nothing.
        for (int i = 0; i < 3; ++i)
            dispatcher.run([&] {
                ++ticksWhileOpen;
                throw ProgramError("again");
            });
    };
    dispatcher.run([] { throw ProgramError("first"); });
    EXPECT_EQ(ticksWhileOpen, 3);
    EXPECT_EQ(box.texts, std::vector<std::string>{"first."});
    // Once the box is closed the next failure is shown.
    box.whileOpen = nullptr;
    dispatcher.run([] { throw ProgramError("later"); });
    EXPECT_EQ(box.texts.back(), "later.");
}

TEST(Dispatcher, ListenersHearOfEveryHandlerFailedOrNot) {
    ReentrantBox box;
    Dispatcher dispatcher(box);
    int notified = 0;
    dispatcher.addListener([&] { ++notified; });
    dispatcher.run([] {});
    const int afterSuccess = notified;
    dispatcher.run([] { throw ProgramError("x"); });
    EXPECT_EQ(afterSuccess, 1);
    EXPECT_GE(notified, 2);
}

}  // namespace
}  // namespace sob
