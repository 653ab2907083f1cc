// The lines of a help text, cleaned, and the patterns that read the option
// names at the start of an option line.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "helpText.h"

// The text's lines, without line ends: tabs written as blanks to the next
// multiple of 8, escape sequences (ESC [ ... and the like) and overstruck
// characters (X BS X, _ BS X) reduced to what shows, carriage returns and
// other control bytes dropped. A table of options in two columns (three or
// more lines with a second option at the same column, its description after
// two blanks) becomes one option a line: the right-hand option follows its
// left-hand neighbour, indented as it is.
std::vector<std::string> helpLines(std::string_view text);

// The option names at the start of an option line, as read.
struct optionHead {
    std::vector<optionName> names;
    // joins[k] is what stood between names[k] and names[k + 1]: ',' for a
    // comma, '|', '/', 'o' for the word "or", ' ' for blanks only.
    std::vector<char> joins;
    std::string rangeLast;  // "-9" in "-0 ... -9"
    // Where the line's description begins: after two or more blanks, or after
    // one blank at a word that is no name and no value; npos when the line
    // holds names only.
    std::size_t descriptionAt = std::string::npos;
    // The line ends with a ',' or '|' after a name: the names go on, on the next line.
    char continuedBy = 0;
};

// Reads the names that begin line (after its blanks): true when it begins
// with at least one option name. descriptionColumn is the column at which the
// help's descriptions usually begin, 0 when not known: a value-like word that
// follows a single blank at or after that column is taken for the start of
// the description ("--json JSON output" where the column overflows).
bool readOptionHead(std::string_view line, std::size_t descriptionColumn, optionHead& head);

// The index of the first non-blank character, or the line's length.
std::size_t indentOf(std::string_view line);
