// The script made of a config, beyond what the fuzzers check: every seed
// script of the compiler fuzzer comes back (edge_texts.sc holds texts at the
// edges of what the value readers give back), so does every order line, and
// each kind of config that no script gives is refused with the item and reason.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "roundTrip.h"
#include "testSupport.h"

namespace {

using testSupport::compiled;

// One item of each kind, every reference used.
const std::string baseScript =
    "# h1\n# h2\n# h3\n# h4\n# h5\n# h6\n"
    "list l\nname=L\nitems = k\n"
    "key k\nname=K\norder = keys path value\narg=-k\nnext = disable\nkmarg = m\nkfile = f\n"
    "file f\nname=F\naction = load\nfilters = t\n"
    "filter t\nname=T\nexten = txt\n"
    "marg m\nname=M\ninfo=I\n"
    "def l\n";

// The base script with whole lines replaced, each line at its first occurrence.
std::string scriptWith(const std::vector<std::pair<std::string, std::string>>& lines) {
    std::string script = baseScript;
    for (const auto& [from, to] : lines) {
        const std::size_t at = script.find(from + "\n");
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) script.replace(at, from.size(), to);
    }
    return script;
}

TEST(cnfScript, SeedScriptsComeBack) {
    bool edgesCompiled = false;
    for (const auto& entry : std::filesystem::directory_iterator(TARVELKIN_FUZZ_SEEDS)) {
        std::ifstream in(entry.path(), std::ios::binary);
        const std::string script{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        const compileResult result = compileText(script, entry.path().string());
        if (!result.ok()) continue;
        edgesCompiled = edgesCompiled || entry.path().filename() == "edge_texts.sc";
        EXPECT_EQ(scriptRoundTripDifference(result.config), "") << entry.path();
    }
    EXPECT_TRUE(edgesCompiled);
}

// Every order line the compiler takes: three words of four, the refs chosen so
// that the key compiles.
TEST(cnfScript, EveryOrderComesBack) {
    static const std::string words[] = {"path", "keys", "value", "disable"};
    for (const std::string& a : words) {
        for (const std::string& b : words) {
            for (const std::string& c : words) {
                std::string order = a + " " + b + " " + c;
                SCOPED_TRACE(order);
                const std::string read = order.substr(0, order.find("disable"));
                const auto places = [&read](const char* word) { return read.find(word) != std::string::npos; };
                const std::string script =
                    scriptWith({{"order = keys path value", "order = " + order},
                                {"arg=-k", places("keys") ? "arg=-k" : ""},
                                {"next = disable", "next = l"},
                                {"kmarg = m", places("value") ? "kmarg = m" : "kmarg = disable"},
                                {"kfile = f", places("path") ? "kfile = f" : "kfile = disable"}});
                EXPECT_EQ(scriptRoundTripDifference(compiled(script)), "");
            }
        }
    }
}

TEST(cnfScript, ConfigsNoScriptGivesAreRefused) {
    const cnfReadResult base = readCnf(compiled(baseScript));
    ASSERT_TRUE(base.ok()) << base.message;
    ASSERT_TRUE(cnfScript(base.config).ok());
    using change = std::function<void(cnfConfig&)>;
    const struct {
        change edit;
        std::string why;
    } cases[] = {
        {[](cnfConfig& c) { c.headerItems[1] = "a\nb"; },
         "header item 2 holds a line break, which ends a script line"},
        {[](cnfConfig& c) { c.lists[0].name = "a;b"; },
         "the caption of list 1 holds ';', which ends it in a script"},
        {[](cnfConfig& c) {  // the first fault in script order is named
             c.margs[0].name = ":a";
             c.keys[0].arg.assign(1, '\n');
         },
         "the key data of key 0 holds a line break, which ends a script line"},
        {[](cnfConfig& c) { c.margs[0].name = ":a"; },
         "the caption of marg 1 begins with ':', which the script reader skips"},
        {[](cnfConfig& c) { c.margs[0].info = "a<@b"; },
         "the tooltip of marg 1 holds \"<@\", which a script reads as a line break"},
        {[](cnfConfig& c) { c.filters[0] = "T(*.doc)\x01*.txt\x01"; },
         "the text of filter 0 is not of the shape the compiler makes: "
         "NAME(*.E1, *.E2) 0x01 *.E1;*.E2 0x01"},
        {[](cnfConfig& c) {
             c.filters[0] = "(*.a, *.a, *.a, *.a, *.a, *.a, *.a, *.a, *.a, *.a, *.a)\x01"
                            "*.a;*.a;*.a;*.a;*.a;*.a;*.a;*.a;*.a;*.a;*.a\x01";
         },
         "the text of filter 0 has 11 extensions, and a script gives at most 10"},
        {[](cnfConfig& c) { c.filters[0] = "(*.a, *.b c)\x01*.a;*.b c\x01"; },
         "extension 2 of filter 0 holds a blank, which the script reader drops"},
        {[](cnfConfig& c) { c.keys[0].reserved9 = 1; },
         "key 0 has a reserved byte that is not 0, and the compiler writes 0"},
        {[](cnfConfig& c) { c.keys[0].order = {0x10, 0, 0, 1}; },
         "key 0 names file item 1 while its order places neither keys nor path, which the "
         "compiler refuses"},
        {[](cnfConfig& c) {
             c.keys[0].order = {};
             c.keys[0].fileRef = c.keys[0].margRef = 0;
         },
         "key 0 has no key data, next list, marg or file item, which the compiler refuses"},
        {[](cnfConfig& c) { c.lists.resize(51, c.lists[0]); },
         "the config holds 51 lists, and a script holds at most 50"},
        {[](cnfConfig& c) { c.keys.resize(501, c.keys[0]); },
         "the config holds 501 keys, and a script holds at most 500"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.why);
        cnfConfig cfg = base.config;
        c.edit(cfg);
        const cnfScriptResult result = cnfScript(cfg);
        EXPECT_EQ(result.why, c.why);
        EXPECT_EQ(result.script, "");
    }
}

}  // namespace
