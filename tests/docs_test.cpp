// The user documentation, held to what the program does. Every script shown in
// docs/*.md is compiled in-process, the way the program compiles a file:
//
//   ```sc        a whole script that must compile; the config it gives must
//                read back as valid. It may be followed by
//   ```ccdump    lines that the config inspector prints for that config (whole
//                lines, consecutive, as they stand in its output), and by
//   ```hexdump   the config's bytes, annotated: lines "OFFSET  BYTES  meaning",
//                the offset in hex counting every byte before the line;
//   ```sc-error  a whole script that must fail, followed by
//   ```text      exactly what the program prints for the error;
//   ```stderr    after an sc or sc-error block (before the next script):
//                exactly what the program writes to standard error for it,
//                the script named "prog.sc". An sc-error block needs one; an
//                sc block without one must compile without a warning;
//   ```sc-part   a piece of a script, not compiled;
//   ```sc-recovered  after an sc block: exactly the script that ccdump
//                --script prints for its config;
//   ```help-text a program's help text, not compiled; the sc block right after
//                it is exactly the script tarvelkin-draft drafts from it.
//
// The config of every sc block must also come back from its script: that
// script compiles to the same bytes (scriptRoundTripDifference).
//
// Inside sc and sc-error blocks the lines between ">>repeat N" and ">>end"
// stand for N copies, "{i}" becoming 1 to N (the documents say so where they
// use it). Every line of a block is followed by a line feed, as in a file.
//
// Then: every message the program can print has an example in the script
// guide (the file errors a description); the guide's annotated dump is the
// sample script's config; the README's ccdump output, and the script it shows
// recovered from the sample, are the real ones; the README's own scripts
// compile without a message, and the first is the man page's example; and the
// links between the documents lead to files and headings that exist. And the
// language server's help for each keyword is the guide's text.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "cnfDump.h"
#include "cnfReader.h"
#include "cnfScript.h"
#include "compileText.h"
#include "draft.h"
#include "itemKinds.h"
#include "lsHelp.h"
#include "roundTrip.h"
#include "scriptError.h"
#include "testSupport.h"

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path) {
    EXPECT_TRUE(fs::is_regular_file(path)) << path;
    return testSupport::fileBytes(path);
}

// A document's lines, without line ends (a checkout with CR LF reads the same).
std::vector<std::string> splitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    while (begin < text.size()) {
        std::size_t end = text.find('\n', begin);
        if (end == std::string_view::npos) end = text.size();
        std::string line(text.substr(begin, end - begin));
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        begin = end + 1;
    }
    return lines;
}

struct fence {
    std::string where;  // "docs/x.md:12", the line of the opening fence
    std::string tag;    // what follows the opening ``` ("sc", "text", ...)
    std::vector<std::string> lines;
};

// The fenced blocks of a Markdown text, in order. Fences open and close at the
// start of a line; an opening fence that is never closed fails the test.
std::vector<fence> fencedBlocks(const std::string& name, std::string_view text) {
    std::vector<fence> blocks;
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].rfind("```", 0) != 0) continue;
        fence block;
        block.where = name + ":" + std::to_string(i + 1);
        block.tag = lines[i].substr(3);
        bool closed = false;
        for (++i; i < lines.size(); ++i) {
            if (lines[i] == "```") {
                closed = true;
                break;
            }
            block.lines.push_back(lines[i]);
        }
        EXPECT_TRUE(closed) << block.where << ": fence never closed";
        blocks.push_back(std::move(block));
    }
    return blocks;
}

// The script a block stands for: every line followed by a line feed, repeats expanded.
std::string scriptOf(const fence& block) {
    std::vector<std::string> lines;
    std::size_t bad = 0;
    EXPECT_TRUE(testSupport::expandRepeats(block.lines, lines, bad))
        << block.where << ": >>repeat without >>end, line " << bad + 1 << " of the block";
    std::string script;
    for (const std::string& line : lines) script += line + "\n";
    return script;
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// What the program shows for a script.
struct shownResult {
    bool ok = false;
    std::string messages;     // what the program prints for the error
    std::string diagnostics;  // what it writes to standard error
    std::string bytes;        // the config, when ok
};

// Compiles a script as the program compiles a file named prog.sc.
shownResult compile(const std::string& script) {
    const compileResult compiled = compileText(script, "prog.sc");
    shownResult result;
    result.ok = compiled.ok();
    result.bytes = compiled.config;
    std::string err;
    for (const scriptWarning& w : compiled.warnings) appendDiagnostic(err, "prog.sc", w);
    if (compiled.error) {
        std::ostringstream out;
        compiled.error->debugFunc(out);
        result.messages = out.str();
        std::ostringstream line;
        compiled.error->diagnose(line, "prog.sc");
        err += line.str();
    }
    result.diagnostics = err;
    return result;
}

// The bytes of an annotated dump. A data line is a hex offset, two or more
// blanks, two-digit hex bytes separated by single blanks, and then (after two
// or more blanks) its meaning; every other line is a heading. Each offset must
// count the bytes of the lines before it.
std::string hexDumpBytes(const fence& block) {
    std::string bytes;
    for (const std::string& line : block.lines) {
        const std::size_t offsetEnd = line.find("  ");
        if (offsetEnd == 0 || offsetEnd == std::string::npos ||
            line.find_first_not_of("0123456789ABCDEFabcdef") != offsetEnd)
            continue;  // a heading
        EXPECT_EQ(std::stoul(line.substr(0, offsetEnd), nullptr, 16), bytes.size())
            << block.where << ": wrong offset on the line: " << line;
        std::size_t at = line.find_first_not_of(' ', offsetEnd);
        while (at != std::string::npos && at + 2 <= line.size()) {
            const std::string pair = line.substr(at, 2);
            const bool isByte = pair.find_first_not_of("0123456789ABCDEFabcdef") == std::string::npos &&
                                (at + 2 == line.size() || line[at + 2] == ' ');
            EXPECT_TRUE(isByte) << block.where << ": not a byte: " << line;
            if (!isByte) break;
            bytes += static_cast<char>(std::stoi(pair, nullptr, 16));
            at += 2;
            if (at == line.size() || line.compare(at, 2, "  ") == 0) break;  // the meaning follows
            ++at;
        }
    }
    return bytes;
}

std::string hex(std::string_view bytes) {
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        out += i % 16 == 0 ? (i == 0 ? "" : "\n") : " ";
        out += digits[b >> 4];
        out += digits[b & 15];
    }
    return out;
}

// Whether want's lines stand, whole and consecutive, among output's lines.
bool holdsLines(const std::string& output, const std::vector<std::string>& want) {
    const std::vector<std::string> have = splitLines(output);
    if (want.empty()) return false;
    for (std::size_t start = 0; start + want.size() <= have.size(); ++start) {
        bool all = true;
        for (std::size_t j = 0; j < want.size() && all; ++j) all = have[start + j] == want[j];
        if (all) return true;
    }
    return false;
}

std::string ccdumpText(const std::string& configBytes) {
    const cnfReadResult read = readCnf(configBytes);
    EXPECT_TRUE(read.ok()) << read.message;
    return read.ok() ? cnfDumpText(read.config) : std::string();
}

std::string recoveredScript(const std::string& configBytes) {
    const cnfReadResult read = readCnf(configBytes);
    const cnfScriptResult script = cnfScript(read.config);
    EXPECT_TRUE(read.ok() && script.ok()) << read.message << script.why;
    return script.script;
}

struct documentCheck {
    int compiled = 0;  // sc blocks
    int failed = 0;    // sc-error blocks
    int warned = 0;    // sc blocks whose stderr block shows warnings
    int drafted = 0;   // sc blocks drafted from a help text
};

// Compiles every script of one document and checks what the blocks after it say.
documentCheck checkDocument(const std::string& name, const std::string& text) {
    documentCheck check;
    const std::vector<fence> blocks = fencedBlocks(name, text);
    static const std::set<std::string> tags = {"sc",     "sc-error", "sc-part", "text",        "ccdump",
                                               "hexdump", "stderr",  "sc-recovered", "help-text"};
    shownResult last;       // of the latest sc block
    bool haveConfig = false;  // that block compiled, and no other script came after it
    // Standard error of the latest sc or sc-error block, until a stderr block checks it.
    std::string unchecked;
    std::string uncheckedWhere;
    bool uncheckedFailed = false;
    const auto settle = [&] {
        if (uncheckedWhere.empty()) return;
        SCOPED_TRACE(uncheckedWhere);
        if (uncheckedFailed)
            ADD_FAILURE() << "an sc-error block needs a stderr block before the next script";
        else
            EXPECT_EQ(unchecked, "") << "the script warns; show it in a stderr block";
        uncheckedWhere.clear();
    };
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        const fence& block = blocks[i];
        SCOPED_TRACE(block.where);
        // A misspelt tag would leave its block unchecked.
        EXPECT_EQ(tags.count(block.tag), 1u) << "unknown fence tag: " << block.tag;
        if (block.tag == "sc" || block.tag == "sc-error" || block.tag == "sc-part") {
            haveConfig = false;
            settle();
        }
        if (block.tag == "sc") {
            ++check.compiled;
            if (i > 0 && blocks[i - 1].tag == "help-text") {
                ++check.drafted;
                EXPECT_EQ(scriptOf(block), draftFromHelp(joinLines(blocks[i - 1].lines), "", {"--help"}).script)
                    << "the draft of the help text above";
            }
            last = compile(scriptOf(block));
            unchecked = last.diagnostics;
            uncheckedWhere = block.where;
            uncheckedFailed = false;
            EXPECT_TRUE(last.ok) << "the script fails:\n" << last.messages;
            if (last.ok) {
                const cnfReadResult read = readCnf(last.bytes);
                EXPECT_TRUE(read.ok()) << read.message;
                EXPECT_EQ(scriptRoundTripDifference(last.bytes), "");
                haveConfig = true;
            }
        } else if (block.tag == "sc-error") {
            ++check.failed;
            const shownResult result = compile(scriptOf(block));
            EXPECT_FALSE(result.ok) << "the script compiles";
            unchecked = result.diagnostics;
            uncheckedWhere = block.where;
            uncheckedFailed = true;
            const bool hasText = i + 1 < blocks.size() && blocks[i + 1].tag == "text";
            EXPECT_TRUE(hasText) << "an sc-error block needs a text block with the messages after it";
            if (hasText) {
                EXPECT_EQ(result.messages, joinLines(blocks[i + 1].lines));
            }
        } else if (block.tag == "ccdump") {
            EXPECT_TRUE(haveConfig) << "a ccdump block must follow an sc block that compiles";
            if (haveConfig) {
                const std::string dump = ccdumpText(last.bytes);
                EXPECT_TRUE(holdsLines(dump, block.lines)) << "ccdump prints:\n" << dump;
            }
        } else if (block.tag == "hexdump") {
            EXPECT_TRUE(haveConfig) << "a hexdump block must follow an sc block that compiles";
            if (haveConfig) {
                EXPECT_EQ(hex(hexDumpBytes(block)), hex(last.bytes));
            }
        } else if (block.tag == "stderr") {
            EXPECT_FALSE(uncheckedWhere.empty()) << "a stderr block must follow a script it has not been shown for";
            EXPECT_EQ(unchecked, joinLines(block.lines));
            if (!uncheckedFailed && unchecked.find(": warning: ") != std::string::npos) ++check.warned;
            uncheckedWhere.clear();
        } else if (block.tag == "sc-recovered") {
            EXPECT_TRUE(haveConfig) << "an sc-recovered block must follow an sc block that compiles";
            if (haveConfig) {
                EXPECT_EQ(joinLines(block.lines), recoveredScript(last.bytes));
            }
        } else if (block.tag == "sc-part") {
            EXPECT_FALSE(block.lines.empty());
        } else if (block.tag == "help-text") {
            EXPECT_TRUE(i + 1 < blocks.size() && blocks[i + 1].tag == "sc") << "a help text needs its draft after it";
        }
    }
    settle();
    return check;
}

const fs::path docsDir = TARVELKIN_DOCS_DIR;

// Every message the error record prints, from its own table: one line for each
// code of each category, apart from the error line.
std::set<std::string> programMessages() {
    std::set<std::string> messages;
    std::int32_t scriptError::* const categories[] = {
        &scriptError::stringsErr, &scriptError::headerErr, &scriptError::itemTypeErr,
        &scriptError::itemNameErr, &scriptError::paramErr, &scriptError::keywordErr,
        &scriptError::limitErr, &scriptError::fileErr};
    for (auto category : categories) {
        for (std::int32_t code = 1; code <= 32; ++code) {
            scriptError e;
            e.*category = code;
            std::ostringstream out;
            e.debugFunc(out);
            const std::vector<std::string> lines = splitLines(out.str());
            if (!lines.empty() && lines.front().rfind("   Error line: ", 0) != 0) messages.insert(lines.front());
        }
    }
    return messages;
}

TEST(docs, ScriptsCompileOrFailAsTheTextSays) {
    int compiled = 0;
    int failed = 0;
    int warned = 0;
    int drafted = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(docsDir)) {
        if (entry.path().extension() != ".md") continue;
        const documentCheck check =
            checkDocument("docs/" + entry.path().filename().string(), readFile(entry.path()));
        compiled += check.compiled;
        failed += check.failed;
        warned += check.warned;
        drafted += check.drafted;
    }
    // Counted so that a renamed fence tag cannot quietly switch the checks off.
    EXPECT_GE(compiled, 9);
    EXPECT_GE(failed, 23);
    EXPECT_GE(warned, 10);
    EXPECT_GE(drafted, 1);
    std::cout << "[ docs     ] " << compiled << " scripts compile (" << warned << " with warnings), " << failed
              << " fail as shown" << std::endl;
}

TEST(docs, EveryMessageIsExplainedWithAnExample) {
    const std::vector<fence> blocks =
        fencedBlocks("docs/script-language.md", readFile(docsDir / "script-language.md"));
    std::vector<std::string> errorOutputs;  // the text block after each sc-error block
    std::vector<std::string> textBlocks;    // every text block
    for (std::size_t i = 0; i < blocks.size(); ++i) {
        if (blocks[i].tag == "text") textBlocks.push_back(joinLines(blocks[i].lines));
        if (blocks[i].tag == "sc-error" && i + 1 < blocks.size() && blocks[i + 1].tag == "text")
            errorOutputs.push_back(joinLines(blocks[i + 1].lines));
    }
    // Errors of opening, reading and writing files cannot be shown as a script, nor
    // can the driver's own messages about arguments and unexpected failures.
    const std::set<std::string> describedOnly = {"   Load file error", "   Empty file",
                                                 "   Saving config error", "   Exstension error",
                                                 "   Unknown error"};
    std::set<std::string> messages = programMessages();
    ASSERT_GE(messages.size(), 23u);  // the error record's whole table was read
    messages.insert(describedOnly.begin(), describedOnly.end());
    for (const std::string& message : messages) {
        SCOPED_TRACE(message);
        bool shown = false;
        const bool described = describedOnly.count(message) != 0;
        for (const std::string& block : described ? textBlocks : errorOutputs)
            shown = shown || holdsLines(block, {message});
        EXPECT_TRUE(shown) << (described ? "no text block shows it" : "no sc-error example prints it");
    }
}

TEST(docs, AnnotatedDumpIsTheSampleConfig) {
    const std::string sample = readFile(TARVELKIN_EXAMPLE);
    const std::vector<fence> blocks =
        fencedBlocks("docs/config-format.md", readFile(docsDir / "config-format.md"));
    bool found = false;
    for (std::size_t i = 0; i + 1 < blocks.size() && !found; ++i) {
        found = blocks[i].tag == "sc" && scriptOf(blocks[i]) == sample && blocks[i + 1].tag == "hexdump";
        if (found) {
            SCOPED_TRACE(blocks[i + 1].where);
            const shownResult result = compile(sample);
            ASSERT_TRUE(result.ok) << result.messages;
            EXPECT_EQ(hex(hexDumpBytes(blocks[i + 1])), hex(result.bytes));
        }
    }
    EXPECT_TRUE(found) << "config-format.md shows examples/prog.sc, followed by its hexdump";
}

TEST(docs, ReadmeShowsTheRealCcdumpOutput) {
    const shownResult sample = compile(readFile(TARVELKIN_EXAMPLE));
    ASSERT_TRUE(sample.ok) << sample.messages;
    const std::string dump = ccdumpText(sample.bytes);
    int shown = 0;
    int recovered = 0;
    for (const fence& block : fencedBlocks("README.md", readFile(TARVELKIN_README))) {
        SCOPED_TRACE(block.where);
        if (block.tag == "ccdump") {
            ++shown;
            EXPECT_TRUE(holdsLines(dump, block.lines)) << "ccdump prints:\n" << dump;
        } else if (block.tag == "sc-recovered") {
            ++recovered;
            EXPECT_EQ(joinLines(block.lines), recoveredScript(sample.bytes));
        }
    }
    EXPECT_GE(shown, 1);
    EXPECT_EQ(recovered, 1);
}

TEST(docs, ReadmeScriptsCompileAndTheManPageShowsTheFirst) {
    const std::string manPage = readFile(TARVELKIN_MAN_PAGE);
    int scripts = 0;
    for (const fence& block : fencedBlocks("README.md", readFile(TARVELKIN_README))) {
        if (block.tag != "sc") continue;
        SCOPED_TRACE(block.where);
        const shownResult result = compile(scriptOf(block));
        EXPECT_TRUE(result.ok) << result.messages;
        EXPECT_EQ(result.diagnostics, "");
        if (++scripts > 1) continue;
        // In roff a '-' is written "\-", or it may print as a hyphen that no shell takes for a dash.
        std::vector<std::string> roff;
        for (const std::string& line : block.lines) {
            std::string escaped;
            for (char c : line) {
                if (c == '-') escaped += '\\';
                escaped += c;
            }
            roff.push_back(std::move(escaped));
        }
        EXPECT_TRUE(holdsLines(manPage, roff)) << "man/tarvelkin.1 shows the README's first script";
    }
    EXPECT_GE(scripts, 1);
}

// The anchors of a document's headings, formed as the usual Markdown renderers
// form them: lower case, blanks become '-', other punctuation is dropped.
std::set<std::string> headingAnchors(const std::string& text) {
    std::set<std::string> anchors;
    bool inFence = false;
    for (const std::string& line : splitLines(text)) {
        if (line.rfind("```", 0) == 0) inFence = !inFence;
        if (inFence || line.rfind('#', 0) != 0) continue;
        std::string anchor;
        for (char c : line.substr(line.find_first_not_of('#'))) {
            const auto u = static_cast<unsigned char>(c);
            if (std::isalnum(u)) anchor += static_cast<char>(std::tolower(u));
            else if (c == ' ' || c == '-' || c == '_') anchor += c == ' ' ? '-' : c;
        }
        anchors.insert(anchor.substr(anchor.find_first_not_of('-')));
    }
    return anchors;
}

// Relative links, ](file.md), ](file.md#anchor) and ](#anchor), lead to a file
// and to a heading in it.
TEST(docs, LinksBetweenDocumentsLeadSomewhere) {
    std::vector<fs::path> documents = {TARVELKIN_README};
    for (const fs::directory_entry& entry : fs::directory_iterator(docsDir))
        if (entry.path().extension() == ".md") documents.push_back(entry.path());
    for (const fs::path& document : documents) {
        const std::string text = readFile(document);
        for (std::size_t at = text.find("]("); at != std::string::npos; at = text.find("](", at + 2)) {
            const std::size_t end = text.find(')', at);
            if (end == std::string::npos) break;
            const std::string link = text.substr(at + 2, end - at - 2);
            if (link.empty() || link.find("://") != std::string::npos) continue;
            SCOPED_TRACE(document.filename().string() + " links to " + link);
            const std::size_t hash = link.find('#');
            const fs::path target = hash == 0 ? document : document.parent_path() / link.substr(0, hash);
            ASSERT_TRUE(fs::is_regular_file(target));
            if (hash != std::string::npos) {
                EXPECT_EQ(headingAnchors(readFile(target)).count(link.substr(hash + 1)), 1u);
            }
        }
    }
}

// The language server's hover text for a keyword is the guide's own words (a
// row of a table, or a sentence, its line breaks read as blanks), and every
// keyword has one.
TEST(docs, KeywordHelpIsTheGuidesText) {
    const auto blanksJoined = [](std::string_view text) {
        std::string out;
        for (char c : text) {
            const bool blank = c == ' ' || c == '\n' || c == '\r';
            if (!blank || (!out.empty() && out.back() != ' ')) out += blank ? ' ' : c;
        }
        return out;
    };
    const std::string guide = blanksJoined(readFile(docsDir / "script-language.md"));
    for (const keywordHelp& help : keywordHelps) {
        SCOPED_TRACE(std::string(help.context) + " " + std::string(help.word));
        EXPECT_NE(guide.find(blanksJoined(guideText(help))), std::string::npos) << guideText(help);
    }
    const auto helped = [](std::string_view context, const std::string_view* words, std::uint32_t count) {
        for (std::uint32_t i = 0; i < count; ++i)
            EXPECT_NE(findHelp(context, words[i]), nullptr) << context << " " << words[i];
    };
    helped("section", itemKW, ITEM_KW_SUM);
    for (std::uint32_t kind = LIST_KIND; kind < DEF_KIND; ++kind)
        helped(kindOf(kind).keyword, kindOf(kind).parameters, kindOf(kind).parameterCount);
    helped("order", orderKW, ORDER_KW_SUM);
    helped("action", fileFlagsKW, FILE_FLAG_KW_SUM);
}

}  // namespace
