// The error record: every failure the compiler detects is a code written into
// one category of a scriptError and a copy of the whole record thrown by value.
// Only the driver catches it and asks it to print itself.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

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

    scriptError() { clear(); }

    // Sets every field but errFlag to 0 and forgets the detail.
    void clear();

    // Records the line, the flag, the code in the given category (a field of
    // this record) and the detail, and throws a copy of the whole record.
    [[noreturn]] void throwErr(std::int32_t& category, const std::uint32_t& line,
                               std::uint32_t flag, std::uint32_t code, std::string text = {});

    // Prints one line per category that holds a known code, in the fixed order
    // strings, header, item type, parameter, item name, keyword, limit, file;
    // then "   Error line: " with errLine + 1 unless a file error is set.
    void debugFunc() const;
    void debugFunc(std::ostream& out) const;

    // What the error says on standard error: the detail; without one, the
    // first fixed message, without its leading blanks.
    std::string message() const;

    // The one line for standard error: "SCRIPT:LINE: error: MESSAGE", or
    // "tarvelkin: error: MESSAGE" for a file error, which names no line.
    void diagnose(std::ostream& err, std::string_view script) const;
};

// Diagnostic lines in the form editors and CI parse, each written whole: a
// script line is given zero-based and printed from 1; kind is "error" or
// "warning".
void printDiagnostic(std::ostream& err, std::string_view script, std::uint32_t lineIndex,
                     std::string_view kind, std::string_view text);
// The line printDiagnostic writes, with its line end, appended to out.
void appendDiagnostic(std::string& out, std::string_view script, std::uint32_t lineIndex,
                      std::string_view kind, std::string_view text);
// The same where no script line applies: "tarvelkin: KIND: TEXT".
void printDiagnostic(std::ostream& err, std::string_view kind, std::string_view text);

// Script text in double quotes for a message: control characters written as
// \t, \r or \xNN, and a text longer than 40 bytes cut with "...".
std::string inQuotes(std::string_view text);

// The words joined for a message, last standing before the last word:
// "a, b or c" with " or ", "a, b, c" with ", ".
std::string wordList(const std::string_view* words, std::uint32_t count, std::string_view last);
