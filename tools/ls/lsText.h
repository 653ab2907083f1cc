// A document as the editor and the compiler both see it. The editor counts
// positions as a line and a character in it, lines ending at CR LF, LF or a
// lone CR, characters in UTF-16 code units or UTF-8 bytes as the two sides
// agreed; the compiler counts a line and a byte column in it, lines ending at
// LF only. Both are turned into byte offsets into the text, and back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class positionEncoding { utf8, utf16 };

struct editorPosition {
    std::size_t line = 0;
    std::size_t character = 0;
};

class textDocument {
public:
    explicit textDocument(std::string text = {});

    const std::string& text() const { return bytes; }
    void setText(std::string text);
    // Replaces the bytes from `from` to `to` (offsets, from <= to <= size).
    void replace(std::size_t from, std::size_t to, std::string_view with);

    // The offset of an editor position: a line past the last is the text's
    // end, a character past its line's end is that end; a character inside a
    // character of several units is its start.
    std::size_t offsetOf(std::int64_t line, std::int64_t character, positionEncoding encoding) const;
    editorPosition positionOf(std::size_t offset, positionEncoding encoding) const;

    // The offset of a compiler place: a zero-based line and a column in bytes
    // from 1; clamped to the line's end and to the text's end.
    std::size_t offsetOfScript(std::uint32_t line, std::uint32_t column) const;
    // The compiler line that holds an offset, and the offset's column in it.
    std::uint32_t scriptLineOf(std::size_t offset) const;
    std::uint32_t scriptColumnOf(std::size_t offset) const;
    // A compiler line's bytes as the compiler reads them: up to its line feed
    // (a CR before it dropped) or its first NUL; empty past the last line.
    std::string_view scriptLine(std::uint32_t line) const;
    std::size_t scriptLineStart(std::uint32_t line) const;
    std::uint32_t scriptLineCount() const { return static_cast<std::uint32_t>(scriptStarts.size()); }

private:
    void index();
    std::size_t editorLineEnd(std::size_t line) const;

    std::string bytes;
    std::vector<std::size_t> editorStarts;  // where each editor line begins
    std::vector<std::size_t> scriptStarts;  // where each compiler line begins
};
