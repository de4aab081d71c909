#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace sob {

// Rich text (RTF) as the rich-text lists store it: one paragraph per entry.
//
// The paragraph rule follows the Windows rich edit control, so a list saved by
// a rich-text list there and one saved here read back alike. A rich edit
// document always ends with a paragraph of its own, and a list whose every
// line was added ends with a line break, so that closing paragraph is empty;
// the control writes a \par after every paragraph, the closing one included
// ("a\par b\par \par }" for the entries "a" and "b").
//
// Reading: the paragraphs are the runs of text each ended by \par (or \line,
// \sect, \page, \row), followed by the text after the last break when that text
// is not empty. The last paragraph is then dropped when it is empty: it is the
// document's closing paragraph. So "a\par b\par \par }", "a\par b\par }" and
// "a\par b}" all read as "a", "b", and "a\par \par \par }" reads as "a", "".
//
// Writing: every entry followed by \par, then one more \par for the closing
// empty paragraph, exactly the form the rich edit control writes. Every list of
// entries without CR and LF therefore reads back unchanged, an empty entry in
// the middle or at the end included.

// Whether the bytes are an RTF document (they begin with "{\rtf").
bool isRtf(std::string_view bytes);

// The paragraphs of an RTF document as Windows-1251 entries (see above). The
// reader is tolerant: unknown control words are ignored, destinations that hold
// no document text (font and colour tables, style sheet, information, pictures,
// objects, headers and footers, list tables, every {\* ...} group) are skipped,
// \uN characters and text in other code pages (\ansicpgN, \fcharsetN, \cpgN)
// are converted to Windows-1251 with "?" for a character it cannot hold, and a
// truncated or damaged document gives the text read up to the damage.
std::vector<std::string> readRtfEntries(std::string_view rtf);
// The same, into `entries`, whose strings are reused where they can be (a list
// loaded again allocates little).
void readRtfEntries(std::string_view rtf, std::vector<std::string>& entries);

// For tests: the size from which a document is read in two halves at once
// (1 MiB); 0 makes every document be read so, as far as it can.
void setTwoHalvesFromForTesting(std::size_t bytes);

// An RTF document in code page 1251 whose paragraphs are the entries. Entries
// hold no line breaks; should one hold CR or LF all the same, the break starts
// a new paragraph.
std::string writeRtfEntries(const std::vector<std::string>& entries);
// The same document handed to `sink` in pieces as it is written (for saving a
// large list without holding the whole document in memory).
void writeRtfEntries(const std::vector<std::string>& entries,
                     const std::function<void(std::string_view)>& sink);

}  // namespace sob
