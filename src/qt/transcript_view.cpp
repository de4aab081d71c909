#include "qt/transcript_view.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "platform/elements.h"
#include "qt/qt_convert.h"

namespace sob::qt {

TranscriptBinding::TranscriptBinding(const RichEdit& model, QTextEdit* widget)
    : model_(model), widget_(widget), control_(model, widget, QPalette::Base) {
    widget_->setReadOnly(true);
    widget_->setUndoRedoEnabled(false);
    widget_->setAcceptRichText(false);
    widget_->setLineWrapMode(QTextEdit::WidgetWidth);
    widget_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    widget_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    widget_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    // The selection stays visible when the view loses the focus.
    QPalette palette = widget_->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    widget_->setPalette(palette);
}

void TranscriptBinding::sync() {
    control_.sync();
    // The pointer belongs to the viewport, where the text is.
    if (widget_->viewport()->cursor().shape() != widget_->cursor().shape())
        widget_->viewport()->setCursor(widget_->cursor());
    if (!first_ && model_.revision() == revision_ && model_.centred == centred_) return;
    const auto& lines = model_.lines();
    const std::uint64_t changes = model_.revision() - revision_;
    const bool onlyAppended = !first_ && model_.centred == centred_ && lines.size() >= lines_ &&
                              lines.size() - lines_ == changes;
    centred_ = model_.centred;
    if (onlyAppended)
        appendFrom(lines_);
    else
        rebuild();
    revision_ = model_.revision();
    lines_ = lines.size();
    first_ = false;
}

void TranscriptBinding::rebuild() {
    ++rebuilds_;
    widget_->document()->clear();
    appendFrom(0);
}

void TranscriptBinding::appendFrom(std::size_t first) {
    const auto& lines = model_.lines();
    if (first >= lines.size()) return;
    for (std::size_t i = first; i < lines.size(); ++i) appendLine(lines[i], i == 0);
    scrollToEnd();
}

void TranscriptBinding::appendLine(const StyledLine& line, bool firstBlock) {
    QTextCursor cursor(widget_->document());
    cursor.movePosition(QTextCursor::End);
    QTextBlockFormat block;
    block.setAlignment(centred_ ? Qt::AlignHCenter : Qt::AlignLeft);
    QTextCharFormat format;
    format.setForeground(toQColor(line.style.color, widget_->palette()));
    format.setFont(toQFont(line.style), QTextCharFormat::FontPropertiesAll);
    if (firstBlock) {
        cursor.setBlockFormat(block);
        cursor.setBlockCharFormat(format);
    } else {
        cursor.insertBlock(block, format);
    }
    cursor.insertText(fromProgramText(line.text), format);
}

void TranscriptBinding::scrollToEnd() {
    // Keep the newest line in sight, unless the user is selecting text.
    QTextCursor cursor = widget_->textCursor();
    if (cursor.hasSelection()) return;
    cursor.movePosition(QTextCursor::End);
    widget_->setTextCursor(cursor);
    widget_->ensureCursorVisible();
}

}  // namespace sob::qt
