// Drafting scripts from help texts, in-process: a table of help layouts, each
// a small text written for this test, with the options, operands and summary
// read from it, and the draft of each, which must compile without a warning
// and come back from its config (ccdump --script) as the same bytes. Then
// generated help texts past every limit of the language.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "cnfReader.h"
#include "draft.h"
#include "helpText.h"
#include "optionFacts.h"
#include "roundTrip.h"

namespace {

// An option line with its description at column 28, or below it when the names fill the column.
std::string opt(const std::string& names, const std::string& description) {
    const std::string line = "  " + names;
    if (line.size() >= 27) return line + "\n" + std::string(28, ' ') + description + "\n";
    return line + std::string(28 - line.size(), ' ') + description + "\n";
}

// Two options a line, the second at column 32.
std::string twoColumns(const std::string& left, const std::string& right) {
    const std::string line = "  " + left;
    return line + std::string(32 - line.size(), ' ') + right + "\n";
}

// What a value becomes: <text>, <text: a|b>, <load>, <save>, <dir>; "?" marks a guessed dialog.
std::string valueOf(const helpOption& option, const optionOffers& offers) {
    const valueFacts facts = valueFactsOf(offers.placeholder, option.description, offers.keys.front().data);
    std::string kind = facts.kind == valueKind::text ? "text" : facts.kind == valueKind::folder ? "dir"
                                                              : facts.save                      ? "save"
                                                                                                : "load";
    for (std::size_t i = 0; i < facts.choices.size(); ++i) kind += (i == 0 ? ": " : "|") + facts.choices[i];
    return "<" + kind + (facts.guess.empty() ? "" : "?") + ">";
}

// SECTION | AS WRITTEN => KEYS | DESCRIPTION, the keys by their key data and value.
std::string summaryOf(const helpText& help, const helpOption& option) {
    const std::string& section = help.sections[option.section];
    std::string line = (section.empty() ? "-" : section) + " | " + writtenForm(option) + " =>";
    const optionOffers offers = offersOf(option);
    for (std::size_t k = 0; k < offers.keys.size(); ++k) {
        const keyOffer& key = offers.keys[k];
        line += k == 0 ? " " : " + ";
        line += key.data;
        if (key.takesValue && key.data.back() != '=') line += ' ';
        if (key.takesValue) line += valueOf(option, offers);
    }
    if (!offers.range.empty()) line += " range " + offers.range.front() + ".." + offers.range.back();
    if (offers.keys.empty() && offers.range.empty()) line += " (not offered)";
    else if (!offers.leftOut.empty()) line += " (left out)";
    return line + " | " + option.description;
}

std::string operandsOf(const helpText& help) {
    std::string text;
    for (const helpOperand& o : help.operands) {
        std::string one = o.name + (o.repeated ? "..." : "");
        if (o.optional) one = "[" + one + "]";
        if (!o.description.empty()) one += " (" + o.description + ")";
        text += (text.empty() ? "" : " ") + one;
    }
    return text;
}

const struct layoutCase {
    const char* layout;
    std::string text;
    std::string program, summary, operands;
    std::vector<std::string> options;
} layouts[] = {
    {"short and long names, values, sections, descriptions below, a column overflowing",
     "Usage: frob [OPTION]... SOURCE [DEST]\n"
     "Frobnicate a SOURCE into DEST.\n\n"
     "Mandatory arguments to long options are mandatory for short options too.\n\n"
     "Input:\n" +
         opt("-a, --all", "take every record") + opt("-n, --count=NUM", "stop after NUM records") +
         opt("    --colour[=WHEN]", "paint the output; WHEN is 'always', 'never' or 'auto'") +
         opt("-i, --input=FILE", "read records from FILE") + opt("-S SIZE", "records of SIZE bytes") +
         opt("    --very-long-option-name", "described on the line below") + std::string(28, ' ') +
         "and on one more\n\nOutput:\n" + opt("-o, --output=FILE", "write the result to FILE") +
         opt("-d, --dir=DIR", "put the pieces in DIR") + "      --null-terminate-each NUL bytes end the lines\n" +
         opt("-h, --help", "show this help and exit"),
     "frob",
     "Frobnicate a SOURCE into DEST.",
     "SOURCE [DEST]",
     {"Input | -a, --all => --all | take every record",
      "Input | -n, --count=NUM => --count=<text> | stop after NUM records",
      "Input | --colour[=WHEN] => --colour + --colour=<text: always|never|auto> | paint the output; WHEN is "
      "'always', 'never' or 'auto'",
      "Input | -i, --input=FILE => --input=<load> | read records from FILE",
      "Input | -S SIZE => -S <text> | records of SIZE bytes",
      "Input | --very-long-option-name => --very-long-option-name | described on the line below and on one more",
      "Output | -o, --output=FILE => --output=<save?> | write the result to FILE",
      "Output | -d, --dir=DIR => --dir=<dir> | put the pieces in DIR",
      "Output | --null-terminate-each => --null-terminate-each | NUL bytes end the lines",
      "Output | -h, --help => --help | show this help and exit"}},

    {"long names first at the margin, choices, a family of options, a range",
     "sync  version 1.0\n"
     "Usage: sync [OPTION]... SRC [SRC]... DEST\n\n"
     "Options\n"
     "--verbose, -v            say more\n"
     "--mode=a|b|c             pick a mode\n"
     "--no-WORD                turn off an implied WORD\n"
     "--level, -L <n>          squeeze harder\n"
     "--backup-dir=DIR         keep backups in DIR\n"
     "-0 ... -9                a speed\n",
     "sync",
     "sync  version 1.0",
     "SRC... DEST",
     {"Options | --verbose, -v => --verbose | say more", "Options | --mode=a|b|c => --mode=<text: a|b|c> | pick a mode",
      "Options | --no-WORD => (not offered) | turn off an implied WORD",
      "Options | --level, -L <n> => --level <text> | squeeze harder",
      "Options | --backup-dir=DIR => --backup-dir=<dir> | keep backups in DIR",
      "Options | -0 \xE2\x80\xA6 -9 => range -0..-9 | a speed"}},

    {"values in angle brackets, blanks inside, descriptions after a single blank",
     "Usage: fetch [options...] <url>\n"
     " -d, --data <data>          HTTP POST data\n"
     " -u, --user <user:password> Server user and password\n"
     "     --cache <file name> Use this cache file\n"
     " -o, --output <file>        Write to file instead of stdout\n"
     " -s, --silent               Silent mode\n"
     "     --http1.1              Use HTTP 1.1\n"
     " -:, --next                 Make the next URL use its own options\n"
     "     --abstract-socket-path <path> Connect through this socket\n",
     "fetch",
     "",
     "url",
     {"- | -d, --data <data> => --data <text> | HTTP POST data",
      "- | -u, --user <user:password> => --user <text> | Server user and password",
      "- | --cache <file name> => --cache <load?> | Use this cache file",
      "- | -o, --output <file> => --output <save?> | Write to file instead of stdout",
      "- | -s, --silent => --silent | Silent mode", "- | --http1.1 => --http1.1 | Use HTTP 1.1",
      "- | -:, --next => --next | Make the next URL use its own options",
      "- | --abstract-socket-path <path> => --abstract-socket-path <load?> | Connect through this socket"}},

    {"a usage line wrapped, a value after a short name and again after the long one, choices in braces, operands "
     "described",
     "usage: tidy [-h] [-q] [--mode {fast,slow}] [-o FILE]\n"
     "            input [input ...]\n\n"
     "Tidy things up.\n\n"
     "positional arguments:\n"
     "  input                 files to tidy\n\n"
     "options:\n"
     "  -h, --help            show this help message and exit\n"
     "  -q, --quiet           say less\n"
     "  --mode {fast,slow}    how hard to work\n"
     "  -o FILE, --out FILE   where to write\n",
     "tidy",
     "Tidy things up.",
     "input... (files to tidy)",
     {"options | -h, --help => --help | show this help message and exit", "options | -q, --quiet => --quiet | say less",
      "options | --mode {fast,slow} => --mode <text: fast|slow> | how hard to work",
      "options | -o FILE, --out FILE => --out <save?> | where to write"}},

    {"one dash, a type for a value, descriptions after tabs",
     "Usage of serve:\n"
     "  -addr string\n    \taddress to listen on\n"
     "  -v\tverbose\n"
     "  -n int\n    \thow many (default 3)\n",
     "serve",
     "",
     "",
     {"- | -addr string => -addr <text> | address to listen on", "- | -v => -v | verbose",
      "- | -n int => -n <text> | how many (default 3)"}},

    {"several options a line and none described, options named only by the usage line",
     "Usage: seek [-H] [-Dlevel] [-x depth] [path...] [expression]\n\n"
     "Tests:\n"
     "      -amin N -name PATTERN -empty\n"
     "      -newer FILE -type [bcd]\n"
     "Actions:\n"
     "      -print -exec COMMAND ;\n",
     "seek",
     "",
     "[path...] [expression]",
     {"- | -H => -H | ", "- | -Dlevel => (not offered) | ", "- | -x depth => -x <text> | ",
      "Tests | -amin N => -amin <text> | ", "Tests | -name PATTERN => -name <text> | ", "Tests | -empty => -empty | ",
      "Tests | -newer FILE => -newer <load?> | ", "Tests | -type [bcd] => -type <text> | ",
      "Actions | -print => -print | ", "Actions | -exec COMMAND \xE2\x80\xA6 => (not offered) | "}},

    {"a table of two columns, a range, a value glued to a short name, an on and off pair",
     "Usage: pack [-options] archive files...\n" + twoColumns("-a   add files", "-b   keep backups") +
         twoColumns("-c   compress", "-d   delete entries") + twoColumns("-q   quiet", "-v   verbose") +
         "  -0 ... -9   set the level\n"
         "  -nNUM       repeat NUM times\n"
         "  -x[SUFFIX]  exclude, with an optional SUFFIX\n"
         "  --shout / --no-shout  say it loudly or not\n",
     "pack",
     "",
     "archive files...",
     {"- | -a => -a | add files", "- | -b => -b | keep backups", "- | -c => -c | compress",
      "- | -d => -d | delete entries", "- | -q => -q | quiet", "- | -v => -v | verbose",
      "- | -0 \xE2\x80\xA6 -9 => range -0..-9 | set the level", "- | -nNUM => (not offered) | repeat NUM times",
      "- | -x[SUFFIX] => -x (left out) | exclude, with an optional SUFFIX",
      "- | --shout => --shout | say it loudly or not", "- | --no-shout => --no-shout | say it loudly or not"}},

    {"the usage on the lines below its heading, names joined by blanks",
     "Naval Fate.\n\n"
     "Usage:\n"
     "  ship new <name>...\n"
     "  ship move <x> <y> [--speed=<kn>]\n\n"
     "Options:\n"
     "  -h --help     Show this screen.\n"
     "  --speed=<kn>  Speed in knots [default: 10].\n"
     "  --moored      Moored (anchored) mine.\n",
     "ship",
     "Naval Fate.",
     "new name...",
     {"Options | -h, --help => --help | Show this screen.",
      "Options | --speed=<kn> => --speed=<text> | Speed in knots [default: 10].",
      "Options | --moored => --moored | Moored (anchored) mine."}},

    {"escape sequences, overstruck letters and CR LF line ends",
     "Usage: shine [OPTION]\r\n"
     "\x1b[1m  -b, --bold\x1b[0m   print in b\bbo\bol\bld\r\n"
     "  -i, --italic  print in _\bi_\bt_\ba_\bl_\bi_\bc\r\n",
     "shine",
     "",
     "",
     {"- | -b, --bold => --bold | print in bold", "- | -i, --italic => --italic | print in italic"}},

    {"descriptions on the lines below, values in lower case, an optional value on both names",
     "Usage: edit [OPTION]... {script} [input-file]...\n\n"
     "  -n, --quiet, --silent\n                 be quiet\n"
     "  -e script, --expression=script\n                 add the script\n"
     "  -l N, --line-length=N\n                 wrap at N\n"
     "  -i[SUFFIX], --in-place[=SUFFIX]\n                 edit in place\n"
     "      --help     display this help and exit\n",
     "edit",
     "",
     "script [input-file...]",
     {"- | -n, --quiet, --silent => --quiet | be quiet",
      "- | -e script, --expression=script => --expression=<text> | add the script",
      "- | -l N, --line-length=N => --line-length=<text> | wrap at N",
      "- | -i[SUFFIX], --in-place[=SUFFIX] => --in-place + --in-place=<text> | edit in place",
      "- | --help => --help | display this help and exit"}},

    {"names going on on the next line, a number written as an option",
     "Usage: mark [OPTION]... PATTERN\n" + opt("-NUM", "the same as --context=NUM") + "      --color[=WHEN],\n" +
         opt("    --colour[=WHEN]", "highlight the matches"),
     "mark",
     "",
     "PATTERN",
     {"- | -NUM => (not offered) | the same as --context=NUM",
      "- | --color[=WHEN], --colour[=WHEN] => --color + --color=<text> | highlight the matches"}},

    {"lines that begin with a dash but name no option, a value repeated as a literal",
     "Usage: lone FILE\n"
     "Options:\n"
     "  --alone\n"
     "  - a dash alone is standard input\n"
     "  -- ends the options\n" +
         opt("    --style=WORD", "use the style WORD") + opt("-p, --style=plain", "the same as --style=plain"),
     "lone",
     "- a dash alone is standard input",
     "FILE",
     {"Options | --alone => --alone | ", "Options | --style=WORD => --style=<text> | use the style WORD",
      "Options | -p, --style=plain => --style=plain | the same as --style=plain"}},
};

TEST(draft, ReadsEachLayoutAndDraftsAScriptThatCompiles) {
    for (const layoutCase& c : layouts) {
        SCOPED_TRACE(c.layout);
        const helpText help = readHelp(c.text);
        EXPECT_EQ(help.program, c.program);
        EXPECT_EQ(help.summary, c.summary);
        EXPECT_EQ(operandsOf(help), c.operands);
        std::vector<std::string> read;
        for (const helpOption& option : help.options) read.push_back(summaryOf(help, option));
        EXPECT_EQ(read, c.options);

        const draftResult draft = draftFromHelp(c.text, c.program, {"--help"});
        ASSERT_TRUE(draft.ok()) << draft.error;
        const compileResult compiled = compileText(draft.script, "draft.sc");
        ASSERT_TRUE(compiled.ok()) << compiled.error->message() << "\n" << draft.script;
        std::string warnings;
        for (const scriptWarning& w : compiled.warnings) appendDiagnostic(warnings, "draft.sc", w);
        EXPECT_EQ(warnings, "") << draft.script;
        EXPECT_EQ(scriptRoundTripDifference(compiled.config), "");
    }
}

// Texts the fuzzer found, each once a draft the compiler warned about; and
// commands whose words hold line ends, as a front end may pass them, which
// once broke the header and the first comment.
TEST(draft, DraftsFromOddTextsCompileCleanly) {
    const struct {
        const char* text;
        std::string program;
        std::vector<std::string> helpArgs;
    } cases[] = {
        // An operand named ":x:": a caption that began with ':'.
        {"Usage: fe, :cge: fe, tch [options.]        frob\n  -a   all\n", "odd", {"--help"}},
        {"Usage: odd [OPTION]\n  -a   all\n", "odd", {"--help\nShow", "all\r\n", std::string(600, 'x')}},
        {"Usage: odd [OPTION]\n  -a   all\n", "/opt/new\nline/odd", {"\t--help"}},
    };
    for (const auto& [text, program, helpArgs] : cases) {
        SCOPED_TRACE(text);
        const draftResult draft = draftFromHelp(text, program, helpArgs);
        ASSERT_TRUE(draft.ok()) << draft.error;
        const compileResult compiled = compileText(draft.script, "draft.sc");
        ASSERT_TRUE(compiled.ok()) << compiled.error->message();
        EXPECT_EQ(compiled.warnings.size(), 0u) << (compiled.warnings.empty() ? "" : compiled.warnings[0].text);
        EXPECT_EQ(scriptRoundTripDifference(compiled.config), "");
    }
}

TEST(draft, ATextWithoutOptionsGivesNoScript) {
    const draftResult draft = draftFromHelp("Usage: nothing\nDoes nothing at all.\n", "nothing", {"--help"});
    EXPECT_EQ(draft.error, "the help text lists no options");
    EXPECT_EQ(draft.script, "");
}


// A generated help text: sections of options, each a flag, a number or a file
// in turn when mixed, flags otherwise.
std::string generatedHelp(int sections, int perSection, bool mixed) {
    std::string text = "Usage: big [OPTION]... FILE...\nDoes a great many things.\n";
    for (int s = 1; s <= sections; ++s) {
        if (sections > 1) text += "\nGroup " + std::to_string(s) + ":\n";
        for (int k = 1; k <= perSection; ++k) {
            const std::string stem = "--g" + std::to_string(s) + "-";
            const int kind = mixed ? k % 3 : 0;
            const std::string names = kind == 0   ? stem + "flag" + std::to_string(k)
                                      : kind == 1 ? stem + "num" + std::to_string(k) + "=NUM"
                                                  : stem + "file" + std::to_string(k) + "=FILE";
            text += opt("    " + names, "does thing " + std::to_string(k) + " of group " + std::to_string(s));
        }
    }
    return text;
}

// Every draft compiles without a warning and comes back from its config,
// however many options and sections the help has; past the limits, the
// flags kept are the first ones, and the comment at the top says what is not.
TEST(draft, StaysWithinTheLimitsOfTheLanguage) {
    const struct {
        const char* what;
        int sections, perSection;
        bool mixed, leavesOut, dropsFlags;
    } cases[] = {
        {"more sections than one list holds", 30, 2, false, false, false},
        {"one long section", 1, 60, false, false, false},
        {"more values than margs and file items", 40, 15, true, true, true},
        {"more keys than a script holds", 5, 400, false, true, true},
        {"more lists than a script holds", 70, 4, false, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string text = generatedHelp(c.sections, c.perSection, c.mixed);
        const draftResult draft = draftFromHelp(text, "big", {"--help"});
        ASSERT_TRUE(draft.ok()) << draft.error;
        const compileResult compiled = compileText(draft.script, "draft.sc");
        ASSERT_TRUE(compiled.ok()) << compiled.error->message();
        EXPECT_EQ(compiled.warnings.size(), 0u) << (compiled.warnings.empty() ? "" : compiled.warnings[0].text);
        EXPECT_EQ(scriptRoundTripDifference(compiled.config), "");

        // The note's lines stand in the comment at the top, in the same order.
        std::vector<std::string> noted, commented;
        for (const std::string& note : draft.notes)
            if (note.rfind("over what one script may hold, ", 0) == 0) noted.push_back(note.substr(31));
        for (std::size_t at = draft.script.find("\n;   "); at != std::string::npos; at = draft.script.find("\n;   ", at + 1))
            commented.push_back(draft.script.substr(at + 5, draft.script.find('\n', at + 1) - at - 5));
        EXPECT_EQ(noted, commented);
        EXPECT_EQ(!noted.empty(), c.leavesOut);

        // The flags offered are the first ones of the text.
        const cnfReadResult read = readCnf(compiled.config);
        std::set<std::string> data;
        for (const cnfKey& key : read.config.keys) data.insert(key.arg);
        bool dropped = false;
        for (const helpOption& option : readHelp(text).options) {
            if (option.names[0].form != valueForm::none) continue;
            const bool offered = data.count(option.names[0].name) != 0;
            EXPECT_FALSE(offered && dropped) << option.names[0].name << " is offered after one left out";
            dropped = dropped || !offered;
        }
        EXPECT_EQ(dropped, c.dropsFlags);
    }
}

}  // namespace
