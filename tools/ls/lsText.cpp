#include "lsText.h"

#include <algorithm>
#include <cstring>

namespace {

// The length of the UTF-8 character that begins at text[at], and its size in
// UTF-16 code units. A byte that begins no well-formed character is taken as
// one character of one unit, so that any bytes can be counted.
struct character {
    std::size_t bytes;
    std::size_t units;
};

character characterAt(std::string_view text, std::size_t at) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const std::size_t size = lead < 0x80                  ? 1
                             : lead >= 0xC2 && lead < 0xE0 ? 2
                             : lead >= 0xE0 && lead < 0xF0 ? 3
                             : lead >= 0xF0 && lead < 0xF5 ? 4
                                                           : 0;
    if (size == 0 || at + size > text.size()) return {1, 1};
    const auto next = [&text, at](std::size_t i) { return static_cast<unsigned char>(text[at + i]); };
    for (std::size_t i = 1; i < size; ++i)
        if ((next(i) & 0xC0) != 0x80) return {1, 1};
    // Overlong forms and surrogates are no characters either.
    if ((lead == 0xE0 && next(1) < 0xA0) || (lead == 0xED && next(1) >= 0xA0) || (lead == 0xF0 && next(1) < 0x90) ||
        (lead == 0xF4 && next(1) >= 0x90))
        return {1, 1};
    return {size, size == 4 ? 2u : 1u};
}

// How many bytes from at, up to end, are ASCII: eight tested at a time, since
// a long line of a script is nearly all ASCII.
std::size_t asciiRun(const char* at, const char* end) {
    const char* p = at;
    for (; end - p >= 8; p += 8) {
        std::uint64_t word;
        std::memcpy(&word, p, sizeof word);
        if ((word & 0x8080808080808080ULL) != 0) break;
    }
    while (p != end && static_cast<unsigned char>(*p) < 0x80) ++p;
    return static_cast<std::size_t>(p - at);
}

// Appends the line starts that the breaks at from .. last (inclusive) of
// text give, those no later than last + 1: a CR at last whose LF follows is
// left to the caller.
void breaksIn(std::string_view text, std::size_t from, std::size_t last, std::vector<std::size_t>& out) {
    const std::string_view part = text.substr(0, std::min(text.size(), last + 1));
    for (std::size_t at = part.find_first_of("\r\n", from); at != std::string_view::npos;
         at = part.find_first_of("\r\n", at)) {
        const std::size_t start = text[at] == '\r' && at + 1 < text.size() && text[at + 1] == '\n' ? at + 2 : at + 1;
        if (start > last + 1) return;
        out.push_back(start);
        at = start;
    }
}

}  // namespace

textDocument::textDocument(std::string text) { setText(std::move(text)); }

void textDocument::setText(std::string text) {
    bytes = std::move(text);
    starts.assign(1, 0);
    breaksIn(bytes, 0, bytes.size(), starts);
}

void textDocument::replace(std::size_t from, std::size_t to, std::string_view with) {
    bytes.replace(from, to - from, with);
    // The starts before the change stay; those it may make or unmake are
    // found again, from the byte before it (a CR there may meet a LF that
    // comes or goes) to the byte after it; the rest move.
    const std::size_t newTo = from + with.size();
    const auto first = std::lower_bound(starts.begin() + 1, starts.end(), from);
    const auto last = std::upper_bound(first, starts.end(), to + 1);
    for (auto at = last; at != starts.end(); ++at) *at = *at - to + newTo;
    std::vector<std::size_t> found;
    breaksIn(bytes, from > 0 ? from - 1 : 0, newTo, found);
    const auto at = starts.erase(first, last);
    starts.insert(at, found.begin(), found.end());
}

std::size_t textDocument::lineEnd(std::size_t line) const {
    if (line + 1 >= starts.size()) return bytes.size();
    std::size_t end = starts[line + 1] - 1;  // the line break's last byte
    if (bytes[end] == '\n' && end > starts[line] && bytes[end - 1] == '\r') --end;
    return end;
}

std::size_t textDocument::offsetOf(std::size_t line, std::size_t character, positionEncoding encoding) const {
    if (line >= starts.size()) return bytes.size();
    const std::size_t end = lineEnd(line);
    std::size_t at = starts[line];
    std::size_t units = character;
    while (at < end && units > 0) {
        const std::size_t ascii = asciiRun(bytes.data() + at, bytes.data() + std::min(end, at + units));
        at += ascii;
        units -= ascii;
        if (at == end || units == 0) break;
        const ::character c = characterAt(bytes, at);
        const std::size_t size = encoding == positionEncoding::utf8 ? c.bytes : c.units;
        if (units < size) break;
        units -= size;
        at += c.bytes;
    }
    return at;
}

editorPosition textDocument::positionOf(std::size_t offset, positionEncoding encoding) const {
    offset = std::min(offset, bytes.size());
    const auto line = static_cast<std::size_t>(std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin()) - 1;
    // An offset between a CR and its LF stands at the line's end.
    const std::size_t end = std::min(offset, lineEnd(line));
    std::size_t units = 0;
    for (std::size_t at = starts[line]; at < end;) {
        const std::size_t ascii = asciiRun(bytes.data() + at, bytes.data() + end);
        at += ascii;
        units += ascii;
        if (at == end) break;
        const ::character c = characterAt(bytes, at);
        if (at + c.bytes > end) break;  // inside a character: its start
        units += encoding == positionEncoding::utf8 ? c.bytes : c.units;
        at += c.bytes;
    }
    return {line, units};
}
