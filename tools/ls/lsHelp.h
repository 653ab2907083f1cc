// What each keyword of the script language means, as hover texts. The texts
// are the script guide's own words: a parameter's row of its section's table,
// an order word's and an action's row, a sentence for the rest, so that a
// test can find each in the guide and the two cannot drift apart.
#pragma once

#include <string>
#include <string_view>

struct keywordHelp {
    // Where the word is a keyword: "section" (the first word of a section),
    // a section's keyword for its parameters ("list", "key", "file", "filter",
    // "marg"), "order" (a word of an order line), "action" (the word of an
    // action line), "reference" (disable in next, kmarg or kfile), "tooltip"
    // (the line break of a marg's info).
    std::string_view context;
    std::string_view word;
    // A parameter's value and "needed" columns, an order word's or action's
    // second column; for the others a sentence of the guide (needed empty).
    std::string_view meaning;
    std::string_view needed;
};

inline constexpr keywordHelp keywordHelps[] = {
    {"section", "list", "A list is a group of keys the front end offers together, with a caption.", ""},
    {"section", "key",
     "A key is one element of the command line. It has a caption, may have key data (the text of the option, "
     "such as `-f`), and may insert a file path and a marg's value; choosing it may lead to another list.",
     ""},
    {"section", "file", "A file item is a path the person picks in a dialog.", ""},
    {"section", "filter", "A filter is one choice in a file dialog's list of file types.", ""},
    {"section", "marg", "A marg is a value the person types; a key inserts it at the `value` place of its order.", ""},
    {"section", "def", "`def` and a list's name, on one line, make that list the one the front end shows first.", ""},
    {"list", "name", "the caption", "yes"},
    {"list", "items", "the names of its keys, separated by commas", "yes"},
    {"key", "name", "the caption", "always"},
    {"key", "order", "what the key inserts, and in which order", "always"},
    {"key", "arg", "the key data", "exactly when the order holds `keys`"},
    {"key", "next", "the list that follows when the key is chosen, or `disable`", "always"},
    {"key", "kmarg", "the marg whose value the key inserts, or `disable`", "always"},
    {"key", "kfile", "the file item whose path the key inserts, or `disable`", "always"},
    {"file", "name", "the caption", "yes"},
    {"file", "action", "`load` (an open dialog), `save` (a save dialog) or `dir` (a folder browser)", "yes"},
    {"file", "filters", "the names of the dialog's filters, separated by commas",
     "for `load` and `save`; not allowed for `dir`"},
    {"filter", "name", "the text shown for it", "yes"},
    {"filter", "exten", "the extensions, without dot and star, separated by commas", "yes"},
    {"marg", "name", "the caption", "yes"},
    {"marg", "info", "the tooltip; `<@` starts a new line", "yes"},
    {"order", "keys", "the key data, the text of the key's `arg`", ""},
    {"order", "path", "the path picked in the dialog of the key's `kfile` item", ""},
    {"order", "value", "the value typed for the key's `kmarg`", ""},
    {"order", "disable", "nothing: it ends the order before its third word", ""},
    {"action", "load", "an open dialog, for a file that exists", ""},
    {"action", "save", "a save dialog, for a file to write", ""},
    {"action", "dir", "a folder browser, which shows no filters", ""},
    {"reference", "disable",
     "In a key's `next`, `kmarg` and `kfile` lines, the word `disable` instead of a name switches that reference "
     "off.",
     ""},
    {"tooltip", "<@", "every `<@` in the tooltip becomes a line break", ""},
};

// How the guide shows an entry: a table row ("| `word` | meaning | needed |"
// or, for an order word or an action, "| `word` | meaning |"), else the sentence.
std::string guideText(const keywordHelp& help);

// The entry of a word in a context, or nullptr.
const keywordHelp* findHelp(std::string_view context, std::string_view word);

// The hover text of an entry, in Markdown.
std::string helpMarkdown(const keywordHelp& help);
