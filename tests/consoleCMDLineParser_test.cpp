// The command line: switches, names, the default folder and derived config
// names, for both path styles.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cnfBuilder.h"
#include "consoleCMDLineParser.h"

namespace {

struct cmdResult {
    std::string script;
    std::string config;
    cmdLineFlags flags;
    std::string printed;
    std::string warned;  // standard error
    bool nothingToCompile = false;
};

// The current directory a bare program name expands into.
std::string fakeFullPath(pathStyle style, const std::string& name) {
    return (style == pathStyle::windows ? "d:\\work\\" : "/home/user/") + name;
}

cmdResult runCmd(pathStyle style, const std::string& program, const std::vector<std::string>& args) {
    std::vector<const char*> argv{program.c_str()};
    for (const std::string& a : args) argv.push_back(a.c_str());
    int argc = static_cast<int>(argv.size());
    cnfBuilder builder;
    cmdResult result;
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    builder.getCMDkeys(argc, argv.data(), result.flags,
                       consoleCMDLineParser(style, [style](const std::string& name) {
                           return fakeFullPath(style, name);
                       }));
    result.warned = testing::internal::GetCapturedStderr();
    result.printed = testing::internal::GetCapturedStdout();
    result.script = builder.scriptPath;
    result.config = builder.configPath;
    result.nothingToCompile = builder.nothingToCompile();
    return result;
}

const char* const kExtError = "   Exstension error\n";

TEST(CommandLine, WindowsPaths) {
    static const struct {
        std::vector<std::string> args;
        const char* script;
        const char* config;
        int errorLines;
    } cases[] = {
        {{}, "c:\\tools\\config\\prog.sc", "c:\\tools\\config\\prog.cc", 0},
        {{"my_app.sc"}, "c:\\tools\\config\\my_app.sc", "c:\\tools\\config\\my_app.cc", 0},
        // A script from another folder still gets its config in the default folder.
        {{"c:\\data\\my_app.sc"}, "c:\\data\\my_app.sc", "c:\\tools\\config\\my_app.cc", 0},
        {{"a.sc", "b.cc"}, "c:\\tools\\config\\a.sc", "c:\\tools\\config\\b.cc", 0},
        {{"b.cc"}, "c:\\tools\\config\\prog.sc", "c:\\tools\\config\\b.cc", 0},
        // Every argument counts, so the help text's own sample writes its config.
        {{"-i", "-p", "c:\\in.sc", "c:\\out.cc"}, "c:\\in.sc", "c:\\out.cc", 0},
        // Extensions in any letter case, as Windows file names are.
        {{"A.SC", "B.Cc"}, "c:\\tools\\config\\A.SC", "c:\\tools\\config\\B.Cc", 0},
        {{"My.Sc"}, "c:\\tools\\config\\My.Sc", "c:\\tools\\config\\My.cc", 0},
        {{"readme"}, "c:\\tools\\config\\prog.sc", "c:\\tools\\config\\prog.cc", 2},
        {{"-"}, "c:\\tools\\config\\prog.sc", "c:\\tools\\config\\prog.cc", 2},
        {{"x.sc", "y.sc"}, "c:\\tools\\config\\y.sc", "c:\\tools\\config\\y.cc", 0},
        {{"a.cc", "b.cc", "s.sc"}, "c:\\tools\\config\\s.sc", "c:\\tools\\config\\b.cc", 0},
        {{"c:\\work\\my.app.sc"}, "c:\\work\\my.app.sc", "c:\\tools\\config\\my.app.cc", 0},
        // Only a drive makes a path absolute; a leading backslash or '..' does not.
        {{"\\top.sc"}, "c:\\tools\\config\\\\top.sc", "c:\\tools\\config\\top.cc", 0},
        {{"..\\up.sc"}, "c:\\tools\\config\\..\\up.sc", "c:\\tools\\config\\up.cc", 0},
        {{"-x.sc"}, "c:\\tools\\config\\prog.sc", "c:\\tools\\config\\prog.cc", 0},
        // A drive-relative name: the derived config drops the drive.
        {{"d:x.sc"}, "d:x.sc", "c:\\tools\\config\\x.cc", 0},
        // Another extension is refused with one message.
        {{"notes.txt"}, "c:\\tools\\config\\prog.sc", "c:\\tools\\config\\prog.cc", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args.front());
        cmdResult r = runCmd(pathStyle::windows, "c:\\tools\\tarvelkin.exe", c.args);
        EXPECT_EQ(r.script, c.script);
        EXPECT_EQ(r.config, c.config);
        std::string expected;
        for (int i = 0; i < c.errorLines; ++i) expected += kExtError;
        EXPECT_EQ(r.printed, expected);
    }
}

TEST(CommandLine, PosixPaths) {
    static const struct {
        std::vector<std::string> args;
        const char* script;
        const char* config;
    } cases[] = {
        {{}, "/opt/tk/config/prog.sc", "/opt/tk/config/prog.cc"},
        {{"/data/my_app.sc"}, "/data/my_app.sc", "/opt/tk/config/my_app.cc"},
        {{"sub/a.sc", "/tmp/b.cc"}, "/opt/tk/config/sub/a.sc", "/tmp/b.cc"},
        {{"../a.sc"}, "/opt/tk/config/../a.sc", "/opt/tk/config/a.cc"},
        // A colon means nothing here.
        {{"c:/x.sc"}, "/opt/tk/config/c:/x.sc", "/opt/tk/config/x.cc"},
        {{"dir.v2/name.sc"}, "/opt/tk/config/dir.v2/name.sc", "/opt/tk/config/name.cc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args.front());
        cmdResult r = runCmd(pathStyle::posix, "/opt/tk/tarvelkin", c.args);
        EXPECT_EQ(r.script, c.script);
        EXPECT_EQ(r.config, c.config);
        EXPECT_EQ(r.printed, "");
    }
}

// A refused name is said so, and nothing may be compiled, so that no other
// file stands in for it.
TEST(CommandLine, RefusedNames) {
    static const struct {
        std::vector<std::string> args;
        bool nothingToCompile;
    } cases[] = {
        {{"tar"}, true},
        {{"x.txt", "out.cc"}, true},
        {{"a.sc", "tar"}, true},  // beside a script name too, in any order
        {{"-H", "out.cc"}, false},  // an unknown switch refuses no name
        {{}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.empty() ? std::string("(none)") : c.args.front());
        EXPECT_EQ(runCmd(pathStyle::posix, "/t/p", c.args).nothingToCompile, c.nothingToCompile);
    }
    EXPECT_EQ(runCmd(pathStyle::posix, "/t/p", {"x.txt"}).warned,
              "tarvelkin: warning: refused \"x.txt\": a script name ends in .sc, a config name in .cc\n");
}

TEST(CommandLine, BareProgramNameUsesCurrentDirectory) {
    EXPECT_EQ(runCmd(pathStyle::windows, "tarvelkin.exe", {}).script, "d:\\work\\config\\prog.sc");
    EXPECT_EQ(runCmd(pathStyle::posix, "tarvelkin", {}).script, "/home/user/config/prog.sc");
    EXPECT_EQ(runCmd(pathStyle::posix, "./tarvelkin", {"a.sc"}).config, "./config/a.cc");
}

TEST(CommandLine, EmptyArgumentVectorCountsAsBareName) {
    cnfBuilder builder;
    cmdLineFlags flags;
    int argc = 0;
    const char* const argv[] = {nullptr};
    builder.getCMDkeys(argc, argv, flags,
                       consoleCMDLineParser(pathStyle::posix, [](const std::string& name) {
                           return fakeFullPath(pathStyle::posix, name);
                       }));
    EXPECT_EQ(builder.scriptPath, "/home/user/config/prog.sc");
    EXPECT_EQ(builder.configPath, "/home/user/config/prog.cc");
}

TEST(CommandLine, Switches) {
    static const struct {
        std::vector<std::string> args;
        int info, hold, help;
    } cases[] = {
        {{"-i"}, 1, 0, 0},
        {{"-p"}, 0, 1, 0},
        {{"-h"}, 0, 0, 1},
        {{"-info"}, 1, 0, 0},  // only the second character counts
        {{"-ip"}, 1, 0, 0},
        {{"-H", "-I", "-P", "-x"}, 0, 0, 0},
        {{"-i", "-i", "-p", "-h", "a.sc"}, 1, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.args.front());
        cmdLineFlags f = runCmd(pathStyle::posix, "/t/p", c.args).flags;
        EXPECT_EQ(f.showInfo, c.info);
        EXPECT_EQ(f.holdConsole, c.hold);
        EXPECT_EQ(f.showHelp, c.help);
    }
}

TEST(CommandLine, ExtensionAndFileName) {
    consoleCMDLineParser win(pathStyle::windows);
    EXPECT_TRUE(win.checkExtension("sc", "a.b.sc"));
    EXPECT_EQ(win.workStr, "sc");
    EXPECT_FALSE(win.checkExtension("sc", "a.sc.bak"));
    EXPECT_TRUE(win.checkExtension("sc", "a.sC"));
    EXPECT_FALSE(win.checkExtension("sc", "a.sd"));
    EXPECT_TRUE(win.checkExtension("sc", "folder.x\\.sc"));
    EXPECT_EQ(win.extractFileName("c:\\work\\my.app.sc"), "my.app");
    EXPECT_EQ(win.extractFileName("plain.sc"), "plain");
    EXPECT_TRUE(win.checkRelativePath("c:\\a.sc"));
    EXPECT_TRUE(win.checkRelativePath("x:y.sc"));
    EXPECT_FALSE(win.checkRelativePath("\\a.sc"));

    consoleCMDLineParser posix(pathStyle::posix);
    EXPECT_EQ(posix.extractFileName("/a/b.c/d.sc"), "d");
    EXPECT_TRUE(posix.checkRelativePath("/a.sc"));
    EXPECT_FALSE(posix.checkRelativePath("c:\\a.sc"));
    EXPECT_EQ(posix.extractFolderPath("/usr/bin/tk"), "/usr/bin/");
}

}  // namespace
