// The facts of a reading (scriptFacts.h), noted by the readers as they read,
// and the reading on past an error: the header that lacks lines, the section
// that failed, the next line that begins a section. Only a compile that asks
// for facts comes here.
#include <algorithm>
#include <functional>

#include "cnfBuilder.h"

namespace {

std::uint32_t sectionWordOf(lineText line) {
    scan::skipFront(line, scan::kLineNoise);
    if (line.empty() || line.front() == ';') return 0;
    return keywordNumber<itemKW, ITEM_KW_SUM>(scan::cutWord(line));
}

}  // namespace

scriptPlace cnfBuilder::placeOf(std::uint32_t line, std::string_view text) const {
    const char* const bytes = scriptBytes.get();
    const std::less<const char*> before;
    if (line >= facts->lineStarts.size() || text.data() == nullptr || before(text.data(), bytes) ||
        before(bytes + scriptSize, text.data() + text.size()))
        return {line, {}};
    const char* const lineStart = bytes + facts->lineStarts[line];
    return {line, {static_cast<std::uint32_t>(text.data() - lineStart) + 1, static_cast<std::uint32_t>(text.size())}};
}

void cnfBuilder::noteSection(std::uint32_t kind, std::string_view name) {
    sectionFact section;
    section.kind = kind;
    section.name = std::string(name);
    section.place = placeOf(curLine, name);
    section.lastLine = curLine;
    facts->sections.push_back(std::move(section));
}

void cnfBuilder::noteWord(std::string_view written, wordRole role, std::string_view word, std::uint32_t kind) {
    facts->words.push_back({placeOf(curLine, written), role, kind, word});
}

void cnfBuilder::noteText(std::uint32_t line, textRole role, std::string_view written, std::string_view value) {
    const std::size_t owner = role == textRole::header ? headerStrings.size() - 1 : facts->sections.size() - 1;
    facts->texts.push_back({role, static_cast<std::uint32_t>(owner), std::string(value), placeOf(line, written)});
}

void cnfBuilder::noteReference(std::uint32_t kind, std::string_view name, std::uint32_t line,
                               std::string_view written) {
    facts->references.push_back(
        {kind, std::string(name), placeOf(line, written), static_cast<std::uint32_t>(facts->sections.size() - 1)});
}

void cnfBuilder::noteNames(std::uint32_t kind, std::string_view written) {
    lineText text = lineText::beforeNul(written);
    std::string scratch;
    bool more = true;
    while (more) {
        const char* const from = text.begin();
        const std::string_view name = parser.paramView(text, more, scratch);
        if (!name.empty())
            noteReference(kind, name, curLine,
                          parserScr::paramAsWritten({from, static_cast<std::size_t>(text.begin() - from)}));
    }
}

void cnfBuilder::noteOrderWords() {
    lineText words(orderText);
    for (int n = 0; n < 3; ++n) {
        const std::string_view word = scan::cutWord(words);
        const std::uint32_t number = keywordNumber<orderKW, ORDER_KW_SUM>(word);
        if (number == 0) return;
        noteWord(word, wordRole::order, orderKW[number - 1]);
        if (orderKW[number - 1] == DISABLE) return;
    }
}

void cnfBuilder::noteLineBreaks(std::string_view info) {
    for (std::size_t at = info.find(KS_TOOL_TIP_ENDL); at != std::string_view::npos;
         at = info.find(KS_TOOL_TIP_ENDL, at + KS_TOOL_TIP_ENDL.size()))
        noteWord(info.substr(at, KS_TOOL_TIP_ENDL.size()), wordRole::lineBreak, KS_TOOL_TIP_ENDL);
}

bool cnfBuilder::defLineToCome() const {
    return defArg.line == 0 &&
           std::any_of(errors.begin(), errors.end(), [](const scriptError& e) { return e.stringsErr == 2; });
}

void cnfBuilder::readHeaderReadingOn() {
    for (int i = 0; i < 6; ++i) {
        try {
            eraseGarbage();
        } catch (const scriptError& e) {
            noteError(e);
            clearError();
            facts->bodyLine = curLine;
            return;
        }
        const lineText before = currentLine();
        try {
            headerStrings.push_back(parser.getHeaderItem(currentLine(), curLine));
        } catch (const scriptError& e) {
            noteError(e);
            clearError();
            // A line that begins a section ends a header that lacks lines;
            // any other line stands for a header line.
            if (sectionWordOf(before) != 0) break;
            headerStrings.emplace_back();
            ++curLine;
            continue;
        }
        noteText(curLine, textRole::header, headerStrings.back(), headerStrings.back());
        checkHeaderItem(headerStrings.back());
        ++curLine;
    }
    facts->bodyLine = curLine;
}

void cnfBuilder::readOnAfter(const scriptError& e, std::size_t opened) {
    noteError(e);
    clearError();
    itemStrings = {};
    sectionFact* const failed = facts->sections.size() > opened ? &facts->sections.back() : nullptr;
    if (failed != nullptr && failed->kind < DEF_KIND) {
        failed->lacking = lackingParameters();
        // Every table of the kind keeps one entry per item named: an entry
        // the section did not reach is one that resolution passes over.
        const std::size_t items = definitions[failed->kind].size();
        const auto pad = [items](auto& table) {
            if (table.size() < items) table.resize(items);
        };
        switch (failed->kind) {
            case LIST_KIND:
                pad(listStrings);
                pad(listItems);
                break;
            case KEY_KIND:
                pad(keys);
                pad(keyStrings);
                pad(keyNextLists);
                pad(keyMargs);
                pad(keyFiles);
                break;
            case FILE_KIND:
                pad(fileStrings);
                pad(fileFilters);
                pad(files);
                break;
            case FILTER_KIND: pad(filterStrings); break;
            default: pad(margStrings); break;
        }
    }
    // The line that failed is read no further; a section line that failed
    // at section level is passed over.
    std::uint32_t line = curLine;
    if (failed == nullptr || line == failed->place.line) ++line;
    const auto original = [this](std::uint32_t n) {
        const char* const start = scriptBytes.get() + facts->lineStarts[n];
        const std::string_view text(start, static_cast<std::size_t>(lines[n].end() - start));
        return *lines[n].end() == '\0' ? lineText::beforeNul(text) : lineText(text);
    };
    while (line < lineCount && sectionWordOf(original(line)) == 0) ++line;
    if (failed != nullptr) {
        std::uint32_t end = line;  // one past its last line with content
        while (end > failed->place.line + 1) {
            lineText text = original(end - 1);
            if (parser.symbDel(text)) break;
            --end;
        }
        failed->lastLine = end - 1;
    }
    curLine = line;
    if (line < lineCount) lines[line] = original(line);
}

std::string nameProblem(std::string_view name, std::uint32_t kind) {
    if (name.empty()) return "a name cannot be empty";
    if (name.find_first_of(std::string_view(" ,:;=\0", 6)) != std::string_view::npos)
        return "a name cannot hold a blank, \",\", \":\", \";\" or \"=\": the readers end a name there";
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7F;
    });
    if (control) return "a name cannot hold a tab, a line break or another control character";
    if (name == DISABLE && (kind == LIST_KIND || kind == FILE_KIND || kind == MARG_KIND))
        return "\"disable\" in a next, kmarg or kfile line switches the reference off, so it cannot name a " +
               std::string(kindOf(kind).name);
    return {};
}
