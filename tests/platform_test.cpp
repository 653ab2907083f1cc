// Replacing a config on disk: whole or not at all, with real failures.
#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "platform.h"

namespace fs = std::filesystem;

namespace {

class ReplaceFile : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/tarvelkin-platform-XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }

    std::string path(const std::string& name) const { return dir + "/" + name; }

    static std::string read(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void write(const std::string& p, const std::string& bytes) {
        std::ofstream(p, std::ios::binary) << bytes;
    }
    std::set<std::string> names() const {
        std::set<std::string> out;
        for (const auto& e : fs::directory_iterator(dir)) out.insert(e.path().filename().string());
        return out;
    }
    static unsigned mode(const std::string& p) {
        struct stat st {};
        ::stat(p.c_str(), &st);
        return st.st_mode & 07777;
    }

    // Runs f in a child process and returns its exit status.
    template <typename F>
    static int inChild(F f) {
        pid_t pid = ::fork();
        if (pid == 0) ::_exit(f());
        int status = 0;
        ::waitpid(pid, &status, 0);
        return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
    }

    std::string dir;
};

TEST(PathRules, UnchangedPathsOfBothStyles) {
    EXPECT_TRUE(isUnchangedPath(pathStyle::windows, "c:\\a.sc"));
    EXPECT_TRUE(isUnchangedPath(pathStyle::windows, "name:x.sc"));
    EXPECT_FALSE(isUnchangedPath(pathStyle::windows, "\\a.sc"));
    EXPECT_FALSE(isUnchangedPath(pathStyle::windows, "/a.sc"));
    EXPECT_TRUE(isUnchangedPath(pathStyle::posix, "/a.sc"));
    EXPECT_FALSE(isUnchangedPath(pathStyle::posix, "c:\\a.sc"));
    EXPECT_FALSE(isUnchangedPath(pathStyle::posix, ""));
    EXPECT_EQ(folderSeparator(pathStyle::windows), '\\');
    EXPECT_EQ(folderSeparator(pathStyle::posix), '/');
}

TEST_F(ReplaceFile, NewFileGetsTheModeOfANewFile) {
    const mode_t old = ::umask(027);
    EXPECT_TRUE(replaceFile(path("a.cc"), std::string("x\0y", 3)));
    ::umask(old);
    EXPECT_EQ(read(path("a.cc")), std::string("x\0y", 3));
    EXPECT_EQ(mode(path("a.cc")), 0640u);
    EXPECT_EQ(names(), std::set<std::string>{"a.cc"});
}

TEST_F(ReplaceFile, ReplacedFileKeepsItsModeAndLink) {
    write(path("real.cc"), "old");
    ::chmod(path("real.cc").c_str(), 0604);
    fs::create_symlink("real.cc", path("link.cc"));
    EXPECT_TRUE(replaceFile(path("link.cc"), "new"));
    EXPECT_TRUE(fs::is_symlink(path("link.cc")));
    EXPECT_EQ(read(path("real.cc")), "new");
    EXPECT_EQ(mode(path("real.cc")), 0604u);
    EXPECT_EQ(names(), (std::set<std::string>{"link.cc", "real.cc"}));
}

TEST_F(ReplaceFile, RefusalsLeaveEverythingAsItWas) {
    fs::create_directory(path("folder.cc"));
    EXPECT_FALSE(replaceFile(path("folder.cc"), "x"));
    EXPECT_TRUE(fs::is_directory(path("folder.cc")));
    EXPECT_FALSE(replaceFile(path("missing/a.cc"), "x"));
    EXPECT_EQ(names(), std::set<std::string>{"folder.cc"});
}

TEST_F(ReplaceFile, WriteFailingPartWayKeepsTheOldFile) {
    write(path("a.cc"), "old config");
    const std::string big(1 << 20, 'z');
    const int status = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        return replaceFile(path("a.cc"), big) ? 1 : 0;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read(path("a.cc")), "old config");
    EXPECT_EQ(names(), std::set<std::string>{"a.cc"});
}

TEST_F(ReplaceFile, UserWithoutWriteRightsIsRefused) {
    // Root may write anything, so the check runs as an unprivileged user.
    write(path("ro.cc"), "old");
    ::chmod(path("ro.cc").c_str(), 0444);
    ::chmod(dir.c_str(), 0755);
    fs::create_directory(path("locked"));
    ::chmod(path("locked").c_str(), 0555);
    const int status = inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 77;
        if (replaceFile(path("ro.cc"), "new")) return 1;
        if (replaceFile(path("locked/a.cc"), "new")) return 3;
        return 0;
    });
    if (status == 77) GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read(path("ro.cc")), "old");
    EXPECT_TRUE(fs::is_empty(path("locked")));
    EXPECT_EQ(names(), (std::set<std::string>{"locked", "ro.cc"}));
}

}  // namespace
