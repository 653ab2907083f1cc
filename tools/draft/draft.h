// Drafting a script from a program's help text: what tarvelkin-draft does
// once it has the text, for every front end that makes a form for a program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct draftResult {
    std::string script;              // the whole script, each line ending in a line feed; empty on failure
    std::vector<std::string> notes;  // for the person, a line each: what the draft leaves out
    std::string error;               // why there is no script; empty when there is one
    std::size_t options = 0;         // the options read from the help text

    bool ok() const { return error.empty(); }
};

// Drafts a script from text, the help text that the command "program helpArgs..."
// printed (program as it was named, a folder and ".exe" dropped for the
// header; helpArgs such as {"--help"}). The script compiles without errors
// or warnings, and within every limit of the language: where the help lists
// more than a script may hold, the options of its later sections are left
// out, and a comment at the top names them; an option that no key can
// insert is a comment with the reason, where it would stand. Fails, saying
// so in error, when the text lists no options. Pure: reads and writes nothing.
draftResult draftFromHelp(std::string_view text, std::string_view program, const std::vector<std::string>& helpArgs);

// The number of options a help text lists, to tell the stream that holds a
// program's help from the one that holds its other messages.
std::size_t optionsIn(std::string_view text);
