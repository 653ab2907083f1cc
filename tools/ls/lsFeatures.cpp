#include "lsFeatures.h"

#include <algorithm>
#include <optional>
#include <set>
#include <vector>

#include "itemKinds.h"
#include "lsHelp.h"
#include "scan.h"

using nlohmann::json;

namespace {

// --- places ---

// Where an offset stands for the compiler: its line and the byte column of
// the offset in it (the cursor stands before that byte).
struct cursor {
    std::uint32_t line;
    std::uint32_t column;
};

cursor cursorAt(const scriptView& script, std::size_t offset) {
    return {script.text.scriptLineOf(offset), script.text.scriptColumnOf(offset)};
}

json position(const scriptView& script, std::size_t offset) {
    const editorPosition at = script.text.positionOf(offset, script.encoding);
    return {{"line", at.line}, {"character", at.character}};
}

json location(const scriptView& script, const scriptPlace& place) {
    return {{"uri", script.uri}, {"range", rangeOf(script, place.line, place.where.column, place.where.length)}};
}

// Whether a cursor touches a text: stands on it or right after it.
bool touches(const cursor& at, const scriptPlace& place) {
    return place.line == at.line && place.where.length > 0 && at.column >= place.where.column &&
           at.column <= place.where.column + place.where.length;
}

// Whether a cursor stands on a word of its line (for hover: on one of its characters).
bool onWord(const cursor& at, std::string_view line, std::string_view word) {
    const auto column = static_cast<std::uint32_t>(word.data() - line.data()) + 1;
    return !word.empty() && at.column >= column && at.column < column + word.size();
}

// --- names ---

// An item's name at a cursor, where it is defined or where it is referred to.
using nameUse = scriptReference;

std::optional<nameUse> nameAt(const scriptIndex& index, const cursor& at) {
    for (const scriptSection& s : index.sections)
        if (s.kind < DEF_KIND && touches(at, s.place)) return nameUse{s.kind, s.name, s.place};
    for (const scriptReference& r : index.references)
        if (touches(at, r.place)) return r;
    return std::nullopt;
}

std::string kindName(std::uint32_t kind) { return std::string(kindOf(kind).name); }

// Text shown as it stands in Markdown.
std::string escaped(std::string_view text) {
    std::string out;
    for (char c : text) {
        if (std::string_view("\\`*_{}[]()#+-.!|<>~").find(c) != std::string_view::npos) out += '\\';
        if (c == '\n') {
            out += "  \n";
            continue;
        }
        out += c;
    }
    return out;
}

// --- reading a line as the section readers do ---

// The section a line belongs to: the last one that begins at or before it.
const scriptSection* sectionOf(const scriptIndex& index, std::uint32_t line) {
    const scriptSection* found = nullptr;
    for (const scriptSection& s : index.sections) {
        if (s.place.line > line) break;
        found = &s;
    }
    return found;
}

std::uint32_t parameterNumber(std::uint32_t kind, std::string_view word) {
    const itemKind& k = kindOf(kind);
    for (std::uint32_t i = 0; i < k.parameterCount; ++i)
        if (k.parameters[i] == word) return i + 1;
    return 0;
}

bool hasContent(lineText& line) {
    scan::skipFront(line, scan::kLineNoise);
    return !line.empty() && line.front() != ';';
}

// A line's words as the readers take them: the first word, then (on a
// section line) the name, then a parameter keyword and its value. kind is the
// section the parameter belongs to; 0 where the line has none.
struct lineReading {
    std::string_view first;        // the first word
    std::uint32_t sectionWord = 0;  // its number in itemKW, when it begins a section
    std::string_view name;         // the item's name, on a section line
    std::uint32_t kind = 0;        // the section of the parameter
    std::string_view parameter;    // the parameter keyword, when there is one
    lineText rest;                 // what follows the parameter keyword
    bool atEnd = false;            // the text ended inside the last word read
};

// Reads a line (or the part of it before a cursor) as the readers would.
lineReading readLine(const scriptIndex& index, std::uint32_t lineNumber, std::string_view text) {
    lineReading r;
    lineText line(text);
    if (!hasContent(line)) return r;
    r.first = scan::cutWord(line);
    r.atEnd = line.empty();
    r.sectionWord = keywordNumber<itemKW, ITEM_KW_SUM>(r.first);
    if (r.sectionWord != 0) {
        if (r.atEnd || r.sectionWord == DEF_KIND) {
            r.rest = line;
            return r;
        }
        r.name = scan::cutWord(line);
        r.atEnd = line.empty();
        if (r.atEnd || !hasContent(line)) return r;
        r.kind = r.sectionWord;
        r.parameter = scan::cutWord(line);
        r.atEnd = line.empty();
        if (parameterNumber(r.kind, r.parameter) == 0) r.parameter = {};
        r.rest = line;
        return r;
    }
    const scriptSection* section = sectionOf(index, lineNumber);
    if (section != nullptr && section->kind < DEF_KIND && parameterNumber(section->kind, r.first) != 0) {
        r.kind = section->kind;
        r.parameter = r.first;
        r.rest = line;
    }
    return r;
}

// The keyword under a cursor, with its context for the help table.
const keywordHelp* keywordAt(const scriptView& script, const cursor& at) {
    if (at.line < script.index.bodyLine) return nullptr;
    const std::string_view text = script.text.scriptLine(at.line);
    lineReading r = readLine(script.index, at.line, text);
    if (r.sectionWord != 0 && onWord(at, text, r.first)) return findHelp("section", r.first);
    if (r.parameter.empty()) return nullptr;
    const std::string_view context = itemKW[r.kind - 1];
    if (onWord(at, text, r.parameter)) return findHelp(context, r.parameter);
    if (r.kind == KEY_KIND && r.parameter == "order") {
        for (int n = 0; n < 3; ++n) {
            const std::string_view word = scan::cutWord(r.rest);
            if (onWord(at, text, word)) return findHelp("order", word);
        }
    } else if (r.kind == FILE_KIND && r.parameter == "action") {
        const std::string_view word = scan::cutWord(r.rest);
        if (onWord(at, text, word)) return findHelp("action", word);
    } else if (r.kind == KEY_KIND && parameterNumber(KEY_KIND, r.parameter) >= 4) {
        const std::string_view word = scan::cutWord(r.rest);
        if (word == DISABLE && onWord(at, text, word)) return findHelp("reference", word);
    } else if (r.kind == MARG_KIND && r.parameter == "info") {
        const std::string_view info = r.rest.view();
        for (std::size_t n = info.find(KS_TOOL_TIP_ENDL); n != std::string_view::npos; n = info.find(KS_TOOL_TIP_ENDL, n + 1))
            if (onWord(at, text, info.substr(n, 2))) return findHelp("tooltip", KS_TOOL_TIP_ENDL);
    }
    return nullptr;
}

std::string itemMarkdown(const scriptIndex& index, const nameUse& use) {
    std::string text = "**" + kindName(use.kind) + "** `" + use.name + "`";
    bool defined = false;
    for (const scriptSection& s : index.sections) {
        if (s.kind != use.kind || s.name != use.name) continue;
        defined = true;
        text += "\n\n";
        if (s.read) {
            text += "Caption: " + escaped(s.caption);
            if (!s.note.empty()) {
                const char* what = use.kind == KEY_KIND      ? "Key data: "
                                   : use.kind == MARG_KIND   ? "Tooltip: "
                                   : use.kind == FILTER_KIND ? "Patterns: "
                                                             : "Dialog: ";
                text += "  \n" + std::string(what) + escaped(s.note);
            }
            text += "  \n";
        }
        text += "Defined at line " + std::to_string(s.place.line + 1) + ".";
    }
    if (!defined) text += "\n\nNo " + kindName(use.kind) + " has this name.";
    return text;
}

// --- completion ---

enum itemKindOfCompletion { kKeyword = 14, kListItem = 13, kKeyItem = 20, kFileItem = 17, kFilterItem = 12, kMargItem = 6 };

int completionKind(std::uint32_t kind) {
    switch (kind) {
        case LIST_KIND: return kListItem;
        case KEY_KIND: return kKeyItem;
        case FILE_KIND: return kFileItem;
        case FILTER_KIND: return kFilterItem;
        default: return kMargItem;
    }
}

struct completions {
    json items = json::array();
    std::set<std::string> given;
    json range;

    void add(std::string_view label, int kind, std::string_view detail = {}) {
        if (label.empty() || !given.insert(std::string(label)).second) return;
        json item = {{"label", label}, {"kind", kind}, {"textEdit", {{"range", range}, {"newText", label}}}};
        if (!detail.empty()) item["detail"] = detail;
        items.push_back(std::move(item));
    }
    void keywords(const std::string_view* table, std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i) add(table[i], kKeyword);
    }
    void names(const scriptIndex& index, std::uint32_t kind) {
        for (const scriptSection& s : index.sections)
            if (s.kind == kind) add(s.name, completionKind(kind), s.caption);
    }
};

// Whether an order inserts the key data: "keys" among its words as the reader
// takes them, up to the third or the first "disable".
bool ordersKeys(lineText words) {
    for (int n = 0; n < 3; ++n) {
        const std::string_view word = scan::cutWord(words);
        if (word == orderKW[1]) return true;
        if (word.empty() || word == DISABLE) return false;
    }
    return false;
}

// The parameters a section already has, read from its lines but one.
std::set<std::string_view> givenParameters(const scriptView& script, const scriptSection& section,
                                           std::uint32_t skipped) {
    std::set<std::string_view> given;
    for (std::uint32_t n = section.place.line; n <= section.lastLine; ++n) {
        if (n == skipped) continue;
        const lineReading r = readLine(script.index, n, script.text.scriptLine(n));
        if (r.parameter.empty() || r.kind != section.kind) continue;
        given.insert(r.parameter);
        // A folder's action stands for its filters as well, and an order
        // without keys for the key data: a filters or arg line after either fails.
        lineText value = r.rest;
        if (r.kind == FILE_KIND && r.parameter == "action" && scan::cutWord(value) == fileFlagsKW[DIR])
            given.insert("filters");
        if (r.kind == KEY_KIND && r.parameter == "order" && !ordersKeys(r.rest)) given.insert("arg");
    }
    return given;
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

// What may follow a parameter keyword: order words, actions, names.
void valuesOf(const scriptView& script, std::uint32_t kind, std::string_view parameter, const lineText& rest,
              completions& out) {
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
        out.names(script.index, KEY_KIND);
    } else if (kind == FILE_KIND && parameter == "filters") {
        out.names(script.index, FILTER_KIND);
    } else if (kind == KEY_KIND && parameterNumber(KEY_KIND, parameter) >= 4) {
        if (!firstWord) return;
        out.names(script.index, parameter == "next" ? LIST_KIND : parameter == "kmarg" ? MARG_KIND : FILE_KIND);
        out.add(DISABLE, kKeyword, "switches the reference off");
    }
}

}  // namespace

json rangeOf(const scriptView& script, std::uint32_t line, std::uint32_t column, std::uint32_t length) {
    const std::size_t start = script.text.offsetOfScript(line, column);
    const std::size_t end = script.text.offsetOfScript(line, column + length);
    return {{"start", position(script, start)}, {"end", position(script, std::max(start, end))}};
}

json hover(const scriptView& script, std::size_t offset) {
    const cursor at = cursorAt(script, offset);
    std::string text;
    json range;
    if (const std::optional<nameUse> use = nameAt(script.index, at)) {
        text = itemMarkdown(script.index, *use);
        range = rangeOf(script, use->place.line, use->place.where.column, use->place.where.length);
    } else if (const keywordHelp* help = keywordAt(script, at)) {
        text = helpMarkdown(*help);
    } else {
        return nullptr;
    }
    json result = {{"contents", {{"kind", "markdown"}, {"value", text}}}};
    if (!range.is_null()) result["range"] = range;
    return result;
}

json definition(const scriptView& script, std::size_t offset) {
    const std::optional<nameUse> use = nameAt(script.index, cursorAt(script, offset));
    json found = json::array();
    if (!use) return found;
    for (const scriptSection& s : script.index.sections)
        if (s.kind == use->kind && s.name == use->name) found.push_back(location(script, s.place));
    return found;
}

json references(const scriptView& script, std::size_t offset, bool withDefinition) {
    const std::optional<nameUse> use = nameAt(script.index, cursorAt(script, offset));
    json found = json::array();
    if (!use) return found;
    if (withDefinition)
        for (const scriptSection& s : script.index.sections)
            if (s.kind == use->kind && s.name == use->name) found.push_back(location(script, s.place));
    for (const scriptReference& r : script.index.references)
        if (r.kind == use->kind && r.name == use->name) found.push_back(location(script, r.place));
    return found;
}

json documentSymbols(const scriptView& script) {
    // SymbolKind: File 1, Property 7, Variable 13, Constant 14, Array 18, Key 20.
    static constexpr int symbolKinds[DEF_KIND + 1] = {0, 18, 20, 1, 7, 13, 14};
    json symbols = json::array();
    for (const scriptSection& s : script.index.sections) {
        std::string name = s.name.empty() ? "(no name)" : s.name;
        if (s.kind == DEF_KIND) name.insert(0, "def ");
        const std::size_t end = script.text.offsetOfScript(s.lastLine, UINT32_MAX);
        json symbol = {{"name", name},
                       {"kind", symbolKinds[s.kind]},
                       {"range",
                        {{"start", position(script, script.text.scriptLineStart(s.place.line))},
                         {"end", position(script, end)}}},
                       {"selectionRange", rangeOf(script, s.place.line, s.place.where.column, s.place.where.length)}};
        symbol["detail"] = s.kind == DEF_KIND ? std::string("the list shown first")
                           : s.read           ? kindName(s.kind) + " \"" + s.caption + "\""
                                              : kindName(s.kind);
        symbols.push_back(std::move(symbol));
    }
    return symbols;
}

json completion(const scriptView& script, std::size_t offset) {
    const cursor at = cursorAt(script, offset);
    completions out;
    const std::string_view line = script.text.scriptLine(at.line);
    const std::string_view before = line.substr(0, std::min<std::size_t>(at.column - 1, line.size()));
    // The word being written, which a completion replaces.
    std::size_t wordStart = before.size();
    while (wordStart > 0 && std::string_view(" ,:;=").find(before[wordStart - 1]) == std::string_view::npos) --wordStart;
    const std::size_t lineStart = script.text.scriptLineStart(at.line);
    out.range = {{"start", position(script, lineStart + wordStart)}, {"end", position(script, lineStart + before.size())}};

    lineText content(before);
    const bool comment = !hasContent(content) && !content.empty();
    const lineReading r = readLine(script.index, at.line, before);
    const scriptSection* section = sectionOf(script.index, at.line);
    const auto parametersOf = [&out](std::uint32_t kind) {
        const itemKind& k = kindOf(kind);
        for (std::uint32_t i = 0; i < k.parameterCount; ++i) out.add(k.parameters[i], kKeyword, k.name);
    };
    if (at.line < script.index.bodyLine || comment) {
        // The header and comments are free text.
    } else if (r.first.empty() || (r.atEnd && r.name.empty())) {
        // The first word of a line: a parameter the section still lacks, or a section keyword.
        if (section != nullptr && section->kind < DEF_KIND && section->place.line != at.line) {
            const std::set<std::string_view> given = givenParameters(script, *section, at.line);
            const itemKind& kind = kindOf(section->kind);
            for (std::uint32_t i = 0; i < kind.parameterCount; ++i)
                if (given.count(kind.parameters[i]) == 0) out.add(kind.parameters[i], kKeyword, kind.name);
        }
        out.keywords(itemKW, ITEM_KW_SUM);
    } else if (r.sectionWord == DEF_KIND) {
        lineText rest = r.rest;
        const std::string_view word = scan::cutWord(rest);
        if (rest.empty() || word.empty()) out.names(script.index, LIST_KIND);
    } else if (r.sectionWord != 0) {
        // After the item's name its first parameter may stand on the section line.
        if (r.kind == 0 && !r.atEnd) parametersOf(r.sectionWord);
        if (r.kind != 0 && r.atEnd) parametersOf(r.kind);
        if (r.kind != 0 && !r.atEnd && !r.parameter.empty()) valuesOf(script, r.kind, r.parameter, r.rest, out);
    } else if (!r.parameter.empty()) {
        valuesOf(script, r.kind, r.parameter, r.rest, out);
    }
    return {{"isIncomplete", false}, {"items", std::move(out.items)}};
}

json prepareRename(const scriptView& script, std::size_t offset) {
    const std::optional<nameUse> use = nameAt(script.index, cursorAt(script, offset));
    if (!use) return nullptr;
    if (!script.index.complete)
        throw requestFailure("the script has an error that stops the compiler reading it: fix it first, so that "
                             "every use of the name is found");
    return {{"range", rangeOf(script, use->place.line, use->place.where.column, use->place.where.length)},
            {"placeholder", use->name}};
}

json rename(const scriptView& script, std::size_t offset, const std::string& newName) {
    const std::optional<nameUse> use = nameAt(script.index, cursorAt(script, offset));
    if (!use) throw requestFailure("there is no item name here to rename");
    prepareRename(script, offset);
    const std::string problem = nameProblem(newName, use->kind);
    if (!problem.empty()) throw requestFailure("\"" + newName + "\" cannot be the name of a " + kindName(use->kind) + ": " + problem);
    json edits = json::array();
    const auto edit = [&](const scriptPlace& place) {
        edits.push_back({{"range", rangeOf(script, place.line, place.where.column, place.where.length)},
                         {"newText", newName}});
    };
    for (const scriptSection& s : script.index.sections) {
        if (s.kind != use->kind) continue;
        if (s.name == newName && newName != use->name)
            throw requestFailure("a " + kindName(use->kind) + " named \"" + newName + "\" stands at line " +
                                 std::to_string(s.place.line + 1) + " already");
        if (s.name == use->name) edit(s.place);
    }
    for (const scriptReference& r : script.index.references) {
        if (r.kind != use->kind) continue;
        // A name that refers to nothing yet would come to refer to the renamed
        // item, which its author did not write.
        if (r.name == newName && newName != use->name)
            throw requestFailure("a reference to \"" + newName + "\" stands at line " +
                                 std::to_string(r.place.line + 1) + " already: it would come to name this " +
                                 kindName(use->kind));
        if (r.name == use->name) edit(r.place);
    }
    return {{"changes", {{script.uri, std::move(edits)}}}};
}
