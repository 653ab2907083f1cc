#include "scriptError.h"

#include <iostream>

namespace {

struct message {
    std::int32_t code;
    const char* text;
};

const message stringsMessages[] = {
    {1, "   Strings limit is exceeded"},
    {2, "   Unexpected script end"},
};
const message headerMessages[] = {{1, "   Header read error"}};
const message itemTypeMessages[] = {{1, "   Unknown item type"}};
const message paramMessages[] = {
    {1, "   Unknown parameter type"},
    {2, "   Parameter redefinition"},
    {3, "   Folder brouser don't use filter"},
    {4, "   This key does not use key data"},
    {5, "   Keys order must be enabled, for path inserting"},
    {6, "   Keys order must be enabled, for marg inserting"},
    {7, "   Empty Key. Setup any data for key"},
};
const message keywordMessages[] = {
    {1, "   Uncknown action keyword!"},
    {2, "   Unknown order keyword!"},
};
const message limitMessages[] = {
    {1, "   List limit is exceeded!"},
    {2, "   Key limit is exceeded!"},
    {3, "   File limit is exceeded!"},
    {4, "   Filter limit is exceeded!"},
    {5, "   Marg limit is exceeded!"},
};
const message fileMessages[] = {
    {1, "   Load file error"},
    {2, "   Empty file"},
    {3, "   Saving config error"},
};

template <std::size_t N>
void printCategory(std::ostream& out, std::int32_t code, const message (&table)[N]) {
    for (const message& m : table) {
        if (m.code == code) {
            out << m.text << std::endl;
            return;
        }
    }
}

}  // namespace

void scriptError::clear() {
    stringsErr = headerErr = spare1 = itemTypeErr = itemNameErr = paramErr = 0;
    keywordErr = spare2 = limitErr = spare3 = fileErr = itemIndex = errLine = 0;
}

void scriptError::throwErr(std::int32_t& category, const std::uint32_t& line,
                           std::uint32_t flag, std::uint32_t code) {
    errLine = static_cast<std::int32_t>(line);
    errFlag = static_cast<std::int32_t>(flag);
    category = static_cast<std::int32_t>(code);
    throw scriptError(*this);
}

void scriptError::debugFunc() const { debugFunc(std::cout); }

void scriptError::debugFunc(std::ostream& out) const {
    printCategory(out, stringsErr, stringsMessages);
    printCategory(out, headerErr, headerMessages);
    printCategory(out, itemTypeErr, itemTypeMessages);
    printCategory(out, paramErr, paramMessages);
    if (itemNameErr == 1) {
        out << "   Item name duplication" << std::endl;
    } else if (itemNameErr == 2) {
        // The position is kept as a 64-bit sum so that no record value overflows.
        out << "   Item " << static_cast<std::int64_t>(itemIndex) + 1 << " name not found"
            << std::endl;
    }
    printCategory(out, keywordErr, keywordMessages);
    printCategory(out, limitErr, limitMessages);
    printCategory(out, fileErr, fileMessages);
    if (fileErr == 0) {
        out << "   Error line: " << static_cast<std::uint64_t>(static_cast<std::uint32_t>(errLine)) + 1
            << std::endl;
    }
}

void printDiagnostic(std::ostream& err, std::string_view kind, std::string_view text) {
    err << "tarvelkin: " << kind << ": " << text << std::endl;
}
