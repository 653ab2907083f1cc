// What the compiler saw while it read a script, as data, for the tools that
// show a script to its author while it is written (the language server):
// every section with its name and extent, every name that refers to an item,
// every keyword it took and the texts the config gets, each with its place.
// The readers note them as they read, so a place here is where the reader
// found the text, and the place a message of the compiler names; nothing
// reads the script a second time.
//
// A compile that records facts reads on past an error (compileText.h): the
// section that failed is left at its error and the reading goes on at the
// next line that begins a section.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "scriptError.h"

// A text in a script: its zero-based line and where in that line it stands
// (column in bytes from 1, length in bytes).
struct scriptPlace {
    std::uint32_t line = 0;
    textSpan where;
};

// What a keyword was taken for.
enum class wordRole : std::uint8_t {
    section,    // the first word of a section: list, key, file, filter, marg, def
    parameter,  // a parameter keyword of a section (kind says which section)
    order,      // a word of an order line
    action,     // the word of an action line
    disable,    // disable in a next, kmarg or kfile line
    lineBreak,  // a "<@" in a tooltip
};

struct wordFact {
    scriptPlace place;
    wordRole role = wordRole::section;
    std::uint32_t kind = 0;  // for a parameter, the kind of its section
    std::string_view word;   // the keyword, from the language's tables
};

// A list, key, file item, filter or marg section, or a def line.
struct sectionFact {
    std::uint32_t kind = 0;      // LIST_KIND to MARG_KIND, or DEF_KIND
    std::string name;            // the item's name; for a def line, the list's
    scriptPlace place;           // where that name stands
    // Its last line with content: the last it read, or after an error the
    // last before the next section.
    std::uint32_t lastLine = 0;
    bool complete = false;       // read to its end without an error
    // Bit i - 1 set: the kind's parameter keyword i may still stand in the
    // section (none once it is complete). A parameter that another one made
    // needless (arg after an order without keys, filters after action = dir)
    // is not among them.
    std::uint32_t lacking = 0;
};

// What a text is, in the config.
enum class textRole : std::uint8_t {
    header,    // a header item
    caption,   // a list's, key's, file item's or marg's caption; a filter's text up to its patterns
    keyData,   // a key's arg
    tooltip,   // a marg's info, its "<@" turned into line breaks
    patterns,  // a filter's patterns, "*.a;*.b"
};

struct textFact {
    textRole role = textRole::caption;
    std::uint32_t section = 0;  // its section's index in sections; a header item's number from 0
    std::string value;          // as the config holds it
    scriptPlace place;          // as it is written
};

// A name that refers to an item: in items (keys), next (a list), kmarg (a
// marg), kfile (a file item), filters (filters) or a def line (a list).
struct referenceFact {
    std::uint32_t kind = 0;     // the kind of item it names
    std::string name;           // as it is looked up: an items or filters name loses its blanks inside
    scriptPlace place;          // the name as it stands in its line
    std::uint32_t section = 0;  // the index in sections of the section whose line holds it
};

// The most errors a compile that reads on gathers; the first one beyond
// them ends the reading.
inline constexpr std::size_t kMostErrors = 100;

struct scriptFacts {
    std::vector<std::size_t> lineStarts;  // the offset in the script's bytes where each line begins
    std::uint32_t bodyLine = 0;           // the line where the sections begin, after the header
    // All but words are in script order; so are words within a line.
    std::vector<sectionFact> sections;
    std::vector<referenceFact> references;
    std::vector<wordFact> words;
    std::vector<textFact> texts;
    // Every line was read: no error made the reading skip any (a name that
    // names nothing is found only after it).
    bool readWhole = false;
};

// Whether a word is a valid name for an item of the kind: a word the readers
// read whole wherever a name of that kind stands. Empty when it is; else why not.
std::string nameProblem(std::string_view name, std::uint32_t kind);
