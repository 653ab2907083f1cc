#include "scriptError.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>
#include <string>
#include <string_view>

namespace {

using field = std::int32_t scriptError::*;

std::string report(const scriptError& e) {
    std::ostringstream out;
    e.debugFunc(out);
    return out.str();
}

TEST(ScriptErrorTest, ClearZeroesEverythingButTheFlag) {
    scriptError e;
    e.errFlag = 1;
    for (field f : {&scriptError::stringsErr, &scriptError::headerErr, &scriptError::spare1,
                    &scriptError::itemTypeErr, &scriptError::itemNameErr, &scriptError::paramErr,
                    &scriptError::keywordErr, &scriptError::spare2, &scriptError::limitErr,
                    &scriptError::spare3, &scriptError::fileErr, &scriptError::itemIndex,
                    &scriptError::errLine}) {
        e.*f = 9;
        e.clear();
        EXPECT_EQ(0, e.*f);
    }
    EXPECT_EQ(1, e.errFlag);
}

TEST(ScriptErrorTest, ThrowErrRecordsAndThrowsACopy) {
    scriptError e;
    e.itemIndex = 4;
    const std::uint32_t line = 17;
    try {
        e.throwErr(e.limitErr, line, 1, 3);
        FAIL() << "throwErr returned";
    } catch (scriptError thrown) {
        EXPECT_EQ(1, thrown.errFlag);
        EXPECT_EQ(3, thrown.limitErr);
        EXPECT_EQ(17, thrown.errLine);
        EXPECT_EQ(4, thrown.itemIndex);  // the rest of the record travels with it
        EXPECT_EQ(0, thrown.paramErr);
        thrown.limitErr = 5;
    }
    // The thrower keeps what it recorded; the copy is independent of it.
    EXPECT_EQ(1, e.errFlag);
    EXPECT_EQ(3, e.limitErr);
    EXPECT_EQ(17, e.errLine);
}

// One category set to one code, with the position and line the report uses.
TEST(ScriptErrorTest, EachCodePrintsItsMessage) {
    static const struct {
        field category;
        std::int32_t code;
        std::int32_t itemIndex;
        std::int32_t errLine;
        const char* expected;
    } cases[] = {
        {&scriptError::stringsErr, 1, 0, 0, "   Strings limit is exceeded\n   Error line: 1\n"},
        {&scriptError::stringsErr, 2, 0, 6, "   Unexpected script end\n   Error line: 7\n"},
        {&scriptError::headerErr, 1, 0, 2, "   Header read error\n   Error line: 3\n"},
        {&scriptError::itemTypeErr, 1, 0, 8, "   Unknown item type\n   Error line: 9\n"},
        {&scriptError::itemNameErr, 1, 0, 11, "   Item name duplication\n   Error line: 12\n"},
        {&scriptError::itemNameErr, 2, 2, 9, "   Item 3 name not found\n   Error line: 10\n"},
        {&scriptError::itemNameErr, 2, 0, 0, "   Item 1 name not found\n   Error line: 1\n"},
        {&scriptError::paramErr, 1, 0, 4, "   Unknown parameter type\n   Error line: 5\n"},
        {&scriptError::paramErr, 2, 0, 4, "   Parameter redefinition\n   Error line: 5\n"},
        {&scriptError::paramErr, 3, 0, 4, "   Folder brouser don't use filter\n   Error line: 5\n"},
        {&scriptError::paramErr, 4, 0, 4, "   This key does not use key data\n   Error line: 5\n"},
        {&scriptError::paramErr, 5, 0, 4,
         "   Keys order must be enabled, for path inserting\n   Error line: 5\n"},
        {&scriptError::paramErr, 6, 0, 4,
         "   Keys order must be enabled, for marg inserting\n   Error line: 5\n"},
        {&scriptError::paramErr, 7, 0, 4, "   Empty Key. Setup any data for key\n   Error line: 5\n"},
        {&scriptError::keywordErr, 1, 0, 0, "   Uncknown action keyword!\n   Error line: 1\n"},
        {&scriptError::keywordErr, 2, 0, 0, "   Unknown order keyword!\n   Error line: 1\n"},
        {&scriptError::limitErr, 1, 0, 4999, "   List limit is exceeded!\n   Error line: 5000\n"},
        {&scriptError::limitErr, 2, 0, 1, "   Key limit is exceeded!\n   Error line: 2\n"},
        {&scriptError::limitErr, 3, 0, 1, "   File limit is exceeded!\n   Error line: 2\n"},
        {&scriptError::limitErr, 4, 0, 1, "   Filter limit is exceeded!\n   Error line: 2\n"},
        {&scriptError::limitErr, 5, 0, 1, "   Marg limit is exceeded!\n   Error line: 2\n"},
        // File errors never show a line.
        {&scriptError::fileErr, 1, 0, 3, "   Load file error\n"},
        {&scriptError::fileErr, 2, 0, 3, "   Empty file\n"},
        {&scriptError::fileErr, 3, 0, 3, "   Saving config error\n"},
        // An unknown code prints nothing for its category.
        {&scriptError::paramErr, 8, 0, 2, "   Error line: 3\n"},
        {&scriptError::itemNameErr, 3, 5, 2, "   Error line: 3\n"},
        {&scriptError::headerErr, -1, 0, 2, "   Error line: 3\n"},
        {&scriptError::fileErr, 4, 0, 2, ""},
        // The spare categories carry no messages.
        {&scriptError::spare1, 1, 0, 0, "   Error line: 1\n"},
        {&scriptError::spare2, 1, 0, 0, "   Error line: 1\n"},
        {&scriptError::spare3, 1, 0, 0, "   Error line: 1\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        scriptError e;
        e.*c.category = c.code;
        e.itemIndex = c.itemIndex;
        e.errLine = c.errLine;
        EXPECT_EQ(c.expected, report(e));
    }
}

TEST(ScriptErrorTest, NoCategoryPrintsOnlyTheLine) {
    scriptError e;
    e.errLine = 41;
    EXPECT_EQ("   Error line: 42\n", report(e));
}

TEST(ScriptErrorTest, CategoriesPrintInFixedOrder) {
    scriptError e;
    e.limitErr = 1;
    e.keywordErr = 2;
    e.itemNameErr = 1;
    e.paramErr = 2;
    e.itemTypeErr = 1;
    e.headerErr = 1;
    e.stringsErr = 2;
    e.errLine = 3;
    EXPECT_EQ(
        "   Unexpected script end\n"
        "   Header read error\n"
        "   Unknown item type\n"
        "   Parameter redefinition\n"
        "   Item name duplication\n"
        "   Unknown order keyword!\n"
        "   List limit is exceeded!\n"
        "   Error line: 4\n",
        report(e));
    e.fileErr = 3;
    EXPECT_EQ(
        "   Unexpected script end\n"
        "   Header read error\n"
        "   Unknown item type\n"
        "   Parameter redefinition\n"
        "   Item name duplication\n"
        "   Unknown order keyword!\n"
        "   List limit is exceeded!\n"
        "   Saving config error\n",
        report(e));
}

// Standard error's line: the script, line and column for a script error, the
// program's name for a file error; the fixed message when a record has no detail.
TEST(ScriptErrorTest, DiagnoseWritesOneLine) {
    static const struct {
        field category;
        std::int32_t code;
        const char* detail;
        const char* expected;
    } cases[] = {
        {&scriptError::paramErr, 1, "unknown parameter \"x\"", "a/b.sc:8:5: error: unknown parameter \"x\"\n"},
        {&scriptError::fileErr, 3, "cannot write \"c.cc\": Is a directory",
         "tarvelkin: error: cannot write \"c.cc\": Is a directory\n"},
        {&scriptError::paramErr, 2, "", "a/b.sc:8:5: error: Parameter redefinition\n"},
        {&scriptError::itemNameErr, 2, "", "a/b.sc:8:5: error: Item 3 name not found\n"},
        {&scriptError::fileErr, 1, "", "tarvelkin: error: Load file error\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        scriptError e;
        e.*c.category = c.code;
        e.itemIndex = 2;
        e.errLine = 7;
        e.errColumn = 5;
        e.detail = c.detail;
        std::ostringstream err;
        e.diagnose(err, "a/b.sc");
        EXPECT_EQ(c.expected, err.str());
    }
}

TEST(ScriptErrorTest, QuotedTextIsShortAndVisible) {
    static const struct {
        std::string text;
        const char* expected;
    } cases[] = {
        {"name", "\"name\""},
        {"", "\"\""},
        {std::string("\tx\r\x01\x7F", 5), "\"\\tx\\r\\x01\\x7F\""},
        {std::string(41, 'a'), "\"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa...\""},
        {std::string(40, 'a'), "\"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\""},
        // A cut never splits a character of several UTF-8 bytes.
        {std::string(39, 'a') + "\xC3\xA9z", "\"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa...\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expected);
        EXPECT_EQ(c.expected, inQuotes(c.text));
    }
}

TEST(ScriptErrorTest, DebugFuncWithoutStreamWritesToStandardOutput) {
    scriptError e;
    e.headerErr = 1;
    e.errLine = 5;
    testing::internal::CaptureStdout();
    e.debugFunc();
    EXPECT_EQ("   Header read error\n   Error line: 6\n", testing::internal::GetCapturedStdout());
}

}  // namespace
