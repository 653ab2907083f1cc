// The config reader against configs written out by hand, one broken promise at
// a time, and against what the compiler writes; then the ccdump program, run
// the way a user runs it.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "cnfBuilder.h"
#include "cnfReader.h"
#include "roundTrip.h"
#include "testSupport.h"

namespace fs = std::filesystem;

namespace {

using namespace testSupport;

std::string le16(std::uint16_t v) {
    return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
}
std::string byte(std::uint8_t v) { return std::string(1, static_cast<char>(v)); }
std::string str(const std::string& text) { return text + std::string(1, '\0'); }

// A key record: fileRef, margRef, listRef, strNum, reserved, order, reserved.
std::string keyRecord(std::uint16_t fileRef, std::uint16_t margRef, std::uint16_t listRef,
                      std::uint8_t strNum, std::uint8_t order) {
    return le16(fileRef) + le16(margRef) + le16(listRef) + byte(strNum) + byte(0) +
           byte(order) + byte(0);
}

// Six header items, one list with one key (order 0x04: "keys" only, so strNum
// 2), default list 0: 40 bytes before the strings.
std::string smallestConfig() {
    return "cnf v." + le16(2) +
           le16(9)              // allStrSum: 6 header + 1 list + 2 key strings
           + le16(0)            // defListIndex
           + le16(1) + le16(1)  // listNum, listItemNum
           + le16(0)            // fileFilterNum
           + le16(1) + le16(0) + le16(0) + le16(0)  // keyNum, fileNum, filterNum, margNum
           + keyRecord(0, 0, 0, 2, 0x04)          // @26
           + le16(1)                              // @36 list 1 size
           + le16(0)                              // @38 list 1 entry: key 0
           + str("a") + str("b") + str("c") + str("d") + str("e") + str("f")  // @40
           + str("Modes") + str("Key") + str("-k");
}

// Two lists (the second is the default), three keys, a load file with two
// filters and a dir file, two filters and one marg. 182 bytes; the offset of
// every field is noted, the broken cases below name them.
std::string richConfig() {
    return "cnf v." + le16(2)
           + le16(19)  // @8 allStrSum: 6 + 2 lists + 5 key strings + 2 files + 2 + 2 filters
           + le16(1)   // @10 defListIndex: list 2
           + le16(2)   // @12 listNum
           + le16(3)   // @14 listItemNum: 2 + 1
           + le16(2)   // @16 fileFilterNum: 2 + 0
           + le16(3) + le16(2) + le16(2) + le16(1)  // @18 keys, files, filters, margs
           + keyRecord(1, 1, 0, 2, 0x36)  // @26 key 0: keys 1, path 2, value 3
           + keyRecord(0, 0, 1, 1, 0x00)  // @36 key 1: leads to list 1
           + keyRecord(2, 0, 2, 2, 0x09)  // @46 key 2: path 1, keys 2
           + byte(0) + byte(2)            // @56 file 1: load, 2 filters
           + byte(2) + byte(0)            // @58 file 2: dir
           + le16(2) + le16(1)            // @60 list sizes
           + le16(0) + le16(1)            // @64 list 1: keys 0, 1
           + le16(2)                      // @68 list 2: key 2
           + byte(1) + byte(0)            // @70 file 1: filters 1, 0
           + str("h1") + str("h2") + str("h3") + str("h4") + str("h5") + str("h6")  // @72
           + str("Start") + str("Next")                       // @90 list names
           + str("Fast") + str("-f") + str("Go on")           // @101 keys 0, 1
           + str("Save as") + str("-o")                       // @115 key 2
           + str("Input") + str("Folder")                     // @126 file names
           + str("Level") + str("a\nb")                       // @139 marg 1
           + str("Text(*.txt)\x01*.txt\x01")                  // @149 filter 0
           + str("All(*.*)\x01*.*\x01");                      // @168 filter 1, ends @182
}

TEST(cnfReader, SmallestConfigReadsBack) {
    std::string bytes = smallestConfig();
    ASSERT_EQ(bytes.find("a"), 40u);
    cnfReadResult r = readCnf(bytes);
    ASSERT_TRUE(r.ok()) << r.message;
    const cnfConfig& c = r.config;
    EXPECT_EQ(c.header.allStrSum, 9);
    EXPECT_EQ(c.headerItems[0], "a");
    EXPECT_EQ(c.headerItems[5], "f");
    ASSERT_EQ(c.lists.size(), 1u);
    EXPECT_EQ(c.lists[0].name, "Modes");
    EXPECT_EQ(c.lists[0].keys, std::vector<std::uint16_t>{0});
    ASSERT_EQ(c.keys.size(), 1u);
    EXPECT_EQ(c.keys[0].name, "Key");
    EXPECT_EQ(c.keys[0].arg, "-k");
    EXPECT_EQ(c.keys[0].order.keysPos, 1);
    EXPECT_EQ(orderWords(c.keys[0].order), "keys");
    EXPECT_TRUE(c.files.empty() && c.filters.empty() && c.margs.empty());
}

TEST(cnfReader, RichConfigReadsBack) {
    std::string bytes = richConfig();
    ASSERT_EQ(bytes.size(), 182u);
    cnfReadResult r = readCnf(bytes);
    ASSERT_TRUE(r.ok()) << r.message;
    const cnfConfig& c = r.config;
    EXPECT_EQ(c.header.defListIndex, 1);
    EXPECT_EQ(c.header.listItemNum, 3);
    EXPECT_EQ(c.header.fileFilterNum, 2);
    ASSERT_EQ(c.keys.size(), 3u);
    const cnfKey& k0 = c.keys[0];
    EXPECT_EQ(k0.fileRef, 1);
    EXPECT_EQ(k0.margRef, 1);
    EXPECT_EQ(k0.listRef, 0);
    EXPECT_EQ(k0.order.byte, 0x36);
    EXPECT_EQ(k0.order.pathPos, 2);
    EXPECT_EQ(k0.order.keysPos, 1);
    EXPECT_EQ(k0.order.valuePos, 3);
    EXPECT_EQ(orderWords(k0.order), "keys path value");
    EXPECT_EQ(k0.name + "|" + k0.arg, "Fast|-f");
    EXPECT_EQ(c.keys[1].strNum, 1);
    EXPECT_EQ(c.keys[1].listRef, 1);
    EXPECT_EQ(c.keys[1].name + "|" + c.keys[1].arg, "Go on|");
    EXPECT_EQ(orderWords(c.keys[1].order), "none");
    EXPECT_EQ(orderWords(c.keys[2].order), "path keys");
    EXPECT_EQ(c.keys[2].name + "|" + c.keys[2].arg, "Save as|-o");
    ASSERT_EQ(c.lists.size(), 2u);
    EXPECT_EQ(c.lists[0].name, "Start");
    EXPECT_EQ(c.lists[0].keys, (std::vector<std::uint16_t>{0, 1}));
    EXPECT_EQ(c.lists[1].keys, std::vector<std::uint16_t>{2});
    ASSERT_EQ(c.files.size(), 2u);
    EXPECT_EQ(c.files[0].name, "Input");
    EXPECT_EQ(c.files[0].filters, (std::vector<std::uint8_t>{1, 0}));
    EXPECT_EQ(c.files[1].action, 2);
    EXPECT_TRUE(c.files[1].filters.empty());
    ASSERT_EQ(c.margs.size(), 1u);
    EXPECT_EQ(c.margs[0].info, "a\nb");
    EXPECT_EQ(c.filters, (std::vector<std::string>{"Text(*.txt)\x01*.txt\x01",
                                                   "All(*.*)\x01*.*\x01"}));
}

TEST(cnfReader, ReservedKeyBytesMayHoldAnything) {
    std::string bytes = richConfig();
    bytes[26 + 7] = '\xFF';
    bytes[26 + 9] = '\x5A';
    cnfReadResult r = readCnf(bytes);
    ASSERT_TRUE(r.ok()) << r.message;
    EXPECT_EQ(r.config.keys[0].reserved7, 0xFF);
    EXPECT_EQ(r.config.keys[0].reserved9, 0x5A);
    EXPECT_EQ(r.config.keys[1].reserved7, 0);
}

constexpr std::size_t keepAll = SIZE_MAX;

// The rich config with bytes written at an offset (past the end they are
// appended), or cut to its first keep bytes.
struct breakCase {
    std::size_t at;
    std::string bytes;
    std::size_t keep;
    const char* message;
};

TEST(cnfReader, EveryBrokenPromiseIsRefusedAtItsOffset) {
    static const breakCase cases[] = {
        // header
        {3, "x", keepAll, "offset 3: signature byte is 0x78, expected 0x20 (the signature is \"cnf v.\")"},
        {0, "CNF", 3, "offset 0: signature byte is 0x43, expected 0x63 (the signature is \"cnf v.\")"},
        {6, le16(3), keepAll, "offset 6: version is 3, expected 2"},
        {6, le16(0x200), keepAll, "offset 6: version is 512, expected 2"},
        {10, le16(2), keepAll, "offset 10: defListIndex is 2, expected below listNum (2)"},
        // key records
        {26, le16(3), keepAll, "offset 26: key 0 fileRef is 3, expected at most fileNum (2)"},
        {38, le16(2), keepAll, "offset 38: key 1 margRef is 2, expected at most margNum (1)"},
        {50, le16(3), keepAll, "offset 50: key 2 listRef is 3, expected at most listNum (2)"},
        {32, byte(0), keepAll, "offset 32: key 0 strNum is 0, expected 1 or 2"},
        {32, byte(3), keepAll, "offset 32: key 0 strNum is 3, expected 1 or 2"},
        {32, byte(1), keepAll, "offset 32: key 0 strNum is 1, expected 2 (its order 0x36 places keys)"},
        {42, byte(2), keepAll, "offset 42: key 1 strNum is 2, expected 1 (its order 0x00 places no keys)"},
        {44, byte(0x40), keepAll, "offset 44: key 1 order is 0x40, expected bits 6-7 clear"},
        {34, byte(0x15), keepAll, "offset 34: key 0 order is 0x15, expected distinct positions (path 1, keys 1, value 1)"},
        {54, byte(0x05), keepAll, "offset 54: key 2 order is 0x05, expected distinct positions (path 1, keys 1, value 0)"},
        {34, byte(0x28), keepAll, "offset 34: key 0 order is 0x28, expected distinct positions (path 0, keys 2, value 2)"},
        // file records and their sum
        {56, byte(3), keepAll, "offset 56: file 1 action is 3, expected 0 (load), 1 (save) or 2 (dir)"},
        {57, byte(0), keepAll, "offset 57: file 1 filterCount is 0, expected 1 to 5 for a load file"},
        {56, byte(1) + byte(6), keepAll, "offset 57: file 1 filterCount is 6, expected 1 to 5 for a save file"},
        {59, byte(1), keepAll, "offset 59: file 2 filterCount is 1, expected 0 for a dir file"},
        {16, le16(3), keepAll, "offset 16: fileFilterNum is 3, expected 2 (the sum of the files' filterCount)"},
        {57, byte(1), keepAll, "offset 16: fileFilterNum is 2, expected 1 (the sum of the files' filterCount)"},
        // list sizes and their sum
        {60, le16(0), keepAll, "offset 60: list 1 size is 0, expected 1 to 20"},
        {62, le16(21), keepAll, "offset 62: list 2 size is 21, expected 1 to 20"},
        {14, le16(4), keepAll, "offset 14: listItemNum is 4, expected 3 (the sum of the list sizes)"},
        // entries
        {66, le16(3), keepAll, "offset 66: list 1 entry 2 is key 3, expected below keyNum (3)"},
        {71, byte(2), keepAll, "offset 71: file 1 filter entry 2 is 2, expected below filterNum (2)"},
        // string count
        {8, le16(18), keepAll, "offset 8: allStrSum is 18, expected 19 (6 + 2 + 5 + 2 + 2 + 2)"},
        {24, le16(2), keepAll, "offset 8: allStrSum is 19, expected 21 (6 + 2 + 5 + 2 + 4 + 2)"},
        // the file ends too soon
        {0, "", 0, "offset 0: file ends, expected the 26-byte header"},
        {0, "", 25, "offset 25: file ends, expected the 26-byte header"},
        {0, "", 30, "offset 30: file ends, expected 3 key records (30 bytes from offset 26)"},
        {18, le16(0xFFFF), keepAll, "offset 182: file ends, expected 65535 key records (655350 bytes from offset 26)"},
        {0, "", 57, "offset 57: file ends, expected 2 file records (4 bytes from offset 56)"},
        {0, "", 63, "offset 63: file ends, expected 2 list sizes (4 bytes from offset 60)"},
        {0, "", 69, "offset 69: file ends, expected 3 list item entries (6 bytes from offset 64)"},
        {0, "", 71, "offset 71: file ends, expected 2 file filter entries (2 bytes from offset 70)"},
        {0, "", 72, "offset 72: file ends, expected header item 1 (string 1 of 19)"},
        {0, "", 168, "offset 168: file ends, expected the text of filter 1 (string 19 of 19)"},
        {0, "", 181, "offset 181: file ends inside the text of filter 1 (string 19 of 19), expected its 0 byte"},
        {105, "x", keepAll, "offset 182: file ends, expected the text of filter 1 (string 19 of 19)"},
        {0, "", 110, "offset 110: file ends inside the name of key 1 (string 11 of 19), expected its 0 byte"},
        // bytes after the last string
        {182, "x", keepAll, "offset 182: 1 byte follows the last string, expected the end of the file"},
        {182, std::string(3, '\0'), keepAll, "offset 182: 3 bytes follow the last string, expected the end of the file"},
        {99, std::string(1, '\0'), keepAll, "offset 168: 14 bytes follow the last string, expected the end of the file"},
    };
    for (const breakCase& c : cases) {
        SCOPED_TRACE(c.message);
        std::string bytes = richConfig();
        if (c.keep != keepAll) bytes.resize(c.keep);
        for (std::size_t i = 0; i < c.bytes.size(); ++i) {
            if (c.at + i < bytes.size())
                bytes[c.at + i] = c.bytes[i];
            else
                bytes.push_back(c.bytes[i]);
        }
        cnfReadResult r = readCnf(bytes);
        EXPECT_EQ(r.status, cnfReadStatus::malformed);
        EXPECT_EQ(r.message, c.message);
        EXPECT_EQ(r.message.rfind("offset " + std::to_string(r.offset) + ": ", 0), 0u);
    }
}

TEST(cnfReader, NoListMeansNoDefaultList) {
    std::string bytes = smallestConfig();
    bytes.replace(12, 2, le16(0));
    EXPECT_EQ(readCnf(bytes).message, "offset 10: defListIndex is 0, expected below listNum (0)");
}

// Cutting a valid file anywhere, or changing any one byte, gives a refusal or
// a valid file, never a read outside the bytes (the sanitizer builds check it).
TEST(cnfReader, EveryCutIsRefusedAndEveryByteChangeIsSafe) {
    const std::string whole = richConfig();
    for (std::size_t keep = 0; keep < whole.size(); ++keep) {
        cnfReadResult r = readCnf(std::string_view(whole).substr(0, keep));
        ASSERT_EQ(r.status, cnfReadStatus::malformed) << keep;
        EXPECT_LE(r.offset, keep);
    }
    for (std::size_t at = 0; at < whole.size(); ++at)
        for (int value : {0x00, 0x01, 0x7F, 0xFF}) {
            std::string bytes = whole;
            bytes[at] = static_cast<char>(value);
            cnfReadResult r = readCnf(bytes);
            if (!r.ok()) {
                EXPECT_LE(r.offset, bytes.size());
            }
        }
}

// ---- configs written by the compiler ----

TEST(cnfReader, ReadsTheCompiledExamples) {
    cnfReadResult prog = readCnf(compiled(fileBytes(TARVELKIN_EXAMPLE)));
    ASSERT_TRUE(prog.ok()) << prog.message;
    EXPECT_EQ(prog.config.lists[0].name, "Mode");
    EXPECT_EQ(prog.config.keys[0].arg, "-f");
    EXPECT_EQ(prog.config.margs[0].info, "First line\nSecond line");
    EXPECT_EQ(prog.config.filters[0], "Text files(*.txt, *.log)\x01*.txt;*.log\x01");

    cnfReadResult sample = readCnf(compiled(fileBytes(fs::path(CCDUMP_CASES) / "sample.sc")));
    ASSERT_TRUE(sample.ok()) << sample.message;
    EXPECT_EQ(sample.config.headerItems[3], "C:\\tools\\sample.exe");
    EXPECT_EQ(sample.config.keys[0].name, "Verbose\toutput");
    EXPECT_EQ(sample.config.files[2].name, "Dossier cr\xC3\xA9\xC3\xA9 / caf\xE9");
}

// The script at every limit (every kind at its most items, every order form,
// folder browsers between load and save files) reads back whole.
TEST(cnfReader, ReadsACompiledScriptAtEveryLimit) {
    const std::string bytes = compiled(testSupport::fileBytes(TARVELKIN_EVERY_LIMIT));
    EXPECT_EQ(scriptRoundTripDifference(bytes), "");
    cnfReadResult r = readCnf(bytes);
    ASSERT_TRUE(r.ok()) << r.message;
    const cnfConfig& c = r.config;
    EXPECT_EQ(c.header.defListIndex, 49);
    EXPECT_EQ(c.header.listItemNum, 1000);
    EXPECT_EQ(c.header.fileFilterNum, 67 * 5);
    EXPECT_EQ(c.header.allStrSum, 6 + 50 + 900 + 100 + 200 + 50);
    EXPECT_EQ(c.lists[3].name, "List 3 of the options");
    EXPECT_EQ(c.lists[3].keys.size(), 20u);
    EXPECT_EQ(c.lists[3].keys[19], 49);
    EXPECT_EQ(c.keys[499].name + "|" + c.keys[499].arg, "Key 499, the caption a person reads|-499");
    EXPECT_EQ(c.keys[1].strNum, 1);
    EXPECT_EQ(orderWords(c.keys[2].order), "path keys");
    EXPECT_EQ(orderWords(c.keys[4].order), "keys");
    EXPECT_EQ(c.keys[4].order.keysPos, 3);
    EXPECT_EQ(c.keys[7].listRef, 9);
    EXPECT_EQ(c.files[1].action, 2);
    EXPECT_EQ(c.files[2].filters, (std::vector<std::uint8_t>{5, 6, 7, 8, 9}));
    EXPECT_EQ(c.margs[99].info, "First line\nSecond line 99");
    EXPECT_EQ(c.filters[49], "Filter 49(*.a49, *.b49, *.c49, *.d49, *.e49, *.f49, *.g49, *.h49, *.i49, *.j49)\x01"
                             "*.a49;*.b49;*.c49;*.d49;*.e49;*.f49;*.g49;*.h49;*.i49;*.j49\x01");
}

// ---- the ccdump program ----

runResult runCcdump(const fs::path& dir, const std::string& args, const fs::path& stdoutTo = {}) {
    return runProgram(CCDUMP_PROGRAM, args, dir, stdoutTo);
}

TEST(ccdump, PrintsCompiledScriptsExactly) {
    scratchFolder scratch("ccdump");
    const fs::path& dir = scratch.path();
    fs::path cases = CCDUMP_CASES;
    static const struct {
        const char* name;
        const char* script;
    } samples[] = {{"prog", TARVELKIN_EXAMPLE}, {"sample", CCDUMP_CASES "/sample.sc"}};
    for (const auto& s : samples) {
        SCOPED_TRACE(s.name);
        fs::path config = dir / (std::string(s.name) + ".cc");
        std::ofstream(config, std::ios::binary) << compiled(fileBytes(s.script));
        for (const char* mode : {"txt", "json"}) {
            std::string flag = std::string(mode) == "json" ? "--json " : "";
            runResult r = runCcdump(dir, flag + quoted(config));
            EXPECT_EQ(r.exit, 0);
            EXPECT_EQ(r.err, "");
            EXPECT_EQ(r.out, fileBytes(cases / (std::string(s.name) + "." + mode)));
        }
    }
}

TEST(ccdump, RefusesBadFilesAndBadUsage) {
    scratchFolder scratch("ccdump");
    const fs::path& dir = scratch.path();
    fs::path bad = dir / "bad.cc", good = dir / "good.cc", missing = dir / "missing.cc";
    std::string badBytes = smallestConfig();
    badBytes[6] = 3;
    std::ofstream(bad, std::ios::binary) << badBytes;
    std::ofstream(good, std::ios::binary) << smallestConfig();
    const std::string usage = "usage: ccdump [--json | --script [-o FILE.sc]] FILE.cc\n";
    const std::string badVersion = ": offset 6: version is 3, expected 2\n";
    const struct {
        std::string args;
        int exit;
        std::string err;
    } cases[] = {
        {quoted(bad), 1, "ccdump: " + bad.string() + badVersion},
        {"--json " + quoted(bad), 1, "ccdump: " + bad.string() + badVersion},
        {quoted(missing), 1, "ccdump: " + missing.string() + ": cannot be opened: No such file or directory\n"},
        {quoted(dir), 1, "ccdump: " + dir.string() + ": is a folder, not a file\n"},
        {"", 2, usage},
        {"--json", 2, usage},
        {"--json --json " + quoted(good), 2, usage},
        {"-x " + quoted(good), 2, usage},
        {quoted(good) + " " + quoted(good), 2, usage},
        {"--script --json " + quoted(good), 2, usage},
        {"--script --script " + quoted(good), 2, usage},
        {"-o x.sc " + quoted(good), 2, usage},
        {"--json -o x.sc " + quoted(good), 2, usage},
        {"--script " + quoted(good) + " -o", 2, usage},
        {"--script -o a.sc -o b.sc " + quoted(good), 2, usage},
        {"--script " + quoted(bad), 1, "ccdump: " + bad.string() + badVersion},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        runResult r = runCcdump(dir, c.args);
        EXPECT_EQ(r.exit, c.exit);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
    }
    runResult after = runCcdump(dir, quoted(good) + " --json");
    EXPECT_EQ(after.exit, 0);
    EXPECT_EQ(after.out.substr(0, 18), "{\n  \"version\": 2,\n");
}

// A filter text that the compiler never makes (text after its second 0x01, or
// no 0x01 at all) is shown whole, in both forms.
TEST(ccdump, ShowsAFilterTextsTrailingPart) {
    scratchFolder scratch("ccdump");
    const fs::path& dir = scratch.path();
    std::string bytes = richConfig();
    bytes.resize(bytes.size() - str("All(*.*)\x01*.*\x01").size());
    bytes += str("All(*.*)\x01*.*\x01more");
    writeFile(dir / "trailing.cc", bytes);
    runResult text = runCcdump(dir, quoted(dir / "trailing.cc"));
    EXPECT_EQ(text.exit, 0);
    EXPECT_NE(text.out.find("filter 1 \"All(*.*)\": patterns \"*.*\", trailing \"more\"\n"), std::string::npos)
        << text.out;
    runResult json = runCcdump(dir, "--json " + quoted(dir / "trailing.cc"));
    EXPECT_NE(json.out.find("\"patterns\": \"*.*\", \"trailing\": \"more\"}"), std::string::npos) << json.out;
}

// The script goes to standard output, or whole into the -o file; a config
// that no script gives, or an -o file that cannot be written, leaves nothing.
TEST(ccdump, WritesTheScriptOrNothing) {
    scratchFolder scratch("ccdump");
    const fs::path& dir = scratch.path();
    const fs::path good = dir / "good.cc", refused = dir / "refused.cc", out = dir / "out.sc";
    const std::string goodBytes = compiled(fileBytes(fs::path(CCDUMP_CASES) / "sample.sc"));
    std::ofstream(good, std::ios::binary) << goodBytes;
    std::string semicolon = smallestConfig();
    semicolon.replace(semicolon.find("Modes"), 5, "Mo;de");
    std::ofstream(refused, std::ios::binary) << semicolon;
    const std::string script = cnfScript(readCnf(goodBytes).config).script;

    const runResult printed = runCcdump(dir, "--script " + quoted(good));
    EXPECT_EQ(printed.exit, 0);
    EXPECT_EQ(printed.err, "");
    EXPECT_EQ(printed.out, script);
    std::ofstream(out, std::ios::binary) << "old";
    const runResult written = runCcdump(dir, quoted(good) + " -o " + quoted(out) + " --script");
    EXPECT_EQ(written.exit, 0);
    EXPECT_EQ(written.out + written.err, "");
    EXPECT_EQ(fileBytes(out), script);

    std::ofstream(out, std::ios::binary) << "old";
    const std::string noScript = ": no script compiles to this config: the caption of list 1 "
                                 "holds ';', which ends it in a script\n";
    const fs::path missing = dir / "missing" / "x.sc";
    const struct {
        std::string args;
        std::string err;
    } failures[] = {
        {"--script -o " + quoted(out) + " " + quoted(refused), "ccdump: " + refused.string() + noScript},
        {"--script " + quoted(refused), "ccdump: " + refused.string() + noScript},
        {"--script -o " + quoted(missing) + " " + quoted(good),
         "ccdump: " + missing.string() + ": cannot be written: No such file or directory\n"},
        {"--script -o " + quoted(dir) + " " + quoted(good),
         "ccdump: " + dir.string() + ": cannot be written: Is a directory\n"},
    };
    for (const auto& f : failures) {
        SCOPED_TRACE(f.args);
        const runResult r = runCcdump(dir, f.args);
        EXPECT_EQ(r.exit, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, f.err);
    }
    EXPECT_EQ(fileBytes(out), "old");
    EXPECT_FALSE(fs::exists(dir / "missing"));
    for (const std::string flag : {"--script ", ""}) {
        const runResult full = runCcdump(dir, flag + quoted(good), "/dev/full");
        EXPECT_EQ(full.exit, 1);
        EXPECT_EQ(full.err, "ccdump: standard output: cannot be written: No space left on device\n");
    }

    // The config itself, by any name, is never replaced by its script.
    fs::create_symlink(good, dir / "link.sc");
    fs::create_hard_link(good, dir / "hard.sc");
    for (const fs::path& self : {good, dir / "." / "good.cc", dir / "link.sc", dir / "hard.sc"}) {
        SCOPED_TRACE(self);
        const runResult r = runCcdump(dir, "--script -o " + quoted(self) + " " + quoted(good));
        EXPECT_EQ(r.exit, 2);
        EXPECT_EQ(r.out + r.err, "ccdump: " + self.string() + ": is the config itself; name another script\n");
    }
    EXPECT_EQ(fileBytes(good), goodBytes);
}

}  // namespace
