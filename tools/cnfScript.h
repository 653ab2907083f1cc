// Turns a config read by cnfReader back into a script that tarvelkin compiles
// to the same bytes. Only the item names are not in a config; they are made
// from each item's kind and number.
//
// The script has one shape: the six header items; then every list, key, file
// item, filter and marg in number order (list1, key0, file1, filter0, marg1),
// one empty line before each kind, parameter lines indented by two blanks in
// the order below; the def line last.
//
//   # header item                  "#" alone for an empty item
//   list list1
//     name=CAPTION
//     items = key0, key1
//   key key0
//     name=CAPTION
//     order = keys path value      places 1 to 3 in turn; a place no element
//                                  takes holds the word of a later place, and
//                                  "disable" ends an order of fewer than three
//     arg=KEY DATA                 only when the order places keys
//     next = list1                 or: disable (also kmarg, kfile)
//     kmarg = marg1
//     kfile = file1
//   file file1
//     name=CAPTION
//     action = load                load, save or dir
//     filters = filter0, filter1   not for dir
//   filter filter0
//     name=NAME                    the display text taken apart again
//     exten = txt, log
//   marg marg1
//     name=CAPTION
//     info=TOOLTIP                 each line break written as "<@"
//   def list1
//
// Every text is written so that the compiler's value readers give it back
// exactly: directly after the '=' (or "# "), blanks kept; key data that holds
// a ';' is followed by one more ';', since key data ends at the last ';' of its
// line; an extension that begins with '=' gets the byte 0x01 before it, which
// the compiler drops from extensions after skipping the '=' signs in front of
// them; a line that ends with a carriage return gets a second one, since the
// compiler drops one CR before a line feed.
//
// A config that no script gives is refused, naming the first item (in script
// order) and the reason: a text holding a line break (outside a tooltip); a
// ';' in any text but a header item or key data, where it ends the value; a
// header item, list caption, marg caption or tooltip beginning with a blank,
// ':' or '=', which the readers skip; a tooltip holding "<@"; a filter text not
// of the shape the compiler makes (NAME "(*." E1 ", *." E2 ... ")" 0x01 "*." E1
// ";*." E2 ... 0x01), or with more than 10 extensions, or an extension holding
// a blank or ','; a key whose reserved bytes are not 0, or
// whose order and references the compiler refuses (a file item without keys or
// path in the order, a marg without keys or value, or nothing at all to do);
// more items of a kind than a script may hold.
#pragma once

#include <string>

#include "cnfReader.h"

struct cnfScriptResult {
    std::string script;  // the whole script, lines ending with a line feed
    std::string why;     // empty when the script was made; otherwise the item and the reason

    bool ok() const { return why.empty(); }
};

// The script for a config as readCnf returns it for a valid file.
cnfScriptResult cnfScript(const cnfConfig& cfg);
