#include "parserScr.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

namespace {

using namespace std::string_view_literals;

constexpr std::size_t kMegabyte = 1 << 20;

// The whole record, so that a thrown error is compared field by field.
std::array<std::int32_t, 14> fields(const scriptError& e) {
    return {e.errFlag,  e.stringsErr, e.headerErr, e.spare1,   e.itemTypeErr,
            e.itemNameErr, e.paramErr, e.keywordErr, e.spare2,   e.limitErr,
            e.spare3,   e.fileErr,    e.itemIndex, e.errLine};
}

// Runs f, which must throw a record holding only code in category and line.
template <typename F>
void expectError(F f, std::int32_t scriptError::*category, std::int32_t code, std::int32_t line) {
    scriptError expected;
    expected.errFlag = 1;
    expected.*category = code;
    expected.errLine = line;
    try {
        f();
        ADD_FAILURE() << "no scriptError thrown";
    } catch (scriptError thrown) {
        EXPECT_EQ(fields(expected), fields(thrown));
    }
}

TEST(LineTextTest, EndsAtFirstNul) {
    lineText line("ab\0cd"sv);
    EXPECT_EQ("ab", line.str());
    parserScr p;
    EXPECT_EQ("ab", p.divStr(line));
    EXPECT_EQ("", line.str());

    lineText params("x\0,y"sv);
    bool more = true;
    EXPECT_EQ("x", p.getParam(params, more));
    EXPECT_FALSE(more);

    lineText exten("txt\0, doc"sv);
    EXPECT_EQ("(*.txt)\x01*.txt\x01", p.createFilter(exten));
}

// A line cut out of a longer text ends where it was cut: the readers never
// walk on into the bytes after it, whether a NUL follows the line or not.
TEST(LineTextTest, ReadersStopAtTheLineEnd) {
    parserScr p;
    const std::string text = "keyword,more ; x";
    const std::string_view whole = text;

    lineText cut(whole.substr(0, 3));  // no NUL after "key"
    EXPECT_EQ("key", p.divStr(cut));
    EXPECT_TRUE(cut.empty());

    lineText param(whole.substr(0, 5));
    bool more = true;
    EXPECT_EQ("keywo", p.getParam(param, more));
    EXPECT_FALSE(more);

    lineText spaces(whole.substr(12, 1));  // " " before ";"
    EXPECT_FALSE(p.symbDel(spaces));
    EXPECT_TRUE(spaces.empty());

    // A NUL follows the whole string's bytes; keeping a shorter front loses it.
    lineText kept = lineText::beforeNul(whole);
    kept.keepFront(4);
    EXPECT_EQ("keyw", p.divStr(kept));
    lineText filter = lineText::beforeNul(whole);
    filter.keepFront(3);
    EXPECT_EQ("(*.key)\x01*.key\x01", p.createFilter(filter));
}

TEST(ParserScrTest, SymbDel) {
    static const struct {
        const char* input;
        bool content;
        const char* rest;
    } cases[] = {
        {"", false, ""},
        {"   ", false, ""},
        {" := ", false, ""},
        {"; note", false, "; note"},
        {"  =; note", false, "; note"},
        {"\t; note", true, "\t; note"},
        {": = list main", true, "list main"},
        {"\r", true, "\r"},
    };
    parserScr p;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        lineText line(c.input);
        EXPECT_EQ(c.content, p.symbDel(line));
        EXPECT_EQ(c.rest, line.str());
    }
}

TEST(ParserScrTest, GarbageStrDel) {
    static const struct {
        const char* input;
        const char* rest;
    } cases[] = {
        {" = value ;", " value "},
        {"value;", "value"},
        {"-value", "value"},
        {"--value", "-value"},
        {"==value", "=value"},
        {"  - a b ", " a b "},
        {";abc", ";abc"},
        {";", ";"},
        {"", ""},
        // The line is cut at its last ';', so a comment never enters the value.
        {"= my key ; note", " my key "},
        {"a;b;c", "a;b"},
    };
    parserScr p;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        lineText line(c.input);
        p.garbageStrDel(line);
        EXPECT_EQ(c.rest, line.str());
    }
}

TEST(ParserScrTest, DeleteWodrd) {
    parserScr p;
    EXPECT_EQ("x", p.deleteWodrd("x;y;z", ';'));
    EXPECT_EQ("xyz", p.deleteWodrd("xyz", ';'));
    EXPECT_EQ("", p.deleteWodrd(";xyz", ';'));
}

TEST(ParserScrTest, DivStr) {
    static const struct {
        const char* input;
        const char* word;
        const char* rest;
    } cases[] = {
        // Three calls on one line.
        {"list main ; note", "list", " main ; note"},
        {" main ; note", "main", " ; note"},
        {" ; note", "", "; note"},
        // ',' and '=' are skipped in front; ':' is not.
        {"=,= name:x", "name", ":x"},
        {": x", "", ": x"},
        {"a=b", "a", "=b"},
        {"a,b", "a", ",b"},
        {"  ,=,  ", "", ""},
        {"", "", ""},
        // Tabs and other control characters belong to the word.
        {"\tname x", "\tname", " x"},
        {"a\rb\r", "a\rb\r", ""},
    };
    parserScr p;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        lineText line(c.input);
        EXPECT_EQ(c.word, p.divStr(line));
        EXPECT_EQ(c.rest, line.str());
    }
}

// The lookups the section dispatch and the section readers make, each with
// its table known when compiling.
TEST(ParserScrTest, FindKW) {
    using lookup = std::uint32_t (*)(lineText&);
    const lookup lists = &parserScr::findKW<kListKW, KLIST_KW_SUM>;
    const lookup keys = &parserScr::findKW<keyKW, KEY_KW_SUM>;
    const lookup sections = &parserScr::findKW<itemKW, ITEM_KW_SUM>;
    const struct {
        lookup find;
        const char* input;
        std::uint32_t index;
        const char* rest;
    } cases[] = {
        {lists, "name=Mode", 1, "=Mode"},
        {lists, "items = a, b", 2, " = a, b"},
        {lists, "itemsx", 0, ""},
        {lists, "item", 0, ""},
        {lists, "", 0, ""},
        {lists, ": name", 0, ": name"},
        {keys, "kfile = input", 6, " = input"},
        {keys, "kmarg,x", 5, ",x"},
        {keys, "items = a", 0, " = a"},
        {sections, "  def modes", 6, " modes"},
        {sections, "filter t", 4, " t"},
        {sections, "List main", 0, " main"},
        {sections, "LIST main", 0, " main"},
        // The size bounds the search.
        {&parserScr::findKW<itemKW, 5>, "def modes", 0, " modes"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        lineText line(c.input);
        EXPECT_EQ(c.index, c.find(line));
        EXPECT_EQ(c.rest, line.str());
    }
}

TEST(ParserScrTest, GetFlag) {
    parserScr p;
    std::uint32_t line = 12;
    EXPECT_EQ(0u, p.getFlag("load", fileFlagsKW, FILE_FLAG_KW_SUM, line));
    EXPECT_EQ(1u, p.getFlag("save", fileFlagsKW, FILE_FLAG_KW_SUM, line));
    EXPECT_EQ(2u, p.getFlag("dir", fileFlagsKW, FILE_FLAG_KW_SUM, line));
    for (const char* word : {"Dir", "", "dirs"}) {
        SCOPED_TRACE(word);
        expectError([&] { p.getFlag(word, fileFlagsKW, FILE_FLAG_KW_SUM, line); },
                    &scriptError::keywordErr, 1, 12);
    }
}

TEST(ParserScrTest, GetOrder) {
    static const struct {
        const char* input;
        unsigned order;
        const char* rest;
    } cases[] = {
        {" = keys, path, value", 54, ""},  // path 2, keys 1, value 3
        {" = path, keys, value, disable", 57, ", disable"},
        {" = value keys path ; note", 27, " ; note"},
        {" = path, disable", 1, ""},
        {" = keys disable path", 4, " path"},
        {" = disable", 0, ""},
        {" = disable, keys", 0, ", keys"},
        {" = path path keys", 14, ""},  // a repeated word takes the later place
    };
    parserScr p;
    std::uint32_t lineIndex = 3;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        lineText line(c.input);
        EXPECT_EQ(c.order, p.getOrder(line, lineIndex));
        EXPECT_EQ(c.rest, line.str());
    }
}

TEST(ParserScrTest, GetOrderRejectsUnknownOrMissingWords) {
    static const char* const inputs[] = {
        " = path",               // ends before its third word
        " = path, keys",
        "",
        ": keys, path, value",  // a colon is no word separator to skip
        " = keys, Path, value",
        " = keys, files",
    };
    for (const char* input : inputs) {
        SCOPED_TRACE(input);
        parserScr p;
        std::uint32_t lineIndex = 21;
        lineText line(input);
        expectError([&] { p.getOrder(line, lineIndex); },
                    &scriptError::keywordErr, 2, 21);
        EXPECT_EQ(2, p.error.keywordErr);  // the reader's own record keeps the code
    }
}

TEST(ParserScrTest, GetHeaderItem) {
    static const struct {
        const char* input;
        const char* item;
    } cases[] = {
        {"# My tool ; version one", "My tool ; version one"},
        {"#: = x", "x"},
        {"  :=#  name  ", "name  "},
        {"##x", "#x"},
        {"#", ""},
        {"", ""},
        {" := ", ""},
    };
    parserScr p;
    std::uint32_t lineIndex = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        lineText line(c.input);
        EXPECT_EQ(c.item, p.getHeaderItem(line, lineIndex));
    }
    for (const char* input : {"My tool", "; note", "\t# x"}) {
        SCOPED_TRACE(input);
        parserScr bad;
        std::uint32_t badLine = 4;
        lineText line(input);
        expectError([&] { bad.getHeaderItem(line, badLine); }, &scriptError::headerErr, 1, 4);
    }
}

TEST(ParserScrTest, GetParam) {
    static const struct {
        const char* input;
        const char* param;
        bool more;
        const char* rest;
    } cases[] = {
        {" = txt, doc ; note", "txt", true, " doc ; note"},
        {" doc ; note", "doc", false, " note"},
        {"key1 , key2", "key1", true, " key2"},
        {" key2", "key2", false, ""},
        {"a b,x", "ab", true, "x"},
        {"my key", "mykey", false, ""},
        {", a", "", true, " a"},
        {"a,", "a", true, ""},
        {"", "", false, ""},
        {"=", "", false, ""},
        {"; a, b", "", false, " a, b"},
        {"a=b:c", "a=b:c", false, ""},
        {"\tx , y", "\tx", true, " y"},
    };
    parserScr p;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        lineText line(c.input);
        bool more = !c.more;
        EXPECT_EQ(c.param, p.getParam(line, more));
        EXPECT_EQ(c.more, more);
        EXPECT_EQ(c.rest, line.str());
    }
}

TEST(ParserScrTest, RedefinitionIsPerSection) {
    parserScr p;
    std::uint32_t lineIndex = 7;
    p.redefClear();
    for (std::uint32_t index = 1; index <= KEY_KW_SUM; ++index) {
        p.redefCheck(KEY_KW_SUM, index, lineIndex);
    }
    lineIndex = 9;
    expectError([&] { p.redefCheck(KEY_KW_SUM, 2, lineIndex); }, &scriptError::paramErr, 2, 9);

    // The next section may use every keyword again, once.
    p.redefClear();
    p.redefCheck(KEY_KW_SUM, 2, lineIndex);
    expectError([&] { p.redefCheck(KEY_KW_SUM, 2, lineIndex); }, &scriptError::paramErr, 2, 9);
}

// A caption is what cleaning for a value and then cutting at the first ';'
// leave; the two are read at once.
TEST(ParserScrTest, CaptionIsCleanedValueUpToFirstSemicolon) {
    static const char* const inputs[] = {
        "", " ", "=", "-", "==x", "--x", " =x", "= x", " - x ;", "x;y;z", ";x;y", ";", ";;", "a;",
        "   ", "  caption text  ", "=caption; note", "-x;", "x", " ;x", "a b ; c ; d",
    };
    parserScr p;
    for (const char* input : inputs) {
        SCOPED_TRACE(input);
        lineText once(input);
        lineText twice(input);
        p.garbageStrDel(twice);
        const std::string expected(p.takeUntil(twice, ';'));
        EXPECT_EQ(expected, p.caption(once));
        EXPECT_TRUE(once.empty());
    }
}

TEST(ParserScrTest, SetEndlForToolTip) {
    static const struct {
        const char* input;
        const char* output;
    } cases[] = {
        {"First line<@Second line", "First line\nSecond line"},
        {"a<@<@b", "a\n\nb"},
        {"<@", "\n"},
        {"<<@@", "<\n@"},
        {"no marker", "no marker"},
        {"<", "<"},
        {"@<", "@<"},
        {"", ""},
    };
    parserScr p;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        std::string text = c.input;
        p.setEndlForToolTip(text);
        EXPECT_EQ(c.output, text);
    }
}

// Markers in long runs are moved many bytes at a time: every text of '<',
// '@' and plain bytes, at every distance from a block edge, comes out as a
// plain byte-by-byte rewrite gives it.
TEST(ParserScrTest, SetEndlForToolTipMatchesByteByByte) {
    const auto byteByByte = [](const std::string& text) {
        std::string out;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '<' && i + 1 < text.size() && text[i + 1] == '@') {
                out += '\n';
                ++i;
            } else {
                out += text[i];
            }
        }
        return out;
    };
    std::mt19937 random(11);
    const char pieces[] = {'<', '@', 'a', 'b', ' '};
    parserScr p;
    for (int round = 0; round < 3000; ++round) {
        // Sparse and dense markers: long plain runs as well as many marks.
        const std::size_t size = random() % 90;
        const unsigned plainShare = 1 + random() % 20;
        std::string text;
        for (std::size_t i = 0; i < size; ++i)
            text += random() % plainShare == 0 ? pieces[random() % 2] : pieces[2 + random() % 3];
        std::string rewritten = text;
        p.setEndlForToolTip(rewritten);
        ASSERT_EQ(byteByByte(text), rewritten) << text;
    }
}

constexpr const char* kTenExtensions =
    "(*.a, *.b, *.c, *.d, *.e, *.f, *.g, *.h, *.i, *.j)"
    "\x01*.a;*.b;*.c;*.d;*.e;*.f;*.g;*.h;*.i;*.j\x01";

TEST(ParserScrTest, CreateFilter) {
    static const struct {
        const char* input;
        const char* filter;
        const char* rest;
    } cases[] = {
        {" = txt, doc", "(*.txt, *.doc)\x01*.txt;*.doc\x01", ""},
        {" = txt", "(*.txt)\x01*.txt\x01", ""},
        {"", "(*.)\x01*.\x01", ""},
        {" = t x t , doc ; all files", "(*.txt, *.doc)\x01*.txt;*.doc\x01", " all files"},
        // Each extension whose spaces were dropped is kept apart from the next one.
        {" = t x t, d o c, x ls", "(*.txt, *.doc, *.xls)\x01*.txt;*.doc;*.xls\x01", ""},
        {" = txt,", "(*.txt, *.)\x01*.txt;*.\x01", ""},
        {" = , txt", "(*., *.txt)\x01*.;*.txt\x01", ""},
        {" = *.txt", "(*.*.txt)\x01*.*.txt\x01", ""},
        // The separator byte never enters an extension.
        {" = t\x01xt, \x01", "(*.txt, *.)\x01*.txt;*.\x01", ""},
        // At most ten extensions; the eleventh is read and dropped.
        {" = a,b,c,d,e,f,g,h,i,j", kTenExtensions, ""},
        {" = a,b,c,d,e,f,g,h,i,j,k", kTenExtensions, ""},
        {" = a,b,c,d,e,f,g,h,i,j,k,l;x", kTenExtensions, "l;x"},
    };
    parserScr p;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.input);
        lineText line(c.input);
        EXPECT_EQ(c.filter, p.createFilter(line));
        EXPECT_EQ(c.rest, line.str());
    }
}

TEST(ParserScrTest, LongLines) {
    parserScr p;

    // A line is a view: each text lives as long as its line.
    std::string text;
    while (text.size() < kMegabyte) text += " ,=";
    const std::string wordsText = text + "word;rest";
    lineText words(wordsText);
    EXPECT_EQ("word", p.divStr(words));
    EXPECT_EQ(";rest", words.str());

    const std::string longWord(kMegabyte, 'w');
    const std::string oneWordText = longWord + " tail";
    lineText oneWord(oneWordText);
    EXPECT_EQ(longWord, p.divStr(oneWord));
    EXPECT_EQ(" tail", oneWord.str());

    const std::string spaces(kMegabyte, ' ');
    const std::string paramsText = "=" + spaces + "a" + spaces + "b" + spaces + ",c";
    lineText params(paramsText);
    bool more = false;
    EXPECT_EQ("ab", p.getParam(params, more));
    EXPECT_TRUE(more);
    EXPECT_EQ("c", params.str());

    const std::string spacedText = spaces + "t" + spaces + "xt" + spaces;
    lineText spaced(spacedText);
    EXPECT_EQ("(*.txt)\x01*.txt\x01", p.createFilter(spaced));
    EXPECT_EQ("", spaced.str());

    // Eleven empty extensions are read; the other commas stay in the line.
    const std::string commasText(kMegabyte, ',');
    lineText commas(commasText);
    EXPECT_EQ("(*., *., *., *., *., *., *., *., *., *.)\x01*.;*.;*.;*.;*.;*.;*.;*.;*.;*.\x01",
              p.createFilter(commas));
    EXPECT_EQ(std::string(kMegabyte - 11, ','), commas.str());
}

}  // namespace
