#include "platform/dispatcher.h"

#include <exception>

#include "platform/errors.h"

namespace sob {

void Dispatcher::run(const std::function<void()>& handler) {
    ++depth_;
    try {
        handler();
    } catch (const std::exception& error) {
        report(error.what());
    }
    --depth_;
    notifyListeners();
}

void Dispatcher::notifyListeners() {
    for (auto& listener : listeners_) listener();
}

void Dispatcher::report(const std::string& message) {
    if (boxOpen_) return;
    boxOpen_ = true;
    ++errorsShown_;
    // The box is modal: other events (timer ticks) may run while it is open.
    // Let the views show the state the failed handler left before it opens.
    notifyListeners();
    try {
        errorBox_.showError(errorBoxText(message));
    } catch (...) {
        boxOpen_ = false;
        throw;
    }
    boxOpen_ = false;
}

}  // namespace sob
