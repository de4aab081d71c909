#pragma once

#include <cstddef>
#include <cstdint>

#include "qt/bindings.h"

class QTextEdit;

namespace sob {
class RichEdit;
struct StyledLine;
}  // namespace sob

namespace sob::qt {

// The transcript: a read-only QTextEdit with both scroll bars, one
// paragraph per model line, each in its own colour, font, size and style,
// centred when the model says so. New lines are appended as they come; a
// deletion or a clear rebuilds the text.
class TranscriptBinding {
public:
    TranscriptBinding(const RichEdit& model, QTextEdit* widget);
    void sync();
    QTextEdit* widget() const { return widget_; }
    // How many times the text was rebuilt from scratch (tests).
    int rebuilds() const { return rebuilds_; }

private:
    void rebuild();
    void appendFrom(std::size_t first);
    void appendLine(const StyledLine& line, bool firstBlock);
    void scrollToEnd();

    const RichEdit& model_;
    QTextEdit* widget_;
    ControlBinding control_;
    std::uint64_t revision_ = 0;
    std::size_t lines_ = 0;
    bool centred_ = true;
    bool first_ = true;
    int rebuilds_ = 0;
};

}  // namespace sob::qt
