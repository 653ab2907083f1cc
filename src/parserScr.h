// The token reader: cleans script lines and cuts words, keywords, parameters
// and header items off their front; builds tooltip and dialog-filter texts.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "keywords.h"
#include "scriptError.h"

// A script line that the readers consume from the front: a view into the
// script's bytes, which its owner (the builder) keeps for the whole compile.
// Reading moves the view's start, so reading a line costs time linear in its
// length however it is cut, and no line is ever copied. A line ends at its
// first NUL byte.
class lineText {
public:
    lineText() = default;
    explicit lineText(std::string_view text) : rest(text.substr(0, std::min(text.size(), text.find('\0')))) {}
    explicit lineText(const char* text) : lineText(std::string_view(text)) {}
    // A line never owns its text: a temporary string would leave it dangling.
    explicit lineText(std::string&&) = delete;
    // A line of a text known to hold no NUL byte.
    static lineText withoutNul(std::string_view text) {
        lineText line;
        line.rest = text;
        return line;
    }

    std::string_view view() const { return rest; }
    std::string str() const { return std::string(rest); }
    bool empty() const { return rest.empty(); }
    std::size_t size() const { return rest.size(); }
    // The character at i of what is left, or NUL past its end.
    char at(std::size_t i) const { return i < rest.size() ? rest[i] : '\0'; }
    char front() const { return at(0); }
    void dropFront(std::size_t n) { rest.remove_prefix(std::min(n, rest.size())); }
    // What is left, as a string of its own; the line is empty afterwards.
    std::string take() {
        std::string out(rest);
        rest = {};
        return out;
    }
    // Keeps the first n characters of what is left.
    void keepFront(std::size_t n) {
        if (n < rest.size()) rest = rest.substr(0, n);
    }

private:
    std::string_view rest;
};

// Names read past a limit, for the warning that names them: the first three
// and whether there are more. Empty names do not count. Reading stops once
// more is known, so that a long list costs nothing beyond its fourth name.
struct droppedNames {
    std::vector<std::string> shown;
    bool further = false;

    void add(std::string name);
    bool empty() const { return shown.empty(); }
    // Whether reading on can add nothing to the warning.
    bool complete() const { return further; }
    // "\"a\", \"b\", \"c\"" or "\"a\", \"b\", \"c\" and more"
    std::string list() const;
};

// Whether two short texts (keywords, names) are equal: compared in place,
// cheaper for a few bytes than a call to the library's comparison.
inline bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i]) return false;
    return true;
}

// The word a reader cut off a line, given the line's text before the cut and
// the line after it: what was cut, without the blanks, ',' and '=' skipped.
std::string_view wordCut(std::string_view before, const lineText& after);

// Whether the word is one of the table's words when letter case is ignored.
bool inTableIgnoringCase(std::string_view word, const std::string_view* table, std::uint32_t size);

class parserScr {
public:
    parserScr() { error.clear(); }

    // --- cleaning ---
    // Removes leading spaces, ':' and '='; false when the line is then empty
    // or starts with ';' (a line without content).
    bool symbDel(lineText& line);
    // Removes leading spaces and then one '-' or '='; cuts the line at its last
    // ';' unless that ';' is its first character.
    void garbageStrDel(lineText& line);
    // The text up to, not including, the first mark character.
    std::string deleteWodrd(std::string_view text, char mark);
    // The same for the rest of a line that is not read again.
    std::string takeUntil(lineText& line, char mark);

    // --- tokens ---
    // Skips spaces, ',' and '='; returns the characters up to the end, a space,
    // ',', ':', ';' or '=' and removes them from the line.
    std::string divStr(lineText& line);
    // Cuts the next word and returns its 1-based index in the table, 0 if none.
    std::uint32_t findKW(lineText& line, const std::string_view* table, std::uint32_t size);
    // The 0-based index of word in the table; raises "   Uncknown action keyword!"
    // when it is not there.
    std::uint32_t getFlag(const std::string& word, const std::string_view* table,
                          std::uint32_t size, const std::uint32_t& lineIndex);
    // Reads an order line: up to three words, "disable" ending it early. The
    // positions of path, keys and value go into bits 0-1, 2-3 and 4-5. A word
    // that is no order word, or a missing one, raises "   Unknown order keyword!".
    std::uint8_t getOrder(lineText& line, const std::string_view* table, std::uint32_t size,
                          const std::uint32_t& lineIndex);
    // The rest of a header line after its '#'; "   Header read error" when the
    // line (once cleaned) has content but does not start with '#'.
    virtual std::string getHeaderItem(lineText& line, const std::uint32_t& lineIndex);
    // Cuts one comma-separated parameter: skips leading spaces and '=', drops
    // spaces inside, ends at ',' (more set), ';' or the end (more cleared).
    std::string getParam(lineText& text, bool& more);

    // --- redefinition bookkeeping ---
    void redefClear();
    // Raises "   Parameter redefinition" when the keyword's flag is already set.
    void redefCheck(std::uint32_t size, std::uint32_t index, const std::uint32_t& lineIndex);
    void clearError() { error.clear(); }

    // --- text transformations ---
    // Replaces every "<@" by a line feed, left to right.
    void setEndlForToolTip(std::string& text);
    // Builds "(*.e1, *.e2)" "\x01*.e1;*.e2\x01" from at most ten extensions.
    // A 0x01 byte inside an extension is dropped: it is the text's separator.
    // The eleventh extension is read and dropped; with dropped given, the
    // dropped extensions are read on and noted there.
    std::string createFilter(lineText& text, droppedNames* dropped = nullptr);

    scriptError error;
    bool redefFlags[PARAM_FLAG_SUM] = {};
};
