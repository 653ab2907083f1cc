// A document as the editor sees it: its bytes, and its lines as the editor
// counts them, ending at CR LF, LF or a lone CR; characters counted in UTF-16
// code units or UTF-8 bytes as the two sides agreed. A byte that begins no
// well-formed UTF-8 character counts as one character of one unit. Positions
// are turned into byte offsets into the text, and back; the compiler's own
// lines and columns are its facts' business (lsIndex.h).
//
// A change costs what it replaces and the lines after it are shifted: the
// line index is mended around the change, never made again from the start.
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
    std::size_t offsetOf(std::size_t line, std::size_t character, positionEncoding encoding) const;
    // The position of an offset; one inside a character of several bytes
    // stands at its start, one between a CR and its LF at its line's end.
    editorPosition positionOf(std::size_t offset, positionEncoding encoding) const;
    std::size_t lineCount() const { return starts.size(); }

private:
    std::size_t lineEnd(std::size_t line) const;

    std::string bytes;
    std::vector<std::size_t> starts;  // where each editor line begins
};
