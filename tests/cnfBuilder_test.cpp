// The line buffer, the header, the section readers and resolution, driven from
// scripts held in memory.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "itemKinds.h"

#include "cnfBuilder.h"
#include "compileText.h"
#include "testSupport.h"

#ifndef _WIN32
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

const char* const kHeader = "#h1\n#h2\n#h3\n#h4\n#h5\n#h6\n";

// Compiles a script from memory that must compile. The caller's builder keeps the state.
void compile(cnfBuilder& b, const std::string& script) {
    const compileResult result = compileText(script, "test.sc", b);
    EXPECT_TRUE(result.ok()) << result.error->message();
}

// Compiles a script that must fail and returns the thrown record.
scriptError compileError(const std::string& script) {
    const compileResult result = compileText(script, "test.sc");
    if (result.error) return *result.error;
    ADD_FAILURE() << "no error for:\n" << script;
    return scriptError();
}

using testSupport::repeated;

// The key and def lines that end the smallest script.
std::string kSmallestTail() {
    return "key k\nname=K\norder=keys,disable\narg=-k\nnext=disable\nkmarg=disable\nkfile=disable\ndef main\n";
}

TEST(LineBuffer, LinesAreLineFeedsPlusOne) {
    static const struct {
        const char* bytes;
        std::size_t size;
        std::uint32_t count;
        const char* first;
        const char* last;
    } cases[] = {
        {"abc", 3, 1, "abc", "abc"},
        {"abc\n", 4, 2, "abc", ""},
        {"\n", 1, 2, "", ""},
        {"a\r\nb\r\n", 6, 3, "a", ""},  // CR LF reads as LF
        {"a\rb\r", 4, 1, "a\rb\r", "a\rb\r"},  // a lone CR is an ordinary character
        {"\r\r\nx", 4, 2, "\r", "x"},
        {"ab\0cd\nef", 8, 2, "ab", "ef"},  // a line ends at its first NUL
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.count);
        cnfBuilder b;
        b.loadScriptFromBytes(std::string_view(c.bytes, c.size));
        ASSERT_EQ(b.lineCount, c.count);
        EXPECT_EQ(b.lineAt(0).str(), c.first);
        EXPECT_EQ(b.lineAt(c.count - 1).str(), c.last);
    }
}

// Line feeds are found many bytes at a time: every line length around the
// block edges, with and without a CR before the feed, splits the same.
TEST(LineBuffer, LineFeedsAtEveryOffset) {
    std::string script;
    std::vector<std::string> expected;
    for (std::size_t length = 0; length <= 200; ++length) {
        std::string line;
        for (std::size_t i = 0; i < length; ++i) line += static_cast<char>('a' + (length + i) % 26);
        if (length % 7 == 3) line[length / 2] = '\r';  // a lone CR stays
        expected.push_back(line);
        script += line + (length % 2 == 0 ? "\r\n" : "\n");
    }
    script += "last";
    expected.push_back("last");
    cnfBuilder b;
    b.loadScriptFromBytes(script);
    ASSERT_EQ(b.lineCount, expected.size());
    for (std::uint32_t i = 0; i < b.lineCount; ++i) EXPECT_EQ(b.lineAt(i).str(), expected[i]) << "line " << i;
}

// The limit is found where the feed lies: in a whole block or in the bytes after the last.
TEST(LineBuffer, LimitInsideAndAfterTheBlocks) {
    for (const std::size_t lineBytes : {std::size_t{64}, std::size_t{1}}) {
        SCOPED_TRACE(lineBytes);
        const std::string line = std::string(lineBytes - 1, 'x') + "\n";
        std::string script;
        for (int i = 0; i < 5000; ++i) script += line;
        cnfBuilder b;
        try {
            b.loadScriptFromBytes(script + "tail\n");
            FAIL();
        } catch (scriptError e) {
            EXPECT_EQ(e.stringsErr, 1);
            EXPECT_EQ(e.detail, "the script has 5002 lines; at most 5000 are allowed");
        }
        cnfBuilder full;
        try {
            full.loadScriptFromBytes(script);
            FAIL();
        } catch (scriptError e) {
            EXPECT_EQ(e.detail, "the script has 5001 lines; at most 5000 are allowed "
                                "(the line feed after the last line starts one more)");
        }
    }
}

// Names of every shape are found under their numbers, and near misses are not.
TEST(NameMap, FindsEveryNameAndNoNearMiss) {
    std::vector<std::string> names;
    for (std::size_t length = 0; length <= 40; ++length) {
        names.push_back(std::string(length, 'n'));
        for (std::size_t at = 0; at < length; ++at) {
            std::string name(length, 'n');
            name[at] = 'm';  // differs in one byte, anywhere
            names.push_back(name);
        }
    }
    for (int i = 0; i < 600; ++i) names.push_back("filter" + std::to_string(i));
    for (int i = 0; i < 600; ++i) names.push_back(std::to_string(i) + "-a-long-common-suffix-of-a-name");
    nameMap map;
    for (std::size_t i = 0; i < names.size(); ++i) ASSERT_TRUE(map.emplace(names[i], static_cast<std::uint32_t>(i)));
    EXPECT_EQ(map.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(map.at(names[i]), i) << names[i];
    EXPECT_FALSE(map.emplace(names[5], 99));
    EXPECT_EQ(map.at(names[5]), 5u);
    const std::string longer(41, 'n');
    for (const std::string_view missing : {std::string_view("n\0", 2), std::string_view(longer),
                                           std::string_view("mm"), std::string_view("filter600"),
                                           std::string_view("600-a-long-common-suffix-of-a-name")}) {
        EXPECT_EQ(map.find(missing), nullptr) << missing;
    }
    EXPECT_THROW(map.at("absent"), std::out_of_range);
    EXPECT_EQ(nameMap().find("x"), nullptr);  // a table never filled
}

// The file error a script path gives when loaded: 0 when it loads.
int loadError(const std::string& path) {
    cnfBuilder b;
    b.scriptPath = path;
    try {
        b.loadScript();
    } catch (scriptError e) {
        return e.fileErr;
    }
    return 0;
}

TEST(LoadScript, FilesThatCannotBeRead) {
    namespace fs = std::filesystem;
    const testSupport::scratchFolder scratch("tarvelkin-load");
    const fs::path& dir = scratch.path();
    std::ofstream(dir / "empty.sc").close();
    std::ofstream(dir / "secret.sc") << "#x\n";
    EXPECT_EQ(loadError((dir / "missing.sc").string()), 1);
    EXPECT_EQ(loadError(dir.string()), 1);  // a folder
    EXPECT_EQ(loadError((dir / "empty.sc").string()), 2);
#ifndef _WIN32
    ::chmod((dir / "secret.sc").c_str(), 0);
    // Root reads anything, so the unreadable file is tried as an unprivileged user.
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(77);
        ::_exit(loadError((dir / "secret.sc").string()));
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(WEXITSTATUS(status), 1);
#endif
}

// A stream that gives some bytes and then fails, as a disk or a network share
// may part way through a file.
class failingBuffer : public std::streambuf {
public:
    explicit failingBuffer(std::string bytes) : text(std::move(bytes)) {
        setg(text.data(), text.data(), text.data() + text.size());
    }

protected:
    int_type underflow() override { throw std::ios_base::failure("device error"); }

private:
    std::string text;
};

TEST(LoadScript, ReadErrorPartWayIsAFileError) {
    failingBuffer buffer(std::string(kHeader) + "list l\nname=L\n");
    std::istream in(&buffer);
    cnfBuilder b;
    b.scriptPath = "broken.sc";
    try {
        b.loadScriptFromStream(in);
        FAIL() << "a stream that fails part way loaded";
    } catch (scriptError e) {
        EXPECT_EQ(e.fileErr, 1);
        EXPECT_EQ(e.detail.rfind("cannot read \"broken.sc\": ", 0), 0u) << e.detail;
    }
}

// A file that grew after its size was asked is read to its end as well: the
// bytes read beyond the size join the first ones, in order.
TEST(LoadScript, AFileThatGrewIsReadWhole) {
    const testSupport::scratchFolder scratch("tarvelkin-grown");
    const std::string path = (scratch.path() / "x.sc").string();
    testSupport::writeFile(path, "#h1\n");  // the size asked: 4 bytes
    const std::string script = std::string(kHeader) + "list main\nname=Main\nitems=k\n" +
                               repeated(";" + std::string(70, 'c') + "\n", 1000) + kSmallestTail();
    std::istringstream grown(script);
    cnfBuilder b;
    b.scriptPath = path;
    b.loadScriptFromStream(grown);
    b.parseScript();
    cnfBuilder fromMemory;
    compile(fromMemory, script);
    EXPECT_EQ(b.lineCount, fromMemory.lineCount);
    EXPECT_EQ(b.cnfBytes(), fromMemory.cnfBytes());
}

#ifndef _WIN32
// A script that cannot be measured (a named pipe, or /dev/stdin fed by a pipe)
// is read to its end and compiles to the same bytes as from a file; a pipe
// that delivers nothing is an empty script.
TEST(LoadScript, PipesAreReadToTheirEnd) {
    namespace fs = std::filesystem;
    const testSupport::scratchFolder scratch("tarvelkin-pipe");
    const fs::path& dir = scratch.path();
    const std::string script = std::string(kHeader) + "list main\nname=Main\nitems=k\n" +
                               repeated(";" + std::string(100, 'c') + "\n", 2000) +
                               "key k\nname=K\norder=keys,disable\narg=-k\n"
                               "next=disable\nkmarg=disable\nkfile=disable\ndef main\n";
    const std::string fifo = (dir / "x.sc").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    for (const std::string& sent : {script, std::string()}) {
        // The writer runs beside the reader: a pipe holds less than the script.
        const pid_t writer = ::fork();
        if (writer == 0) {
            std::ofstream(fifo, std::ios::binary) << sent;
            ::_exit(0);
        }
        cnfBuilder b;
        b.scriptPath = fifo;
        int fileErr = 0;
        try {
            b.loadScript();
            b.parseScript();
        } catch (scriptError e) {
            fileErr = e.fileErr;
        }
        ::waitpid(writer, nullptr, 0);
        if (sent.empty()) {
            EXPECT_EQ(fileErr, 2);  // "   Empty file"
        } else {
            EXPECT_EQ(fileErr, 0);
            cnfBuilder fromMemory;
            compile(fromMemory, script);
            EXPECT_EQ(b.cnfBytes(), fromMemory.cnfBytes());
        }
    }
}
#endif

#ifndef _WIN32
// A config path that is a link loop names no file: the save is refused, and
// the links stay links.
TEST(SaveConfig, LinkLoopIsASavingError) {
    namespace fs = std::filesystem;
    const testSupport::scratchFolder scratch("tarvelkin-save");
    const fs::path& dir = scratch.path();
    fs::create_symlink("pong.cc", dir / "ping.cc");
    fs::create_symlink("ping.cc", dir / "pong.cc");
    cnfBuilder b;
    compile(b, std::string(kHeader) + "list main\nname=Main\nitems=k\nkey k\nname=K\norder=keys,disable\n"
                                      "arg=-k\nnext=disable\nkmarg=disable\nkfile=disable\ndef main\n");
    b.configPath = (dir / "ping.cc").string();
    try {
        b.saveCnf();
        FAIL() << "a link loop was saved over";
    } catch (scriptError e) {
        EXPECT_EQ(e.fileErr, 3);  // "   Saving config error"
    }
    EXPECT_EQ(fs::read_symlink(dir / "ping.cc"), "pong.cc");
    EXPECT_EQ(fs::read_symlink(dir / "pong.cc"), "ping.cc");
}
#endif

TEST(LineBuffer, FiveThousandLinesAtMost) {
    cnfBuilder b;
    b.loadScriptFromBytes(std::string(4999, '\n') + "x");
    EXPECT_EQ(b.lineCount, 5000u);
    EXPECT_EQ(b.lineAt(4999).str(), "x");
    // Every index at or past the end reads as an empty line, even for a full buffer.
    EXPECT_TRUE(b.lineAt(5000).empty());
    EXPECT_TRUE(b.lineAt(0xFFFFFFFFu).empty());

    cnfBuilder full;
    try {
        full.loadScriptFromBytes(std::string(5000, '\n'));
        FAIL();
    } catch (scriptError e) {
        EXPECT_EQ(e.stringsErr, 1);
        EXPECT_EQ(e.errLine, 0);
    }
}

// One list, one key with "keys" only and every reference off, a def line.
const std::string kSmallest = std::string(kHeader) +
                              "list main\nname=Main\nitems=k\n"
                              "key k\nname=K\norder=keys,disable\narg=-k\n"
                              "next=disable\nkmarg=disable\nkfile=disable\ndef main\n";

TEST(Sections, CaptionsAndValuesAreCleaned) {
    cnfBuilder b;
    compile(b, std::string(kHeader) +
                   "list l name = The list ; comment\nitems = k\n"
                   "key k\nname = Key name ; c\norder = keys, disable\narg=-f ; fast\n"
                   "next = l\nkmarg = m\nkfile = disable\n"
                   "marg m\ninfo = a<@b<@c ; not this\n  name :: Caption;x;y\n"
                   "file f\nname = - dash\naction = dir\n"
                   "filter t\nexten = t\x01xt, log ; more\nname = Te\x01xt ;\n"
                   "def l\ndef l\n");
    EXPECT_EQ(b.listStrings[0], "The list ");
    EXPECT_EQ(b.keyStrings[0].str1, " Key name ");
    EXPECT_EQ(b.keyStrings[0].str2, "-f ");  // a trailing comment never enters the arg
    EXPECT_EQ(b.margStrings[0].str1, "Caption");
    EXPECT_EQ(b.margStrings[0].str2, "a\nb\nc ");
    EXPECT_EQ(b.fileStrings[0], " - dash");
    EXPECT_EQ(b.filterStrings[0], " Text (*.txt, *.log)\x01*.txt;*.log\x01");
    EXPECT_EQ(b.keys[0].listRef, 1);
    EXPECT_EQ(b.keys[0].margRef, 1);
    EXPECT_EQ(b.files[0].action, 2);
    EXPECT_EQ(b.files[0].filterCount, 0);
}

TEST(Resolution, ListAndFilterLimits) {
    std::string keys;
    std::string names;
    for (int i = 0; i < 25; ++i) {
        keys += "key k" + std::to_string(i) + "\nname=n\norder=disable\nnext=l\nkmarg=disable\nkfile=disable\n";
        names += (i ? ", k" : "k") + std::to_string(i);
    }
    std::string filters;
    for (int i = 0; i < 7; ++i) filters += "filter f" + std::to_string(i) + "\nname=x\nexten=e\n";
    cnfBuilder b;
    // Names behind the 20th key and the 5th filter are neither kept nor looked up.
    compile(b, std::string(kHeader) + "list l\nname=L\nitems=" + names + ", missing\n" + keys +
                   filters +
                   "file a\nname=A\naction=load\nfilters=f6,f5,f4,f3,f2,f1,missing\n"
                   "file d\nname=D\naction=dir\n"
                   "file s\nfilters=f0\nname=S\naction=save\ndef l\n");
    ASSERT_EQ(b.listSizes.size(), 1u);
    EXPECT_EQ(b.listSizes[0], 20u);
    EXPECT_EQ(b.listItemNum, 20);
    EXPECT_EQ(b.fileFilterNum, 6);
    EXPECT_EQ(b.files[0].filterCount, 5);
    EXPECT_EQ(b.files[1].filterCount, 0);
    EXPECT_EQ(b.files[2].filterCount, 1);
    // The save file's filter follows the first file's directly.
    const std::vector<std::uint32_t> tail(b.itemNumbers.begin() + 20, b.itemNumbers.end());
    EXPECT_EQ(tail, (std::vector<std::uint32_t>{6, 5, 4, 3, 2, 0}));
}

TEST(Resolution, NotFoundNamesItsPositionAndLine) {
    static const struct {
        const char* body;
        int itemIndex;
        int errLine;
    } cases[] = {
        {"list l\nname=L\nitems=k, k, nope\n" "key k\nname=K\norder=disable\nnext=l\nkmarg=disable\nkfile=disable\ndef l\n", 2, 8},
        {"key k\nname=K\norder=disable\nnext=nope\nkmarg=disable\nkfile=disable\ndef l\n", 0, 9},
        {"list l\nname=L\nitems=k\nkey k\nname=K\norder=disable\nnext=l\nkmarg=disable\nkfile=disable\n", 0, 0},
        {"list l\nname=L\nitems=k\nkey k\nname=K\norder=disable\nnext=l\nkmarg=disable\nkfile=disable\ndef L\n", 0, 15},
        {"list l\nname=L\nitems=k\nkey k\nname=K\norder=value,disable\nnext=l\nkmarg=nope\nkfile=disable\ndef l\n", 0, 13},
        {"list l\nname=L\nitems=\n", 0, 8},  // an empty items line looks up the empty name
        // The position counts from the start of its own line, after a list resolved before it.
        {"list a\nname=A\nitems=k, k, k\nlist b\nname=B\nitems=k, nope\n"
         "key k\nname=K\norder=disable\nnext=a\nkmarg=disable\nkfile=disable\ndef a\n", 1, 11},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        scriptError e = compileError(std::string(kHeader) + c.body);
        EXPECT_EQ(e.itemNameErr, 2);
        EXPECT_EQ(e.itemIndex, c.itemIndex);
        EXPECT_EQ(e.errLine, c.errLine);
    }
}

// The script at every limit compiles without a warning, and the numbers its
// references and entries take reach the top of their ranges.
TEST(Sections, EveryKindUpToItsLimitCompiles) {
    cnfBuilder b;
    const compileResult result = compileText(testSupport::fileBytes(TARVELKIN_EVERY_LIMIT), "every_limit.sc", b);
    ASSERT_TRUE(result.ok()) << result.error->message();
    EXPECT_TRUE(result.warnings.empty());
    EXPECT_EQ(b.lineCount, 5000u);
    EXPECT_EQ(b.listNum, 50);
    EXPECT_EQ(b.keyNum, 500);
    EXPECT_EQ(b.fileNum, 100);
    EXPECT_EQ(b.filterNum, 50);
    EXPECT_EQ(b.margNum, 100);
    EXPECT_EQ(b.defListIndex, 49);
    EXPECT_EQ(b.allStrSum, 6 + 50 + 900 + 100 + 50 + 200);
    const auto most = [&b](std::uint16_t keyConf::*ref) {
        const auto key = std::max_element(b.keys.begin(), b.keys.end(),
                                          [ref](const keyConf& x, const keyConf& y) { return x.*ref < y.*ref; });
        return (*key).*ref;
    };
    EXPECT_EQ(most(&keyConf::listRef), 50);
    EXPECT_EQ(most(&keyConf::fileRef), 100);
    EXPECT_EQ(most(&keyConf::margRef), 100);
    EXPECT_EQ(*std::max_element(b.itemNumbers.begin(), b.itemNumbers.begin() + b.listItemNum), 499u);
    EXPECT_EQ(*std::max_element(b.itemNumbers.begin() + b.listItemNum, b.itemNumbers.end()), 49u);
}

// The detail an error gives on standard error: what was found, where (the
// place in its line), and what was expected or what the author probably meant.
TEST(Diagnostics, ErrorDetails) {
    const std::string list = "list l\nname=L\nitems=k\n";
    const std::string key = "key k\nname=K\norder=keys,disable\narg=-k\nnext=disable\nkmarg=disable\nkfile=disable\n";
    const std::string sections = "; expected list, key, file, filter, marg or def";
    const std::string keyParameters = "; expected one of name, order, arg, next, kmarg, kfile";
    const struct {
        std::string script;
        std::string detail;
        textSpan where;  // the column and length of what the detail is about
    } cases[] = {
        {kHeader + std::string("\tlist l\n"),
         "unknown item type \"\\tlist\"" + sections + "; a tab is no blank: indent with spaces", {1, 5}},
        {kHeader + list + key + "name=again\n",
         "unknown item type \"name\"" + sections + "; key \"k\" before it is already complete", {1, 4}},
        {kHeader + std::string("file f\nname=F\naction=dir\nfilters=t\n"),
         "unknown item type \"filters\"" + sections +
             "; file item \"f\" before it is already complete (a folder browser, action = dir, takes no filters)", {1, 7}},
        {kHeader + std::string("key k\nname=K\norder=disable\nnext=l\nkmarg=disable\nkfile=disable\narg=-k\n"),
         "unknown item type \"arg\"" + sections +
             "; key \"k\" before it is already complete (its order has no keys, so it takes no arg)", {1, 3}},
        {kHeader + std::string("key extract\n  kfiel = x\n"), "unknown parameter \"kfiel\" in key \"extract\"" + keyParameters, {3, 5}},
        {kHeader + std::string("key k\nName=K\n"),
         "unknown parameter \"Name\" in key \"k\"" + keyParameters + "; keywords are lower case", {1, 4}},
        // An order without keys fills the arg's slot, so arg is not missing.
        {kHeader + std::string("key k\nname=K\norder=disable\nlist l\n"),
         "unknown parameter \"list\" in key \"k\"" + keyParameters + "; key \"k\" still lacks next, kmarg, kfile", {1, 4}},
        {kHeader + std::string("file f\nname=F\n"), "the script ends inside file item \"f\", which still lacks action", {1, 0}},
        {kHeader + std::string("file f\nname=F\naction: load\n"),
         "the action word is missing; expected load, save or dir", {7, 0}},
        {kHeader + std::string("key k\norder = keys, kyes, path\n"),
         "unknown order word \"kyes\"; expected path, keys, value or disable", {15, 4}},
        {kHeader + std::string("key k\norder = Keys\n"),
         "unknown order word \"Keys\"; expected path, keys, value or disable; keywords are lower case", {9, 4}},
        {"\xEF\xBB\xBF# h1\n",
         "expected a header line beginning with \"#\", found \"\xEF\xBB\xBF# h1\" (the file begins with a byte order "
         "mark: save it without one)", {1, 7}},
        {std::string(5000, '\n'),
         "the script has 5001 lines; at most 5000 are allowed (the line feed after the last line starts one more)", {1, 0}},
        {std::string(5001, '\n'), "the script has 5002 lines; at most 5000 are allowed", {1, 0}},
        // Names not found: the same name in other letters, a name of another
        // kind, an empty name, "disable" misspelt, no name at all.
        {kHeader + std::string("list l\nname=L\nitems=K\n") + key + "def l\n",
         "items of list \"l\": name 1 \"K\" names no key; did you mean \"k\"?", {7, 1}},
        {kHeader + list + "key k\nname=K\norder=value,disable\nnext=disable\nkmarg=l\nkfile=disable\ndef l\n",
         "kmarg \"l\" of key \"k\" names no marg; \"l\" is a list", {7, 1}},
        {kHeader + std::string("list l\nname=L\nitems=k,\n") + key + "def l\n",
         "items of list \"l\": name 2 \"\" names no key (a comma too many?)", {9, 0}},
        {kHeader + list + "key k\nname=K\norder=keys,disable\narg=-k\nnext=Disable\nkmarg=disable\nkfile=disable\ndef l\n",
         "next \"Disable\" of key \"k\" names no list; keywords are lower case: did you mean \"disable\"?", {6, 7}},
        {kHeader + list + "key k\nname=K\norder=value,disable\nnext=disable\nkmarg=None\nkfile=disable\ndef l\n",
         "kmarg \"None\" of key \"k\" names no marg; did you mean \"disable\"?", {7, 4}},
        {kHeader + list + "key k\nname=K\norder=keys,disable\narg=-k\nnext=\nkmarg=disable\nkfile=disable\ndef l\n",
         "next of key \"k\" names no list: write next = NAME or next = disable", {6, 0}},
        {kHeader + list + key + "def\n", "the def line names no list: write def LISTNAME", {4, 0}},
        // A name with a blank inside is looked up without it, and shown as written.
        {kHeader + std::string("list l\nname=L\nitems = k, n o ;\n") + key + "def l\n",
         "items of list \"l\": name 2 \"no\" names no key", {12, 3}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script.substr(0, 200));
        const scriptError e = compileError(c.script);
        EXPECT_EQ(e.detail, c.detail);
        EXPECT_EQ(e.errColumn, c.where.column);
        EXPECT_EQ(e.errLength, c.where.length);
    }
}

// Warnings at the lines and columns they name, for the edges the end-to-end
// cases leave out: a second dash, dropped names past the third, loops between lists.
TEST(Diagnostics, Warnings) {
    const std::string off = "next=disable\nkmarg=disable\nkfile=disable\n";
    const struct {
        std::string body;  // after the header
        std::vector<std::tuple<std::uint32_t, std::uint32_t, std::string>> warnings;  // line from 1, column, text
    } cases[] = {
        {"list l\nname=L\nitems=k\nkey k\nname=K\norder=keys,disable\narg --all\n" + off + "def l\n",
         {{13, 6, "key data \"-all\" of key \"k\" lost its leading \"-\", which \"arg -\" takes for the \"=\": "
               "write arg=--all"}}},
        // Names beyond a limit are named, the first three of them.
        {"list l\nname=L\nitems=k" + repeated(",k", 19) + ",a,,b,c,d\nkey k\nname=K\norder=keys,disable\narg=-k\n" +
             off + "file f\nname=F\naction=load\nfilters=t,t,t,t,t,u\nfilter t\nname=T\nexten=a,b,c,d,e,f,g,h,i,j,k\n"
             "def l\n",
         {{9, 47, "list \"l\" takes at most 20 keys; dropped: \"a\", \"b\", \"c\" and more"},
          {17, 6, "file item \"f\" is not used: no key names it in kfile"},
          {20, 19, "file item \"f\" takes at most 5 filters; dropped: \"u\""},
          {23, 27, "filter \"t\" takes at most 10 extensions; dropped: \"k\""}}},
        // A list reached through a next list is used, also in a loop.
        {"list l\nname=L\nitems=k\nlist more\nname=M\nitems=back\nkey k\nname=K\norder=disable\nnext=more\n"
         "kmarg=disable\nkfile=disable\nkey back\nname=B\norder=disable\nnext=l\nkmarg=disable\nkfile=disable\n"
         "def l\n",
         {}},
        {kSmallest.substr(std::string(kHeader).size()), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.body);
        const compileResult result = compileText(kHeader + c.body, "test.sc");
        EXPECT_TRUE(result.ok());
        std::vector<std::tuple<std::uint32_t, std::uint32_t, std::string>> found;
        for (const scriptWarning& w : result.warnings) found.emplace_back(w.line + 1, w.where.column, w.text);
        EXPECT_EQ(found, c.warnings);
    }
}

// An order word written again with another between moves behind it: the
// warning stands at its second place and names what the order inserts. A
// word written twice in a row keeps the order it was written in.
TEST(Diagnostics, OrderWordMovedBehindAnother) {
    static const struct {
        const char* order;
        std::uint32_t column;  // of the warning, 0 for none
        const char* inserted;
    } cases[] = {
        {"keys path keys", 17, "path, keys"},
        {"path keys path", 17, "keys, path"},
        {"value,keys,value", 18, "keys, value"},
        {"path path keys", 0, ""},
        {"keys keys keys", 0, ""},
        {"path keys keys", 0, ""},
        {"keys keys disable", 0, ""},
        {"keys path value", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        const compileResult result = compileText(
            kHeader + std::string("list l\nname=L\nitems=k\nkey k\nname=K\norder=") + c.order +
                "\narg=-k\nnext=disable\nkmarg=m\nkfile=f\nfile f\nname=F\naction=dir\nmarg m\nname=M\n"
                "info=I\ndef l\n",
            "test.sc");
        ASSERT_TRUE(result.ok());
        std::vector<std::pair<std::uint32_t, std::string>> moved;
        for (const scriptWarning& w : result.warnings)
            if (w.text.find("stands twice") != std::string::npos) moved.emplace_back(w.where.column, w.text);
        if (c.column == 0) {
            EXPECT_TRUE(moved.empty());
            continue;
        }
        ASSERT_EQ(moved.size(), 1u);
        EXPECT_EQ(moved[0].first, c.column);
        EXPECT_NE(moved[0].second.find(std::string("so the order inserts ") + c.inserted + ";"), std::string::npos);
    }
}

TEST(Diagnostics, WarningsArePrintedInLineOrderOnce) {
    cnfBuilder b;
    b.scriptPath = "p.sc";
    b.warnings = {{9, {4, 2}, "late"}, {2, {}, "early"}, {9, {1, 3}, "later"}};
    std::ostringstream err;
    b.reportWarnings(err);
    b.reportWarnings(err);
    EXPECT_EQ(err.str(), "p.sc:3:1: warning: early\np.sc:10:4: warning: late\np.sc:10:1: warning: later\n");
}

// Reading on past errors, as the language server asks: the first error is
// the program's, then each error a correct line would not hide, each at its
// place; a header that lacks lines ends at a section line; the def line of a
// script that ends early is yet to come; past 100 errors the reading stops.
TEST(CompileText, ReadingOnPastErrors) {
    const std::string key = "key k\nname=K\norder=keys,disable\narg=-k\nnext=disable\nkmarg=disable\nkfile=disable\n";
    std::string failing;
    for (int n = 0; n < 101; ++n) failing += "key f" + std::to_string(n) + "\nname=F\norder=keys vlaue\n";
    static const struct {
        std::string script;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> errors;  // line from 1, column
        std::size_t sections;
    } cases[] = {
        {"#h1\n#h2\n#h3\n#h4\n#h5\nlist l\nname=L\nitems=k\n" + key + "def l\n", {{6, 1}}, 3},
        {"#h1\n#h2\nh3\n#h4\n#h5\n#h6\nlist l\nname=L\nitems=k\n" + key + "def l\n", {{3, 1}}, 3},
        // A line that begins no section, a second key k (skipped whole), then
        // every name that names nothing, in the order resolution meets them.
        {std::string(kHeader) + "list l\nname=L\nitems=k, zz\nbogus\n" + key + key +
             "key n\nname=N\norder=value,disable\nnext=nol\nkmarg=nom\nkfile=disable\ndef nolist\n",
         {{10, 1}, {18, 5}, {9, 10}, {28, 6}, {29, 7}, {31, 5}}, 5},
        // A list that lacks its items, the key after it read all the same.
        {std::string(kHeader) + "list l\nname=L\n" + key + "def l\n", {{9, 1}}, 3},
        {std::string(kHeader) + "list l\nname=L\n", {{10, 1}}, 1},
        {"#h1\n#h2\n", {{4, 1}}, 0},
        {std::string(kHeader) + "list l\nname=L\nitems=k\n" + failing + "def l\n", {}, 102},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.script.substr(0, 200));
        const compileResult alone = compileText(c.script, "test.sc");
        const compileResult result = compileText(c.script, "test.sc", true);
        ASSERT_TRUE(result.error && alone.error);
        EXPECT_EQ(result.error->message(), alone.error->message());
        EXPECT_EQ(result.error->errLine, alone.error->errLine);
        std::vector<std::pair<std::uint32_t, std::uint32_t>> found{
            {result.error->errLine + 1, result.error->errColumn}};
        for (const scriptError& e : result.laterErrors) found.emplace_back(e.errLine + 1, e.errColumn);
        EXPECT_EQ(result.facts->sections.size(), c.sections);
        EXPECT_FALSE(result.facts->readWhole);
        if (c.errors.empty()) {  // the 101 failing keys
            EXPECT_EQ(found.size(), kMostErrors);
            ASSERT_TRUE(result.firstLeftOut);
            EXPECT_EQ(result.firstLeftOut->errLine + 1, 9u + 3 * 100 + 3);
            continue;
        }
        EXPECT_FALSE(result.firstLeftOut);
        EXPECT_EQ(found, c.errors);
    }
}

// The library entry gives everything as data and nothing else: it prints
// nothing, gives the same for the same text every time, hands over the
// warnings found before an error, and takes no bytes at all for an empty file.
TEST(CompileText, DataOnlyAndRepeatable) {
    const std::string script = kHeader + std::string("key k\nname= K\nnmae=x\n");
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const compileResult first = compileText(script, "a.sc");
    const compileResult again = compileText(script, "a.sc");
    const compileResult empty = compileText("", "e.sc");
    const compileResult fine = compileText(kSmallest, "s.sc");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    for (const compileResult* r : {&first, &again}) {
        ASSERT_TRUE(r->error);
        EXPECT_EQ(r->error->paramErr, 1);
        EXPECT_EQ(r->error->errLine, 8);
        EXPECT_EQ(r->config, "");
        ASSERT_EQ(r->warnings.size(), 1u);
        EXPECT_EQ(r->warnings[0].line, 7u);
    }
    ASSERT_TRUE(empty.error);
    EXPECT_EQ(empty.error->fileErr, 2);
    EXPECT_EQ(empty.error->message(), "the script \"e.sc\" is empty: it holds no bytes at all");
    EXPECT_TRUE(fine.ok() && !fine.config.empty());
}

TEST(Readers, VeryLongLinesCompile) {
    // A caption, an items line and a tooltip of a megabyte each.
    const std::string caption(1 << 20, 'c');
    const std::string tooltip = repeated("ab<@", 1 << 18);
    cnfBuilder b;
    compile(b, std::string(kHeader) + "list l\nname=" + caption + "\nitems=k" + repeated(" ,k", 1 << 18) +
                   "\nkey k\nname=K\norder=value,disable\nnext=l\nkmarg=m\nkfile=disable\n" +
                   "marg m\nname=M\ninfo=" + tooltip + "\ndef l\n" + std::string(1, '\0'));
    EXPECT_EQ(b.listStrings[0], caption);
    EXPECT_EQ(b.listSizes[0], 20u);
    EXPECT_EQ(b.margStrings[0].str2, repeated("ab\n", 1 << 18));
}

// A kind number beyond def, as a damaged config may hold, reads as the
// header's row: no keyword, no parameters, nothing to look up past the table.
TEST(itemKinds, AKindBeyondDefReadsAsTheHeader) {
    for (const std::uint32_t kind : {DEF_KIND + 1u, 255u, 0xFFFFFFFFu}) {
        EXPECT_EQ(&kindOf(kind), &itemKinds[HEADER_PART]) << kind;
        EXPECT_EQ(kindOf(kind).parameterCount, 0u);
    }
    EXPECT_EQ(&kindOf(DEF_KIND), &itemKinds[DEF_KIND]);
}

}  // namespace
