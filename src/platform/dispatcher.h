#pragma once

#include <functional>
#include <string>
#include <vector>

namespace sob {

// Where the common error box is shown. The Qt front end shows a modal
// QMessageBox; tests record the texts.
class ErrorBox {
public:
    virtual ~ErrorBox() = default;
    // Shows the text (Windows-1251) and returns when the user closes the box.
    virtual void showError(const std::string& text) = 0;
};

// Runs every event handler: button clicks, menu commands and timer ticks.
// An exception ends the handler at the failing step and is shown in the
// common error box with the full-stop rule; the program goes on with the
// state the handler had reached. Error boxes never stack: a failure that
// comes while a box is open (timers keep ticking under a modal box) is
// not shown again.
class Dispatcher {
public:
    explicit Dispatcher(ErrorBox& errorBox) : errorBox_(errorBox) {}

    void run(const std::function<void()>& handler);

    bool errorBoxOpen() const { return boxOpen_; }
    // The texts shown so far (the error box can be a real modal box, so
    // this is a plain record for anyone who wants to look).
    int errorsShown() const { return errorsShown_; }

    // Called after every handler has run, whether it failed or not, so that
    // views can show what changed.
    void addListener(std::function<void()> listener) { listeners_.push_back(std::move(listener)); }
    void notifyListeners();

private:
    void report(const std::string& message);

    ErrorBox& errorBox_;
    bool boxOpen_ = false;
    int errorsShown_ = 0;
    int depth_ = 0;
    std::vector<std::function<void()>> listeners_;
};

}  // namespace sob
