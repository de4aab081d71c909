#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace sob {

// How SaveToFile writes a list; loading accepts both forms.
enum class ListFormat { Plain, Rich };

// The program's list of text entries, loaded whole from a file and saved whole
// back. Entries are Windows-1251 text without line breaks, indexed from 0.
//
// A list knows which state of a file its entries are, after a load or a save
// and until it changes; and when it loads another file, it keeps the content it
// had aside. Loading a file whose identity (file_system.h) is the one it holds
// or keeps aside then costs no reading and no parsing: a list used in turn for
// a large keyword file and for small lists finds the keyword file again as it
// left it, unless someone wrote the file in the meantime. A file whose identity
// is new is read and parsed.
class PhraseList {
public:
    explicit PhraseList(ListFormat saveFormat = ListFormat::Plain);

    // Replaces the content with the entries of the file: the paragraphs of an
    // RTF document, or else the lines of plain text. Throws cannotOpenFile with
    // the path as given.
    void LoadFromFile(std::string_view programPath);
    // Writes the whole list, replacing the file atomically: RTF for a Rich list,
    // every entry followed by CR LF for a Plain one. Throws cannotCreateFile.
    void SaveToFile(std::string_view programPath) const;
    // Replaces the content with the entries of a file's bytes, read as
    // LoadFromFile reads them (LoadFromFile is this on the file's content).
    void loadFromBytes(std::string_view bytes);

    int Count() const;
    // The entry at the index; the empty text for an index outside 0..Count()-1.
    const std::string& Strings(int index) const;
    // Appends the entry. Text holding line breaks is added as one entry per
    // line, as a list control does ("a\r\nb" adds "a" and "b"; "a\r\n" adds
    // "a" and an empty entry).
    void Add(std::string entry);
    // Removes the entry at the index; an index out of range changes nothing.
    void Delete(int index);
    void Clear();

    // Every entry followed by CR LF.
    std::string Text() const;
    // Replaces the content with the lines of the text, split as a plain file is.
    void SetText(std::string_view text);

    const std::vector<std::string>& entries() const { return entries_; }
    // Replaces the content. The entries must not contain CR or LF.
    void assign(std::vector<std::string> entries);

    // Grows with every change, so views and caches notice a change cheaply.
    std::uint64_t revision() const { return revision_; }
    ListFormat saveFormat() const { return saveFormat_; }

private:
    // The file whose content the entries are, while the list is unchanged.
    struct Source {
        FileIdentity file;
        std::string path;        // as the program named it
        std::uint64_t revision;  // the list's revision when it was so
    };
    // The content the list held before, set aside with the file it is.
    struct SetAside {
        FileIdentity file;
        std::string path;
        std::vector<std::string> entries;
    };

    void parse(std::string_view bytes);

    std::vector<std::string> entries_;
    std::uint64_t revision_ = 0;
    ListFormat saveFormat_;
    mutable std::optional<Source> source_;  // a save makes the list its file's content
    std::optional<SetAside> setAside_;
};

// The lines of plain text. A line ends at CR LF, a lone LF or a lone CR; a line
// break at the very end gives no empty last line, and empty text no line.
std::vector<std::string> splitPlainText(std::string_view text);
// The same, into `lines`, whose strings are reused where they can be.
void splitPlainText(std::string_view text, std::vector<std::string>& lines);

}  // namespace sob
