#include "platform/rtf.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <exception>
#include <functional>
#include <iterator>
#include <limits>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <unordered_map>
#include <utility>

#include "platform/cp1251.h"

namespace sob {

namespace {

constexpr int kDefaultCodePage = 1251;

// ---------------------------------------------------------------------------
// Code pages. Text in a code page other than 1251 is converted byte by byte
// through a table made once per code page with iconv.

using ByteTable = std::array<char, 256>;

// The table that turns bytes of the code page into Windows-1251 bytes, or
// nullptr when no conversion is needed (1251 itself, or a code page iconv does
// not know, whose bytes are then taken as they are).
const ByteTable* tableForCodePage(int codePage) {
    if (codePage == kDefaultCodePage || codePage <= 0) return nullptr;
    static std::mutex mutex;
    static std::map<int, std::unique_ptr<ByteTable>> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = cache.find(codePage);
    if (it != cache.end()) return it->second.get();

    std::string name;
    switch (codePage) {
        case 10000:
            name = "MACINTOSH";
            break;
        case 20866:
            name = "KOI8-R";
            break;
        case 21866:
            name = "KOI8-U";
            break;
        case 28591:
            name = "ISO-8859-1";
            break;
        case 28595:
            name = "ISO-8859-5";
            break;
        default:
            name = "CP" + std::to_string(codePage);
            break;
    }
    std::unique_ptr<ByteTable> table;
    iconv_t cd = iconv_open("CP1251", name.c_str());
    if (cd != reinterpret_cast<iconv_t>(-1)) {
        table = std::make_unique<ByteTable>();
        for (int b = 0; b < 256; ++b) {
            char in = static_cast<char>(b);
            char out[8] = {};
            char* inPtr = &in;
            char* outPtr = out;
            std::size_t inLeft = 1;
            std::size_t outLeft = sizeof out;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            const std::size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
            const bool ok =
                rc != static_cast<std::size_t>(-1) && inLeft == 0 && sizeof out - outLeft == 1;
            (*table)[b] = ok ? out[0] : (b < 0x80 ? static_cast<char>(b) : '?');
        }
        iconv_close(cd);
    }
    const ByteTable* result = table.get();
    cache.emplace(codePage, std::move(table));
    return result;
}

// The code page of a font's \fcharsetN.
int codePageOfCharset(int charset, int documentCodePage) {
    switch (charset) {
        case 0:
            return 1252;
        case 77:
            return 10000;
        case 128:
            return 932;
        case 129:
            return 949;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 255:
            return 437;
        default:
            return documentCodePage;  // 1 (default), 2 (symbol) and the rest
    }
}

// ---------------------------------------------------------------------------
// Control words the reader acts on. Every other control word is ignored.

enum class Word {
    Ignore,
    Paragraph,    // \par, \line, \sect, \page, \row: end of an entry
    Tab,          // \tab, \cell
    Char,         // a word that stands for one character (\emdash, \lquote ...)
    Nothing,      // a word that stands for no visible character (\zwj ...)
    Unicode,      // \uN
    UnicodeSkip,  // \ucN
    Bin,          // \binN
    AnsiCodePage,
    DocumentCodePage,  // \mac, \pc, \pca: the character set of the document
    Font,
    DefaultFont,
    Plain,
    FontCharset,
    FontCodePage,
    FontTable,
    SkipDestination,
};

struct WordInfo {
    Word word;
    int value;
};

const std::unordered_map<std::string_view, WordInfo>& wordTable() {
    static const std::unordered_map<std::string_view, WordInfo> table = {
        {"par", {Word::Paragraph, 0}},
        {"line", {Word::Paragraph, 0}},
        {"sect", {Word::Paragraph, 0}},
        {"page", {Word::Paragraph, 0}},
        {"row", {Word::Paragraph, 0}},
        {"tab", {Word::Tab, 0}},
        {"cell", {Word::Tab, 0}},
        {"emdash", {Word::Char, 0x97}},
        {"endash", {Word::Char, 0x96}},
        {"bullet", {Word::Char, 0x95}},
        {"lquote", {Word::Char, 0x91}},
        {"rquote", {Word::Char, 0x92}},
        {"ldblquote", {Word::Char, 0x93}},
        {"rdblquote", {Word::Char, 0x94}},
        {"emspace", {Word::Char, ' '}},
        {"enspace", {Word::Char, ' '}},
        {"qmspace", {Word::Char, ' '}},
        {"zwj", {Word::Nothing, 0}},
        {"zwnj", {Word::Nothing, 0}},
        {"zwbo", {Word::Nothing, 0}},
        {"zwnbo", {Word::Nothing, 0}},
        {"ltrmark", {Word::Nothing, 0}},
        {"rtlmark", {Word::Nothing, 0}},
        {"u", {Word::Unicode, 0}},
        {"uc", {Word::UnicodeSkip, 0}},
        {"bin", {Word::Bin, 0}},
        {"ansicpg", {Word::AnsiCodePage, 0}},
        {"mac", {Word::DocumentCodePage, 10000}},
        {"pc", {Word::DocumentCodePage, 437}},
        {"pca", {Word::DocumentCodePage, 850}},
        {"f", {Word::Font, 0}},
        {"deff", {Word::DefaultFont, 0}},
        {"plain", {Word::Plain, 0}},
        {"fcharset", {Word::FontCharset, 0}},
        {"cpg", {Word::FontCodePage, 0}},
        {"fonttbl", {Word::FontTable, 0}},
        // Destinations whose content is not document text.
        {"colortbl", {Word::SkipDestination, 0}},
        {"stylesheet", {Word::SkipDestination, 0}},
        {"info", {Word::SkipDestination, 0}},
        {"pict", {Word::SkipDestination, 0}},
        {"object", {Word::SkipDestination, 0}},
        {"objdata", {Word::SkipDestination, 0}},
        {"header", {Word::SkipDestination, 0}},
        {"headerl", {Word::SkipDestination, 0}},
        {"headerr", {Word::SkipDestination, 0}},
        {"headerf", {Word::SkipDestination, 0}},
        {"footer", {Word::SkipDestination, 0}},
        {"footerl", {Word::SkipDestination, 0}},
        {"footerr", {Word::SkipDestination, 0}},
        {"footerf", {Word::SkipDestination, 0}},
        {"footnote", {Word::SkipDestination, 0}},
        {"annotation", {Word::SkipDestination, 0}},
        {"listtable", {Word::SkipDestination, 0}},
        {"listoverridetable", {Word::SkipDestination, 0}},
        {"revtbl", {Word::SkipDestination, 0}},
        {"rsidtbl", {Word::SkipDestination, 0}},
        {"filetbl", {Word::SkipDestination, 0}},
        {"fldinst", {Word::SkipDestination, 0}},
        {"pntext", {Word::SkipDestination, 0}},
        {"listtext", {Word::SkipDestination, 0}},
        {"template", {Word::SkipDestination, 0}},
        {"xe", {Word::SkipDestination, 0}},
        {"tc", {Word::SkipDestination, 0}},
        {"txe", {Word::SkipDestination, 0}},
        {"ftnsep", {Word::SkipDestination, 0}},
        {"ftnsepc", {Word::SkipDestination, 0}},
        {"ftncn", {Word::SkipDestination, 0}},
        {"aftnsep", {Word::SkipDestination, 0}},
        {"aftnsepc", {Word::SkipDestination, 0}},
        {"aftncn", {Word::SkipDestination, 0}},
        {"nonshppict", {Word::SkipDestination, 0}},
        {"shp", {Word::SkipDestination, 0}},
        {"shpinst", {Word::SkipDestination, 0}},
        {"sp", {Word::SkipDestination, 0}},
        {"docvar", {Word::SkipDestination, 0}},
        {"userprops", {Word::SkipDestination, 0}},
        {"generator", {Word::SkipDestination, 0}},
        {"themedata", {Word::SkipDestination, 0}},
        {"colorschememapping", {Word::SkipDestination, 0}},
        {"datastore", {Word::SkipDestination, 0}},
        {"latentstyles", {Word::SkipDestination, 0}},
        {"xmlnstbl", {Word::SkipDestination, 0}},
    };
    return table;
}

// Bytes that end a run of plain text in the RTF source.
constexpr std::array<bool, 256> makeSpecial() {
    std::array<bool, 256> t{};
    t[static_cast<unsigned char>('\\')] = true;
    t[static_cast<unsigned char>('{')] = true;
    t[static_cast<unsigned char>('}')] = true;
    t[static_cast<unsigned char>('\r')] = true;
    t[static_cast<unsigned char>('\n')] = true;
    t[0] = true;
    return t;
}
constexpr std::array<bool, 256> kSpecial = makeSpecial();

constexpr std::array<signed char, 256> makeHexValues() {
    std::array<signed char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = -1;
    for (int i = 0; i < 10; ++i) t['0' + i] = static_cast<signed char>(i);
    for (int i = 0; i < 6; ++i) {
        t['a' + i] = static_cast<signed char>(10 + i);
        t['A' + i] = static_cast<signed char>(10 + i);
    }
    return t;
}
constexpr std::array<signed char, 256> kHexValues = makeHexValues();

// The two hex digits at p and p[1] as one index into hexPairs().
inline unsigned hexPairIndex(const char* p) {
    return static_cast<unsigned char>(p[0]) |
           static_cast<unsigned>(static_cast<unsigned char>(p[1])) << 8;
}

// The byte two hex digits stand for, by hexPairIndex, or -1 when they are not
// two hex digits. CR and LF are -1 as well: as text they end an entry, which
// the reader's general way takes care of. Made once, at the first use.
const std::array<std::int16_t, 65536>& hexPairs() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::int16_t, 65536>>();
        for (unsigned i = 0; i < 65536; ++i) {
            const int hi = kHexValues[i & 0xFF];
            const int lo = kHexValues[i >> 8];
            const int b = hi * 16 + lo;
            (*t)[i] = static_cast<std::int16_t>((hi | lo) < 0 || b == '\r' || b == '\n' ? -1 : b);
        }
        return t;
    }();
    return *table;
}

constexpr std::array<char, 256> makeIdentity() {
    std::array<char, 256> t{};
    for (int i = 0; i < 256; ++i) t[i] = static_cast<char>(i);
    return t;
}
// The byte map of text in code page 1251, which needs no conversion.
constexpr std::array<char, 256> kIdentity = makeIdentity();

int hexValue(char c) {
    return kHexValues[static_cast<unsigned char>(c)];
}

bool isLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// ---------------------------------------------------------------------------

class RtfReader {
public:
    enum class Mode { Text, FontTable, Skip };

    struct Group {
        Mode mode = Mode::Text;
        int unicodeSkip = 1;               // \ucN: characters that follow a \uN as its stand-in
        const ByteTable* table = nullptr;  // code page of the text, nullptr for 1251
        bool operator==(const Group&) const = default;
    };

    // Reads into `entries`, reusing the strings it already holds: a list
    // loaded again from a file of much the same lines allocates little.
    RtfReader(std::string_view rtf, std::vector<std::string>& entries)
        : p_(rtf.data()),
          end_(rtf.data() + rtf.size()),
          // A paragraph never holds more characters than the document has
          // bytes (every character costs at least one byte of the source).
          // Only the part a paragraph uses is ever touched.
          buffer_(std::make_unique_for_overwrite<char[]>(rtf.size() + 1)),
          out_(buffer_.get()),
          entries_(entries) {
        stack_.reserve(32);
        stack_.push_back(Group{});  // the state outside the document's outermost group
    }

    // What a reader's state is between two entries, apart from its place.
    struct State {
        int pendingSkip;
        int documentCodePage;
        int font;
        int defaultFont;
        std::map<int, int> fontCodePages;
        std::vector<Group> stack;
        bool operator==(const State&) const = default;
    };

    State state() const {
        return State{pendingSkip_, documentCodePage_, font_, defaultFont_, fontCodePages_, stack_};
    }

    // A reader for `part`, a later stretch of the same document, that starts
    // in `state`.
    RtfReader(const State& state, std::string_view part, std::vector<std::string>& entries)
        : p_(part.data()),
          end_(part.data() + part.size()),
          pendingSkip_(state.pendingSkip),
          documentCodePage_(state.documentCodePage),
          font_(state.font),
          defaultFont_(state.defaultFont),
          fontCodePages_(state.fontCodePages),
          stack_(state.stack),
          buffer_(std::make_unique_for_overwrite<char[]>(part.size() + 1)),
          out_(buffer_.get()),
          entries_(entries) {}

    void read() {
        run();
        finish();
    }

    // Reads on until at least `count` entries are read (or the end).
    void readEntries(std::size_t count) {
        stopAfter_ = count;
        run();
        stopAfter_ = std::numeric_limits<std::size_t>::max();
    }

    // Reads up to `stop`, a point of the document before its end.
    void readUpTo(const char* stop) {
        end_ = stop;
        run();
    }

    std::size_t count() const { return count_; }
    const char* position() const { return p_; }

    // Whether the reader is in the document's text with nothing half read:
    // no \uN stand-ins to drop, nothing cut off by the end.
    bool inPlainText() const {
        return !finished_ && !clipped_ && pendingSkip_ == 0 && stack_.back().mode == Mode::Text;
    }

    // Whether the reader stands between two entries in `state`.
    bool betweenEntriesIn(const State& state) const {
        return inPlainText() && out_ == buffer_.get() && this->state() == state;
    }

    // The entries read so far stay; `laterEntries` follow them.
    void takeOver(std::vector<std::string>& laterEntries) {
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(count_), entries_.end());
        entries_.insert(entries_.end(), std::make_move_iterator(laterEntries.begin()),
                        std::make_move_iterator(laterEntries.end()));
        count_ = entries_.size();
    }

private:
    void run() {
        while (p_ < end_ && !finished_ && count_ < stopAfter_) {
            const char c = *p_;
            switch (c) {
                case '{':
                    ++p_;
                    pendingSkip_ = 0;
                    stack_.push_back(stack_.back());
                    break;
                case '}':
                    ++p_;
                    pendingSkip_ = 0;
                    if (stack_.size() > 1) {
                        const bool fontTableEnds = stack_.back().mode == Mode::FontTable &&
                                                   stack_[stack_.size() - 2].mode == Mode::Text;
                        stack_.pop_back();
                        // Text before any \f is in the default font, now known.
                        if (fontTableEnds) stack_.back().table = tableForFont(defaultFont_);
                    }
                    if (stack_.size() == 1) finished_ = true;  // the document's last brace
                    break;
                case '\\':
                    if (!textRun()) {
                        ++p_;
                        control();
                    }
                    break;
                case '\r':
                case '\n':
                case '\0':
                    ++p_;
                    break;
                default:
                    if (!textRun()) text();
                    break;
            }
        }
    }

    void finish() {
        // The text after the last break is a paragraph when it is not empty;
        // an empty last paragraph is the document's closing one.
        if (out_ != buffer_.get()) {
            store();
        } else if (count_ > 0 && entries_[count_ - 1].empty()) {
            --count_;
        }
        entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(count_), entries_.end());
    }


    // The fast way through document text: plain characters, \'hh escapes
    // (the bulk of a Cyrillic document), \par and the line breaks of the
    // source, with the position kept in locals. Stops at anything else and
    // returns false when it read nothing, so the general way takes over.
    bool textRun() {
        const Group& g = stack_.back();
        if (g.mode != Mode::Text || pendingSkip_ > 0) return false;
        return g.table == nullptr ? textRun<true>(kIdentity.data())
                                  : textRun<false>(g.table->data());
    }

    // `identity`: text in code page 1251, whose bytes are taken as they are.
    template <bool identity>
    bool textRun(const char* map) {
        const std::array<std::int16_t, 65536>& pairs = hexPairs();
        const char* p = p_;
        const char* const end = end_;
        char* out = out_;
        while (p < end) {
            const auto c = static_cast<unsigned char>(*p);
            if (!kSpecial[c]) {
                const char m = identity ? static_cast<char>(c) : map[c];
                // A code page may turn a byte into a line break (EBCDIC
                // has LF at 0x25): the general way makes it one.
                if (!identity && (m == '\r' || m == '\n')) break;
                *out++ = m;
                ++p;
                continue;
            }
            if (c == '\r' || c == '\n') {
                ++p;
                continue;
            }
            if (c != '\\' || end - p < 4) break;
            if (p[1] == '\'') {
                // A word of Cyrillic text is a run of escapes: taken in a
                // loop of its own, both digits at once.
                bool general = false;
                do {
                    const int b = pairs[hexPairIndex(p + 2)];
                    if (b < 0) {  // not two hex digits, or a line break
                        general = true;
                        break;
                    }
                    const char m = identity ? static_cast<char>(b) : map[b];
                    if (!identity && (m == '\r' || m == '\n')) {
                        general = true;
                        break;
                    }
                    *out++ = m;
                    p += 4;
                } while (end - p >= 4 && p[0] == '\\' && p[1] == '\'');
                if (general) break;
            } else if (p[1] == 'p' && p[2] == 'a' && p[3] == 'r' &&
                       (end - p == 4 || (!isLetter(p[4]) && !isDigit(p[4]) && p[4] != '-'))) {
                p += 4;
                if (p < end && *p == ' ') ++p;
                out_ = out;
                store();
                out = out_;
                if (count_ >= stopAfter_) break;
            } else {
                break;
            }
        }
        const bool moved = p != p_;
        p_ = p;
        out_ = out;
        return moved;
    }

    void text() {
        const char* start = p_;
        while (p_ < end_ && !kSpecial[static_cast<unsigned char>(*p_)]) ++p_;
        const Group& g = stack_.back();
        if (g.mode != Mode::Text) return;
        std::size_t n = static_cast<std::size_t>(p_ - start);
        if (pendingSkip_ > 0) {
            const std::size_t skip =
                std::min<std::size_t>(n, static_cast<std::size_t>(pendingSkip_));
            pendingSkip_ -= static_cast<int>(skip);
            start += skip;
            n -= skip;
        }
        const char* map = g.table == nullptr ? kIdentity.data() : g.table->data();
        for (std::size_t i = 0; i < n; ++i) {
            const char m = map[static_cast<unsigned char>(start[i])];
            if (m == '\r') {
                paragraph();  // a line break given as a character ends the entry
            } else if (m != '\n') {
                *out_++ = m;
            }
        }
    }

    // A character of the document text; a stand-in of a \uN is dropped.
    void emit(char c) {
        if (stack_.back().mode != Mode::Text) return;
        if (pendingSkip_ > 0) {
            --pendingSkip_;
            return;
        }
        if (c == '\r') {  // a line break given as a character ends the entry
            paragraph();
        } else if (c != '\n') {
            *out_++ = c;
        }
    }

    void paragraph() {
        if (stack_.back().mode != Mode::Text) return;
        pendingSkip_ = 0;
        store();
    }

    // Ends the paragraph read so far: it becomes the next entry.
    void store() {
        const char* text = buffer_.get();
        const auto n = static_cast<std::size_t>(out_ - text);
        if (count_ < entries_.size()) {
            entries_[count_].assign(text, n);
        } else {
            entries_.emplace_back(text, n);
        }
        ++count_;
        out_ = buffer_.get();
    }

    void control() {
        if (p_ >= end_) return;
        const char c = *p_;
        if (!isLetter(c)) {
            ++p_;
            symbol(c);
            return;
        }
        const char* wordStart = p_;
        while (p_ < end_ && isLetter(*p_)) ++p_;
        const std::string_view name(wordStart, static_cast<std::size_t>(p_ - wordStart));
        bool hasParam = false;
        long long param = 0;
        bool negative = false;
        if (p_ < end_ && *p_ == '-' && p_ + 1 < end_ && isDigit(p_[1])) {
            negative = true;
            ++p_;
        }
        while (p_ < end_ && isDigit(*p_)) {
            hasParam = true;
            if (param < 100000000000LL) param = param * 10 + (*p_ - '0');
            ++p_;
        }
        if (p_ < end_ && *p_ == ' ') ++p_;  // the space that ends a control word is part of it
        if (negative) param = -param;
        param = std::clamp<long long>(param, -2147483647LL, 2147483647LL);
        word(name, hasParam, static_cast<int>(param));
    }

    void symbol(char c) {
        switch (c) {
            case '\'': {
                if (end_ - p_ < 2) {
                    p_ = end_;  // cut off in the middle of the escape
                    clipped_ = true;
                } else {
                    const int hi = hexValue(p_[0]);
                    const int lo = hexValue(p_[1]);
                    if (hi >= 0 && lo >= 0) {
                        p_ += 2;
                        const auto b = static_cast<unsigned char>(hi * 16 + lo);
                        const ByteTable* table = stack_.back().table;
                        emit(table == nullptr ? static_cast<char>(b) : (*table)[b]);
                    }
                }
                break;
            }
            case '\\':
            case '{':
            case '}':
                emit(c);
                break;
            case '~':
                emit(static_cast<char>(0xA0));  // non-breaking space
                break;
            case '_':
                emit('-');  // non-breaking hyphen
                break;
            case '*':
                stack_.back().mode = Mode::Skip;  // an ignorable destination
                break;
            case '\r':
            case '\n':
                paragraph();  // a backslash before a line break is a \par
                break;
            default:
                break;  // \- (optional hyphen), \: , \| and unknown symbols show nothing
        }
    }

    void word(std::string_view name, bool hasParam, int param) {
        const auto& table = wordTable();
        const auto it = table.find(name);
        if (it == table.end()) return;
        Group& g = stack_.back();
        switch (it->second.word) {
            case Word::Ignore:
                break;
            case Word::Paragraph:
                paragraph();
                break;
            case Word::Tab:
                emit('\t');
                break;
            case Word::Char:
                emit(static_cast<char>(it->second.value));
                break;
            case Word::Nothing:
                if (pendingSkip_ > 0) --pendingSkip_;
                break;
            case Word::Unicode: {
                if (g.mode != Mode::Text || !hasParam) break;
                pendingSkip_ = 0;
                long cp = param;
                if (cp < 0) cp += 65536;
                if (cp >= 0xD800 && cp <= 0xDBFF) {
                    // The first half of a surrogate pair: the second half stands for the character.
                } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                    emit('?');
                } else {
                    emit(cp1251FromCodePoint(static_cast<char32_t>(cp)));
                }
                pendingSkip_ = g.unicodeSkip;
                break;
            }
            case Word::UnicodeSkip:
                g.unicodeSkip = hasParam && param >= 0 ? std::min(param, 16) : 1;
                break;
            case Word::Bin: {
                // Raw bytes follow, in any group: they are skipped, braces and all.
                const long long n = hasParam && param > 0 ? param : 0;
                if (n >= end_ - p_) clipped_ = true;
                p_ += std::min<long long>(n, end_ - p_);
                break;
            }
            case Word::AnsiCodePage:
                if (hasParam) setDocumentCodePage(param);
                break;
            case Word::DocumentCodePage:
                setDocumentCodePage(it->second.value);
                break;
            case Word::Font:
                if (!hasParam) break;
                if (g.mode == Mode::FontTable) {
                    font_ = param;
                } else if (g.mode == Mode::Text) {
                    g.table = tableForFont(param);
                }
                break;
            case Word::DefaultFont:
                if (hasParam) defaultFont_ = param;
                break;
            case Word::Plain:  // back to the default font
                if (g.mode == Mode::Text) g.table = tableForFont(defaultFont_);
                break;
            case Word::FontCharset:
                if (g.mode == Mode::FontTable && hasParam) {
                    fontCodePages_[font_] = codePageOfCharset(param, documentCodePage_);
                }
                break;
            case Word::FontCodePage:
                if (g.mode == Mode::FontTable && hasParam && param > 0)
                    fontCodePages_[font_] = param;
                break;
            case Word::FontTable:
                if (g.mode == Mode::Text) g.mode = Mode::FontTable;
                break;
            case Word::SkipDestination:
                g.mode = Mode::Skip;
                break;
        }
    }

    const ByteTable* tableForFont(int font) const {
        const auto f = fontCodePages_.find(font);
        return tableForCodePage(f == fontCodePages_.end() ? documentCodePage_ : f->second);
    }

    void setDocumentCodePage(int codePage) {
        documentCodePage_ = codePage;
        stack_.back().table = tableForCodePage(codePage);
        // Groups opened since the start take the document's code page too.
        for (Group& g : stack_) g.table = stack_.back().table;
    }

    const char* p_;
    const char* end_;
    bool finished_ = false;
    bool clipped_ = false;  // something ran into the end (a cut escape, \bin data)
    std::size_t stopAfter_ = std::numeric_limits<std::size_t>::max();
    int pendingSkip_ = 0;
    int documentCodePage_ = kDefaultCodePage;
    int font_ = 0;         // the font the font table is describing
    int defaultFont_ = 0;  // \deffN
    std::map<int, int> fontCodePages_;
    std::vector<Group> stack_;
    std::unique_ptr<char[]> buffer_;  // the paragraph being read
    char* out_;                       // where its next character goes
    std::vector<std::string>& entries_;
    std::size_t count_ = 0;  // entries read so far
};

// How the writer puts each byte of an entry into the document: the byte
// itself, an escaped symbol, \tab, or \'hh. Line breaks, which entries do
// not hold, are left to the careful way (length 0).
struct Escape {
    char text[8];
    unsigned char length;
};

constexpr std::array<Escape, 256> makeEscapes() {
    constexpr char hex[] = "0123456789abcdef";
    std::array<Escape, 256> t{};
    for (int i = 0; i < 256; ++i) {
        Escape& e = t[static_cast<std::size_t>(i)];
        if (i < 0x20 || i >= 0x80) {
            e = Escape{{'\\', '\'', hex[i >> 4], hex[i & 15]}, 4};
        } else {
            e = Escape{{static_cast<char>(i)}, 1};
        }
    }
    t['\\'] = Escape{{'\\', '\\'}, 2};
    t['{'] = Escape{{'\\', '{'}, 2};
    t['}'] = Escape{{'\\', '}'}, 2};
    t['\t'] = Escape{{'\\', 't', 'a', 'b', ' '}, 5};
    t['\r'] = Escape{{}, 0};
    t['\n'] = Escape{{}, 0};
    return t;
}
constexpr std::array<Escape, 256> kEscapes = makeEscapes();

// The bytes whose written form is neither the byte itself (below 0x80) nor a
// four-byte \'hh (from 0x80): control characters and the RTF specials.
constexpr std::array<unsigned char, 256> makeNeedsCare() {
    std::array<unsigned char, 256> t{};
    for (int i = 0; i < 256; ++i) {
        const unsigned usual = i < 0x80 ? 1 : 4;
        t[static_cast<std::size_t>(i)] = kEscapes[static_cast<std::size_t>(i)].length != usual;
    }
    return t;
}
constexpr std::array<unsigned char, 256> kNeedsCare = makeNeedsCare();

// The written forms of two bytes one after the other, as eight bytes in memory
// order (the tail past their length is of no account), by the index
// first | second << 8. Right for the bytes that need no care.
const std::array<std::uint64_t, 65536>& usualPairForms() {
    static const auto table = [] {
        auto t = std::make_unique<std::array<std::uint64_t, 65536>>();
        for (unsigned i = 0; i < 65536; ++i) {
            const Escape& first = kEscapes[i & 0xFF];
            const Escape& second = kEscapes[i >> 8];
            char form[16] = {};
            std::memcpy(form, first.text, 4);
            std::memcpy(form + (first.length == 4 ? 4 : 1), second.text, 4);
            std::memcpy(&(*t)[i], form, 8);
        }
        return t;
    }();
    return *table;
}

constexpr std::string_view kHeader =
    "{\\rtf1\\ansi\\ansicpg1251\\deff0\\deflang1049"
    "{\\fonttbl{\\f0\\fnil\\fcharset204 MS Sans Serif;}}\r\n"
    "\\viewkind4\\uc1\\pard\\f0\\fs16 ";
constexpr std::string_view kParagraph = "\\par\r\n";
constexpr std::string_view kEnd = "}\r\n";

}  // namespace

// Documents from this size on are read in two halves at once.
std::atomic<std::size_t> twoHalvesFrom{1024 * 1024};

void setTwoHalvesFromForTesting(std::size_t bytes) {
    twoHalvesFrom.store(bytes, std::memory_order_relaxed);
}

bool isRtf(std::string_view bytes) {
    return bytes.substr(0, 5) == "{\\rtf";
}

std::vector<std::string> readRtfEntries(std::string_view rtf) {
    std::vector<std::string> entries;
    readRtfEntries(rtf, entries);
    return entries;
}

void readRtfEntries(std::string_view rtf, std::vector<std::string>& entries) {
    // A large document is read in two halves at once. The second half starts
    // after a \par in the middle, in the state the reader had after the first
    // entry: text at the document's level, the usual case of a list. When the
    // first half ends in another state (the second half began inside a group,
    // a picture or a cut escape), its reading is thrown away and the
    // document is read again from the start, the plain way.
    constexpr std::string_view kBreak = "\\par\r\n";
    RtfReader first(rtf, entries);
    if (rtf.size() < twoHalvesFrom.load(std::memory_order_relaxed)) {
        first.read();
        return;
    }
    first.readEntries(1);
    const std::size_t split = rtf.find(kBreak, rtf.size() / 2);
    if (split == std::string_view::npos || first.count() == 0 || !first.inPlainText() ||
        first.position() > rtf.data() + split) {
        first.read();
        return;
    }
    const std::size_t secondStart = split + kBreak.size();
    const RtfReader::State start = first.state();
    // The strings the list held are shared out between the halves for reuse.
    std::vector<std::string> laterEntries;
    const std::size_t keep = std::max(first.count(), entries.size() / 2);
    laterEntries.assign(std::make_move_iterator(entries.begin() + static_cast<std::ptrdiff_t>(keep)),
                        std::make_move_iterator(entries.end()));
    entries.resize(keep);
    RtfReader second(start, rtf.substr(secondStart), laterEntries);
    std::exception_ptr failure;
    std::thread secondHalf;
    try {
        secondHalf = std::thread([&] {
            try {
                second.read();
            } catch (...) {
                failure = std::current_exception();
            }
        });
    } catch (const std::system_error&) {
        // No thread to be had: the plain way.
        entries.insert(entries.end(), std::make_move_iterator(laterEntries.begin()),
                       std::make_move_iterator(laterEntries.end()));
        first.read();
        return;
    }
    try {
        first.readUpTo(rtf.data() + secondStart);
    } catch (...) {
        secondHalf.join();
        throw;
    }
    secondHalf.join();
    if (failure) std::rethrow_exception(failure);
    if (first.betweenEntriesIn(start) && second.count() > 0) {
        first.takeOver(laterEntries);
    } else {
        RtfReader(rtf, entries).read();
    }
}

void writeRtfEntries(const std::vector<std::string>& entries,
                     const std::function<void(std::string_view)>& sink) {
    // Written into a buffer that is handed on whenever it is nearly full, so
    // a document of any size passes through 64 KiB of memory.
    constexpr std::size_t kBuffer = 64 * 1024;
    constexpr std::size_t kRoom = 64;  // every escape is copied whole (8 bytes)
    auto buffer = std::make_unique_for_overwrite<char[]>(kBuffer + kRoom);
    char* const start = buffer.get();
    char* const full = start + kBuffer;
    char* o = start;
    auto flush = [&] {
        sink(std::string_view(start, static_cast<std::size_t>(o - start)));
        o = start;
    };
    auto put = [&](std::string_view text) {
        if (o + text.size() > full) flush();
        std::memcpy(o, text.data(), text.size());
        o += text.size();
    };
    // Any entry, a byte at a time, minding the room left.
    auto putCarefully = [&](const std::string& e) {
        const char* p = e.data();
        const char* const end = p + e.size();
        for (; p < end; ++p) {
            if (o >= full) flush();
            const Escape& how = kEscapes[static_cast<unsigned char>(*p)];
            if (how.length != 0) {
                std::memcpy(o, how.text, sizeof how.text);
                o += how.length;
            } else {
                // Entries hold no line breaks; should one slip in, it starts
                // a new paragraph rather than vanish (CR LF makes one).
                if (*p == '\r' && p + 1 < end && p[1] == '\n') ++p;
                put(kParagraph);
            }
        }
    };
    put(kHeader);
    for (const std::string& e : entries) {
        // The usual entry, letters and plain punctuation, in one pass that
        // works out each byte's length from the byte itself; an entry with
        // anything else is written again the careful way.
        if (e.size() <= kBuffer / 8) {
            if (static_cast<std::size_t>(full - o) < e.size() * 4 + 8) flush();
            char* const entryStart = o;
            const auto* p = reinterpret_cast<const unsigned char*>(e.data());
            const auto* const end = p + e.size();
            unsigned careful = 0;
            // Two bytes at a time, their written forms taken together.
            const std::array<std::uint64_t, 65536>& pairs = usualPairForms();
            for (; end - p >= 2; p += 2) {
                const unsigned c0 = p[0];
                const unsigned c1 = p[1];
                std::memcpy(o, &pairs[c0 | c1 << 8], 8);
                o += 2 + 3 * ((c0 >> 7) + (c1 >> 7));
                careful |= kNeedsCare[c0] | kNeedsCare[c1];
            }
            if (p < end) {
                const unsigned c = *p;
                std::memcpy(o, kEscapes[c].text, 4);
                o += 1 + 3 * (c >> 7);
                careful |= kNeedsCare[c];
            }
            if (careful) {
                o = entryStart;
                putCarefully(e);
            }
        } else {
            putCarefully(e);
        }
        put(kParagraph);
    }
    put(kParagraph);  // the document's closing empty paragraph
    put(kEnd);
    flush();
}

std::string writeRtfEntries(const std::vector<std::string>& entries) {
    // The exact size first, so the document is built without growing.
    std::size_t size = kHeader.size() + kParagraph.size() + kEnd.size();
    for (const std::string& e : entries) {
        size += kParagraph.size();
        for (char c : e) {
            const unsigned length = kEscapes[static_cast<unsigned char>(c)].length;
            size += length != 0 ? length : kParagraph.size();
        }
    }
    std::string out;
    out.reserve(size);
    writeRtfEntries(entries, [&out](std::string_view bytes) { out.append(bytes); });
    return out;
}

}  // namespace sob
