#include "lsText.h"

#include <algorithm>

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
    std::size_t size = lead < 0x80 ? 1 : lead >= 0xC2 && lead < 0xE0 ? 2 : lead >= 0xE0 && lead < 0xF0 ? 3
                                      : lead >= 0xF0 && lead < 0xF5                                     ? 4
                                                                                                         : 0;
    if (size == 0 || at + size > text.size()) return {1, 1};
    for (std::size_t i = 1; i < size; ++i)
        if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return {1, 1};
    return {size, size == 4 ? 2u : 1u};
}

}  // namespace

textDocument::textDocument(std::string text) : bytes(std::move(text)) { index(); }

void textDocument::setText(std::string text) {
    bytes = std::move(text);
    index();
}

void textDocument::replace(std::size_t from, std::size_t to, std::string_view with) {
    bytes.replace(from, to - from, with);
    index();
}

void textDocument::index() {
    editorStarts.assign(1, 0);
    scriptStarts.assign(1, 0);
    for (std::size_t at = bytes.find_first_of("\r\n"); at != std::string::npos; at = bytes.find_first_of("\r\n", at)) {
        if (bytes[at] == '\n') scriptStarts.push_back(at + 1);
        if (bytes[at] == '\r' && at + 1 < bytes.size() && bytes[at + 1] == '\n') {
            scriptStarts.push_back(at + 2);
            ++at;
        }
        editorStarts.push_back(++at);
    }
}

std::size_t textDocument::editorLineEnd(std::size_t line) const {
    if (line + 1 >= editorStarts.size()) return bytes.size();
    std::size_t end = editorStarts[line + 1] - 1;  // the line break's last byte
    if (bytes[end] == '\n' && end > editorStarts[line] && bytes[end - 1] == '\r') --end;
    return end;
}

std::size_t textDocument::offsetOf(std::int64_t line, std::int64_t character, positionEncoding encoding) const {
    if (line < 0) return 0;
    if (static_cast<std::uint64_t>(line) >= editorStarts.size()) return bytes.size();
    const auto row = static_cast<std::size_t>(line);
    const std::size_t end = editorLineEnd(row);
    std::size_t at = editorStarts[row];
    std::int64_t units = std::max<std::int64_t>(character, 0);
    while (at < end) {
        const ::character c = characterAt(bytes, at);
        const auto size = static_cast<std::int64_t>(encoding == positionEncoding::utf8 ? c.bytes : c.units);
        if (units < size) break;
        units -= size;
        at += c.bytes;
    }
    return at;
}

editorPosition textDocument::positionOf(std::size_t offset, positionEncoding encoding) const {
    offset = std::min(offset, bytes.size());
    const auto line =
        static_cast<std::size_t>(std::upper_bound(editorStarts.begin(), editorStarts.end(), offset) - editorStarts.begin()) - 1;
    // An offset between a CR and its LF stands at the line's end.
    const std::size_t end = std::min(offset, editorLineEnd(line));
    std::size_t units = 0;
    for (std::size_t at = editorStarts[line]; at < end;) {
        const ::character c = characterAt(bytes, at);
        units += encoding == positionEncoding::utf8 ? c.bytes : c.units;
        at += c.bytes;
    }
    return {line, units};
}

std::size_t textDocument::scriptLineStart(std::uint32_t line) const {
    return line < scriptStarts.size() ? scriptStarts[line] : bytes.size();
}

std::string_view textDocument::scriptLine(std::uint32_t line) const {
    if (line >= scriptStarts.size()) return {};
    const std::size_t begin = scriptStarts[line];
    const std::size_t next = line + 1 < scriptStarts.size() ? scriptStarts[line + 1] : bytes.size() + 1;
    std::string_view content = std::string_view(bytes).substr(begin, next - 1 - begin);
    if (line + 1 < scriptStarts.size() && !content.empty() && content.back() == '\r') content.remove_suffix(1);
    return content.substr(0, content.find('\0'));
}

std::size_t textDocument::offsetOfScript(std::uint32_t line, std::uint32_t column) const {
    if (line >= scriptStarts.size()) return bytes.size();
    return scriptStarts[line] + std::min<std::size_t>(column > 0 ? column - 1 : 0, scriptLine(line).size());
}

std::uint32_t textDocument::scriptLineOf(std::size_t offset) const {
    return static_cast<std::uint32_t>(std::upper_bound(scriptStarts.begin(), scriptStarts.end(), offset) -
                                      scriptStarts.begin()) -
           1;
}

std::uint32_t textDocument::scriptColumnOf(std::size_t offset) const {
    return static_cast<std::uint32_t>(offset - scriptStarts[scriptLineOf(offset)]) + 1;
}
