// Path rules of both styles, and replacing a config on disk: whole or not at
// all, with real failures of the host system.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <system_error>

#ifdef _WIN32
#include "windowsApi.h"
#else
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

#include "files.h"
#include "pathRules.h"
#include "testSupport.h"

namespace fs = std::filesystem;

namespace {

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

// The temporary file of a replacement lies beside the target, under a name of
// fixed length however long the target's is.
TEST(PathRules, TemporaryFileBesideTheTarget) {
    static const struct {
        pathStyle style;
        const char* target;
        const char* temporary;
    } cases[] = {
        {pathStyle::posix, "/srv/configs/a.cc", "/srv/configs/.tarvelkin-0000007b-05.tmp"},
        {pathStyle::posix, "a.cc", ".tarvelkin-0000007b-05.tmp"},
        {pathStyle::posix, "./config/b\\c.cc", "./config/.tarvelkin-0000007b-05.tmp"},
        {pathStyle::windows, "C:\\tools\\config\\a.cc", "C:\\tools\\config\\.tarvelkin-0000007b-05.tmp"},
        {pathStyle::windows, "Z:out.cc", "Z:.tarvelkin-0000007b-05.tmp"},  // drive Z's current folder
        {pathStyle::windows, "config/a.cc", "config/.tarvelkin-0000007b-05.tmp"},
        {pathStyle::windows, "\\\\host\\share\\a.cc", "\\\\host\\share\\.tarvelkin-0000007b-05.tmp"},
        {pathStyle::windows, "a.cc", ".tarvelkin-0000007b-05.tmp"},
    };
    for (const auto& c : cases) EXPECT_EQ(temporaryPathBeside(c.style, c.target, 123, 5), c.temporary);
    const std::string longName(300, 'n');
    EXPECT_EQ(temporaryPathBeside(pathStyle::posix, "/d/" + longName, 0xFFFFFFFFUL, 99),
              "/d/.tarvelkin-ffffffff-63.tmp");
}

TEST(PathRules, BareNameExpandsIntoTheCurrentDirectory) {
    const pathStyle host = hostPathStyle();
#ifdef _WIN32
    EXPECT_EQ(host, pathStyle::windows);
#else
    EXPECT_EQ(host, pathStyle::posix);
#endif
    std::string expected = fs::current_path().string();
    if (expected.back() != folderSeparator(host)) expected += folderSeparator(host);
    EXPECT_EQ(fullPathOf("tarvelkin"), expected + "tarvelkin");
}

class FileReplacement : public testing::Test {
protected:
    std::string path(const std::string& name) const { return (scratch.path() / name).string(); }

    static std::string read(const std::string& p) { return testSupport::fileBytes(p); }
    static void write(const std::string& p, const std::string& bytes) { testSupport::writeFile(p, bytes); }
    std::set<std::string> names() const {
        std::set<std::string> out;
        for (const auto& e : fs::directory_iterator(scratch.path())) out.insert(e.path().filename().string());
        return out;
    }

    const testSupport::scratchFolder scratch{"tarvelkin-platform"};
    const std::string dir = scratch.path().string();
};

TEST_F(FileReplacement, CreatesAndReplacesWholeFiles) {
    EXPECT_TRUE(replaceFile(path("a.cc"), std::string("x\0y", 3)));
    EXPECT_EQ(read(path("a.cc")), std::string("x\0y", 3));
    // A plain rename on Windows refuses an existing target.
    EXPECT_TRUE(replaceFile(path("a.cc"), "new"));
    EXPECT_EQ(read(path("a.cc")), "new");
    EXPECT_TRUE(replaceFile(path("a.cc"), ""));
    EXPECT_EQ(read(path("a.cc")), "");
    EXPECT_EQ(names(), std::set<std::string>{"a.cc"});
}

// A refusal says why, in the same words on every system.
TEST_F(FileReplacement, RefusalsLeaveEverythingAsItWas) {
    fs::create_directory(path("folder.cc"));
    std::error_code why;
    EXPECT_FALSE(replaceFile(path("folder.cc"), "x", why));
    EXPECT_EQ(why, std::errc::is_a_directory);
    EXPECT_TRUE(fs::is_directory(path("folder.cc")));
    EXPECT_TRUE(fs::is_empty(path("folder.cc")));
    EXPECT_FALSE(replaceFile(path("missing/a.cc"), "x", why));
    EXPECT_EQ(why, std::errc::no_such_file_or_directory);
    EXPECT_EQ(names(), std::set<std::string>{"folder.cc"});
}

// The bytes reach the disk before the rename: a flush that fails is a failed
// replacement, which keeps the old file and removes the temporary one. (The
// flush step is the seam: no file system at hand fails a real flush.)
TEST_F(FileReplacement, FlushComesBeforeTheRenameAndItsFailureKeepsTheOldFile) {
    static int flushes = 0;
    const auto counted = [](nativeFile file) {
        ++flushes;
        return flushFile(file);
    };
    std::error_code why;
    EXPECT_TRUE(replaceFile(path("a.cc"), "old config", why, counted));
    EXPECT_EQ(flushes, 1);

    const auto failing = [](nativeFile) { return std::make_error_code(std::errc::io_error); };
    EXPECT_FALSE(replaceFile(path("a.cc"), "new config", why, failing));
    EXPECT_EQ(why, std::errc::io_error);
    EXPECT_EQ(read(path("a.cc")), "old config");
    EXPECT_EQ(names(), std::set<std::string>{"a.cc"});
    // The real flush says when it fails.
    EXPECT_TRUE(flushFile(-1));
}

#ifdef _WIN32

TEST_F(FileReplacement, ReadOnlyFileIsRefused) {
    write(path("ro.cc"), "old");
    fs::permissions(path("ro.cc"), fs::perms::owner_write, fs::perm_options::remove);
    ASSERT_NE(GetFileAttributesA(path("ro.cc").c_str()) & FILE_ATTRIBUTE_READONLY, 0u);
    std::error_code why;
    EXPECT_FALSE(replaceFile(path("ro.cc"), "new", why));
    EXPECT_EQ(why, std::errc::permission_denied);
    EXPECT_EQ(read(path("ro.cc")), "old");
    EXPECT_EQ(names(), std::set<std::string>{"ro.cc"});
}

TEST_F(FileReplacement, ReplacedFileKeepsItsAttributes) {
    write(path("h.cc"), "old");
    ASSERT_TRUE(SetFileAttributesA(path("h.cc").c_str(), FILE_ATTRIBUTE_HIDDEN));
    EXPECT_TRUE(replaceFile(path("h.cc"), "new"));
    EXPECT_EQ(read(path("h.cc")), "new");
    const DWORD attributes = GetFileAttributesA(path("h.cc").c_str());
    EXPECT_NE(attributes & FILE_ATTRIBUTE_HIDDEN, 0u);
    EXPECT_NE(attributes & FILE_ATTRIBUTE_ARCHIVE, 0u);  // changed since the last backup
    EXPECT_EQ(names(), std::set<std::string>{"h.cc"});
}

TEST_F(FileReplacement, FileInUseKeepsItsBytesAndNoTemporaryFileIsLeft) {
    // Another program reads the config and shares it for reading only, so the
    // rename over it fails after the temporary file was written.
    write(path("a.cc"), "old config");
    const HANDLE held = CreateFileA(path("a.cc").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::error_code why;
    EXPECT_FALSE(replaceFile(path("a.cc"), "new config", why));
    EXPECT_EQ(why, std::errc::permission_denied);
    CloseHandle(held);
    EXPECT_EQ(read(path("a.cc")), "old config");
    EXPECT_EQ(names(), std::set<std::string>{"a.cc"});
}

#else

unsigned modeOf(const std::string& p) {
    struct stat st {};
    ::stat(p.c_str(), &st);
    return st.st_mode & 07777;
}

// Runs f in a child process and returns its exit status.
template <typename F>
int inChild(F f) {
    pid_t pid = ::fork();
    if (pid == 0) ::_exit(f());
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100;
}

TEST_F(FileReplacement, NewFileGetsTheModeOfANewFile) {
    const mode_t old = ::umask(027);
    EXPECT_TRUE(replaceFile(path("a.cc"), "x"));
    ::umask(old);
    EXPECT_EQ(modeOf(path("a.cc")), 0640u);
    EXPECT_EQ(names(), std::set<std::string>{"a.cc"});
}

TEST_F(FileReplacement, ReplacedFileKeepsItsModeAndLink) {
    write(path("real.cc"), "old");
    ::chmod(path("real.cc").c_str(), 0604);
    fs::create_symlink("real.cc", path("link.cc"));
    EXPECT_TRUE(replaceFile(path("link.cc"), "new"));
    EXPECT_TRUE(fs::is_symlink(path("link.cc")));
    EXPECT_EQ(read(path("real.cc")), "new");
    EXPECT_EQ(modeOf(path("real.cc")), 0604u);
    EXPECT_EQ(names(), (std::set<std::string>{"link.cc", "real.cc"}));
}

// Links of every kind and length stay as they were: a chain is followed to
// the file it ends at, a loop names no file and is refused, a hard link keeps
// the old bytes, and a device or pipe is never renamed over.
TEST_F(FileReplacement, LinksChainsLoopsAndSpecialFiles) {
    write(path("real.cc"), "old");
    fs::create_symlink("real.cc", path("one.cc"));
    fs::create_symlink(path("one.cc"), path("two.cc"));  // absolute
    fs::create_symlink("two.cc", path("three.cc"));
    EXPECT_TRUE(replaceFile(path("two.cc"), "via two"));
    EXPECT_EQ(read(path("real.cc")), "via two");
    EXPECT_TRUE(replaceFile(path("three.cc"), "via three"));
    EXPECT_EQ(read(path("real.cc")), "via three");
    for (const char* link : {"one.cc", "two.cc", "three.cc"}) EXPECT_TRUE(fs::is_symlink(path(link)));

    ASSERT_EQ(::link(path("real.cc").c_str(), path("hard.cc").c_str()), 0);
    EXPECT_TRUE(replaceFile(path("real.cc"), "new"));
    EXPECT_EQ(read(path("hard.cc")), "via three");

    fs::create_symlink("self.cc", path("self.cc"));
    fs::create_symlink("pong.cc", path("ping.cc"));
    fs::create_symlink("ping.cc", path("pong.cc"));
    ASSERT_EQ(::mkfifo(path("fifo.cc").c_str(), 0644), 0);
    fs::create_symlink("/dev/null", path("null.cc"));
    const struct {
        const char* name;
        std::errc why;
    } refused[] = {
        {"self.cc", std::errc::too_many_symbolic_link_levels},
        {"ping.cc", std::errc::too_many_symbolic_link_levels},
        {"fifo.cc", std::errc::invalid_argument},
        {"null.cc", std::errc::invalid_argument},
    };
    for (const auto& r : refused) {
        std::error_code why;
        EXPECT_FALSE(replaceFile(path(r.name), "x", why)) << r.name;
        EXPECT_EQ(why, r.why) << r.name;
    }
    EXPECT_EQ(fs::read_symlink(path("self.cc")), "self.cc");
    EXPECT_EQ(fs::read_symlink(path("ping.cc")), "pong.cc");
    EXPECT_EQ(fs::read_symlink(path("pong.cc")), "ping.cc");
    EXPECT_TRUE(fs::is_fifo(path("fifo.cc")));
    EXPECT_TRUE(fs::is_character_file("/dev/null"));
    EXPECT_EQ(names(), (std::set<std::string>{"fifo.cc", "hard.cc", "null.cc", "one.cc", "ping.cc",
                                              "pong.cc", "real.cc", "self.cc", "three.cc", "two.cc"}));
}

// The longest name a folder may hold is replaced like any other.
TEST_F(FileReplacement, LongestNameIsReplaced) {
    const std::string name = std::string(252, 'n') + ".cc";
    write(path(name), "old");
    ASSERT_EQ(read(path(name)), "old");
    EXPECT_TRUE(replaceFile(path(name), "new"));
    EXPECT_EQ(read(path(name)), "new");
    EXPECT_EQ(names(), std::set<std::string>{name});
}

TEST_F(FileReplacement, WriteFailingPartWayKeepsTheOldFile) {
    write(path("a.cc"), "old config");
    const std::string big(1 << 20, 'z');
    const int status = inChild([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{4096, 4096};
        if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
        std::error_code why;
        if (replaceFile(path("a.cc"), big, why)) return 1;
        return why == std::errc::file_too_large ? 0 : 3;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read(path("a.cc")), "old config");
    EXPECT_EQ(names(), std::set<std::string>{"a.cc"});
}

TEST_F(FileReplacement, UserWithoutWriteRightsIsRefused) {
    // Root may write anything, so the check runs as an unprivileged user.
    write(path("ro.cc"), "old");
    ::chmod(path("ro.cc").c_str(), 0444);
    ::chmod(dir.c_str(), 0755);
    fs::create_directory(path("locked"));
    ::chmod(path("locked").c_str(), 0555);
    const int status = inChild([&] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return 77;
        std::error_code why;
        if (replaceFile(path("ro.cc"), "new", why)) return 1;
        if (why != std::errc::permission_denied) return 2;
        if (replaceFile(path("locked/a.cc"), "new", why)) return 3;
        return why == std::errc::permission_denied ? 0 : 4;
    });
    if (status == 77) GTEST_SKIP() << "no unprivileged user to run as";
    EXPECT_EQ(status, 0);
    EXPECT_EQ(read(path("ro.cc")), "old");
    EXPECT_TRUE(fs::is_empty(path("locked")));
    EXPECT_EQ(names(), (std::set<std::string>{"locked", "ro.cc"}));
}

TEST_F(FileReplacement, KilledWhileWritingLeavesOldOrNewWhole) {
    const std::string oldBytes(1 << 20, 'o');
    const std::string newBytes(32 << 20, 'n');
    write(path("a.cc"), oldBytes);
    int sawOld = 0;
    int sawNew = 0;
    for (int round = 0; round < 12; ++round) {
        pid_t pid = ::fork();
        if (pid == 0) ::_exit(replaceFile(path("a.cc"), round % 2 ? oldBytes : newBytes) ? 0 : 1);
        // Stop the writer at a different moment each round, often part way through.
        ::usleep(static_cast<useconds_t>(round * 1500));
        ::kill(pid, SIGKILL);
        ::waitpid(pid, nullptr, 0);
        const std::string now = read(path("a.cc"));
        ASSERT_TRUE(now == oldBytes || now == newBytes) << "a mix of " << now.size() << " bytes";
        (now == oldBytes ? sawOld : sawNew) += 1;
        // A killed writer cannot remove its temporary file; only that one may remain.
        std::set<std::string> left = names();
        left.erase("a.cc");
        EXPECT_LE(left.size(), 1u);
        for (const std::string& name : left) {
            EXPECT_EQ(name, temporaryPathBeside(pathStyle::posix, "a.cc", static_cast<unsigned long>(pid), 0));
            fs::remove(path(name));
        }
    }
    EXPECT_GT(sawOld + sawNew, 0);
}

#endif

}  // namespace
