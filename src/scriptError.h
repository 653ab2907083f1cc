// The error record: every failure the compiler detects is a code written into
// one category of a scriptError and a copy of the whole record thrown by value.
// Only the driver catches it and asks it to print itself.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

// Where in its line a diagnostic's text stands: the column of its first byte,
// counted in bytes from 1, and its length in bytes. A diagnostic that names no
// text of its line points at the line's start, with length 0.
struct textSpan {
    std::uint32_t column = 1;
    std::uint32_t length = 0;
};

class scriptError {
public:
    std::int32_t errFlag = 0;      // set to 1 by every throwErr; nothing reads it
    std::int32_t stringsErr = 0;   // 1 too many script lines, 2 unexpected end of script
    std::int32_t headerErr = 0;    // 1 bad header line
    std::int32_t spare1 = 0;
    std::int32_t itemTypeErr = 0;  // 1 a section line starts with no section keyword
    std::int32_t itemNameErr = 0;  // 1 duplicate name, 2 name not found
    std::int32_t paramErr = 0;     // 1 to 7, see the message table
    std::int32_t keywordErr = 0;   // 1 bad action word, 2 bad order word
    std::int32_t spare2 = 0;
    std::int32_t limitErr = 0;     // 1 list, 2 key, 3 file, 4 filter, 5 marg
    std::int32_t spare3 = 0;
    std::int32_t fileErr = 0;      // 1 script not opened, 2 script empty, 3 config not written
    std::int32_t itemIndex = 0;    // position of the name whose lookup failed, from 0
    std::int32_t errLine = 0;      // zero-based script line the error refers to
    // What was found and what was expected, for standard error; the fixed
    // message above stays what standard output shows.
    std::string detail;
    // Where in errLine the offending text stands.
    std::uint32_t errColumn = 1;
    std::uint32_t errLength = 0;

    scriptError() { clear(); }

    // Sets every field but errFlag to 0, forgets the detail and points at
    // the start of the line.
    void clear();

    // Records the line, the flag, the code in the given category (a field of
    // this record), the detail and the offending text's place in the line,
    // and throws a copy of the whole record.
    [[noreturn]] void throwErr(std::int32_t& category, const std::uint32_t& line,
                               std::uint32_t flag, std::uint32_t code, std::string text = {},
                               textSpan where = {});
    // The same record, made but not thrown: a copy to keep.
    scriptError madeErr(std::int32_t& category, const std::uint32_t& line, std::uint32_t flag,
                        std::uint32_t code, std::string text = {}, textSpan where = {});

    // Prints one line per category that holds a known code, in the fixed order
    // strings, header, item type, parameter, item name, keyword, limit, file;
    // then "   Error line: " with errLine + 1 unless a file error is set.
    void debugFunc() const;
    void debugFunc(std::ostream& out) const;

    // What the error says on standard error: the detail; without one, the
    // first fixed message, without its leading blanks.
    std::string message() const;

    // The one line for standard error: "SCRIPT:LINE:COLUMN: error: MESSAGE",
    // or "tarvelkin: error: MESSAGE" for a file error, which names no line.
    void diagnose(std::ostream& err, std::string_view script) const;
};

// What compiles but is almost surely not meant: where it stands (a zero-based
// line and the place in it) and what it says.
struct scriptWarning {
    std::uint32_t line = 0;
    textSpan where;
    std::string text;
};

// Diagnostic lines, in the form compilers write and editors and CI parse, are
// made here only, when they are printed. A script line is given zero-based and
// printed from 1; kind is "error" or "warning".
// "SCRIPT:LINE:COLUMN: KIND: TEXT" and its line end, appended to out.
void appendDiagnostic(std::string& out, std::string_view script, std::uint32_t lineIndex,
                      std::uint32_t column, std::string_view kind, std::string_view text);
void appendDiagnostic(std::string& out, std::string_view script, const scriptWarning& warning);
// Where no script line applies, written whole to err: "tarvelkin: KIND: TEXT".
void printDiagnostic(std::ostream& err, std::string_view kind, std::string_view text);

// Script text in double quotes for a message: control characters written as
// \t, \r or \xNN, and a text longer than 40 bytes cut with "...".
std::string inQuotes(std::string_view text);

// What a reader wanted where it found another word, the one place that words
// it: "; expected a, b or c", or with oneOf "; expected one of a, b, c".
std::string expectedWords(const std::string_view* words, std::uint32_t count, bool oneOf = false);

// Names read past a limit, for the warning that names them: the first three
// and whether there are more. Empty names do not count. Reading stops once
// more is known, so that a long list costs nothing beyond its fourth name.
struct droppedNames {
    std::vector<std::string> shown;
    bool further = false;
    std::string_view firstWritten;  // the first name shown, as it stands in its line

    void add(std::string name, std::string_view written = {});
    bool empty() const { return shown.empty(); }
    // Whether reading on can add nothing to the warning.
    bool complete() const { return further; }
    // "\"a\", \"b\", \"c\"" or "\"a\", \"b\", \"c\" and more"
    std::string list() const;
};
