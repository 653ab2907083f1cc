// Completion: only what can stand at the cursor. What a line holds before
// the cursor says which word is being written; the compiler's facts say in
// which section, what that section still lacks, and which names there are.
#include <algorithm>
#include <set>
#include <vector>

#include "itemKinds.h"
#include "lsFeatures.h"
#include "scan.h"

using nlohmann::json;

namespace {

enum completionKind { kKeyword = 14, kSnippet = 15, kListItem = 13, kKeyItem = 20, kFileItem = 17, kFilterItem = 12,
                      kMargItem = 6 };

int kindOfItem(std::uint32_t kind) {
    switch (kind) {
        case LIST_KIND: return kListItem;
        case KEY_KIND: return kKeyItem;
        case FILE_KIND: return kFileItem;
        case FILTER_KIND: return kFilterItem;
        default: return kMargItem;
    }
}

// The most names offered at once; beyond it, those the word written so far
// may become, and the editor asks again as it grows.
constexpr std::size_t kMostNames = 1000;

// Whether the letters of word stand in name in their order, as editors
// match what is typed against what is offered.
bool mayBecome(std::string_view word, std::string_view name) {
    std::size_t at = 0;
    for (char c : name)
        if (at < word.size() && c == word[at]) ++at;
    return at == word.size();
}

struct completions {
    json items = json::array();
    std::set<std::string, std::less<>> given;
    json range;
    std::string_view word;  // the word being written, which an item replaces
    bool incomplete = false;

    void add(std::string_view label, int kind, std::string_view detail = {}) {
        if (label.empty() || !given.emplace(label).second) return;
        json item = {{"label", label}, {"kind", kind}, {"textEdit", {{"range", range}, {"newText", label}}}};
        if (!detail.empty()) item["detail"] = detail;
        items.push_back(std::move(item));
    }
    void keywords(const std::string_view* table, std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i) add(table[i], kKeyword);
    }
    // The parameter keywords of a kind in the bits of mask (bit i - 1 for keyword i).
    void parameters(std::uint32_t kind, std::uint32_t mask) {
        const itemKind& k = kindOf(kind);
        for (std::uint32_t i = 0; i < k.parameterCount; ++i)
            if ((mask & (1u << i)) != 0) add(k.parameters[i], kKeyword, k.name);
    }
    // The names of the kind's items, with their captions.
    void names(const scriptIndex& index, std::uint32_t kind) {
        const std::vector<sectionFact>& sections = index.facts().sections;
        std::vector<std::size_t> named;
        for (std::size_t i = 0; i < sections.size(); ++i)
            if (sections[i].kind == kind && !sections[i].name.empty()) named.push_back(i);
        if (named.size() > kMostNames) {
            std::erase_if(named, [&](std::size_t i) { return !mayBecome(word, sections[i].name); });
            incomplete = true;
        }
        for (std::size_t i = 0; i < named.size() && given.size() < kMostNames; ++i) {
            const textFact* caption = index.textOf(named[i], textRole::caption);
            add(sections[named[i]].name, kindOfItem(kind), caption != nullptr ? std::string_view(caption->value) : "");
        }
    }
};

constexpr std::uint32_t kAllParameters = 0x3F;

std::uint32_t parameterNumber(std::uint32_t kind, std::string_view word) {
    const itemKind& k = kindOf(kind);
    for (std::uint32_t i = 0; i < k.parameterCount; ++i)
        if (k.parameters[i] == word) return i + 1;
    return 0;
}

// The words of what follows a parameter keyword that are written whole: all
// but the one the cursor stands in or right after.
std::vector<std::string_view> wordsBefore(lineText rest) {
    std::vector<std::string_view> words;
    for (;;) {
        const std::string_view word = scan::cutWord(rest);
        if (word.empty() || rest.empty()) return words;
        words.push_back(word);
    }
}

// What may follow a parameter keyword of the section at index: order words,
// actions, names.
void valuesOf(const scriptIndex& index, std::ptrdiff_t section, std::string_view parameter, const lineText& rest,
              completions& out) {
    const std::uint32_t kind = index.facts().sections[static_cast<std::size_t>(section)].kind;
    // Only an order line and the lists of names take more than one word.
    const std::vector<std::string_view> before = wordsBefore(rest);
    const bool firstWord = before.empty();
    if (kind == KEY_KIND && parameter == "order") {
        // The order is read up to its third word or its first "disable".
        if (before.size() < 3 && std::find(before.begin(), before.end(), DISABLE) == before.end())
            out.keywords(orderKW, ORDER_KW_SUM);
    } else if (kind == FILE_KIND && parameter == "action") {
        if (firstWord) out.keywords(fileFlagsKW, FILE_FLAG_KW_SUM);
    } else if (kind == LIST_KIND && parameter == "items") {
        out.names(index, KEY_KIND);
    } else if (kind == FILE_KIND && parameter == "filters") {
        // A folder browser takes no filters.
        const sectionFact& file = index.facts().sections[static_cast<std::size_t>(section)];
        const std::vector<wordFact>& words = index.facts().words;
        for (const wordFact& w : words)
            if (w.role == wordRole::action && w.word == fileFlagsKW[DIR] && w.place.line >= file.place.line &&
                w.place.line <= file.lastLine)
                return;
        out.names(index, FILTER_KIND);
    } else if (kind == KEY_KIND && parameterNumber(KEY_KIND, parameter) >= 4) {
        if (!firstWord) return;
        out.names(index, parameter == "next" ? LIST_KIND : parameter == "kmarg" ? MARG_KIND : FILE_KIND);
        out.add(DISABLE, kKeyword, "switches the reference off");
    }
}

// The first word of a line below the header: a parameter the section before
// still lacks, or, once that section is complete, a section keyword.
void lineStart(const scriptIndex& index, std::uint32_t line, completions& out) {
    std::ptrdiff_t at = index.sectionIndexAt(line);
    const std::vector<sectionFact>& sections = index.facts().sections;
    // The section that begins on this line is the word being written.
    if (at >= 0 && sections[static_cast<std::size_t>(at)].place.line == line) --at;
    const sectionFact* section = at >= 0 ? &sections[static_cast<std::size_t>(at)] : nullptr;
    if (section == nullptr || section->kind == DEF_KIND || (section->complete && line > section->lastLine)) {
        out.keywords(itemKW, ITEM_KW_SUM);
        return;
    }
    // Inside a section, or after one that is not complete: its parameters,
    // among them the one this line holds, which it may write again.
    std::uint32_t mask = section->lacking;
    const std::vector<wordFact>& words = index.facts().words;
    for (auto word = std::lower_bound(words.begin(), words.end(), line,
                                      [](const wordFact& w, std::uint32_t l) { return w.place.line < l; });
         word != words.end() && word->place.line == line; ++word)
        if (word->role == wordRole::parameter && word->kind == section->kind)
            mask |= 1u << (parameterNumber(section->kind, word->word) - 1);
    out.parameters(section->kind, mask);
}

// The six header lines, or those still missing, each "# " and a field.
void headerLines(const scriptView& script, std::uint32_t line, completions& out) {
    static constexpr std::string_view fields[6] = {"the program", "what it does", "script by", "see also", "",
                                                   ""};
    const std::size_t given = script.index.headerItems(line);
    if (given >= 6) return;
    std::string text;
    for (std::size_t n = given; n < 6; ++n) {
        if (!text.empty()) text += '\n';
        text += '#';
        if (!script.snippets) continue;
        text.append(" ${").append(std::to_string(n - given + 1));
        if (!fields[n].empty()) text.append(":").append(fields[n]);
        text.append("}");
    }
    const std::size_t lines = 6 - given;
    json item = {{"label", lines == 6 ? "header" : "header lines"},
                 {"kind", kSnippet},
                 {"detail", lines == 6 ? std::string("the six header lines") : "the " + std::to_string(lines) + " header lines still missing"},
                 {"textEdit", {{"range", out.range}, {"newText", text}}}};
    if (script.snippets) item["insertTextFormat"] = 2;
    out.items.push_back(std::move(item));
}

}  // namespace

json completion(const scriptView& script, std::size_t offset) {
    const scriptIndex& index = script.index;
    const cursor at = index.cursorAt(offset);
    completions out;
    const std::string_view line = index.scriptLine(at.line);
    const std::string_view before = line.substr(0, std::min<std::size_t>(at.column - 1, line.size()));
    const std::size_t lineStartOffset = index.lineStart(at.line);
    const auto answer = [&out]() { return json{{"isIncomplete", out.incomplete}, {"items", std::move(out.items)}}; };

    lineText content(before);
    scan::skipFront(content, scan::kLineNoise);
    if (at.line < index.facts().bodyLine || index.facts().lineStarts.empty()) {
        // The header is free text; an empty line of it may take the lines still missing.
        const std::string_view rest = line.substr(std::min(line.size(), line.find_first_not_of(' ')));
        if (rest.empty() || rest == "#") {
            out.range = {{"start", position(script, lineStartOffset)},
                         {"end", position(script, lineStartOffset + line.size())}};
            headerLines(script, at.line, out);
        }
        return answer();
    }
    if (!content.empty() && content.front() == ';') return answer();  // a comment

    // The word being written, which a completion replaces.
    std::size_t wordStart = before.size();
    while (wordStart > 0 && std::string_view(" ,:;=").find(before[wordStart - 1]) == std::string_view::npos) --wordStart;
    out.range = {{"start", position(script, lineStartOffset + wordStart)},
                 {"end", position(script, lineStartOffset + before.size())}};
    out.word = before.substr(wordStart);

    lineText rest = content;
    const std::string_view first = scan::cutWord(rest);
    if (first.empty() || rest.empty()) {
        lineStart(index, at.line, out);
        return answer();
    }
    const std::uint32_t sectionWord = keywordNumber<itemKW, ITEM_KW_SUM>(first);
    if (sectionWord == DEF_KIND) {
        // One list's name.
        const std::string_view name = scan::cutWord(rest);
        if (name.empty() || rest.empty()) out.names(index, LIST_KIND);
        return answer();
    }
    if (sectionWord != 0) {
        // A new item's name goes here: nothing to offer. After it, the
        // section's first parameter may stand on the same line.
        const std::string_view name = scan::cutWord(rest);
        if (name.empty() || rest.empty()) return answer();
        scan::skipFront(rest, scan::kLineNoise);
        if (rest.front() == ';') return answer();
        const std::string_view parameter = scan::cutWord(rest);
        if (rest.empty()) {
            out.parameters(sectionWord, kAllParameters);
        } else if (parameterNumber(sectionWord, parameter) != 0) {
            const std::ptrdiff_t section = index.sectionIndexAt(at.line);
            if (section >= 0) valuesOf(index, section, parameter, rest, out);
        }
        return answer();
    }
    const std::ptrdiff_t section = index.sectionIndexAt(at.line);
    if (section >= 0 && index.facts().sections[static_cast<std::size_t>(section)].kind < DEF_KIND &&
        parameterNumber(index.facts().sections[static_cast<std::size_t>(section)].kind, first) != 0)
        valuesOf(index, section, first, rest, out);
    return answer();
}
