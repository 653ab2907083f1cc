#include "scriptError.h"

#include <algorithm>
#include <iostream>
#include <sstream>
#include <utility>

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

constexpr std::size_t kQuotedMost = 40;
constexpr std::size_t kDroppedShown = 3;

}  // namespace

void scriptError::clear() {
    stringsErr = headerErr = spare1 = itemTypeErr = itemNameErr = paramErr = 0;
    keywordErr = spare2 = limitErr = spare3 = fileErr = itemIndex = errLine = 0;
    detail.clear();
    errColumn = textSpan().column;
    errLength = textSpan().length;
}

void scriptError::throwErr(std::int32_t& category, const std::uint32_t& line,
                           std::uint32_t flag, std::uint32_t code, std::string text, textSpan where) {
    throw madeErr(category, line, flag, code, std::move(text), where);
}

scriptError scriptError::madeErr(std::int32_t& category, const std::uint32_t& line, std::uint32_t flag,
                                 std::uint32_t code, std::string text, textSpan where) {
    errLine = static_cast<std::int32_t>(line);
    errFlag = static_cast<std::int32_t>(flag);
    category = static_cast<std::int32_t>(code);
    detail = std::move(text);
    errColumn = where.column;
    errLength = where.length;
    return *this;
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

std::string scriptError::message() const {
    if (!detail.empty()) return detail;
    std::ostringstream fixed;
    debugFunc(fixed);
    std::string text = fixed.str();
    text.erase(0, text.find_first_not_of(' '));
    text.resize(std::min(text.find('\n'), text.size()));
    return text;
}

// Standard error is unbuffered: a line written in pieces would cost a write
// for each piece, and could be cut by another program's output.
void scriptError::diagnose(std::ostream& err, std::string_view script) const {
    const std::string text = message();
    if (fileErr != 0) {
        printDiagnostic(err, "error", text);
        return;
    }
    std::string line;
    appendDiagnostic(line, script, static_cast<std::uint32_t>(errLine), errColumn, "error", text);
    err << line << std::flush;
}

void appendDiagnostic(std::string& out, std::string_view script, std::uint32_t lineIndex,
                      std::uint32_t column, std::string_view kind, std::string_view text) {
    out += script;
    out += ':';
    out += std::to_string(static_cast<std::uint64_t>(lineIndex) + 1);
    out += ':';
    out += std::to_string(column);
    out += ": ";
    out += kind;
    out += ": ";
    out += text;
    out += '\n';
}

void appendDiagnostic(std::string& out, std::string_view script, const scriptWarning& warning) {
    appendDiagnostic(out, script, warning.line, warning.where.column, "warning", warning.text);
}

void printDiagnostic(std::ostream& err, std::string_view kind, std::string_view text) {
    std::string line = "tarvelkin: ";
    line += kind;
    line += ": ";
    line += text;
    line += '\n';
    err << line << std::flush;
}

std::string inQuotes(std::string_view text) {
    static const char digits[] = "0123456789ABCDEF";
    std::size_t shown = text.size();
    if (shown > kQuotedMost) {
        // Cut before a character, not inside one of UTF-8's several bytes.
        shown = kQuotedMost;
        while (shown > 0 && (static_cast<unsigned char>(text[shown]) & 0xC0u) == 0x80u) --shown;
    }
    const auto visible = [](char c) { return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F; };
    std::string out;
    out.reserve(shown + 5);
    out += '"';
    for (std::size_t i = 0; i < shown; ++i) {
        // Visible characters are copied a run at a time.
        std::size_t end = i;
        while (end < shown && visible(text[end])) ++end;
        out.append(text.substr(i, end - i));
        if (end == shown) break;
        i = end;
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else {
            out += "\\x";
            out += digits[c >> 4];
            out += digits[c & 15];
        }
    }
    if (shown < text.size()) out += "...";
    out += '"';
    return out;
}

std::string expectedWords(const std::string_view* words, std::uint32_t count, bool oneOf) {
    std::string out = oneOf ? "; expected one of " : "; expected ";
    for (std::uint32_t i = 0; i < count; ++i) {
        if (i != 0) out += i + 1 == count && !oneOf ? " or " : ", ";
        out += words[i];
    }
    return out;
}

void droppedNames::add(std::string name, std::string_view written) {
    if (name.empty()) return;
    if (shown.empty()) firstWritten = written;
    if (shown.size() < kDroppedShown) {
        shown.push_back(std::move(name));
    } else {
        further = true;
    }
}

std::string droppedNames::list() const {
    std::string out;
    for (const std::string& name : shown) {
        if (!out.empty()) out += ", ";
        out += inQuotes(name);
    }
    if (further) out += " and more";
    return out;
}
