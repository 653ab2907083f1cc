// The language server's text layer: editor positions of byte offsets and
// back, in UTF-16 and UTF-8, over every kind of line end and bytes that are
// no UTF-8; and the line index mended around a change, which must be the one
// a document made afresh from the changed text has.
#include <gtest/gtest.h>

#include <string>

#include "lsText.h"

namespace {

constexpr auto u16 = positionEncoding::utf16;
constexpr auto u8 = positionEncoding::utf8;

// Text with a character of two UTF-16 units (U+1D11E, 4 bytes), CR LF, a
// lone CR, a lone LF and bytes that begin no character.
const std::string kMixed = "a\xC3\xA4\xF0\x9D\x84\x9E" "b\r\nx\ry\n\x80z\xC0\x80\xE2\x82";

TEST(lsText, PositionsOfOffsetsAndBack) {
    static const struct {
        std::size_t offset;
        positionEncoding encoding;
        std::size_t line, character;  // the offset's position
        std::size_t back;              // the offset that position gives back
    } cases[] = {
        {0, u16, 0, 0, 0},
        {1, u16, 0, 1, 1},    // after "a"
        {3, u16, 0, 2, 3},    // after the two bytes of a-umlaut: one unit
        {3, u8, 0, 3, 3},     // or two bytes
        {7, u16, 0, 4, 7},    // after the four bytes of U+1D11E: two units
        {7, u8, 0, 7, 7},
        {5, u16, 0, 2, 3},    // inside a character: its start
        {8, u16, 0, 5, 8},    // the line's end, before CR LF
        {9, u16, 0, 5, 8},    // between CR and LF: the line's end
        {10, u16, 1, 0, 10},  // after CR LF
        {11, u16, 1, 1, 11},  // before the lone CR
        {12, u16, 2, 0, 12},  // after it: a line of its own
        {14, u16, 3, 0, 14},  // after LF
        {15, u16, 3, 1, 15},  // after 0x80: one unit of its own
        {16, u16, 3, 2, 16},
        {18, u16, 3, 4, 18},  // C0 80, an overlong form: two characters of one unit
        {20, u16, 3, 6, 20},  // E2 82 cut short at the text's end: two more
        {20, u8, 3, 6, 20},
        {99, u16, 3, 6, 20},  // past the end: the end
    };
    const textDocument document(kMixed);
    EXPECT_EQ(document.lineCount(), 4u);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.offset) + (c.encoding == u8 ? " utf-8" : " utf-16"));
        const editorPosition at = document.positionOf(c.offset, c.encoding);
        EXPECT_EQ(at.line, c.line);
        EXPECT_EQ(at.character, c.character);
        EXPECT_EQ(document.offsetOf(at.line, at.character, c.encoding), c.back);
    }
}

TEST(lsText, PositionsBeyondALineOrTheText) {
    static const struct {
        std::size_t line, character;
        positionEncoding encoding;
        std::size_t offset;
    } cases[] = {
        {0, 99, u16, 8},   // past a line's end: that end, before its CR LF
        {0, 6, u8, 3},     // inside U+1D11E counted in bytes: its start
        {1, 5, u16, 11},   // past the end of a line ended by a lone CR
        {3, 1000, u8, 20},
        {4, 0, u16, 20},   // a line past the last: the text's end
        {2147483647, 0, u16, 20},
    };
    const textDocument document(kMixed);
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + ":" + std::to_string(c.character));
        EXPECT_EQ(document.offsetOf(c.line, c.character, c.encoding), c.offset);
    }
}

// A document changed is the document made from the changed text: every
// offset has the same position.
void expectMended(const std::string& text, std::size_t from, std::size_t to, const std::string& with) {
    textDocument changed(text);
    changed.replace(from, to, with);
    std::string expected = text;
    expected.replace(from, to - from, with);
    const textDocument fresh(expected);
    ASSERT_EQ(changed.text(), expected);
    ASSERT_EQ(changed.lineCount(), fresh.lineCount());
    for (std::size_t offset = 0; offset <= expected.size(); ++offset) {
        const editorPosition a = changed.positionOf(offset, u16);
        const editorPosition b = fresh.positionOf(offset, u16);
        ASSERT_EQ(a.line, b.line) << "offset " << offset;
        ASSERT_EQ(a.character, b.character) << "offset " << offset;
    }
}

TEST(lsText, ChangesMendTheLineIndex) {
    static const struct {
        const char* text;
        std::size_t from, to;
        const char* with;
    } cases[] = {
        {"a\r\nb", 2, 2, "x"},        // between CR and LF: the CR ends a line alone now
        {"a\rxb", 2, 3, ""},          // the other way: CR and LF meet
        {"a\r\nb", 2, 3, ""},         // the LF taken: a lone CR
        {"a\nb", 1, 1, "\r"},         // a CR before the LF
        {"a\rb", 2, 2, "\n"},         // a LF after the CR
        {"ab\ncd\nef", 1, 7, "\n"},   // across lines
        {"ab\ncd", 0, 0, "\r\n\r\n"},  // at the start
        {"ab\ncd", 5, 5, "\n"},       // at the end
        {"ab\r", 3, 3, "\n"},         // at the end, after a CR
        {"a\nb\nc", 0, 5, ""},        // everything
        {"", 0, 0, "x\ny\r"},         // into nothing
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " [" + std::to_string(c.from) + "," + std::to_string(c.to) + ") <- " + c.with);
        expectMended(c.text, c.from, c.to, c.with);
    }
    // Many changes in turn, of line ends and characters of several bytes.
    std::string text = kMixed;
    textDocument document(text);
    const char* const pieces[] = {"\r", "\n", "\r\n", "\xF0\x9D\x84\x9E", "q", ""};
    unsigned seed = 7;
    for (int n = 0; n < 400; ++n) {
        seed = seed * 1103515245u + 12345u;
        const std::size_t from = (seed >> 8) % (text.size() + 1);
        const std::size_t to = std::min(text.size(), from + (seed >> 20) % 3);
        const std::string with = pieces[(seed >> 4) % 6];
        document.replace(from, to, with);
        text.replace(from, to - from, with);
        const textDocument fresh(text);
        ASSERT_EQ(document.lineCount(), fresh.lineCount()) << n;
        for (std::size_t line = 0; line < fresh.lineCount(); ++line)
            ASSERT_EQ(document.offsetOf(line, 0, u16), fresh.offsetOf(line, 0, u16)) << n;
    }
}

}  // namespace
