// The runner's side of the platform layer, where the system says no: the
// command line a Windows program reads back into its words, programs that
// cannot start, private files written where a link or a folder stands, the
// per-user folders, and the names of how a program ended.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#ifndef _WIN32
#include <csignal>
#include <sys/stat.h>
#endif

#include "childProcess.h"
#include "host.h"
#include "userFolders.h"
#include "testSupport.h"
#include "utf8.h"

namespace {

namespace fs = std::filesystem;
using testSupport::scratchFolder;

TEST(process, WindowsCommandLineOfEveryKindOfWord) {
    static const struct {
        std::vector<std::string> words;
        std::string line;
    } cases[] = {
        {{"prog"}, "prog"},
        {{""}, "\"\""},
        {{"C:\\Program Files\\tool.exe", "a"}, "\"C:\\Program Files\\tool.exe\" a"},
        {{"C:\\tab\there\\tool.exe"}, "\"C:\\tab\there\\tool.exe\""},
        {{"p", ""}, "p \"\""},
        {{"p", "*", "?", "[a]", "back\\", "\\\\server\\share"}, "p * ? [a] back\\ \\\\server\\share"},
        {{"p", "a b"}, "p \"a b\""},
        {{"p", "tab\there", "line\nend", "v\vt"}, "p \"tab\there\" \"line\nend\" \"v\vt\""},
        {{"p", "say \"hi\""}, "p \"say \\\"hi\\\"\""},
        {{"p", "\""}, "p \"\\\"\""},
        // Backslashes count only before a quote, the closing one included.
        {{"p", "a b\\"}, "p \"a b\\\\\""},
        {{"p", "a\\\"b"}, "p \"a\\\\\\\"b\""},
        {{"p", "a\\\\b c"}, "p \"a\\\\b c\""},
        {{"p", "\xc3\xbc \xe2\x9c\x93"}, "p \"\xc3\xbc \xe2\x9c\x93\""},
    };
    for (const auto& t : cases) EXPECT_EQ(windowsCommandLine(t.words), t.line) << t.line;
}

#ifndef _WIN32

// Each way a start fails says so in words, naming the program or the folder.
TEST(process, AStartThatFailsSaysWhy) {
    scratchFolder dir;
    const std::string base = dir.path().string();
    testSupport::writeFile(dir.path() / "plain", "not a program\n");
    ::chmod((base + "/plain").c_str(), 0644);
    fs::create_symlink("loop", dir.path() / "loop");
    fs::create_directory(dir.path() / "gone");
    fs::remove(dir.path() / "gone");
    const struct {
        std::vector<std::string> argv;
        std::string cwd;
        std::string why;
    } cases[] = {
        {{}, "", "not found: no program named"},
        {{base + "/missing"}, "", "not found: " + base + "/missing: No such file or directory"},
        {{"no-such-tool-anywhere"}, "", "not found: no program \"no-such-tool-anywhere\" in PATH"},
        {{base + "/plain/tool"}, "", "not found: " + base + "/plain/tool: Not a directory"},
        {{base}, "", "not executable: " + base + ": Permission denied"},
        {{base + "/plain"}, "", "not executable: " + base + "/plain: Permission denied"},
        {{base + "/loop"}, "", base + "/loop: Too many levels of symbolic links"},
        {{SERVE_TOOL, "exit:0"}, base + "/gone", "working folder not found: " + base + "/gone"},
    };
    for (const auto& t : cases) {
        std::string why;
        EXPECT_EQ(childProcess::start(t.argv, t.cwd, why), nullptr) << t.why;
        EXPECT_EQ(why, t.why);
    }
}

TEST(process, SignalsAreNamed) {
    EXPECT_EQ(signalName(SIGTERM), "SIGTERM");
    EXPECT_EQ(signalName(SIGKILL), "SIGKILL");
    EXPECT_EQ(signalName(64), "signal 64");
}

// A private file replaces whatever stood at its name, a link included, and
// never writes through the link; where it cannot be made, it says why.
TEST(process, PrivateFilesNeverFollowALink) {
    scratchFolder dir;
    testSupport::writeFile(dir.path() / "victim", "keep me\n");
    fs::create_symlink(dir.path() / "victim", dir.path() / "token");
    std::string why;
    ASSERT_TRUE(writePrivateFile((dir.path() / "token").string(), "secret\n", why)) << why;
    EXPECT_FALSE(fs::is_symlink(dir.path() / "token"));
    EXPECT_EQ(testSupport::fileBytes(dir.path() / "token"), "secret\n");
    EXPECT_EQ(fs::status(dir.path() / "token").permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_EQ(testSupport::fileBytes(dir.path() / "victim"), "keep me\n");

    EXPECT_FALSE(writePrivateFile((dir.path() / "missing" / "token").string(), "secret\n", why));
    EXPECT_EQ(why, "No such file or directory");
    fs::create_directory(dir.path() / "folder");
    EXPECT_FALSE(writePrivateFile((dir.path() / "folder").string(), "secret\n", why));
    EXPECT_EQ(why, "File exists");
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
}

// The per-user folders follow the XDG rules: a variable that is unset,
// empty or relative counts as unset, and the defaults are under $HOME; the
// runtime folder falls back to the state folder.
TEST(process, UserFoldersFollowTheXdgRules) {
    static const char* const names[] = {"HOME", "XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME",
                                        "XDG_RUNTIME_DIR"};
    std::vector<std::pair<std::string, const char*>> kept;
    for (const char* name : names) {
        const char* value = std::getenv(name);
        kept.emplace_back(value != nullptr ? value : "", value);
    }
    const struct {
        const char* home;
        const char* variable;  // the kind's own variable (the runtime's for runtime)
        userFolder kind;
        std::string folder;
    } cases[] = {
        {"/h", nullptr, userFolder::config, "/h/.config/tarvelkin"},
        {"/h", "", userFolder::data, "/h/.local/share/tarvelkin"},
        {"/h", "relative", userFolder::state, "/h/.local/state/tarvelkin"},
        {"/h", "/x", userFolder::config, "/x/tarvelkin"},
        {"/h", "/x", userFolder::data, "/x/tarvelkin"},
        {"/h", "/run/user/1", userFolder::runtime, "/run/user/1/tarvelkin"},
        {"/h", nullptr, userFolder::runtime, "/h/.local/state/tarvelkin"},
        {nullptr, nullptr, userFolder::config, ""},
        {"home", nullptr, userFolder::data, ""},
        {nullptr, "/x", userFolder::state, "/x/tarvelkin"},
    };
    const char* const variableOf[] = {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_STATE_HOME", "XDG_RUNTIME_DIR"};
    for (const auto& t : cases) {
        for (const char* name : names) ::unsetenv(name);
        if (t.home != nullptr) ::setenv("HOME", t.home, 1);
        const char* variable = variableOf[static_cast<int>(t.kind)];
        if (t.variable != nullptr) ::setenv(variable, t.variable, 1);
        EXPECT_EQ(userFolderPath(t.kind), t.folder)
            << variable << "=" << (t.variable != nullptr ? t.variable : "(unset)") << " HOME="
            << (t.home != nullptr ? t.home : "(unset)");
    }
    for (std::size_t i = 0; i < kept.size(); ++i) {
        if (kept[i].second != nullptr)
            ::setenv(names[i], kept[i].first.c_str(), 1);
        else
            ::unsetenv(names[i]);
    }
}

// A file replaced whole is for this user only, also when it was not before,
// and a failed replacement leaves the old file and no temporary one.
TEST(process, ReplacedPrivateFileIsWholeAndPrivate) {
    scratchFolder dir;
    const fs::path file = dir.path() / "settings.json";
    testSupport::writeFile(file, "old\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::others_read);
    std::string why;
    ASSERT_TRUE(replacePrivateFile(file.string(), "new\n", why)) << why;
    EXPECT_EQ(testSupport::fileBytes(file), "new\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_directory(dir.path() / "folder");
    EXPECT_FALSE(replacePrivateFile((dir.path() / "folder").string(), "x", why));
    EXPECT_NE(why.find("folder"), std::string::npos) << why;
    EXPECT_TRUE(fs::is_directory(dir.path() / "folder"));
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++count;
    EXPECT_EQ(count, 2u);  // no temporary file left behind
}

#endif

// More random bytes than the system hands out at once come whole.
TEST(process, RandomBytesFillTheWholeBuffer) {
    std::vector<unsigned char> bytes(1000, 0);
    ASSERT_TRUE(systemRandom(bytes.data(), bytes.size()));
    std::size_t zeros = 0;
    for (std::size_t i = 900; i < bytes.size(); ++i) zeros += bytes[i] == 0;
    EXPECT_LT(zeros, 20u);  // the last hundred were written too
}

}  // namespace
