// What a script names and where, for tools that show a script to its author
// while it is being written (the language server): its sections with their
// names and lines, every reference to an item by name, and what the compiler
// says about it. Everything is read by the compiler's own readers, so a place
// here is the place a message of the compiler names.
//
// A script with an error is read on past it: the section that failed is
// blanked out (its lines become blanks, so that every other line keeps its
// number and columns) and the script compiled again, up to a bound, so that
// the sections after an error still have their references and captions.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "compileText.h"
#include "scriptError.h"

// A text in a script: its zero-based line and where in that line it stands
// (column in bytes from 1, length in bytes).
struct scriptPlace {
    std::uint32_t line = 0;
    textSpan where;
};

// One section: a list, key, file item, filter or marg, or a def line.
struct scriptSection {
    std::uint32_t kind = 0;      // LIST_KIND to MARG_KIND, or DEF_KIND
    std::string name;            // the item's name; for a def line, the list's
    scriptPlace place;           // where that name stands
    std::uint32_t lastLine = 0;  // the section's last line with content
    bool read = false;           // the compiler read it whole: caption and note are known
    std::string caption;         // as the config holds it (a filter's with its extensions)
    // The key data of a key whose order inserts it, a marg's tooltip, a
    // filter's patterns, a file item's action; empty otherwise.
    std::string note;
};

// A name that refers to an item: in items (keys), next (a list), kmarg (a
// marg), kfile (a file item), filters (filters) or a def line (a list). The
// place is the name as it stands in its line; the name is as it is looked up
// (an items or filters name loses its blanks inside).
struct scriptReference {
    std::uint32_t kind = 0;  // the kind of item it names
    std::string name;
    scriptPlace place;
};

struct scriptIndex {
    compileResult compiled;                  // the compile of the script as it stands
    std::vector<scriptError> laterErrors;    // errors of the sections after the first error
    std::vector<scriptSection> sections;     // in script order
    std::vector<scriptReference> references; // in script order
    std::uint32_t bodyLine = 0;              // the first line after the six header lines
    // Every section was read, so that references holds every reference: the
    // script compiled, or failed only when resolving names.
    bool complete = false;
};

// The index of a script's bytes; name stands for the script in messages, as
// for compileText. Never fails, whatever the bytes.
scriptIndex indexScript(std::string_view bytes, std::string_view name);

// Whether a word is a valid name for an item of the kind: a word the readers
// read whole wherever a name of that kind stands. Empty when it is; else why not.
std::string nameProblem(std::string_view name, std::uint32_t kind);
