#include "platform/phrase_list.h"

#include "platform/file_system.h"
#include "platform/rtf.h"

namespace sob {

void splitPlainText(std::string_view text, std::vector<std::string>& lines) {
    std::size_t count = 0;  // lines so far; the strings already there are reused
    auto store = [&](const char* from, const char* to) {
        const auto n = static_cast<std::size_t>(to - from);
        if (count < lines.size()) {
            lines[count].assign(from, n);
        } else {
            lines.emplace_back(from, n);
        }
        ++count;
    };
    const char* p = text.data();
    const char* const end = p + text.size();
    const char* start = p;
    while (p < end) {
        const char c = *p;
        if (c != '\r' && c != '\n') {
            ++p;
            continue;
        }
        store(start, p);
        ++p;
        if (c == '\r' && p < end && *p == '\n') ++p;
        start = p;
    }
    if (start < end) store(start, end);
    lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(count), lines.end());
}

std::vector<std::string> splitPlainText(std::string_view text) {
    std::vector<std::string> lines;
    splitPlainText(text, lines);
    return lines;
}

PhraseList::PhraseList(ListFormat saveFormat) : saveFormat_(saveFormat) {}

void PhraseList::LoadFromFile(std::string_view programPath) {
    FileForReading file(programPath);
    const FileIdentity identity = file.identity();
    const bool isItsFile = source_ && source_->revision == revision_;
    if (isItsFile && source_->file == identity) {
        // Already the file's content.
    } else if (setAside_ && setAside_->file == identity) {
        std::swap(entries_, setAside_->entries);
        if (isItsFile) {
            setAside_->file = source_->file;
            setAside_->path = std::move(source_->path);
        } else {
            setAside_.reset();  // a changed list is no file's content
        }
    } else {
        const FileContent content = file.readAll();  // nothing has changed should it fail
        // What the list holds is set aside, unless it is an earlier state of
        // the same file: the strings of whatever is not kept are reused for
        // the new content.
        if (isItsFile && source_->path != programPath) {
            std::vector<std::string> reuse;
            if (setAside_) reuse = std::move(setAside_->entries);
            setAside_ = SetAside{source_->file, std::move(source_->path), std::move(entries_)};
            entries_ = std::move(reuse);
        }
        source_.reset();  // no file's content until parsed
        parse(content.view());
    }
    ++revision_;
    source_ = Source{identity, std::string(programPath), revision_};
}

void PhraseList::loadFromBytes(std::string_view bytes) {
    parse(bytes);
    ++revision_;
}

void PhraseList::parse(std::string_view bytes) {
    // Parsed in place: the strings the list holds are reused, so loading a
    // file again allocates little.
    if (isRtf(bytes)) {
        readRtfEntries(bytes, entries_);
    } else {
        splitPlainText(bytes, entries_);
    }
}

void PhraseList::SaveToFile(std::string_view programPath) const {
    std::optional<FileIdentity> written;
    if (saveFormat_ == ListFormat::Rich) {
        // Written as it is made: a large list's document is never held whole.
        written = writeWholeFile(
            programPath, [this](const ByteSink& sink) { writeRtfEntries(entries_, sink); });
    } else {
        written = writeWholeFile(programPath, Text());
    }
    // Entries hold no line breaks, so the file reads back as exactly these.
    if (written) {
        source_ = Source{*written, std::string(programPath), revision_};
    }
}

int PhraseList::Count() const {
    return static_cast<int>(entries_.size());
}

const std::string& PhraseList::Strings(int index) const {
    static const std::string empty;
    if (index < 0 || index >= Count()) return empty;
    return entries_[static_cast<std::size_t>(index)];
}

void PhraseList::Add(std::string entry) {
    if (entry.find_first_of("\r\n") == std::string::npos) {
        entries_.push_back(std::move(entry));
    } else {
        // Text with line breaks becomes one entry per line, as in a list
        // control; a break at the end leaves an empty entry after it.
        std::vector<std::string> lines = splitPlainText(entry);
        const char last = entry.back();
        if (last == '\r' || last == '\n') lines.emplace_back();
        for (std::string& line : lines) entries_.push_back(std::move(line));
    }
    ++revision_;
}

void PhraseList::Delete(int index) {
    if (index < 0 || index >= Count()) return;
    entries_.erase(entries_.begin() + index);
    ++revision_;
}

void PhraseList::Clear() {
    entries_.clear();
    ++revision_;
}

std::string PhraseList::Text() const {
    std::size_t size = 0;
    for (const std::string& e : entries_) size += e.size() + 2;
    std::string text;
    text.reserve(size);
    for (const std::string& e : entries_) {
        text.append(e);
        text.append("\r\n");
    }
    return text;
}

void PhraseList::SetText(std::string_view text) {
    assign(splitPlainText(text));
}

void PhraseList::assign(std::vector<std::string> entries) {
    entries_ = std::move(entries);
    ++revision_;
}

}  // namespace sob
