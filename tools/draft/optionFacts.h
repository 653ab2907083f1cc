// What an option read from a help text becomes in a form: the keys it is
// offered as, what its value is (a text, a file or a folder; the choices the
// help names), and its texts made safe for the script's value readers.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "helpText.h"

enum class valueKind { text, file, folder };

struct valueFacts {
    valueKind kind = valueKind::text;
    bool save = false;                 // a file to write (a save dialog), else one to read
    std::string guess;                 // for a file: why its dialog is a guess; empty when it is none
    std::vector<std::string> choices;  // the values the help names, when it names two or more
    std::string caption;               // the field's caption: "SIZE", "file name"
};

// The facts of a value from its placeholder ("FILE", "<dir>", "{a,b}",
// "e|a|c") and the description of its option, whose name stands in for the
// caption of a placeholder that only lists choices. Placeholders naming
// folders (DIR, DIRECTORY, FOLDER, OUTDIR, ...) give a folder; those naming
// files (FILE, FILENAME, PATH, ARCHIVE, LOGFILE, ...) a file, to be written
// when the placeholder or the description says so ("output", "write", ...);
// a file's dialog is a guess unless the description speaks of reading it.
valueFacts valueFactsOf(std::string_view placeholder, std::string_view description, std::string_view name);

// One key that an option becomes.
struct keyOffer {
    std::string data;          // key data: "--all", "--size=", "-n"
    std::string shown;         // the option as its caption shows it: "--size=SIZE", "-n NUM"
    bool takesValue = false;   // a value follows the key data, joined to it when the data ends in '='
};

struct optionOffers {
    std::vector<keyOffer> keys;      // none for a range, or for an option left out
    std::string placeholder;         // of the value the keys take
    std::vector<std::string> range;  // the options of a range ("-0" to "-9"), each a key
    std::string leftOut;             // why the option, or its value, is not offered
};

// The keys of an option. Its long name is preferred ("--all" over "-a"). A
// value is joined with '=' to a long name the help writes with "=VALUE", and
// a separate word otherwise. An optional value gives two keys, without and
// with it, where it can be joined ("--color" and "--color="); an optional
// value written glued to a short name ("-i[SUFFIX]") cannot be, and is left
// out. An option whose value is written glued ("-Olevel"), or that takes two
// values or more, is left out whole, and so is a range of more than 19.
optionOffers offersOf(const helpOption& option);

// The option as the help writes it, for comments: "-a, --all", "-n NUM, --lines=NUM".
std::string writtenForm(const helpOption& option);

// A key's caption: the first clause of the description (up to a ';' or the
// end of its first sentence), begun with a capital and shortened to about 60
// bytes, then the option: "Do not ignore entries starting with . (--all)".
std::string keyCaption(std::string_view description, std::string_view shown);

// Texts as the script's value readers give them back: one line, no ';'
// (which ends a value: written ','), nothing the readers skip at the front
// (blanks, ':', '='), no quotes around the whole. A tooltip besides never
// holds "<@" (a line break) or "\n" as two characters.
std::string safeText(std::string_view text);
std::string tooltipText(std::string_view text);

// A base for an item's name made of text: letters, digits, '-', '_' and '.' ("all", "block-size", "http1.1").
std::string nameBase(std::string_view text);
