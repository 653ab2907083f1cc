// The ccview program run as a user runs it (POSIX shell): what it writes, what
// it refuses, and that a refused run leaves every file as it was.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <string>

#include "testSupport.h"

namespace {

namespace fs = std::filesystem;
using namespace testSupport;

runResult runCcview(const fs::path& dir, const std::string& args) {
    return runProgram(CCVIEW_PROGRAM, args, dir);
}

// Every file under dir with its bytes, as one text, to compare before and after.
std::string tree(const fs::path& dir) {
    std::string all;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        all += entry.path().string() + "\n" + (entry.is_regular_file() ? fileBytes(entry.path()) : "") + "\n";
    return all;
}

TEST(ccview, WritesThePageBesideTheConfigOrWhereAsked) {
    scratchFolder scratch("ccview");
    const fs::path& dir = scratch.path();
    writeFile(dir / "prog.cc", compiled(fileBytes(TARVELKIN_EXAMPLE)));

    runResult r = runCcview(dir, quoted(dir / "prog.cc"));
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(r.out, (dir / "prog.html").string() + "\n");
    EXPECT_EQ(r.err, "");
    const std::string page = fileBytes(dir / "prog.html");
    EXPECT_NE(page.find("\"name\": \"Fast mode\""), std::string::npos);

    // The same page again, to a named file and over an existing one.
    writeFile(dir / "other.htm", "old page");
    r = runCcview(dir, quoted(dir / "prog.cc") + " " + quoted(dir / "other.htm"));
    EXPECT_EQ(r.exit, 0);
    EXPECT_EQ(fileBytes(dir / "other.htm"), page);
    // Nothing but the three files: no temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);
}

TEST(ccview, RefusesWithoutWritingAnything) {
    scratchFolder scratch("ccview");
    const fs::path& dir = scratch.path();
    std::string broken = compiled(fileBytes(TARVELKIN_EXAMPLE));
    broken[6] = 3;
    writeFile(dir / "bad.cc", broken);
    writeFile(dir / "bad.html", "an old page");
    writeFile(dir / "good.cc", compiled(fileBytes(TARVELKIN_EXAMPLE)));
    fs::create_directory(dir / "locked");
    fs::permissions(dir / "locked", fs::perms::owner_read | fs::perms::owner_exec);
    const bool asRoot = geteuid() == 0;  // root writes into a read-only folder

    const std::string usage =
        "usage: ccview CONFIG.cc [PAGE.html]\n"
        "       ccview --serve [--no-browser] [--idle-timeout MINUTES] [--cwd DIR] [--port N] CONFIG.cc -- "
        "PROGRAM [ARGS...]\n"
        "       ccview [--serve] [--no-browser] [--idle-timeout MINUTES] [--cwd DIR] [--port N] [FOLDER]\n";
    const std::string good = quoted(dir / "good.cc");
    const std::string bad = (dir / "bad.cc").string();
    const struct {
        std::string args;
        int exit;
        std::string err;
    } cases[] = {
        {quoted(dir / "bad.cc"), 1, "ccview: " + bad + ": offset 6: version is 3, expected 2\n"},
        {quoted(dir / "none.cc"), 1,
         "ccview: " + (dir / "none.cc").string() + ": cannot be opened: No such file or directory\n"},
        {quoted(dir / "good.cc") + " " + quoted(dir / "no" / "p.html"), 1,
         "ccview: " + (dir / "no" / "p.html").string() + ": cannot be written: No such file or directory\n"},
        {quoted(dir / "good.cc") + " " + quoted(dir), 1,
         "ccview: " + dir.string() + ": cannot be written: Is a directory\n"},
        {quoted(dir / "good.cc") + " " + quoted(dir / "good.cc"), 2,
         "ccview: " + (dir / "good.cc").string() + ": is the config itself; name another page\n"},
        // With no config, ccview serves the shelf (serve_test.cpp); its
        // options are checked before anything is served.
        {"--idle-timeout x", 2, "ccview: --idle-timeout takes whole minutes, 1 to 10080\n" + usage},
        {"--port 0", 2, "ccview: --port takes a port number, 1 to 65535\n" + usage},
        {"--cwd " + quoted(dir / "good.cc"), 2, "ccview: --cwd " + (dir / "good.cc").string() + ": not a folder\n" + usage},
        {"-h", 2, usage},
        {quoted(dir / "good.cc") + " --json", 2, usage},
        {quoted(dir / "good.cc") + " a.html b.html", 2, usage},
        // Served: nothing is served after wrong usage or an invalid config.
        {"--serve " + quoted(dir / "bad.cc") + " -- prog", 1,
         "ccview: " + bad + ": offset 6: version is 3, expected 2\n"},
        {"--serve " + good, 2, "ccview: --serve needs \"--\" and the program to run\n" + usage},
        {"--serve " + good + " --", 2, "ccview: --serve needs \"--\" and the program to run\n" + usage},
        {"--serve -- prog", 2, "ccview: --serve needs a config\n" + usage},
        {"--serve --idle-timeout 0 " + good + " -- prog", 2,
         "ccview: --idle-timeout takes whole minutes, 1 to 10080\n" + usage},
        {"--serve --cwd " + quoted(dir / "good.cc") + " " + good + " -- prog", 2,
         "ccview: --cwd " + (dir / "good.cc").string() + ": not a folder\n" + usage},
        {"--serve --port 65536 " + good + " -- prog", 2, "ccview: --port takes a port number, 1 to 65535\n" + usage},
        {"--serve --listen 1 " + good + " -- prog", 2, "ccview: unexpected --listen\n" + usage},
        {"--serve " + good + " -- ''", 2, "ccview: the program's name is empty\n" + usage},
        // Options without their values, or with values of no use.
        {"--port", 2, "ccview: --port needs a value\n" + usage},
        {"--serve " + good + " --cwd", 2, "ccview: --cwd needs a value\n" + usage},
        {"--port 80x", 2, "ccview: --port takes a port number, 1 to 65535\n" + usage},
        {"--serve --idle-timeout 10081 " + good + " -- prog", 2,
         "ccview: --idle-timeout takes whole minutes, 1 to 10080\n" + usage},
        {"--idle-timeout ''", 2, "ccview: --idle-timeout takes whole minutes, 1 to 10080\n" + usage},
        {"--serve --cwd nowhere " + good + " -- prog", 2, "ccview: --cwd nowhere: not a folder\n" + usage},
        {"--serve " + good + " " + good + " -- prog", 2, "ccview: unexpected " + (dir / "good.cc").string() + "\n" + usage},
    };
    const std::string before = tree(dir);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args);
        runResult r = runCcview(dir, c.args);
        EXPECT_EQ(r.exit, c.exit);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(r.err, c.err);
    }
    if (!asRoot) {
        runResult r = runCcview(dir, quoted(dir / "good.cc") + " " + quoted(dir / "locked" / "p.html"));
        EXPECT_EQ(r.exit, 1);
        EXPECT_EQ(r.err, "ccview: " + (dir / "locked" / "p.html").string() + ": cannot be written: Permission denied\n");
    }
    EXPECT_EQ(tree(dir), before);
    fs::permissions(dir / "locked", fs::perms::owner_all);
}

// A page written whose path cannot be printed is not "nothing written": its
// own status, and the reason.
TEST(ccview, SaysWhenThePathOfAWrittenPageCannotBePrinted) {
    scratchFolder scratch("ccview");
    const fs::path& dir = scratch.path();
    writeFile(dir / "prog.cc", compiled(fileBytes(TARVELKIN_EXAMPLE)));
    const runResult r = runProgram(CCVIEW_PROGRAM, quoted(dir / "prog.cc"), dir, "/dev/full");
    EXPECT_EQ(r.exit, 3);
    EXPECT_EQ(r.err, "ccview: " + (dir / "prog.html").string() +
                         ": written, but its path could not be printed: No space left on device\n");
    EXPECT_NE(fileBytes(dir / "prog.html").find("\"name\": \"Fast mode\""), std::string::npos);
}

}  // namespace
