// The token reader: cleans script lines and cuts words, keywords, parameters
// and header items off their front; builds tooltip and dialog-filter texts.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "keywords.h"
#include "scan.h"
#include "scriptError.h"

// The extensions of an exten line written with a dot (".txt" or "*.txt"), as
// they stand in the line: the filter puts "*." before each all the same.
// (Left uninitialised but for count: most lines have none.)
struct dottedExtensions {
    struct place {
        const char* at;
        std::size_t size;
    };
    place written[MAX_EXTENSION_SUM];
    std::size_t count = 0;

    std::string_view operator[](std::size_t n) const { return {written[n].at, written[n].size}; }
};

class parserScr {
public:
    parserScr() { error.clear(); }

    // --- cleaning ---
    // Removes leading spaces, ':' and '='; false when the line is then empty
    // or starts with ';' (a line without content).
    bool symbDel(lineText& line) {
        scan::skipFront(line, scan::kLineNoise);
        return !line.empty() && line.front() != ';';
    }
    // Removes leading spaces and then one '-' or '='; cuts the line at its last
    // ';' unless that ';' is its first character.
    [[gnu::always_inline]] void garbageStrDel(lineText& line) {
        scan::skipFront(line, scan::kSpace);
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
    // What garbageStrDel and then takeUntil(line, ';') leave of a line, read
    // at once: after the leading spaces and one '-' or '=', the text up to
    // its first ';'. (Cutting at the last ';' first changes nothing then.)
    std::string_view caption(lineText& line);
    // The text up to, not including, the first mark character.
    std::string deleteWodrd(std::string_view text, char mark);
    // The same for the rest of a line that is not read again: a view into the line.
    std::string_view takeUntil(lineText& line, char mark);

    // --- tokens ---
    // Skips spaces, ',' and '='; returns the characters up to the end, a space,
    // ',', ':', ';' or '=' and removes them from the line: a view into the line.
    [[gnu::always_inline]] std::string_view divStr(lineText& line) { return scan::cutWord(line); }
    // Cuts the next word and returns its 1-based index in the table, 0 if
    // none. The table is known when compiling, so that each keyword is
    // compared as a constant.
    template <const std::string_view* table, std::uint32_t size>
    static std::uint32_t findKW(lineText& line) {
        return keywordNumber<table, size>(scan::cutWord(line));
    }
    // The 0-based index of word in the table; raises "   Uncknown action keyword!"
    // when it is not there.
    // (The readers' helpers are inlined where they are called: a call would
    // cost about as much as what they do.)
    [[gnu::always_inline]] std::uint32_t getFlag(std::string_view word, const std::string_view* table,
                                                 std::uint32_t size, const std::uint32_t& lineIndex) {
        for (std::uint32_t i = 0; i < size; ++i) {
            if (table[i] == word) return i;
        }
        unknownAction(word, table, size, lineIndex);
    }
    // Reads an order line: up to three words, "disable" ending it early. The
    // positions of path, keys and value go into bits 0-1, 2-3 and 4-5. A word
    // that is no order word, or a missing one, raises "   Unknown order keyword!".
    // A word written again takes its later place. With firstShift given, the
    // first word's bits (0, 2 or 4) are noted there, which tells whether a
    // word moved behind another that way (cnfBuilder::keyParse).
    [[gnu::always_inline]] std::uint8_t getOrder(lineText& line, const std::uint32_t& lineIndex,
                                                 unsigned* firstShift = nullptr) {
        unsigned result = 0;
        unsigned place = 0;
        for (unsigned words = 0; words <= 2; ++words) {
            unsigned shift = 0;
            const std::string_view word = scan::cutWord(line);
            switch (keywordNumber<orderKW, ORDER_KW_SUM>(word)) {
                case 1: shift = 0; break;  // path
                case 2: shift = 2; break;  // keys
                case 3: shift = 4; break;  // value
                case 4: return static_cast<std::uint8_t>(result);  // disable ends the line
                default: unknownOrderWord(word, words, line, lineIndex);
            }
            if (words == 0 && firstShift != nullptr) *firstShift = shift;
            ++place;
            result = (result & ~(3u << shift)) | (place << shift);
        }
        return static_cast<std::uint8_t>(result);
    }
    // The rest of a header line after its '#'; "   Header read error" when the
    // line (once cleaned) has content but does not start with '#'. A view into the line.
    virtual std::string_view getHeaderItem(lineText& line, const std::uint32_t& lineIndex);
    // Cuts one comma-separated parameter: skips leading spaces and '=', drops
    // spaces inside, ends at ',' (more set), ';' or the end (more cleared).
    std::string getParam(lineText& text, bool& more);
    // The same parameter as a view: into the line when it holds no space, else
    // into scratch, which holds it until the next call with the same scratch.
    std::string_view paramView(lineText& text, bool& more, std::string& scratch);
    // The parameter as it stands in the line, given what a paramView call
    // dropped off the line: without the blanks and '=' before it and the ','
    // or ';' and the blanks after it.
    static std::string_view paramAsWritten(std::string_view taken);

    // --- redefinition bookkeeping ---
    void redefClear();
    // Raises "   Parameter redefinition" when the keyword's flag is already set.
    void redefCheck(std::uint32_t /*size*/, std::uint32_t index, const std::uint32_t& lineIndex) {
        if (index >= PARAM_FLAG_SUM) return;
        if (redefFlags[index]) error.throwErr(error.paramErr, lineIndex, 1, 2);
        redefFlags[index] = true;
    }
    void clearError() { error.clear(); }

    // --- places, for diagnostics ---
    // Where text, read off a line of the script, stands in its line; text
    // from elsewhere (a copy, a rewritten text) gives {1, 0}. The line's
    // start is found only now, from the script's bytes: reading never pays
    // for it.
    textSpan spanOf(std::string_view text) const;
    // Where the first word (the keyword) stands in the line that holds text.
    textSpan keywordSpanOf(std::string_view text) const;

    // --- text transformations ---
    // Replaces every "<@" by a line feed, left to right.
    void setEndlForToolTip(std::string& text);
    // The same for size bytes at data; returns the size they shrank to.
    static std::size_t setEndlForToolTip(char* data, std::size_t size);
    // Builds "(*.e1, *.e2)" "\x01*.e1;*.e2\x01" from at most ten extensions.
    // A 0x01 byte inside an extension is dropped: it is the text's separator.
    // The eleventh extension is read and dropped; with dropped given, the
    // dropped extensions are read on and noted there. With dotted given, the
    // extensions taken that begin with "." or "*." are noted there.
    std::string createFilter(lineText& text, droppedNames* dropped = nullptr, dottedExtensions* dotted = nullptr);

    scriptError error;
    bool redefFlags[PARAM_FLAG_SUM] = {};
    // The whole script the lines are cut from, with the NUL after it; read
    // only for diagnostics. Every line ends there in a NUL byte (written over
    // its line feed or the carriage return before it) or a line feed.
    std::string_view scriptText;
    // Where each line begins in scriptText, when the builder keeps that:
    // then a line's start is looked up, not searched for.
    const std::vector<std::size_t>* lineStarts = nullptr;

private:
    // "   Uncknown action keyword!" for word.
    [[noreturn]] void unknownAction(std::string_view word, const std::string_view* table, std::uint32_t size,
                                    const std::uint32_t& lineIndex);
    // "   Unknown order keyword!" for the word at position words (from 0)
    // of an order line, left as it stands behind that word.
    [[noreturn]] void unknownOrderWord(std::string_view word, unsigned words, const lineText& line,
                                       const std::uint32_t& lineIndex);
    // The start of the script line that holds text; nullptr for other text.
    const char* lineStartOf(std::string_view text) const;
};
