#include "scriptIndex.h"

#include <algorithm>
#include <optional>
#include <tuple>
#include <utility>

#include "cnfBuilder.h"

namespace {

// A script compiled this often at most: once as it stands, then once more
// for each failed section blanked out.
constexpr int kMostCompiles = 24;

// The script's lines as the loader splits them: each ends at its line feed
// (a carriage return before it dropped) or at its first NUL byte.
std::vector<std::string_view> splitLines(std::string_view bytes) {
    std::vector<std::string_view> lines;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t feed = bytes.find('\n', begin);
        std::string_view line = bytes.substr(begin, feed == std::string_view::npos ? std::string_view::npos : feed - begin);
        if (feed != std::string_view::npos && !line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line.substr(0, line.find('\0')));
        if (feed == std::string_view::npos) return lines;
        begin = feed + 1;
    }
}

// A line read as the section dispatch reads it: its leading blanks, ':' and
// '=' skipped; nullopt-like empty result for a line without content.
bool hasContent(lineText& line) {
    scan::skipFront(line, scan::kLineNoise);
    return !line.empty() && line.front() != ';';
}

// The section keyword a line begins with (1 to 6, as findKW numbers itemKW),
// 0 for none; the line is left behind the keyword.
std::uint32_t sectionKeyword(lineText& line) {
    if (!hasContent(line)) return 0;
    return keywordNumber<itemKW, ITEM_KW_SUM>(scan::cutWord(line));
}

textSpan spanIn(std::string_view line, std::string_view text) {
    return {static_cast<std::uint32_t>(text.data() - line.data()) + 1, static_cast<std::uint32_t>(text.size())};
}

// The outline: the header's end and each section's line, name and extent,
// read from the lines as the dispatch and beginSection read them.
void outline(const std::vector<std::string_view>& lines, scriptIndex& index) {
    const auto count = static_cast<std::uint32_t>(lines.size());
    std::uint32_t at = 0;
    for (int headerLines = 0; at < count && headerLines < 6; ++at) {
        lineText line(lines[at]);
        if (hasContent(line)) ++headerLines;
    }
    index.bodyLine = at;
    std::uint32_t lastContent = at;
    for (; at < count; ++at) {
        lineText line(lines[at]);
        const std::uint32_t kind = sectionKeyword(line);
        if (kind == 0) {
            lineText again(lines[at]);
            if (hasContent(again)) lastContent = at;
            continue;
        }
        if (!index.sections.empty()) index.sections.back().lastLine = lastContent;
        lastContent = at;
        const std::string_view name = scan::cutWord(line);
        scriptSection section;
        section.kind = kind;
        section.name = std::string(name);
        section.place = {at, spanIn(lines[at], name)};
        index.sections.push_back(std::move(section));
        // What a def line names is a reference as well.
        if (kind == DEF_KIND && !name.empty())
            index.references.push_back({LIST_KIND, std::string(name), {at, spanIn(lines[at], name)}});
    }
    if (!index.sections.empty()) index.sections.back().lastLine = lastContent;
}

// Whether an error came only once every section had been read: a name that
// resolves to no item. Every other error, a script too long to be read at
// all or one that ends inside a section included, leaves sections unread.
bool resolutionError(const scriptError& e) { return e.itemNameErr == 2; }

// Whether reading on past an error's section could find more: an error of the
// reading, not of the resolution, the file or the script's end.
bool readingError(const scriptError& e) { return e.fileErr == 0 && e.stringsErr == 0 && !resolutionError(e); }

// The references the builder read, at lines from `from` on.
void collectReferences(cnfBuilder& b, std::uint32_t from, scriptIndex& index) {
    std::string scratch;
    const auto add = [&](std::uint32_t kind, std::string_view name, std::uint32_t line, std::string_view written) {
        if (!name.empty() && line >= from)
            index.references.push_back({kind, std::string(name), {line, b.parser.spanOf(written)}});
    };
    // An items or filters line: its names, each as paramView reads it.
    const auto names = [&](const storeParam& ref, std::uint32_t kind) {
        if (ref.text.data() == nullptr || ref.line < from) return;
        lineText text = lineText::beforeNul(ref.text);
        bool more = true;
        while (more) {
            const char* const start = text.begin();
            const std::string_view name = b.parser.paramView(text, more, scratch);
            add(kind, name, ref.line,
                parserScr::paramAsWritten({start, static_cast<std::size_t>(text.begin() - start)}));
        }
    };
    for (const storeParam& ref : b.listItems) names(ref, KEY_KIND);
    for (const storeParam& ref : b.fileFilters) names(ref, FILTER_KIND);
    const auto one = [&](const std::vector<storeParam>& refs, std::uint32_t kind) {
        for (const storeParam& ref : refs)
            if (ref.line != 0) add(kind, ref.text, ref.line, ref.text);  // line 0: disable
    };
    one(b.keyNextLists, LIST_KIND);
    one(b.keyMargs, MARG_KIND);
    one(b.keyFiles, FILE_KIND);
}

// What the builder read of each section it finished, its caption and note,
// given to the section of the outline at the definition's line.
void collectTexts(const cnfBuilder& b, std::uint32_t from, scriptIndex& index) {
    const auto put = [&](std::uint32_t kind, std::size_t i, std::string_view caption, std::string_view note) {
        const std::uint32_t line = b.definitions[kind][i].line;
        if (line < from) return;
        const auto found = std::lower_bound(index.sections.begin(), index.sections.end(), line,
                                            [](const scriptSection& s, std::uint32_t l) { return s.place.line < l; });
        if (found == index.sections.end() || found->place.line != line || found->kind != kind || found->read) return;
        found->read = true;
        found->caption = std::string(caption);
        found->note = std::string(note);
    };
    const auto& d = b.definitions;
    for (std::size_t i = 0; i < d[LIST_KIND].size() && i < b.listStrings.size(); ++i)
        put(LIST_KIND, i, b.listStrings[i], {});
    for (std::size_t i = 0; i < d[KEY_KIND].size() && i < b.keyStrings.size() && i < b.keys.size(); ++i)
        put(KEY_KIND, i, b.keyStrings[i].str1, b.keys[i].strNum == 2 ? b.keyStrings[i].str2 : std::string_view());
    for (std::size_t i = 0; i < d[FILE_KIND].size() && i < b.fileStrings.size() && i < b.files.size(); ++i)
        put(FILE_KIND, i, b.fileStrings[i], fileFlagsKW[std::min<std::size_t>(b.files[i].action, FILE_FLAG_KW_SUM - 1)]);
    for (std::size_t i = 0; i < d[FILTER_KIND].size() && i < b.filterStrings.size(); ++i) {
        // "NAME(*.a, *.b)" 0x01 "*.a;*.b" 0x01
        const std::string_view text = b.filterStrings[i];
        const std::size_t mark = text.find('\x01');
        const std::string_view patterns = mark == std::string_view::npos ? std::string_view() : text.substr(mark + 1);
        put(FILTER_KIND, i, text.substr(0, mark), patterns.substr(0, patterns.find('\x01')));
    }
    for (std::size_t i = 0; i < d[MARG_KIND].size() && i < b.margStrings.size(); ++i)
        put(MARG_KIND, i, b.margStrings[i].str1, b.margStrings[i].str2);
}

// Blanks out the lines from first to the next line that begins a section
// (or the script's end), keeping every line feed; false when nothing was
// there to blank.
bool blankSection(std::string& text, const std::vector<std::string_view>& lines, std::uint32_t first) {
    if (first >= lines.size()) return false;
    std::uint32_t end = first + 1;
    while (end < lines.size()) {
        lineText line(lines[end]);
        if (sectionKeyword(line) != 0) break;
        ++end;
    }
    // The lines are views into the original bytes, at the same offsets as in text.
    const char* const base = lines.front().data();
    bool changed = false;
    for (std::uint32_t n = first; n < end; ++n) {
        const std::size_t at = static_cast<std::size_t>(lines[n].data() - base);
        for (std::size_t i = 0; i < lines[n].size(); ++i) {
            changed = changed || text[at + i] != ' ';
            text[at + i] = ' ';
        }
    }
    return changed;
}

}  // namespace

scriptIndex indexScript(std::string_view bytes, std::string_view name) {
    scriptIndex index;
    const std::vector<std::string_view> lines = splitLines(bytes);
    outline(lines, index);

    std::string text(bytes);  // what is compiled; failed sections are blanked out in it
    std::uint32_t from = 0;  // the lines before are read in every compile alike
    for (int compile = 0; compile < kMostCompiles; ++compile) {
        cnfBuilder builder;
        compileResult result = compileText(text, name, builder);
        collectReferences(builder, from, index);
        collectTexts(builder, from, index);
        const std::optional<scriptError> error = result.error;
        if (compile == 0) {
            index.compiled = std::move(result);
            index.complete = !error || resolutionError(*error);
        } else if (error && readingError(*error)) {
            index.laterErrors.push_back(*error);
        }
        if (!error || !readingError(*error)) break;
        // The first line of what failed: a header line is made one; a line at
        // section level that begins no section is blanked out with what
        // follows it; otherwise the section being read is.
        const auto line = static_cast<std::uint32_t>(error->errLine);
        std::uint32_t first = line;
        if (error->headerErr != 0) {
            if (line >= lines.size()) break;
            const std::size_t at = static_cast<std::size_t>(lines[line].data() - bytes.data());
            if (lines[line].empty()) break;
            std::fill_n(text.begin() + static_cast<std::ptrdiff_t>(at), lines[line].size(), ' ');
            text[at] = '#';
            from = line;
            continue;
        }
        if (error->itemTypeErr == 0 && error->itemNameErr == 0 && error->limitErr == 0 &&
            builder.sectionKind >= LIST_KIND && builder.sectionKind < DEF_KIND &&
            !builder.definitions[builder.sectionKind].empty())
            first = builder.definitions[builder.sectionKind].back().line;
        if (!blankSection(text, lines, first)) break;
        from = first;
    }

    const auto byPlace = [](const scriptReference& a, const scriptReference& b) {
        return std::tie(a.place.line, a.place.where.column) < std::tie(b.place.line, b.place.where.column);
    };
    std::sort(index.references.begin(), index.references.end(), byPlace);
    index.references.erase(std::unique(index.references.begin(), index.references.end(),
                                       [&byPlace](const scriptReference& a, const scriptReference& b) {
                                           return !byPlace(a, b) && !byPlace(b, a);
                                       }),
                           index.references.end());
    return index;
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
