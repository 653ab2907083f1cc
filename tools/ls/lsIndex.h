// What the language server knows of an open script: its text as the editor
// holds it and the compile of that text with the compiler's facts
// (scriptFacts.h). Every question about where a section, a name, a keyword
// or a text stands is answered from the facts; the compiler's lines are
// found through the line starts the compiler gives, so nothing splits the
// script into lines a second time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "compileText.h"
#include "lsText.h"
#include "scriptFacts.h"

// Where an offset stands for the compiler: its line and the byte column of
// the offset in it (the cursor stands before that byte).
struct cursor {
    std::uint32_t line = 0;
    std::uint32_t column = 1;
};

// An item's name at a place, where it is defined or where it is referred to.
struct nameUse {
    std::uint32_t kind = 0;
    std::string name;
    scriptPlace place;
};

class scriptIndex {
public:
    // Compiles the text for its facts. name stands for the script in messages.
    scriptIndex(const textDocument& text, std::string_view name);

    const compileResult& compiled() const { return result; }
    const scriptFacts& facts() const { return *result.facts; }

    // The compiler's line: its bytes as the compiler reads them, up to its
    // line feed (a CR before it dropped) or its first NUL; empty past the last.
    std::string_view scriptLine(std::uint32_t line) const;
    std::size_t lineStart(std::uint32_t line) const;
    // The offset of a place: a line and a column in bytes from 1, clamped to
    // the line's end and to the text's end.
    std::size_t offsetOf(std::uint32_t line, std::uint32_t column) const;
    cursor cursorAt(std::size_t offset) const;

    // The section a line belongs to: the last one that begins at or before it.
    const sectionFact* sectionAt(std::uint32_t line) const;
    // The index in facts().sections of the same, or -1.
    std::ptrdiff_t sectionIndexAt(std::uint32_t line) const;
    // The name the cursor stands on or right after.
    std::optional<nameUse> nameAt(const cursor& at) const;
    // The keyword the cursor stands on (on one of its characters).
    const wordFact* wordAt(const cursor& at) const;
    // A section's texts of a role, the first; nullptr when there is none.
    const textFact* textOf(std::size_t section, textRole role) const;
    // The number of header items read, the one at line except.
    std::size_t headerItems(std::uint32_t except) const;

private:
    const std::string* bytes;  // the document's text, which lives as long as the index
    compileResult result;
};
