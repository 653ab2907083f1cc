#include "lsFeatures.h"

#include <algorithm>
#include <optional>
#include <vector>

#include "itemKinds.h"
#include "lsHelp.h"

using nlohmann::json;

namespace {

json location(const scriptView& script, const scriptPlace& place) {
    return {{"uri", script.uri}, {"range", rangeOf(script, place.line, place.where.column, place.where.length)}};
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

// The help context of a keyword as the compiler took it (lsHelp.h).
std::string_view helpContext(const wordFact& word) {
    switch (word.role) {
        case wordRole::section: return "section";
        case wordRole::parameter: return kindOf(word.kind).keyword;
        case wordRole::order: return "order";
        case wordRole::action: return "action";
        case wordRole::disable: return "reference";
        case wordRole::lineBreak: return "tooltip";
    }
    return {};
}

// The action word a file item's section was read with, or empty.
std::string_view actionOf(const scriptIndex& index, const sectionFact& section) {
    const std::vector<wordFact>& words = index.facts().words;
    auto at = std::lower_bound(words.begin(), words.end(), section.place.line,
                               [](const wordFact& w, std::uint32_t line) { return w.place.line < line; });
    for (; at != words.end() && at->place.line <= section.lastLine; ++at)
        if (at->role == wordRole::action) return at->word;
    return {};
}

// The caption of a section, and what else the config holds of it: a key's
// data, a marg's tooltip, a filter's patterns, a file item's dialog.
struct sectionTexts {
    const textFact* caption = nullptr;
    std::string_view noteName;
    std::string_view note;
};

sectionTexts textsOf(const scriptIndex& index, std::size_t at) {
    const sectionFact& section = index.facts().sections[at];
    sectionTexts texts;
    texts.caption = index.textOf(at, textRole::caption);
    const auto from = [&](textRole role, std::string_view name) {
        if (const textFact* text = index.textOf(at, role)) {
            texts.note = text->value;
            texts.noteName = name;
        }
    };
    switch (section.kind) {
        case KEY_KIND: from(textRole::keyData, "Key data: "); break;
        case MARG_KIND: from(textRole::tooltip, "Tooltip: "); break;
        case FILTER_KIND: from(textRole::patterns, "Patterns: "); break;
        case FILE_KIND:
            texts.note = actionOf(index, section);
            texts.noteName = "Dialog: ";
            break;
        default: break;
    }
    return texts;
}

std::string itemMarkdown(const scriptIndex& index, const nameUse& use) {
    std::string text = "**" + kindName(use.kind) + "** `" + use.name + "`";
    bool defined = false;
    const std::vector<sectionFact>& sections = index.facts().sections;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const sectionFact& s = sections[i];
        if (s.kind != use.kind || s.name != use.name) continue;
        defined = true;
        text += "\n\n";
        const sectionTexts texts = textsOf(index, i);
        if (texts.caption != nullptr) {
            text += "Caption: " + escaped(texts.caption->value);
            if (!texts.note.empty()) text += "  \n" + std::string(texts.noteName) + escaped(texts.note);
            text += "  \n";
        }
        text += "Defined at line " + std::to_string(s.place.line + 1) + ".";
    }
    if (!defined) text += "\n\nNo " + kindName(use.kind) + " has this name.";
    return text;
}

// Every section that defines the name used.
template <typename visit>
void definitionsOf(const scriptIndex& index, const nameUse& use, visit each) {
    for (const sectionFact& s : index.facts().sections)
        if (s.kind == use.kind && s.name == use.name) each(s);
}

}  // namespace

json position(const scriptView& script, std::size_t offset) {
    const editorPosition at = script.text.positionOf(offset, script.encoding);
    return {{"line", at.line}, {"character", at.character}};
}

json rangeOf(const scriptView& script, std::uint32_t line, std::uint32_t column, std::uint32_t length) {
    const std::size_t start = script.index.offsetOf(line, column);
    const std::size_t end = script.index.offsetOf(line, column + length);
    return {{"start", position(script, start)}, {"end", position(script, std::max(start, end))}};
}

json hover(const scriptView& script, std::size_t offset) {
    const cursor at = script.index.cursorAt(offset);
    if (const std::optional<nameUse> use = script.index.nameAt(at)) {
        return {{"contents", {{"kind", "markdown"}, {"value", itemMarkdown(script.index, *use)}}},
                {"range", rangeOf(script, use->place.line, use->place.where.column, use->place.where.length)}};
    }
    const wordFact* word = script.index.wordAt(at);
    const keywordHelp* help = word == nullptr ? nullptr : findHelp(helpContext(*word), word->word);
    if (help == nullptr) return nullptr;
    return {{"contents", {{"kind", "markdown"}, {"value", helpMarkdown(*help)}}}};
}

json definition(const scriptView& script, std::size_t offset) {
    const std::optional<nameUse> use = script.index.nameAt(script.index.cursorAt(offset));
    json found = json::array();
    if (use) definitionsOf(script.index, *use, [&](const sectionFact& s) { found.push_back(location(script, s.place)); });
    return found;
}

json references(const scriptView& script, std::size_t offset, bool withDefinition) {
    const std::optional<nameUse> use = script.index.nameAt(script.index.cursorAt(offset));
    json found = json::array();
    if (!use) return found;
    if (withDefinition)
        definitionsOf(script.index, *use, [&](const sectionFact& s) { found.push_back(location(script, s.place)); });
    for (const referenceFact& r : script.index.facts().references)
        if (r.kind == use->kind && r.name == use->name) found.push_back(location(script, r.place));
    return found;
}

json documentSymbols(const scriptView& script) {
    // SymbolKind: File 1, Property 7, Variable 13, Constant 14, Array 18, Key 20.
    static constexpr int symbolKinds[DEF_KIND + 1] = {0, 18, 20, 1, 7, 13, 14};
    json symbols = json::array();
    const std::vector<sectionFact>& sections = script.index.facts().sections;
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const sectionFact& s = sections[i];
        std::string name = s.name.empty() ? "(no name)" : s.name;
        if (s.kind == DEF_KIND) name.insert(0, "def ");
        const textFact* caption = s.kind == DEF_KIND ? nullptr : script.index.textOf(i, textRole::caption);
        json symbol = {{"name", name},
                       {"kind", symbolKinds[s.kind]},
                       {"range",
                        {{"start", position(script, script.index.lineStart(s.place.line))},
                         {"end", position(script, script.index.offsetOf(s.lastLine, UINT32_MAX))}}},
                       {"selectionRange", rangeOf(script, s.place.line, s.place.where.column, s.place.where.length)}};
        symbol["detail"] = s.kind == DEF_KIND       ? std::string("the list shown first")
                           : caption != nullptr     ? kindName(s.kind) + " \"" + caption->value + "\""
                                                    : kindName(s.kind);
        symbols.push_back(std::move(symbol));
    }
    return symbols;
}

json prepareRename(const scriptView& script, std::size_t offset) {
    const std::optional<nameUse> use = script.index.nameAt(script.index.cursorAt(offset));
    if (!use) return nullptr;
    if (!script.index.facts().readWhole)
        throw requestFailure("the script has an error that stops the compiler reading it: fix it first, so that "
                             "every use of the name is found");
    return {{"range", rangeOf(script, use->place.line, use->place.where.column, use->place.where.length)},
            {"placeholder", use->name}};
}

json rename(const scriptView& script, std::size_t offset, const std::string& newName) {
    const std::optional<nameUse> use = script.index.nameAt(script.index.cursorAt(offset));
    if (!use) throw requestFailure("there is no item name here to rename");
    prepareRename(script, offset);
    const std::string problem = nameProblem(newName, use->kind);
    if (!problem.empty()) throw requestFailure("\"" + newName + "\" cannot be the name of a " + kindName(use->kind) + ": " + problem);
    json edits = json::array();
    const auto edit = [&](const scriptPlace& place) {
        edits.push_back({{"range", rangeOf(script, place.line, place.where.column, place.where.length)},
                         {"newText", newName}});
    };
    for (const sectionFact& s : script.index.facts().sections) {
        if (s.kind != use->kind) continue;
        if (s.name == newName && newName != use->name)
            throw requestFailure("a " + kindName(use->kind) + " named \"" + newName + "\" stands at line " +
                                 std::to_string(s.place.line + 1) + " already");
        if (s.name == use->name) edit(s.place);
    }
    for (const referenceFact& r : script.index.facts().references) {
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
