// What the compiler tells a script's author on standard error beyond the fixed
// messages: the texts that name an error's items and words, and the warnings
// about what compiles but is almost surely not meant.
#include <algorithm>
#include <ostream>
#include <span>
#include <utility>

#include "cnfBuilder.h"
#include "configAnalysis.h"
#include "utils.h"

namespace {

std::string kindName(std::uint32_t kind) { return std::string(kindOf(kind).name); }

// Words an author may write for "no item" where the script says disable.
bool meansNone(std::string_view name) {
    constexpr std::string_view words[] = {"none", "no", "off", "null", "nil", "nothing", "empty", "-"};
    return std::any_of(std::begin(words), std::end(words),
                       [&name](std::string_view word) { return equalIgnoringCase(name, word); });
}

}  // namespace

void cnfBuilder::warn(std::uint32_t line, textSpan where, std::string text) {
    warnings.push_back({line, where, std::move(text)});
}



std::vector<scriptWarning> cnfBuilder::takeWarnings() {
    std::stable_sort(warnings.begin(), warnings.end(),
                     [](const scriptWarning& a, const scriptWarning& b) { return a.line < b.line; });
    return std::exchange(warnings, {});
}

void cnfBuilder::dropWarningsAt(std::vector<scriptWarning>& warnings, const scriptError& e) {
    if (e.fileErr != 0) return;
    std::erase_if(warnings, [&e](const scriptWarning& w) {
        return w.line == static_cast<std::uint32_t>(e.errLine) && w.where.column == e.errColumn;
    });
}

void cnfBuilder::reportWarnings(std::ostream& err, const scriptError* at) {
    std::string text;  // written at once
    std::vector<scriptWarning> found = takeWarnings();
    if (at != nullptr) dropWarningsAt(found, *at);
    for (const scriptWarning& w : found) appendDiagnostic(text, scriptPath, w);
    if (!text.empty()) err << text << std::flush;
}

std::string cnfBuilder::itemText(std::uint32_t kind, std::size_t position) const {
    std::string text = kindName(kind);
    if (kind < DEF_KIND && position < definitions[kind].size()) {
        text += ' ';
        text += inQuotes(definitions[kind][position].text);
    }
    return text;
}

std::string cnfBuilder::sectionText() const {
    return itemText(sectionKind, sectionKind < DEF_KIND ? definitions[sectionKind].size() - 1 : 0);
}

std::uint32_t cnfBuilder::lackingParameters() const {
    const itemKind& kind = kindOf(sectionKind);
    // Slots filled beyond the keywords seen: the deciding parameter filled
    // the dependent one's slot too.
    std::uint32_t seen = 0;
    for (std::uint32_t i = 1; i <= kind.parameterCount; ++i) seen += parser.redefFlags[i] ? 1 : 0;
    const bool filledForIt = paramCount > seen;
    std::uint32_t lacking = 0;
    for (std::uint32_t i = 1; i <= kind.parameterCount; ++i) {
        if (parser.redefFlags[i]) continue;
        if (i == kind.dependentParameter && filledForIt) continue;
        lacking |= 1u << (i - 1);
    }
    return lacking;
}

std::string cnfBuilder::missingParameters() const {
    const itemKind& kind = kindOf(sectionKind);
    const std::uint32_t lacking = lackingParameters();
    std::string missing;
    for (std::uint32_t i = 1; i <= kind.parameterCount; ++i) {
        if ((lacking & (1u << (i - 1))) == 0) continue;
        // Whether arg or filters is needed is known only once order or action is read.
        if (i == kind.dependentParameter && !parser.redefFlags[kind.decidingParameter]) continue;
        if (!missing.empty()) missing += ", ";
        missing += kind.parameters[i - 1];
    }
    return missing;
}

std::string cnfBuilder::scriptEndText() const {
    if (sectionKind == HEADER_PART) {
        return "the script ends after " + std::to_string(headerStrings.size()) +
               " of its 6 header lines; expected a line beginning with \"#\"";
    }
    return "the script ends inside " + sectionText() + ", which still lacks " + missingParameters();
}

std::string cnfBuilder::wordHints(std::string_view word, bool atSectionLevel) const {
    std::string hints;
    const itemKind& section = kindOf(sectionKind);
    if (!atSectionLevel && inTableIgnoringCase(word, section.parameters, section.parameterCount))
        hints += "; keywords are lower case";
    if (atSectionLevel && inTableIgnoringCase(word, itemKW, ITEM_KW_SUM)) hints += "; keywords are lower case";
    if (!word.empty() && word.front() == '#')
        hints += "; comments start with \";\" (\"#\" begins only the six header lines)";
    if (word.find('\t') != std::string_view::npos) hints += "; a tab is no blank: indent with spaces";
    const bool parameterOfSection =
        std::find(section.parameters, section.parameters + section.parameterCount, word) !=
        section.parameters + section.parameterCount;
    // At section level the section before is complete; inside a section, a
    // section keyword means the section before it lacks a parameter.
    if (atSectionLevel && parameterOfSection) {
        hints += "; " + sectionText() + " before it is already complete";
        // Its arg or filters slot was filled by the order or the action.
        const std::uint32_t dependent = section.dependentParameter;
        if (dependent != 0 && word == section.parameters[dependent - 1] && !parser.redefFlags[dependent])
            hints += sectionKind == KEY_KIND ? " (its order has no keys, so it takes no arg)"
                                             : " (a folder browser, action = dir, takes no filters)";
    }
    if (!atSectionLevel && std::find(itemKW, itemKW + ITEM_KW_SUM, word) != itemKW + ITEM_KW_SUM)
        hints += "; " + sectionText() + " still lacks " + missingParameters();
    return hints;
}

std::string cnfBuilder::notFoundText(std::string_view name, const referenceInfo& ref) const {
    std::string text;
    if (ref.ownerKind == 0) {  // the def line
        if (defArg.line == 0) return "no \"def\" line: the script must end with def LISTNAME";
        if (name.empty()) return "the def line names no list: write def LISTNAME";
        text = "def " + inQuotes(name) + " names no list";
    } else if (ref.keyword == "items" || ref.keyword == "filters") {
        text = std::string(ref.keyword) + " of " + itemText(ref.ownerKind, ref.owner) + ": name " +
               std::to_string(error.itemIndex + 1) + " " + inQuotes(name) + " names no " + kindName(ref.targetKind);
        if (name.empty()) return text + " (a comma too many?)";
    } else {
        if (name.empty()) {
            return std::string(ref.keyword) + " of " + itemText(ref.ownerKind, ref.owner) + " names no " +
                   kindName(ref.targetKind) + ": write " + std::string(ref.keyword) + " = NAME or " +
                   std::string(ref.keyword) + " = disable";
        }
        text = std::string(ref.keyword) + " " + inQuotes(name) + " of " + itemText(ref.ownerKind, ref.owner) +
               " names no " + kindName(ref.targetKind);
        if (equalIgnoringCase(name, DISABLE)) return text + "; keywords are lower case: did you mean \"disable\"?";
    }
    // The same name in other letters, or an item of another kind.
    const std::vector<storeParam>& targets = definitions[ref.targetKind];
    const auto similar = std::find_if(targets.begin(), targets.end(),
                                      [&name](const storeParam& item) { return equalIgnoringCase(item.text, name); });
    if (similar != targets.end()) return text + "; did you mean " + inQuotes(similar->text) + "?";
    for (std::uint32_t kind = LIST_KIND; kind < DEF_KIND; ++kind) {
        const std::vector<storeParam>& items = definitions[kind];
        const bool there = std::any_of(items.begin(), items.end(),
                                       [&name](const storeParam& item) { return item.text == name; });
        if (there) return text + "; " + inQuotes(name) + " is a " + kindName(kind);
    }
    // In a next, kmarg or kfile line, disable switches the reference off.
    if (ref.ownerKind == KEY_KIND && meansNone(name)) return text + "; did you mean \"disable\"?";
    return text;
}

void cnfBuilder::warnUnusedItems() {
    std::vector<keyLinks> keyTable(keys.size());
    for (std::size_t k = 0; k < keys.size(); ++k)
        keyTable[k] = {keys[k].fileRef, keys[k].margRef, keys[k].listRef, keys[k].order};
    const std::span<const std::uint32_t> entries(itemNumbers);
    const configFindings found = analyseConfig({.defaultList = defListIndex,
                                                .listSizes = listSizes,
                                                .listKeys = entries.first(listItemNum),
                                                .keys = keyTable,
                                                .fileCount = files.size(),
                                                .fileFilters = entries.subspan(listItemNum),
                                                .filterCount = filterStrings.size(),
                                                .margCount = margStrings.size()});

    const auto report = [this](std::uint32_t kind, const configFindings::flags& used,
                               const std::string& why) {
        for (std::size_t i = 0; i < used.size(); ++i) {
            if (used[i] != 0) continue;
            const storeParam& item = definitions[kind][i];
            warn(item.line, parser.spanOf(item.text), itemText(kind, i) + " is not used: " + why);
        }
    };
    report(LIST_KIND, found.listReached, "it cannot be reached from the default list " + inQuotes(defArg.text));
    report(KEY_KIND, found.keyListed, "no list holds it");
    report(FILE_KIND, found.fileUsed, "no key names it in kfile");
    report(FILTER_KIND, found.filterUsed, "no file item names it in filters");
    report(MARG_KIND, found.margUsed, "no key names it in kmarg");
}
