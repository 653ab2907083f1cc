#include "parserScr.h"

#include <string>

#include "utils.h"

namespace {

// A set of characters, tested by table lookup.
class charSet {
public:
    constexpr explicit charSet(std::string_view chars) {
        for (char c : chars) member[static_cast<unsigned char>(c)] = true;
    }
    bool has(char c) const { return member[static_cast<unsigned char>(c)]; }

    // How many leading characters of text belong to the set (or, with inSet
    // false, do not belong to it).
    std::size_t span(std::string_view text, bool inSet = true) const {
        const char* const begin = text.data();
        const char* const end = begin + text.size();
        const char* at = begin;
        while (at != end && member[static_cast<unsigned char>(*at)] == inSet) ++at;
        return static_cast<std::size_t>(at - begin);
    }

private:
    bool member[256] = {};
};

constexpr charSet kWordSkip(" ,=");
constexpr charSet kWordEnd(std::string_view(" ,:;=\0", 6));
constexpr charSet kLineNoise(" :=");
constexpr charSet kParamSkip(" =");
constexpr charSet kSpace(" ");
constexpr charSet kParamStop(std::string_view(" ,;\0", 4));

void skipFront(lineText& line, const charSet& skip) { line.dropFront(skip.span(line.view())); }

// Cuts the next word off the line; the view stays valid while the line lives.
std::string_view cutWord(lineText& line) {
    const std::string_view rest = line.view();
    const std::size_t start = kWordSkip.span(rest);
    const std::size_t length = kWordEnd.span(rest.substr(start), false);
    line.dropFront(start + length);
    return rest.substr(start, length);
}

// Appends text without its 0x01 bytes, which separate the parts of a filter text.
void appendWithoutSeparators(std::string& out, std::string_view text) {
    for (char c : text) {
        if (c != '\x01') out += c;
    }
}

// The 1-based index of the word in the table, 0 if none. An empty word never matches.
// Keywords are short: length and first letter settle most comparisons.
std::uint32_t keywordIndex(std::string_view word, const std::string_view* table, std::uint32_t size) {
    if (word.empty()) return 0;
    for (std::uint32_t i = 0; i < size; ++i) {
        if (sameText(table[i], word)) return i + 1;
    }
    return 0;
}

// "; keywords are lower case" when the word is a keyword in other letters.
std::string caseHint(std::string_view word, const std::string_view* table, std::uint32_t size) {
    return inTableIgnoringCase(word, table, size) ? "; keywords are lower case" : "";
}

constexpr std::size_t kDroppedShown = 3;

// What is wrong with an order line whose word at position words (from 0) is no
// order word; the line is left as it stands behind that word.
std::string orderProblem(std::string_view word, unsigned words, const lineText& line,
                         const std::string_view* table, std::uint32_t size) {
    const std::string expected = "; expected " + wordList(table, size, " or ");
    if (!word.empty())
        return "unknown order word " + inQuotes(word) + expected + caseHint(word, table, size);
    if (line.front() == ':') return "\":\" does not separate order words; write order = keys path value";
    if (words == 0) return "the order line holds no word" + expected;
    return "the order line ends after " + std::to_string(words) + (words == 1 ? " word" : " words") +
           "; end a shorter order with disable, as in order = keys, disable";
}

}  // namespace

void droppedNames::add(std::string name) {
    if (name.empty()) return;
    if (shown.size() < kDroppedShown) {
        shown.push_back(std::move(name));
    } else {
        further = true;
    }
}

std::string droppedNames::list() const {
    std::string out;
    for (const std::string& name : shown) {
        if (!out.empty()) out += ", ";
        out += inQuotes(name);
    }
    if (further) out += " and more";
    return out;
}

std::string_view wordCut(std::string_view before, const lineText& after) {
    const std::string_view cut = before.substr(0, before.size() - std::min(before.size(), after.size()));
    return cut.substr(kWordSkip.span(cut));
}

bool inTableIgnoringCase(std::string_view word, const std::string_view* table, std::uint32_t size) {
    for (std::uint32_t i = 0; i < size; ++i) {
        if (equalIgnoringCase(word, table[i])) return true;
    }
    return false;
}

bool parserScr::symbDel(lineText& line) {
    skipFront(line, kLineNoise);
    return !line.empty() && line.front() != ';';
}

void parserScr::garbageStrDel(lineText& line) {
    skipFront(line, kSpace);
    if (line.front() == '-' || line.front() == '=') line.dropFront(1);
    // A ';' in the first position is never taken for the end of the value.
    // (The last ';' is found by searching forwards, which the library does
    // many bytes at a time.)
    const std::string_view rest = line.view();
    std::size_t semicolon = std::string_view::npos;
    for (std::size_t at = rest.find(';'); at != std::string_view::npos; at = rest.find(';', at + 1))
        semicolon = at;
    if (semicolon != std::string_view::npos && semicolon > 0) line.keepFront(semicolon);
}

std::string parserScr::deleteWodrd(std::string_view text, char mark) {
    return std::string(text.substr(0, text.find(mark)));
}

std::string parserScr::takeUntil(lineText& line, char mark) {
    line.keepFront(std::min(line.size(), line.view().find(mark)));
    return line.take();
}

std::string parserScr::divStr(lineText& line) { return std::string(cutWord(line)); }

std::uint32_t parserScr::findKW(lineText& line, const std::string_view* table, std::uint32_t size) {
    return keywordIndex(cutWord(line), table, size);
}

std::uint32_t parserScr::getFlag(const std::string& word, const std::string_view* table,
                                 std::uint32_t size, const std::uint32_t& lineIndex) {
    for (std::uint32_t i = 0; i < size; ++i) {
        if (table[i] == word) return i;
    }
    const std::string found =
        word.empty() ? std::string("the action word is missing") : "unknown action " + inQuotes(word);
    error.throwErr(error.keywordErr, lineIndex, 1, 1,
                   found + "; expected " + wordList(table, size, " or ") + caseHint(word, table, size));
}

std::uint8_t parserScr::getOrder(lineText& line, const std::string_view* table, std::uint32_t size,
                                 const std::uint32_t& lineIndex) {
    unsigned result = 0;
    unsigned place = 0;
    for (unsigned words = 0; words <= 2; ++words) {
        unsigned shift = 0;
        const std::string_view word = cutWord(line);
        switch (keywordIndex(word, table, size)) {
            case 1: shift = 0; break;  // path
            case 2: shift = 2; break;  // keys
            case 3: shift = 4; break;  // value
            case 4: return static_cast<std::uint8_t>(result);  // disable ends the line
            default:
                error.throwErr(error.keywordErr, lineIndex, 1, 2,
                               orderProblem(word, words, line, table, size));
        }
        ++place;
        result = (result & ~(3u << shift)) | (place << shift);
    }
    return static_cast<std::uint8_t>(result);
}

std::string parserScr::getHeaderItem(lineText& line, const std::uint32_t& lineIndex) {
    symbDel(line);
    if (line.empty()) return std::string();
    if (line.front() != '#') {
        const bool byteOrderMark = line.view().substr(0, 3) == "\xEF\xBB\xBF";
        error.throwErr(error.headerErr, lineIndex, 1, 1,
                       "expected a header line beginning with \"#\", found " + inQuotes(line.view()) +
                           (byteOrderMark ? " (the file begins with a byte order mark: save it without one)"
                                          : " (the header is the first six lines with content)"));
    }
    line.dropFront(1);
    symbDel(line);
    return line.str();
}

std::string parserScr::getParam(lineText& text, bool& more) {
    more = false;
    skipFront(text, kParamSkip);
    const std::string_view rest = text.view();
    std::string param;
    std::size_t i = 0;
    for (;;) {
        // A run up to the next blank, ',', ';' or NUL goes in at once; spaces
        // inside a parameter are dropped.
        const std::size_t run = kParamStop.span(rest.substr(i), false);
        param.append(rest, i, run);
        i += run;
        if (i == rest.size() || rest[i] != ' ') break;
        ++i;
    }
    if (i < rest.size() && rest[i] == ',') more = true;
    // The walk stopped at a ',' or ';' (removed with what was read) or at the end.
    text.dropFront(i < rest.size() ? i + 1 : i);
    return param;
}

void parserScr::redefClear() {
    for (bool& flag : redefFlags) flag = false;
}

void parserScr::redefCheck(std::uint32_t /*size*/, std::uint32_t index, const std::uint32_t& lineIndex) {
    if (index >= PARAM_FLAG_SUM) return;
    if (redefFlags[index]) error.throwErr(error.paramErr, lineIndex, 1, 2);
    redefFlags[index] = true;
}

void parserScr::setEndlForToolTip(std::string& text) {
    // Each marker becomes one character, so the text is rewritten in place,
    // from the first '<' on.
    std::size_t in = text.find('<');
    if (in == std::string::npos) return;
    std::size_t out = in;
    for (; in < text.size(); ++in) {
        if (text[in] == '<' && in + 1 < text.size() && text[in + 1] == '@') {
            text[out++] = '\n';
            ++in;
        } else {
            text[out++] = text[in];
        }
    }
    text.resize(out);
}

std::string parserScr::createFilter(lineText& text, droppedNames* dropped) {
    std::string readable = "(*.";
    std::string pattern = "\x01*.";
    bool more = true;
    for (std::uint32_t n = 0; more; ++n) {
        std::string extension = getParam(text, more);
        if (n >= MAX_EXTENSION_SUM) {
            // The eleventh extension has been read and is dropped, and with it the rest.
            if (dropped == nullptr) break;
            dropped->add(std::move(extension));
            if (dropped->complete()) break;
        } else {
            if (n != 0) {
                readable += ", *.";
                pattern += ";*.";
            }
            appendWithoutSeparators(readable, extension);
            appendWithoutSeparators(pattern, extension);
        }
    }
    return readable + ")" + pattern + "\x01";
}
