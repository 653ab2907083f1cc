#include "lsIndex.h"

#include <algorithm>

scriptIndex::scriptIndex(const textDocument& text, std::string_view name)
    : bytes(&text.text()), result(compileText(text.text(), name, true)) {}

std::size_t scriptIndex::lineStart(std::uint32_t line) const {
    const std::vector<std::size_t>& starts = facts().lineStarts;
    if (starts.empty()) return 0;
    return line < starts.size() ? starts[line] : bytes->size();
}

std::string_view scriptIndex::scriptLine(std::uint32_t line) const {
    const std::vector<std::size_t>& starts = facts().lineStarts;
    const std::size_t count = std::max<std::size_t>(starts.size(), 1);
    if (line >= count) return {};
    const std::size_t begin = lineStart(line);
    const bool last = line + 1 >= count;
    std::string_view content = std::string_view(*bytes).substr(begin, (last ? bytes->size() + 1 : starts[line + 1]) - 1 - begin);
    if (!last && !content.empty() && content.back() == '\r') content.remove_suffix(1);
    return content.substr(0, content.find('\0'));
}

std::size_t scriptIndex::offsetOf(std::uint32_t line, std::uint32_t column) const {
    if (line >= std::max<std::size_t>(facts().lineStarts.size(), 1)) return bytes->size();
    return lineStart(line) + std::min<std::size_t>(column > 0 ? column - 1 : 0, scriptLine(line).size());
}

cursor scriptIndex::cursorAt(std::size_t offset) const {
    const std::vector<std::size_t>& starts = facts().lineStarts;
    if (starts.empty()) return {0, static_cast<std::uint32_t>(offset) + 1};
    const auto row = static_cast<std::uint32_t>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin() - 1);
    return {row, static_cast<std::uint32_t>(offset - starts[row]) + 1};
}

std::ptrdiff_t scriptIndex::sectionIndexAt(std::uint32_t line) const {
    const std::vector<sectionFact>& sections = facts().sections;
    const auto after = std::upper_bound(sections.begin(), sections.end(), line,
                                        [](std::uint32_t l, const sectionFact& s) { return l < s.place.line; });
    return (after - sections.begin()) - 1;
}

const sectionFact* scriptIndex::sectionAt(std::uint32_t line) const {
    const std::ptrdiff_t at = sectionIndexAt(line);
    return at < 0 ? nullptr : &facts().sections[static_cast<std::size_t>(at)];
}

namespace {

// Whether a cursor touches a text: stands on it or right after it.
bool touches(const cursor& at, const scriptPlace& place) {
    return place.line == at.line && place.where.length > 0 && at.column >= place.where.column &&
           at.column <= place.where.column + place.where.length;
}

// The last of a script-ordered list that stands at or before the cursor, in its line.
template <typename facts, typename placeOf>
auto lastAtOrBefore(const facts& list, const cursor& at, placeOf place) {
    const auto after = std::upper_bound(list.begin(), list.end(), at, [&place](const cursor& c, const auto& item) {
        const scriptPlace& p = place(item);
        return c.line < p.line || (c.line == p.line && c.column < p.where.column);
    });
    return after == list.begin() ? list.end() : after - 1;
}

}  // namespace

std::optional<nameUse> scriptIndex::nameAt(const cursor& at) const {
    const sectionFact* section = sectionAt(at.line);
    if (section != nullptr && section->kind < DEF_KIND && touches(at, section->place))
        return nameUse{section->kind, section->name, section->place};
    const std::vector<referenceFact>& references = facts().references;
    const auto found = lastAtOrBefore(references, at, [](const referenceFact& r) -> const scriptPlace& { return r.place; });
    if (found != references.end() && touches(at, found->place)) return nameUse{found->kind, found->name, found->place};
    return std::nullopt;
}

const wordFact* scriptIndex::wordAt(const cursor& at) const {
    const std::vector<wordFact>& words = facts().words;
    const auto found = lastAtOrBefore(words, at, [](const wordFact& w) -> const scriptPlace& { return w.place; });
    if (found == words.end() || found->place.line != at.line ||
        at.column >= found->place.where.column + found->place.where.length)
        return nullptr;
    return &*found;
}

const textFact* scriptIndex::textOf(std::size_t section, textRole role) const {
    const std::vector<textFact>& texts = facts().texts;
    // The header's texts come first; the sections' follow in section order.
    auto at = std::partition_point(texts.begin(), texts.end(), [section](const textFact& t) {
        return t.role == textRole::header || t.section < section;
    });
    for (; at != texts.end() && at->section == section; ++at)
        if (at->role == role) return &*at;
    return nullptr;
}

std::size_t scriptIndex::headerItems(std::uint32_t except) const {
    return static_cast<std::size_t>(std::count_if(facts().texts.begin(), facts().texts.end(), [except](const textFact& t) {
        return t.role == textRole::header && t.place.line != except;
    }));
}
