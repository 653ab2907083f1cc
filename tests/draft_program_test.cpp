// The tarvelkin-draft program run as a user runs it (POSIX shell): a draft of
// an installed program, the refusals and failures with their messages and
// statuses, help read from standard error, a program that runs too long or
// writes too much, and a draft of every installed program of the benchmark.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cnfReader.h"
#include "roundTrip.h"
#include "testSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace testSupport;

const std::string usageLines =
    "usage: tarvelkin-draft [-o FILE.sc] [--force] [--timeout SECONDS] PROGRAM [HELP ARGS...]\n"
    "       tarvelkin-draft [-o FILE.sc] [--force] --from FILE|- [PROGRAM [HELP ARGS...]]\n";

runResult draft(const fs::path& dir, const std::string& args) { return runProgram(DRAFT_PROGRAM, args, dir); }

// The script compiles without an error or a warning, and ccdump --script gives it back.
void expectClean(const std::string& script) {
    const compileResult compiled = compileText(script, "draft.sc");
    ASSERT_TRUE(compiled.ok()) << compiled.error->message() << "\n" << script;
    EXPECT_EQ(compiled.warnings.size(), 0u) << (compiled.warnings.empty() ? "" : compiled.warnings[0].text);
    EXPECT_EQ(scriptRoundTripDifference(compiled.config), "");
}

TEST(draftProgram, DraftsAnInstalledProgram) {
    scratchFolder scratch("draft");
    const runResult r = draft(scratch.path(), "head");
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.err, "");
    expectClean(r.out);
    const cnfReadResult read = readCnf(compiled(r.out));
    ASSERT_TRUE(read.ok());
    EXPECT_EQ(read.config.headerItems[0], "head");
    EXPECT_EQ(read.config.headerItems[2], "drafted from `head --help`");
    // --lines takes its number joined with '=', in a marg.
    bool lines = false;
    for (const cnfKey& key : read.config.keys) lines = lines || (key.arg == "--lines=" && key.margRef != 0);
    EXPECT_TRUE(lines);
}

TEST(draftProgram, SaysWhyItDraftsNothing) {
    scratchFolder scratch("draft");
    const fs::path& dir = scratch.path();
    writeFile(dir / "empty.txt", "Usage: nothing\nDoes nothing.\n");
    writeFile(dir / "big.txt", std::string(5u << 20, 'x'));
    writeFile(dir / "help.txt", "Usage: tool [-a]\n  -a, --all  take all\n");
    const std::string tool = SERVE_TOOL;
    const struct {
        std::string args;
        int exit;
        std::string err;
    } cases[] = {
        {"", 2, "tarvelkin-draft: name the program, or --from a saved help text\n" + usageLines},
        {"--bogus head", 2, "tarvelkin-draft: unexpected --bogus\n" + usageLines},
        {"-o", 2, "tarvelkin-draft: -o needs a value\n" + usageLines},
        {"--timeout 0 head", 2, "tarvelkin-draft: --timeout takes whole seconds, 1 to 3600\n" + usageLines},
        {"''", 2, "tarvelkin-draft: the program's name is empty\n" + usageLines},
        {"no-such-program-zz", 1,
         "tarvelkin-draft: cannot start the program: not found: no program \"no-such-program-zz\" in PATH\n"},
        {"--from " + quoted(dir / "missing.txt"), 1,
         "tarvelkin-draft: " + (dir / "missing.txt").string() + ": cannot be read: No such file or directory\n"},
        {"--from " + quoted(dir / "empty.txt"), 1,
         "tarvelkin-draft: " + (dir / "empty.txt").string() + ": the help text lists no options\n"},
        {"--from " + quoted(dir / "big.txt"), 1,
         "tarvelkin-draft: " + (dir / "big.txt").string() + ": more than 4 MB, far more than a help text\n"},
        {quoted(fs::path(tool)) + " out:hello exit:3", 1,
         "tarvelkin-draft: `" + tool + " out:hello exit:3` printed no options, and ended with status 3\n"},
        {quoted(fs::path(tool)) + " abort", 1, "tarvelkin-draft: `" + tool + " abort` printed no options, and ended by SIGABRT\n"},
        {"--timeout 1 sleep 30", 1,
         "tarvelkin-draft: `sleep 30` did not end within 1 s and printed no options; it was ended\n"},
        {"-o " + quoted(dir / "help.txt") + " --from " + quoted(dir / "help.txt"), 1,
         "tarvelkin-draft: " + (dir / "help.txt").string() + ": exists; --force replaces it\n"},
        {"-o " + quoted(dir / "no" / "t.sc") + " --from " + quoted(dir / "help.txt"), 1,
         "tarvelkin-draft: " + (dir / "no" / "t.sc").string() + ": cannot be written: No such file or directory\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const runResult r = draft(dir, c.args);
        EXPECT_EQ(r.exit, c.exit);
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
    // Nothing was written, nor left behind.
    EXPECT_EQ(fileBytes(dir / "help.txt"), "Usage: tool [-a]\n  -a, --all  take all\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
}

TEST(draftProgram, ReadsHelpWhereverAndHoweverItComes) {
    scratchFolder scratch("draft");
    const fs::path& dir = scratch.path();
    const std::string tool = SERVE_TOOL;
    const std::string help = "Usage: t [-a] FILE\\n  -a, --all  take all\\n";
    const struct {
        std::string args;
        std::string err;
    } cases[] = {
        // On standard error, with a status that is not 0.
        {quoted(fs::path(tool)) + " 'err:" + help + "' exit:2", ""},
        // Followed by more than the output kept.
        {quoted(fs::path(tool)) + " 'out:" + help + "' flood:5000000",
         "tarvelkin-draft: note: `" + tool + " out:" + help +
             " flood:5000000` printed more than 4 MB; it was ended, and the draft made of the first 4 MB\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        const runResult r = draft(dir, c.args);
        EXPECT_EQ(r.exit, 0);
        EXPECT_EQ(r.err, c.err);
        expectClean(r.out);
    }
    // From standard input, and into a file that is replaced only with --force.
    writeFile(dir / "help.txt", "Usage: t [-a] FILE\n  -a, --all  take all\n");
    const std::string toFile = quoted(fs::path(DRAFT_PROGRAM)) + " -o " + quoted(dir / "t.sc") + " --from - t <" +
                               quoted(dir / "help.txt") + " 2>" + quoted(dir / "err.txt");
    ASSERT_EQ(std::system(toFile.c_str()), 0);
    const std::string script = fileBytes(dir / "t.sc");
    expectClean(script);
    EXPECT_NE(script.find("\nkey all\n"), std::string::npos);
    writeFile(dir / "t.sc", "old");
    EXPECT_EQ(draft(dir, "-o " + quoted(dir / "t.sc") + " --from " + quoted(dir / "help.txt")).exit, 1);
    EXPECT_EQ(fileBytes(dir / "t.sc"), "old");
    const runResult forced = draft(dir, "--force -o " + quoted(dir / "t.sc") + " --from " + quoted(dir / "help.txt") + " t");
    EXPECT_EQ(forced.exit, 0);
    EXPECT_EQ(forced.out, "");
    EXPECT_EQ(fileBytes(dir / "t.sc"), script);
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);  // help, err, t.sc
}

// Every program of the benchmark's table that is installed gets a draft that compiles cleanly.
TEST(draftProgram, DraftsEveryInstalledProgramOfTheBenchmark) {
    scratchFolder scratch("draft");
    std::ifstream table(DRAFT_TOOLS);
    ASSERT_TRUE(table.good());
    int drafted = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        SCOPED_TRACE(line);
        const runResult r = draft(scratch.path(), line);
        if (r.exit == 1 && r.err.find("cannot start the program: not found") != std::string::npos) continue;
        EXPECT_EQ(r.exit, 0) << r.err;
        expectClean(r.out);
        ++drafted;
    }
    EXPECT_GE(drafted, 1);  // head is always there
    std::cout << "[ draft    ] " << drafted << " installed programs drafted" << std::endl;
}

}  // namespace
