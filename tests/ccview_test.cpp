// The preview page as ccview writes it: the fixed page around the config's
// JSON and its analysis, and every config text kept inside its data block,
// whatever it holds.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>

#include "ccviewPage.h"
#include "cnfAnalysis.h"
#include "cnfDump.h"
#include "cnfReader.h"
#include "testSupport.h"

namespace {

using testSupport::compiled;

// Every text a script can give, holding what would end a script block, open a
// comment or an element, or start an entity.
const char* const hostileScript =
    "# </script><script>alert(1)</script>\n# <!-- \n# -->\n# &amp;\n# ]]>\n# </SCRIPT >\n"
    "list l\nname=</script><img src=x onerror=alert(1)>\nitems = k\n"
    "key k\nname=<b>bold</b> & \"quoted\"\norder = keys, value, disable\narg=--x=</script>\n"
    "next = disable\nkmarg = m\nkfile = disable\n"
    "marg m\nname=<!--\ninfo=</script><@<style>\n"
    "def l\n";

cnfConfig configOf(const std::string& script) {
    cnfReadResult r = readCnf(compiled(script));
    EXPECT_TRUE(r.ok()) << r.message;
    return r.config;
}

// The text between the first "<script type=\"application/json\" id=NAME>" and
// the next "</script>".
std::string dataBlock(const std::string& page, const std::string& id) {
    const std::string open = "<script type=\"application/json\" id=\"" + id + "\">";
    std::size_t begin = page.find(open);
    EXPECT_NE(begin, std::string::npos) << id;
    if (begin == std::string::npos) return {};
    begin += open.size();
    return page.substr(begin, page.find("</script>", begin) - begin);
}

std::string unescaped(std::string text) {
    for (const auto& [escape, c] : {std::pair{"\\u003c", "<"}, {"\\u003e", ">"}, {"\\u0026", "&"}})
        for (std::size_t at; (at = text.find(escape)) != std::string::npos;) text.replace(at, 6, c);
    return text;
}

TEST(ccviewPage, EveryEmbeddedTextStaysInsideItsDataBlock) {
    const cnfConfig cfg = configOf(hostileScript);
    const std::string source = "</script><!--a&b>.cc";
    const std::string page = viewPage(cfg, source);

    const std::string config = dataBlock(page, "config-data");
    const std::string name = dataBlock(page, "source-data");
    EXPECT_EQ(dataBlock(page, "analysis-data"), cnfAnalysisJson(cfg));
    for (const std::string* block : {&config, &name}) {
        EXPECT_EQ(block->find_first_of("<>&"), std::string::npos) << *block;
        for (char c : *block) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    }
    // Nothing was lost: the blocks are the JSON form with three characters escaped.
    EXPECT_EQ(unescaped(config), cnfDumpJson(cfg));
    EXPECT_EQ(unescaped(name), cnfJsonString(source));
    EXPECT_EQ(scriptSafeJson("{\"a\": \"<&>\"}"), "{\"a\": \"\\u003c\\u0026\\u003e\"}");

    // The page holds its own four script blocks and no other.
    std::size_t blocks = 0;
    for (std::size_t at = 0; (at = page.find("<script", at)) != std::string::npos; ++at) ++blocks;
    EXPECT_EQ(blocks, 4u);
}

TEST(ccviewPage, SamePageForTheSameConfigAndItsScriptIsPinned) {
    const cnfConfig cfg = configOf(hostileScript);
    const std::string page = viewPage(cfg, "a.cc");
    EXPECT_EQ(page, viewPage(configOf(hostileScript), "a.cc"));
    EXPECT_EQ(page.rfind("<!DOCTYPE html>", 0), 0u);
    EXPECT_EQ(page.substr(page.size() - 8), "</html>\n");
    // No address outside the page, and only the page's own script may run.
    EXPECT_EQ(page.find("://"), std::string::npos);
    EXPECT_NE(page.find("default-src 'none'; script-src 'sha256-"), std::string::npos);
    EXPECT_EQ(page.find("@CONFIG_JSON@"), std::string::npos);
    EXPECT_EQ(page.find("@ANALYSIS_JSON@"), std::string::npos);
    EXPECT_EQ(page.find("@PAGE_SCRIPT@"), std::string::npos);
}

// A key as the analysis sees it: references and order byte.
cnfKey key(std::uint16_t fileRef, std::uint16_t margRef, std::uint16_t listRef, std::uint8_t order) {
    cnfKey k;
    k.fileRef = fileRef;
    k.margRef = margRef;
    k.listRef = listRef;
    k.order.byte = order;
    return k;
}

// What the analysis finds, on configs no compiler gives (a list without keys,
// numbers that name nothing): the page's notes word exactly these findings
// (the first config is the one of the page's own test of its notes).
TEST(configAnalysis, FindingsOfHandMadeConfigs) {
    cnfConfig notes;
    notes.lists = {{"L", {0, 1, 2, 3, 4}}, {"Far", {5}}, {"Empty", {}}};
    notes.keys = {key(1, 1, 0, 0x04), key(0, 0, 0, 0x36), key(0, 0, 0, 0x04), key(0, 0, 0, 0x04),
                  key(0, 0, 0, 0x04), key(0, 0, 3, 0x00)};
    notes.files.resize(1);
    notes.margs.resize(1);

    // Numbers past every table, and a default list that is not there.
    cnfConfig dangling;
    dangling.header.defListIndex = 7;
    dangling.lists = {{"L", {0, 9}}};
    dangling.keys = {key(4, 4, 6, 0x04)};
    dangling.files = {{0, 2, {0, 8}, "F"}};
    dangling.filters = {"T\x01*.t\x01"};

    const std::pair<const cnfConfig*, const char*> cases[] = {
        {&notes,
         "{\"unreachableLists\": [2, 3],\n \"listsWithoutKeys\": [3],\n \"keysInNoList\": [],\n"
         " \"keysOnlyInUnreachableLists\": [5],\n \"pathsNeverInserted\": [0],\n"
         " \"pathsWithoutFileItem\": [1],\n \"valuesNeverInserted\": [0],\n \"valuesWithoutMarg\": [1],\n"
         " \"unusedFileItems\": [],\n \"unusedFilters\": [],\n \"unusedMargs\": []}\n"},
        {&dangling,
         "{\"unreachableLists\": [1],\n \"listsWithoutKeys\": [],\n \"keysInNoList\": [],\n"
         " \"keysOnlyInUnreachableLists\": [0],\n \"pathsNeverInserted\": [0],\n"
         " \"pathsWithoutFileItem\": [],\n \"valuesNeverInserted\": [0],\n \"valuesWithoutMarg\": [],\n"
         " \"unusedFileItems\": [1],\n \"unusedFilters\": [],\n \"unusedMargs\": []}\n"},
    };
    for (const auto& [cfg, expected] : cases) EXPECT_EQ(cnfAnalysisJson(*cfg), expected);
}

}  // namespace
