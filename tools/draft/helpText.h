// Reading a program's help text: the options it lists, with their names,
// values and descriptions, the sections they stand in, and the operands of
// its usage line. Nothing here knows the script language; draftScript.h turns
// what is read into a script.
//
// The layouts read, line by line (helpLines.h holds the line patterns):
//
//   -a, --all            an option line: names separated by ',', '|', '/',
//   --all, -a            "or" or a blank; its description after two or more
//   -a --all             blanks, or on the following lines, indented further;
//   --size=SIZE          or after a single blank where the option column
//   --color[=WHEN]       overflows (the description then starts at the
//   -n NUM, --lines NUM  column the other lines use)
//   -nNUM, -i[SUFFIX]
//   --user <name:pw>
//   --mode {fast,slow}
//   -0 ... -9            a range of numbered options
//   -depth -maxdepth N   several options on one line, none described
//   Output control:      a heading: the options below it form its section
//   Usage: prog [OPTION]... FILE...   the usage line and its operands
//
// and option tables of two columns, which are split into single lines first.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// How one name of an option takes its value, as the help writes it.
enum class valueForm {
    none,              // -a, --all
    separate,          // -n NUM, --lines NUM, --user <name>
    optionalSeparate,  // --level [N]
    equals,            // --lines=NUM
    optionalEquals,    // --color[=WHEN]
    glued,             // -nNUM
    optionalGlued,     // -i[SUFFIX]
};

struct optionName {
    std::string name;         // as written: "-a", "--all", "-maxdepth"
    valueForm form = valueForm::none;
    std::string placeholder;  // as written: "NUM", "<file>", "{a,b}"; empty without a value
    int extraWords = 0;       // words after the value ("-fprintf FILE FORMAT": 1)
};

struct helpOption {
    std::vector<optionName> names;  // at least one
    std::string rangeLast;          // "-9" for "-0 ... -9", names then holding "-0"
    std::string description;        // its lines joined by single blanks
    std::size_t section = 0;        // index into helpText::sections
    std::size_t line = 0;           // where it stands in the text, from 1
};

struct helpOperand {
    std::string name;  // "FILE", "url", "[USER@]HOST:DEST"
    bool optional = false;
    bool repeated = false;
    std::string description;  // from a line that describes it ("  input  files to read"), if any
};

struct helpText {
    std::string program;                // the usage line's program, without a folder: "head"
    std::string usage;                  // the usage line after "Usage:", lines joined
    std::string summary;                // the first line of the description of the program
    std::vector<std::string> sections;  // the headings; sections[0] is "", for options before any
    std::vector<helpOption> options;    // in the text's order, each name once
    std::vector<helpOperand> operands;  // the usage line's, in its order
};

// Reads a help text: any bytes, lines ending with LF or CR LF. Tabs count to
// the next multiple of 8; escape sequences, overstruck characters and other
// control bytes are dropped. Options that the usage line alone names (BSD
// style "[-v] [-f file]") join the first section; a value the usage line gives
// an option listed without one is added to it. An option whose names were all
// seen before is left out.
helpText readHelp(std::string_view text);
