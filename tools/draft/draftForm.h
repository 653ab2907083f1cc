// The form a draft script describes, before it is written: lists of keys,
// the margs and file items the keys insert, and what was left out. Built from
// a help text's options within every limit of the script language.
//
// The shape: the default list "main" offers the options, each of which leads
// back to the list it stands in, so that one option after another can be
// chosen; and the keys that end the choices by giving the usage line's first
// operand (or, where no operand is needed, "--"). Options that fit one list
// stand in it; otherwise "main" offers one key per section of the help,
// leading to the section's list, which ends with a key back; a list longer
// than 20 keys goes on in another behind a "More options…" key. A range of
// options ("-0 … -9") is one key leading to a list of its own. The operands
// after the first are asked for in lists that follow, in the usage line's
// order; a repeated one loops.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "helpText.h"
#include "optionFacts.h"

struct formKey {
    std::string name;
    std::string caption;
    std::string data;            // key data; empty when the key inserts none
    std::string next = "disable";
    int marg = -1;               // index into form::margs, or -1
    int file = -1;               // index into form::files, or -1
    bool writesItem = false;     // its marg or file item is written after it
    std::vector<std::string> comments;  // lines before it, each without its ';'
};

struct formMarg {
    std::string name, caption, info;
};

struct formFile {
    std::string name, caption, action;  // action: load, save or dir
    std::string comment;                // why the dialog is a guess, or empty
};

struct formList {
    std::string name, caption;
    std::vector<std::string> items;          // the names of its keys
    std::vector<std::size_t> written;        // the keys written after it, indices into form::keys
    std::vector<std::string> comments;       // lines before it, each without its ';'
    std::vector<std::string> afterComments;  // lines after its keys: the options left out there
};

struct form {
    std::vector<formList> lists;  // lists[0] is the default list
    std::vector<formKey> keys;
    std::vector<formMarg> margs;
    std::vector<formFile> files;
    bool filterUsed = false;      // a load or save item names the filter "all"
};

// The options read, planned once and laid out as often as the limits need.
class formPlan {
public:
    explicit formPlan(const helpText& help);

    // How many options can be offered at all (the rest are left out with a reason).
    std::size_t offerable() const { return offered_.size(); }
    // The form offering the first count of them.
    form layout(std::size_t count) const;
    // What the form offering count options leaves out or gives less, one
    // comment line each: the options past count, those whose values pass the
    // limits, and those whose values share their marg or file item.
    std::vector<std::string> leftOut(std::size_t count) const;

private:
    struct optionPlan {
        const helpOption* option = nullptr;
        optionOffers offers;
        valueFacts facts;
        std::string overLimit;  // why it cannot be offered within the limits, or empty
        bool shared = false;    // its value is given in a marg or file item it shares with others
    };
    // Past the margs (text) or file items a script may hold (room of them
    // left), values share one per placeholder: the first options keep their
    // own, as many as can.
    void shareValues(bool text, std::size_t room);
    std::string sectionName(std::size_t section) const;  // "the first section", "\"Output control\""
    const helpText& help_;
    std::vector<optionPlan> plans_;      // every option, in the text's order
    std::vector<std::size_t> offered_;   // the plans that have keys, in order
};
