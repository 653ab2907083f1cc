// Renders a config read by cnfReader for people (text) and for programs (JSON).
// Both take a config as readCnf returns it for a valid file; a reference that
// points at no item (possible only in a hand-made cnfConfig) is shown with the
// caption "?" (text) or as its bare number (JSON), never read out of range.
//
// Text form: every caption and text is written in double quotes with the
// escapes \" \\ \n \t \r, and \xNN for any other byte below 0x20 and for 0x7F;
// bytes from 0x80 on are written unchanged (the script's own encoding). Blocks
// are separated by one empty line:
//
//   version 2; lists L, keys K, file items N, filters T, margs M, strings S
//
//   header items:
//     1 "..."                      (six lines)
//
//   list 1 "Mode" (default):       default list first, then the others in order
//     key 0 "Fast mode"            each entry of the list, in order
//       key data: "-f"             or: none (a key without an arg string)
//       order: keys path value (0x36)   or: none (0x00)
//       next list: none            or: 1 "Mode"
//       file item: 1 "Input file"  or: none
//       marg: 1 "Level"            or: none
//
//   keys in no list:               only when some key is in no list
//     key 2 "..." (the same five lines)
//
//   file item 1 "Input file": load       (load, save or dir)
//     filter 0 "Text files(*.txt, *.log)"   one line per filter entry, the
//                                           filter's name part
//
//   filter 0 "Text files(*.txt, *.log)": patterns "*.txt;*.log"
//
//   marg 1 "Level": tooltip "First line\nSecond line"
//
// A filter's display text is split at its 0x01 bytes: the name part before the
// first, the patterns between the first and the second; anything after the
// second is added as: , trailing "...".
//
// JSON form: one document, described at cnfDumpJson.
#pragma once

#include <string>
#include <string_view>

#include "cnfReader.h"

// The text form above, ending with a line feed.
std::string cnfDumpText(const cnfConfig& cfg);

// One JSON object, ending with a line feed:
//   {"version", "counts": {"lists", "listItems", "fileFilters", "keys",
//    "fileItems", "filters", "margs", "strings"}, "defaultList" (list number),
//    "headerItems": [6 strings],
//    "lists": [{"number", "name", "keys": [key numbers]}] in file order,
//    "keys": [{"number", "name", "arg" (null when strNum is 1),
//              "order": {"byte", "path", "keys", "value", "sequence": [words]},
//              "nextList", "fileItem", "marg" (numbers, null for none)}],
//    "fileItems": [{"number", "name", "action": "load"|"save"|"dir",
//                   "filters": [filter numbers]}],
//    "filters": [{"number", "text" (the whole display text), "name",
//                 "patterns", "trailing"}],
//    "margs": [{"number", "name", "info"}]}
// Strings are escaped per JSON: \" \\ \n \t \r; every other byte below 0x20,
// 0x7F and every byte from 0x80 on as \u00XX (lower-case hex), so the document
// is plain ASCII and each byte of the file maps to one code point U+0000-U+00FF.
std::string cnfDumpJson(const cnfConfig& cfg);

// One string in the JSON form's escaping, double quotes included.
std::string cnfJsonString(std::string_view text);
