// Warnings about values that compile, but are read otherwise than they look:
// quotes and colons that stay part of a caption, blanks at the end of key
// data, empty texts, an extension written with its dot, a "\n" that is no
// line break, a ";" in a header line. The readers make the cheap test on every
// value (cnfBuilder.h); these run only for a value that failed it.
#include <algorithm>
#include <string>

#include "cnfBuilder.h"

namespace {

// The text without blanks at either end.
std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// "write name=TEXT" for a short text a message can show whole, else the advice given.
std::string writeAs(const char* keyword, std::string_view text, const char* otherwise) {
    const bool showable = text.size() <= 40 && std::all_of(text.begin(), text.end(), [](char c) {
                              return static_cast<unsigned char>(c) >= 0x20 && c != 0x7F;
                          });
    return showable ? "write " + std::string(keyword) + "=" + std::string(text) : std::string(otherwise);
}

}  // namespace

void cnfBuilder::warnOfCaption(std::string_view caption, const char* what, std::string_view written) {
    if (caption.front() == ' ') warnOfLeadingBlank(caption, what, "name", written);
    const char* const keyword = "name";
    const textSpan where = parser.spanOf(written.data() != nullptr ? written : caption);
    const std::string_view text = trimmed(caption);
    // Only quotes that wrap the whole caption and hold none of their kind are
    // taken for quoting: in "a" and "b" the outer two belong to the caption's
    // own quoted words, and taking them off would break those.
    const std::string_view inside = text.size() >= 2 ? text.substr(1, text.size() - 2) : std::string_view();
    if (text.size() >= 2 && (text.front() == '"' || text.front() == '\'') && text.back() == text.front() &&
        inside.find(text.front()) == std::string_view::npos) {
        warn(curLine, where,
             "the quotes around caption " + inQuotes(inside) + " of " + sectionText() +
                 " stay part of it: " + writeAs(keyword, inside, "write the caption without them"));
    } else if (caption.front() == ':') {
        warn(curLine, where,
             "caption " + inQuotes(caption) + " of " + sectionText() +
                 " begins with \":\", which only a list's and a marg's lines drop: " +
                 writeAs(keyword, trimmed(caption.substr(1)), "write the caption right after \"=\""));
    }
}

void cnfBuilder::warnOfKeyData(std::string_view data) {
    if (data.front() == ' ') warnOfLeadingBlank(data, "key data", "arg", {});
    const textSpan where = parser.spanOf(data);
    if (data.front() == ':') {
        warn(curLine, where,
             "key data " + inQuotes(data) + " of " + sectionText() +
                 " begins with \":\", which arg keeps: " +
                 writeAs("arg", trimmed(data.substr(1)), "write the key data right after \"=\""));
    }
    if (data.back() == ' ') {
        // The byte after the key data: the ';' that ended it, or the line's end.
        const bool beforeComment = data.data()[data.size()] == ';';
        warn(curLine, where,
             "key data " + inQuotes(data) + " of " + sectionText() + " ends in a blank, which is inserted with it" +
                 (beforeComment ? ": key data ends at the last \";\" of its line, so put the \";\" right after it"
                                : ": remove the blanks at the end of the line"));
    }
}

void cnfBuilder::warnEmptyKeyData(std::uint32_t argLine) {
    warn(argLine, parser.keywordSpanOf(itemStrings.str2),
         "the key data of " + sectionText() +
             " is empty, but its order inserts it (keys): write it after \"arg=\", or take keys out of the "
             "order and remove the arg line");
}

void cnfBuilder::warnEmptyCaption(std::string_view caption) {
    warn(curLine, parser.keywordSpanOf(caption),
         "the caption of " + sectionText() + " is empty: write it after \"name=\"");
}

void cnfBuilder::warnOfEscapedBreak(std::string_view info) {
    const std::size_t at = info.find("\\n");
    if (at == std::string_view::npos) return;
    warn(curLine, parser.spanOf(info.substr(at, 2)),
         "the tooltip of " + sectionText() +
             " holds \"\\n\", which stays two characters: write <@ where a new line begins");
}

void cnfBuilder::warnDottedExtension(std::string_view written) {
    std::string extension;  // as the filter takes it: without blanks and 0x01 bytes
    for (char c : written)
        if (c != ' ' && c != '\x01') extension += c;
    const std::string_view dropped = extension[0] == '.' ? "the dot" : "\"*.\"";
    const std::string_view bare = std::string_view(extension).substr(extension[0] == '.' ? 1 : 2);
    warn(curLine, parser.spanOf(written),
         "extension " + inQuotes(extension) + " of " + sectionText() + " gives the pattern " +
             inQuotes("*." + extension) + ": write " + (bare.empty() ? std::string("it") : std::string(bare)) +
             ", without " + std::string(dropped) + " (the filter adds \"*.\")");
}

void cnfBuilder::warnOfHeaderSemicolon(std::string_view item) {
    const std::size_t at = item.find(';');
    warn(curLine, parser.spanOf(item.substr(at, 1)),
         "header item " + std::to_string(headerStrings.size()) + " " + inQuotes(item) +
             " holds \";\", which begins no comment in a header line: the item is the whole text after \"#\"");
}

void cnfBuilder::warnMovedOrderWord(std::uint8_t order) {
    // The order line read again: its third word is the first one again.
    lineText words(orderText);
    std::string_view twice;
    for (int n = 0; n < 3; ++n) twice = scan::cutWord(words);
    // What stands at each place, from the first: path, keys, value in bits 0-1, 2-3, 4-5.
    std::string inserted;
    for (unsigned place = 1; place <= 3; ++place)
        for (unsigned n = 0; n < 3; ++n)
            if (((order >> (2 * n)) & 3u) == place) inserted += (inserted.empty() ? "" : ", ") + std::string(orderKW[n]);
    warn(curLine, parser.spanOf(twice),
         "order word " + inQuotes(twice) + " of " + sectionText() +
             " stands twice: only its later place counts, so the order inserts " + inserted +
             "; write each order word once");
}
