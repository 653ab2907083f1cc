// The preview page as ccview writes it: the fixed page around the config's
// JSON, and every config text kept inside its data block, whatever it holds.
#include <gtest/gtest.h>

#include <string>

#include "ccviewPage.h"
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
    for (const std::string* block : {&config, &name}) {
        EXPECT_EQ(block->find_first_of("<>&"), std::string::npos) << *block;
        for (char c : *block) EXPECT_LT(static_cast<unsigned char>(c), 0x80);
    }
    // Nothing was lost: the blocks are the JSON form with three characters escaped.
    EXPECT_EQ(unescaped(config), cnfDumpJson(cfg));
    EXPECT_EQ(unescaped(name), cnfJsonString(source));
    EXPECT_EQ(scriptSafeJson("{\"a\": \"<&>\"}"), "{\"a\": \"\\u003c\\u0026\\u003e\"}");

    // The page holds its own three script blocks and no other.
    std::size_t blocks = 0;
    for (std::size_t at = 0; (at = page.find("<script", at)) != std::string::npos; ++at) ++blocks;
    EXPECT_EQ(blocks, 3u);
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
    EXPECT_EQ(page.find("@PAGE_SCRIPT@"), std::string::npos);
}

}  // namespace
