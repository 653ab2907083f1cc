// The platform layer where the C library says no: a descriptor, a process, a
// disk, a lock or a read of /proc refused or interrupted. Each case runs this
// program again as a probe (faults/platform_probe.cpp: one call, its result
// printed) with faults/fail_calls.cpp preloaded and told what to fail, then
// checks what a user would see: the whole output and exit status, the files
// left in the folder, no descriptor left open and no process left running.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "childProcess.h"
#include "faults/platformProbe.h"
#include "testSupport.h"

extern char** environ;  // NOLINT(readability-redundant-declaration): not every C library declares it

namespace {

namespace fs = std::filesystem;

struct faultCase {
    faultCase(const char* fail_, std::vector<std::string> args_, std::string out_, int status_, std::string files_,
              std::string err_ = "", std::vector<std::string> environment_ = {})
        : fail(fail_), args(std::move(args_)), out(std::move(out_)), status(status_), files(std::move(files_)),
          err(std::move(err_)), environment(std::move(environment_)) {}
    const char* fail;               // TARVELKIN_FAIL: what fails
    std::vector<std::string> args;  // the probe's words
    std::string out;                // its whole standard output
    int status;
    std::string files;  // the folder after: "name=bytes" each, in name order; "" when not looked at
    std::string err;    // its whole standard error
    std::vector<std::string> environment;  // NAME=VALUE added
};

// Placeholders in a case: {dir} the case's folder, {bin} a folder of
// programs (a browser opener that only says it ran), {tool} the test
// program, {stale} the name of a temporary file a killed writer left,
// {self} this program (a probe may run itself).
struct places {
    std::string dir, bin, tool, stale, self;
    std::string operator()(std::string text) const {
        testSupport::replaceAll(text, "{dir}", dir);
        testSupport::replaceAll(text, "{bin}", bin);
        testSupport::replaceAll(text, "{tool}", tool);
        testSupport::replaceAll(text, "{stale}", stale);
        testSupport::replaceAll(text, "{self}", self);
        return text;
    }
};

// A process id no process has now, below the system's highest, for the name
// of a temporary file whose writer is gone.
std::string deadWriterTemporary() {
    unsigned long highest = 32768;
    std::ifstream("/proc/sys/kernel/pid_max") >> highest;
    for (unsigned long pid = highest - 1; pid > 300; --pid)
        if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) {
            char name[48];
            std::snprintf(name, sizeof name, ".tarvelkin-%08lx-00.tmp", pid);
            return name;
        }
    return "";
}

// What the folder holds: "name=bytes" for each file, "name/" for each
// folder, in name order, separated by blanks.
std::string listing(const fs::path& folder) {
    std::vector<std::string> entries;
    for (const auto& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        entries.push_back(e.is_directory() ? name + "/" : name + "=" + testSupport::fileBytes(e.path()));
    }
    std::sort(entries.begin(), entries.end());
    std::string out;
    for (const std::string& e : entries) out += (out.empty() ? "" : " ") + e;
    return out;
}

struct probeRun {
    std::string out, err;
    int status = -1;
};

// Runs this program as a probe in folder, with the faults and the
// environment given, standard input from input (or the null device).
probeRun runProbe(const std::string& fail, const std::vector<std::string>& words,
                  const std::vector<std::string>& environment, const fs::path& folder, const fs::path& outputs,
                  const std::string& input) {
    const std::string self = fs::read_symlink("/proc/self/exe").string();
    std::vector<std::string> args{self, "--probe"};
    args.insert(args.end(), words.begin(), words.end());
    std::vector<std::string> env;
    const auto overridden = [&environment](std::string_view variable) {
        for (const std::string& e : environment)
            if (variable.substr(0, variable.find('=') + 1) == e.substr(0, e.find('=') + 1)) return true;
        return false;
    };
    for (char** e = environ; *e != nullptr; ++e)
        if (!overridden(*e)) env.emplace_back(*e);
    env.push_back(std::string("LD_PRELOAD=") + FAIL_CALLS_LIBRARY);
    env.push_back("TARVELKIN_FAIL=" + fail);
    env.insert(env.end(), environment.begin(), environment.end());
    std::vector<char*> argv, envp;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string& e : env) envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string outPath = (outputs / "stdout").string(), errPath = (outputs / "stderr").string();
    const std::string inPath = input.empty() ? std::string("/dev/null") : input, cwd = folder.string();
    probeRun r;
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int in = ::open(inPath.c_str(), O_RDONLY);
        const int out = ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        const int err = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (in < 0 || out < 0 || err < 0 || ::dup2(in, 0) < 0 || ::dup2(out, 1) < 0 || ::dup2(err, 2) < 0 ||
            ::chdir(cwd.c_str()) != 0)
            ::_exit(125);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(126);
    }
    int status = 0;
    while (pid > 0 && ::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    r.status = pid > 0 && WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);  // as a shell says it
    r.out = testSupport::fileBytes(outPath);
    r.err = testSupport::fileBytes(errPath);
    return r;
}

void check(const std::vector<faultCase>& cases) {
    testSupport::scratchFolder scratch("tarvelkin-faults");
    places at;
    at.bin = (scratch.path() / "bin").string();
    at.tool = SERVE_TOOL;
    at.stale = deadWriterTemporary();
    at.self = fs::read_symlink("/proc/self/exe").string();
    testSupport::writeFile(scratch.path() / "bin" / "xdg-open", "#!/bin/sh\nexit 0\n");
    fs::permissions(scratch.path() / "bin" / "xdg-open", fs::perms::owner_all);
    testSupport::writeFile(scratch.path() / "input", "hello\n");
    int number = 0;
    for (const faultCase& c : cases) {
        const fs::path folder = scratch.path() / ("case" + std::to_string(++number));
        at.dir = folder.string();
        testSupport::writeFile(folder / "a.cc", "old");
        testSupport::writeFile(folder / "settings.json", "old");
        std::vector<std::string> words, environment;
        for (const std::string& w : c.args) words.push_back(at(w));
        for (const std::string& e : c.environment) environment.push_back(at(e));
        const bool echo = !c.args.empty() && c.args[0] == "echo";
        const probeRun r =
            runProbe(c.fail, words, environment, folder, scratch.path(), echo ? (scratch.path() / "input").string() : "");
        std::string what = c.fail;
        for (const std::string& w : words) what += " | " + w;
        EXPECT_EQ(r.out, at(c.out)) << what;
        EXPECT_EQ(r.err, at(c.err)) << what;
        EXPECT_EQ(r.status, c.status) << what;
        if (!c.files.empty()) {
            EXPECT_EQ(listing(folder), at(c.files)) << what;
        }
    }
}

// Replacing a file whole: every step that can fail leaves the old file and
// no temporary one, and says why; an interrupted write goes on; what comes
// after the rename (the folder's flush, the sweep of what killed writers
// left) loses nothing when it fails.
TEST(platformFaults, ReplacingAFile) {
    const std::string replace = "replace";
    const std::string kept = "a.cc=old settings.json=old";
    check({
        {"", {replace, "{dir}/a.cc", "new"}, "replaced\n", 0, "a.cc=new settings.json=old"},
        {"open .tarvelkin-* ENOSPC", {replace, "{dir}/a.cc", "new"}, "not replaced: No space left on device\n", 1, kept},
        {"open .tarvelkin-* EEXIST", {replace, "{dir}/a.cc", "new"}, "not replaced: File exists\n", 1, kept},
        {"fchmod .tarvelkin-* EPERM", {replace, "{dir}/a.cc", "new"}, "not replaced: Operation not permitted\n", 1, kept},
        {"write .tarvelkin-* ENOSPC", {replace, "{dir}/a.cc", "new"}, "not replaced: No space left on device\n", 1, kept},
        {"write .tarvelkin-* NOTHING", {replace, "{dir}/a.cc", "new"}, "not replaced: Input/output error\n", 1, kept},
        {"write#1 .tarvelkin-* EINTR", {replace, "{dir}/a.cc", "new"}, "replaced\n", 0, "a.cc=new settings.json=old"},
        {"fsync .tarvelkin-* EIO", {replace, "{dir}/a.cc", "new"}, "not replaced: Input/output error\n", 1, kept},
        {"close .tarvelkin-* EDQUOT", {replace, "{dir}/a.cc", "new"}, "not replaced: Disk quota exceeded\n", 1, kept},
        {"rename a.cc EXDEV", {replace, "{dir}/a.cc", "new"}, "not replaced: Invalid cross-device link\n", 1, kept},
        {"readlink a.cc EIO", {replace, "{dir}/a.cc", "new"}, "replaced\n", 0, "a.cc=new settings.json=old"},
        {"lstat a.cc EIO", {replace, "{dir}/a.cc", "new"}, "not replaced: Input/output error\n", 1, kept},
        {"access a.cc EROFS", {replace, "{dir}/a.cc", "new"}, "not replaced: Read-only file system\n", 1, kept},
        {"fsync#2 * EIO", {replace, "{dir}/a.cc", "new"}, "replaced\n", 0, "a.cc=new settings.json=old"},
        {"open#2 * EACCES", {replace, "{dir}/a.cc", "new"}, "replaced\n", 0, "a.cc=new settings.json=old"},
        {"fdopendir * ENOMEM", {replace, "{dir}/a.cc", "new"}, "replaced\n", 0, "a.cc=new settings.json=old"},
    });
}

// The private files of a server: its settings replaced whole, its token
// written new, its lock; a failure says why and leaves no part of a file.
TEST(platformFaults, PrivateFilesAndTheLock) {
    const std::string settings = "{dir}/settings.json";
    const std::string old = "a.cc=old settings.json=old";
    check({
        {"open settings.json.new-* EACCES", {"private", settings, "new"},
         "not replaced: {dir}/settings.json: Permission denied\n", 1, old},
        {"write settings.json.new-* ENOSPC", {"private", settings, "new"},
         "not replaced: {dir}/settings.json: No space left on device\n", 1, old},
        {"write settings.json.new-* NOTHING", {"private", settings, "new"},
         "not replaced: {dir}/settings.json: Input/output error\n", 1, old},
        {"write#1 settings.json.new-* EINTR", {"private", settings, "new"}, "replaced\n", 0, "a.cc=old settings.json=new"},
        {"fsync settings.json.new-* EIO", {"private", settings, "new"},
         "not replaced: {dir}/settings.json: Input/output error\n", 1, old},
        {"close settings.json.new-* EIO", {"private", settings, "new"},
         "not replaced: {dir}/settings.json: Input/output error\n", 1, old},
        {"rename settings.json EACCES", {"private", settings, "new"},
         "not replaced: {dir}/settings.json: Permission denied\n", 1, old},
        {"", {"new-private", "{dir}/token", "secret"}, "written\n", 0, "a.cc=old settings.json=old token=secret"},
        {"open token EACCES", {"new-private", "{dir}/token", "secret"}, "not written: Permission denied\n", 1, old},
        {"write token ENOSPC", {"new-private", "{dir}/token", "secret"}, "not written: No space left on device\n", 1, old},
        {"write token NOTHING", {"new-private", "{dir}/token", "secret"}, "not written: Input/output error\n", 1, old},
        {"write#1 token EINTR", {"new-private", "{dir}/token", "secret"}, "written\n", 0,
         "a.cc=old settings.json=old token=secret"},
        {"close token EIO", {"new-private", "{dir}/token", "secret"}, "not written: Input/output error\n", 1, old},
        {"", {"lock", "{dir}/lock"}, "locked\n", 0, "a.cc=old lock= settings.json=old"},
        {"open lock EACCES", {"lock", "{dir}/lock"}, "not locked: {dir}/lock: Permission denied\n", 1, old},
        {"flock lock ENOLCK", {"lock", "{dir}/lock"}, "not locked: {dir}/lock: No locks available\n", 1,
         "a.cc=old lock= settings.json=old"},
        {"flock lock EAGAIN", {"lock", "{dir}/lock"}, "held by another process\n", 1, "a.cc=old lock= settings.json=old"},
    });
}

// A killed writer's temporary file goes once its process is gone and it is
// an hour old; one that cannot be looked at, or whose process may still
// run (another user's, which may not be signalled), stays.
TEST(platformFaults, SweepOfWhatKilledWritersLeft) {
    ASSERT_FALSE(deadWriterTemporary().empty());
    std::vector<faultCase> cases = {
        {"", {"replace", "{dir}/a.cc", "new"}, "replaced\n", 0, "a.cc=new settings.json=old"},
        {"lstat {stale} EIO", {"replace", "{dir}/a.cc", "new"}, "replaced\n", 0, "{stale}=left a.cc=new settings.json=old"},
        {"kill 0 EPERM", {"replace", "{dir}/a.cc", "new"}, "replaced\n", 0, "{stale}=left a.cc=new settings.json=old"},
    };
    // Each case's folder is made by check(); the stale file goes in first.
    testSupport::scratchFolder scratch("tarvelkin-faults");
    for (faultCase& c : cases) {
        const fs::path folder = scratch.path() / "case";
        fs::remove_all(folder);
        const fs::path stale = folder / deadWriterTemporary();
        testSupport::writeFile(stale, "left");
        fs::last_write_time(stale, fs::file_time_type::clock::now() - std::chrono::hours(2));
        testSupport::writeFile(folder / "a.cc", "old");
        testSupport::writeFile(folder / "settings.json", "old");
        places at{folder.string(), "", "", deadWriterTemporary(), ""};
        std::vector<std::string> words;
        for (const std::string& w : c.args) words.push_back(at(w));
        const probeRun r = runProbe(at(c.fail), words, {}, folder, scratch.path(), "");
        EXPECT_EQ(r.out, c.out) << c.fail;
        EXPECT_EQ(r.status, c.status) << c.fail;
        EXPECT_EQ(listing(folder), at(c.files)) << c.fail;
    }
}

// What a server asks of the system beside files: random bytes, its per-user
// folder, its own path, a browser, its standard streams.
TEST(platformFaults, TheSystemAroundTheServer) {
    const std::vector<std::string> home{"HOME={dir}/home", "XDG_CONFIG_HOME="};
    check({
        {"", {"random", "300"}, "random bytes\n", 0, ""},
        {"getentropy#2 * EIO", {"random", "300"}, "no random bytes\n", 1, ""},
        {"", {"folder"}, "made\n", 0, "", "", home},
        {"mkdir tarvelkin EACCES", {"folder"}, "not made: {dir}/home/.config/tarvelkin: cannot be made: Permission denied\n",
         1, "", "", home},
        {"mkdir .config EROFS", {"folder"}, "not made: {dir}/home/.config/tarvelkin: cannot be made: Read-only file system\n",
         1, "", "", home},
        {"", {"self"}, "found\n", 0, ""},
        {"readlink exe EACCES", {"self"}, "not found\n", 1, ""},
        {"", {"browser", "http://127.0.0.1:1/"}, "opened\n", 0, "", "", {"PATH={bin}"}},
        {"", {"browser", "http://127.0.0.1:1/"}, "not opened\n", 1, "", "", {"PATH={dir}"}},
        {"fork * EAGAIN", {"browser", "http://127.0.0.1:1/"}, "not opened\n", 1, "", "", {"PATH={bin}"}},
        {"fork#2 * EAGAIN", {"browser", "http://127.0.0.1:1/"}, "not opened\n", 1, "", "", {"PATH={bin}"}},
        {"", {"folder"}, "not made: the system names no folder for this user's files (is HOME set?)\n", 1, "", "",
         {"HOME=", "XDG_CONFIG_HOME="}},
        {"", {"dialog"}, "no dialog\n", 0, ""},
        {"", {"echo"}, "hello\n", 0, ""},
        {"read#1 input EINTR", {"echo"}, "hello\n", 0, ""},
        {"read input EIO", {"echo"}, "", 1, "", "cannot read: Input/output error\n"},
        {"write#1 stdout EINTR", {"echo"}, "hello\n", 0, ""},
        {"write stdout ENOSPC", {"echo"}, "", 1, "", "cannot write\n"},
    });
}

// Starting a program: a pipe, a socket or the spawn refused fails the start
// with the reason and leaves no descriptor open; interrupted calls go on.
TEST(platformFaults, StartingAProgram) {
    const std::vector<std::string> tool{"{tool}", "out:hi", "err:ho", "exit:3"};
    const std::string ran = "out: hi\nerr: ho\nended: exit 3\n";
    const auto with = [&tool](std::vector<std::string> before) {
        before.insert(before.begin(), "run");
        before.insert(before.end(), tool.begin(), tool.end());
        return before;
    };
    check({
        {"", with({}), ran, 0, ""},
        {"pipe2#1 * EMFILE", with({}), "not started: Too many open files\n", 1, ""},
        {"pipe2#4 * EMFILE", with({}), "not started: Too many open files\n", 1, ""},
        {"pipe2#5 * ENFILE", with({"input", "x"}), "not started: Too many open files in system\n", 1, ""},
        {"posix_spawnp serve_tool EAGAIN", with({}), "not started: {tool}: Resource temporarily unavailable\n", 1, ""},
        {"poll#1 * EINTR", with({}), ran, 0, ""},
        {"read#1 pipe:* EINTR", with({}), ran, 0, ""},
        {"waitid#1 * EINTR", with({}), ran, 0, ""},
        {"waitpid#1 * EINTR", with({}), ran, 0, ""},
        // A program reaped elsewhere ended in a way no one can tell.
        {"waitpid * ECHILD", with({}), "out: hi\nerr: ho\nended: SIGKILL\n", 0, ""},
        {"", {"run", "input", "hello\n", "{tool}", "ask:q"}, "input written\nout: answer: hello\\n\nerr: q\nended: exit 0\n", 0, ""},
        {"write#1 pipe:* EAGAIN", {"run", "input", "hello\n", "{tool}", "ask:q"},
         "input written\nout: answer: hello\\n\nerr: q\nended: exit 0\n", 0, ""},
        {"write pipe:* EPIPE", {"run", "input", "hello\n", "{tool}", "ask:q"}, "input not written\nout: \nerr: q\nended: exit 0\n",
         0, ""},
        {"write pipe:* EIO", {"run", "input", "hello\n", "{tool}", "ask:q"}, "input not written\nout: \nerr: q\nended: exit 0\n",
         0, ""},
        {"", {"run", "stop", "{tool}", "ask:q"}, "input: read\nout: \nerr: q\nended: SIGTERM\n", 0, ""},
        {"open syscall EACCES", {"run", "stop", "{tool}", "ask:q"}, "input: unknown\nout: \nerr: q\nended: SIGTERM\n", 0, ""},
        {"opendir proc EMFILE", {"run", "stop", "{tool}", "ask:q"}, "input: unknown\nout: \nerr: q\nended: SIGTERM\n", 0, ""},
        {"", {"run", "end-now", "{tool}", "ask:q"}, "input: read\nout: \nerr: q\nended: SIGKILL\n", 0, ""},
        // Every poll refused: no output is read and no input written, and
        // the run still ends.
        {"poll * EBADF", {"run", "input", "hello\n", "{tool}", "out:hi", "ask:q"}, "input not written\nout: \nerr: \nended: exit 0\n", 0, ""},
        {"", {"run", "drop", "pids", "{dir}/pids", "/bin/sh", "-c", "echo $$ >pids; exec sleep 60"}, "dropped\n", 0, ""},
    });
}

// Whether a program waits for its input, however it waits: in read, poll,
// ppoll, select, pselect or epoll_wait; not reading where its memory, which
// holds what poll was asked to watch, cannot be read.
TEST(platformFaults, AProgramWaitingForItsInput) {
    const auto waiting = [](const char* how) {
        return std::vector<std::string>{"run", "stop", "{self}", "--probe", "wait-input", how};
    };
    const std::string stopped = "input: read\nout: \nerr: ?\nended: SIGTERM\n";
    check({
        {"", waiting("poll"), stopped, 0, ""},
        {"", waiting("ppoll"), stopped, 0, ""},
        {"", waiting("select"), stopped, 0, ""},
        {"", waiting("pselect"), stopped, 0, ""},
        {"", waiting("epoll"), stopped, 0, ""},
        {"process_vm_readv * EPERM", waiting("poll"), "input: not read\nout: \nerr: ?\nended: SIGTERM\n", 0, ""},
        {"", {"run", "input", "hello\n", "{self}", "--probe", "wait-input", "poll"}, "input written\nout: got: hello\\n\nerr: ?\nended: exit 0\n", 0, ""},
    });
}

// The same under a keeper, on either side of its link: a start the keeper
// cannot make or cannot report, a link that fails or is interrupted. The
// program ends with the keeper, however the link failed.
TEST(platformFaults, AProgramUnderItsKeeper) {
    const std::vector<std::string> sleeper{"/bin/sh", "-c", "echo $$ >pids; exec sleep 60"};
    const auto kept = [](std::vector<std::string> before, const std::vector<std::string>& program) {
        before.insert(before.begin(), {"run", "keep"});
        before.insert(before.end(), program.begin(), program.end());
        return before;
    };
    const std::vector<std::string> tool{"{tool}", "out:hi", "err:ho", "exit:3"};
    const std::string ran = "out: hi\nerr: ho\nended: exit 3\n";
    check({
        {"", kept({}, tool), ran, 0, ""},
        {"access exe EACCES", kept({}, tool), "whole tree not held\n" + ran, 0, ""},
        {"socketpair * EMFILE", kept({}, tool), "not started: Too many open files\n", 1, ""},
        {"posix_spawnp exe EAGAIN", kept({}, tool), "not started: the run's keeper did not start: Resource temporarily unavailable\n",
         1, ""},
        {"", kept({"keeper-fail", "posix_spawnp serve_tool EAGAIN"}, tool),
         "not started: {tool}: Resource temporarily unavailable\n", 1, ""},
        // The keeper started the program but could not say so: the start
        // fails, and the program ends with the keeper.
        {"", kept({"keeper-fail", "write socket:* EIO", "pids", "{dir}/pids"}, sleeper),
         "not started: the run's keeper did not start\n", 1, ""},
        {"read#1 socket:* EIO", kept({"pids", "{dir}/pids"}, sleeper), "not started: the run's keeper did not start\n", 1, ""},
        // The link fails while the program runs: it counts as killed, and is.
        {"", kept({"then-fail", "read socket:* EIO", "pids", "{dir}/pids"}, sleeper), "out: \nerr: \nended: SIGKILL\n", 0, ""},
        {"", kept({"keeper-fail", "poll#1 * EBADF", "pids", "{dir}/pids"}, sleeper), "out: \nerr: \nended: SIGKILL\n", 0, ""},
        {"", kept({"stop"}, {"{tool}", "ask:q"}), "input: read\nout: \nerr: q\nended: SIGTERM\n", 0, ""},
        {"", kept({"keeper-fail", "read#1 socket:* EINTR", "stop"}, {"{tool}", "ask:q"}),
         "input: read\nout: \nerr: q\nended: SIGTERM\n", 0, ""},
        {"", kept({"keeper-fail", "poll#1 * EINTR", "stop"}, {"{tool}", "ask:q"}),
         "input: read\nout: \nerr: q\nended: SIGTERM\n", 0, ""},
        {"", kept({"end-now"}, {"{tool}", "ask:q"}), "input: read\nout: \nerr: q\nended: SIGKILL\n", 0, ""},
        {"", kept({"drop", "pids", "{dir}/pids"}, sleeper), "dropped\n", 0, ""},
        // A keeper that cannot read /proc still ends the program's own group.
        {"", kept({"keeper-fail", "opendir proc EMFILE", "pids", "{dir}/pids"}, tool), ran, 0, ""},
        {"", kept({"keeper-fail", "open stat EACCES", "pids", "{dir}/pids"}, tool), ran, 0, ""},
    });
}

}  // namespace

// The probe, and a probe's run keeper, are this program again.
int main(int argc, char** argv) {
    if (argc > 1 && std::strcmp(argv[1], childProcess::keeperOption) == 0) return childProcess::keeperMain(argc, argv);
    if (argc > 1 && std::strcmp(argv[1], "--probe") == 0)
        return platformProbe(std::vector<std::string>(argv + 2, argv + argc));
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
