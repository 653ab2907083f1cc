// A library the tests load into a dynamically linked program (LD_PRELOAD) to
// make calls into the C library fail, as a full disk, a file system with a
// fault, a process limit or a signal would:
//
//   TARVELKIN_FAIL="RULE; RULE; ..."     RULE: CALL[#N[+]] NAME RESULT
//
// A call CALL (stat and lstat in any of the C library's forms, and the calls
// listed below under "extern C") on a path whose last part is NAME fails
// with the error RESULT (EACCES, EINTR, ENOSPC...; see results below), or
// returns 0 without doing anything when RESULT is NOTHING (a write that takes
// no byte, a read at the end). For a call on a descriptor, NAME is the last
// part of what it is open on ("pipe:[1234]", a file's name); for rename,
// either path's; for kill, the signal's number; for a call with no name
// (fork, waitpid, poll...), "*". A NAME of "*" matches anything, and one that
// ends in "*" every name it begins ("pipe:*", ".tarvelkin-*"). With #N only
// the Nth call that matches fails (counted from 1), with #N+ the Nth and
// every one after; without, every one. Every other call goes through to the
// C library.
//
// The rules hold in the process that was started with them, and its forks;
// the variable is taken out of its environment as it loads, so that what it
// starts runs without faults unless it puts the variable back (a test
// program does, to make a run's keeper fail). A test program may add rules
// later with tarvelkinFailFromNow.
#ifndef _GNU_SOURCE
#define _GNU_SOURCE 1
#endif
#include <dirent.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <deque>
#include <string_view>
#include <vector>

namespace {

constexpr int nothing = -1;  // RESULT NOTHING: the call returns 0

struct rule {
    std::string call;
    std::string name;
    int result = 0;
    unsigned long first = 0;  // #N: the first matching call that fails; 0: every one
    bool onward = false;      // #N+: and every one after it
    std::atomic<unsigned long> seen{0};
};

int resultNamed(std::string_view text) {
    static const struct {
        const char* name;
        int number;
    } results[] = {{"EACCES", EACCES}, {"EAGAIN", EAGAIN}, {"EBADF", EBADF},     {"ECHILD", ECHILD},
                   {"EDQUOT", EDQUOT}, {"EEXIST", EEXIST}, {"EINTR", EINTR},     {"EINVAL", EINVAL},
                   {"EIO", EIO},       {"ELOOP", ELOOP},   {"EMFILE", EMFILE},   {"ENFILE", ENFILE},
                   {"ENOENT", ENOENT}, {"ENOLCK", ENOLCK}, {"ENOMEM", ENOMEM}, {"ENOSPC", ENOSPC},   {"ENOSYS", ENOSYS},
                   {"ENOTDIR", ENOTDIR}, {"EPERM", EPERM}, {"EPIPE", EPIPE},     {"EROFS", EROFS},
                   {"ESRCH", ESRCH},   {"EXDEV", EXDEV},   {"NOTHING", nothing}};
    for (const auto& r : results)
        if (text == r.name) return r.number;
    return 0;
}

// The rules, read as the library loads (before main, so before any thread).
// Never destroyed: calls made as the process exits, after static objects
// are gone, still look at them.
std::deque<rule>& rules() {
    static auto* const all = new std::deque<rule>;
    return *all;
}

void addRules(const std::string& all) {
    std::vector<std::string> parts;
    for (std::size_t at = 0; at <= all.size();) {
        const std::size_t end = std::min(all.find(';', at), all.size());
        parts.push_back(all.substr(at, end - at));
        at = end + 1;
    }
    for (const std::string& part : parts) {
        char call[64] = {}, name[256] = {}, result[32] = {};
        if (std::sscanf(part.c_str(), " %63s %255s %31s", call, name, result) != 3) continue;
        std::string_view c(call);
        rule& r = rules().emplace_back();
        if (const std::size_t hash = c.find('#'); hash != std::string_view::npos) {
            r.first = std::strtoul(call + hash + 1, nullptr, 10);
            r.onward = c.back() == '+';
            c = c.substr(0, hash);
        }
        r.call = c;
        r.name = name;
        r.result = resultNamed(result);
    }
}

__attribute__((constructor)) void readRules() {
    const char* text = std::getenv("TARVELKIN_FAIL");
    if (text == nullptr) return;
    const std::string all(text);
    ::unsetenv("TARVELKIN_FAIL");
    addRules(all);
}

bool nameMatches(const std::string& pattern, std::string_view name) {
    if (pattern == "*") return true;
    if (!pattern.empty() && pattern.back() == '*')
        return name.substr(0, pattern.size() - 1) == std::string_view(pattern).substr(0, pattern.size() - 1);
    return name == pattern;
}

std::string_view lastPart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

// What call on these names is to do: 0 to go through, an error number to
// fail with, or nothing to return 0.
int outcome(const char* call, std::string_view name, std::string_view other = {}) {
    for (rule& r : rules()) {
        if (r.result == 0 || r.call != call) continue;
        if (!nameMatches(r.name, lastPart(name)) && (other.empty() || !nameMatches(r.name, lastPart(other))))
            continue;
        const unsigned long n = ++r.seen;
        if (r.first != 0 && (n < r.first || (n > r.first && !r.onward))) continue;
        return r.result;
    }
    return 0;
}

// What a descriptor is open on, as /proc shows it.
std::string fdName(int fd) {
    char link[64], target[4096];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    using readlinkCall = ssize_t (*)(const char*, char*, size_t);
    static const auto realReadlink = reinterpret_cast<readlinkCall>(dlsym(RTLD_NEXT, "readlink"));
    const ssize_t n = realReadlink(link, target, sizeof target);
    return n > 0 ? std::string(target, static_cast<std::size_t>(n)) : std::string();
}

int outcomeOnFd(const char* call, int fd) {
    if (rules().empty()) return 0;
    return outcome(call, fdName(fd));
}

int pathOutcome(const char* call, const char* path) { return path == nullptr ? 0 : outcome(call, path); }

template <typename function>
function next(const char* name) {
    return reinterpret_cast<function>(dlsym(RTLD_NEXT, name));
}

// Goes through to the C library, or fails as the rule says: -1 with errno
// set, or 0.
#define THROUGH(result, ...)         \
    do {                              \
        const int r_ = (result);      \
        if (r_ == nothing) return 0;  \
        if (r_ != 0) {                \
            errno = r_;               \
            return -1;                \
        }                             \
        return __VA_ARGS__;           \
    } while (0)

}  // namespace

extern "C" {

// More rules, from now on: for a test program that makes calls fail only
// after a point (found with dlsym; called while the process has no other
// thread).
void tarvelkinFailFromNow(const char* text) { addRules(text); }

int stat(const char* path, struct stat* buffer) {
    static const auto real = next<int (*)(const char*, struct stat*)>("stat");
    THROUGH(pathOutcome("stat", path), real(path, buffer));
}

int lstat(const char* path, struct stat* buffer) {
    static const auto real = next<int (*)(const char*, struct stat*)>("lstat");
    THROUGH(pathOutcome("lstat", path), real(path, buffer));
}

int stat64(const char* path, struct stat64* buffer) {
    static const auto real = next<int (*)(const char*, struct stat64*)>("stat64");
    THROUGH(pathOutcome("stat", path), real(path, buffer));
}

int lstat64(const char* path, struct stat64* buffer) {
    static const auto real = next<int (*)(const char*, struct stat64*)>("lstat64");
    THROUGH(pathOutcome("lstat", path), real(path, buffer));
}

int fstatat(int folder, const char* path, struct stat* buffer, int flags) {
    static const auto real = next<int (*)(int, const char*, struct stat*, int)>("fstatat");
    THROUGH(pathOutcome((flags & AT_SYMLINK_NOFOLLOW) != 0 ? "lstat" : "stat", path),
            real(folder, path, buffer, flags));
}

int fstat(int fd, struct stat* buffer) {
    static const auto real = next<int (*)(int, struct stat*)>("fstat");
    THROUGH(outcomeOnFd("fstat", fd), real(fd, buffer));
}

int open(const char* path, int flags, ...) {
    static const auto real = next<int (*)(const char*, int, ...)>("open");
    va_list more;
    va_start(more, flags);
    const auto mode = static_cast<mode_t>(va_arg(more, unsigned));
    va_end(more);
    THROUGH(pathOutcome("open", path), real(path, flags, mode));
}

int open64(const char* path, int flags, ...) {
    static const auto real = next<int (*)(const char*, int, ...)>("open64");
    va_list more;
    va_start(more, flags);
    const auto mode = static_cast<mode_t>(va_arg(more, unsigned));
    va_end(more);
    THROUGH(pathOutcome("open", path), real(path, flags, mode));
}

int access(const char* path, int how) {
    static const auto real = next<int (*)(const char*, int)>("access");
    THROUGH(pathOutcome("access", path), real(path, how));
}

ssize_t read(int fd, void* buffer, size_t size) {
    static const auto real = next<ssize_t (*)(int, void*, size_t)>("read");
    THROUGH(outcomeOnFd("read", fd), real(fd, buffer, size));
}

ssize_t write(int fd, const void* buffer, size_t size) {
    static const auto real = next<ssize_t (*)(int, const void*, size_t)>("write");
    THROUGH(outcomeOnFd("write", fd), real(fd, buffer, size));
}

int close(int fd) {
    static const auto real = next<int (*)(int)>("close");
    const int result = outcomeOnFd("close", fd);
    if (result == 0) return real(fd);
    // A close that fails has still closed the descriptor, as Linux's does.
    real(fd);
    errno = result == nothing ? EIO : result;
    return -1;
}

int fsync(int fd) {
    static const auto real = next<int (*)(int)>("fsync");
    THROUGH(outcomeOnFd("fsync", fd), real(fd));
}

int fchmod(int fd, mode_t mode) {
    static const auto real = next<int (*)(int, mode_t)>("fchmod");
    THROUGH(outcomeOnFd("fchmod", fd), real(fd, mode));
}

int rename(const char* from, const char* to) {
    static const auto real = next<int (*)(const char*, const char*)>("rename");
    THROUGH(outcome("rename", from, to), real(from, to));
}

int unlink(const char* path) {
    static const auto real = next<int (*)(const char*)>("unlink");
    THROUGH(pathOutcome("unlink", path), real(path));
}

ssize_t readlink(const char* path, char* buffer, size_t size) {
    static const auto real = next<ssize_t (*)(const char*, char*, size_t)>("readlink");
    THROUGH(pathOutcome("readlink", path), real(path, buffer, size));
}

int mkdir(const char* path, mode_t mode) {
    static const auto real = next<int (*)(const char*, mode_t)>("mkdir");
    THROUGH(pathOutcome("mkdir", path), real(path, mode));
}

DIR* opendir(const char* path) {
    static const auto real = next<DIR* (*)(const char*)>("opendir");
    if (const int r = pathOutcome("opendir", path); r != 0) {
        errno = r == nothing ? ENOENT : r;
        return nullptr;
    }
    return real(path);
}

DIR* fdopendir(int fd) {
    static const auto real = next<DIR* (*)(int)>("fdopendir");
    if (const int r = outcomeOnFd("fdopendir", fd); r != 0) {
        errno = r == nothing ? ENOENT : r;
        return nullptr;
    }
    return real(fd);
}

int flock(int fd, int how) {
    static const auto real = next<int (*)(int, int)>("flock");
    THROUGH(outcomeOnFd("flock", fd), real(fd, how));
}

int pipe2(int fds[2], int flags) {
    static const auto real = next<int (*)(int[2], int)>("pipe2");
    THROUGH(outcome("pipe2", "*"), real(fds, flags));
}

int socketpair(int domain, int type, int protocol, int fds[2]) {
    static const auto real = next<int (*)(int, int, int, int[2])>("socketpair");
    THROUGH(outcome("socketpair", "*"), real(domain, type, protocol, fds));
}

pid_t fork() {
    static const auto real = next<pid_t (*)()>("fork");
    THROUGH(outcome("fork", "*"), real());
}

int kill(pid_t pid, int signal) {
    static const auto real = next<int (*)(pid_t, int)>("kill");
    THROUGH(outcome("kill", std::to_string(signal)), real(pid, signal));
}

pid_t waitpid(pid_t pid, int* status, int options) {
    static const auto real = next<pid_t (*)(pid_t, int*, int)>("waitpid");
    THROUGH(outcome("waitpid", "*"), real(pid, status, options));
}

int waitid(idtype_t type, id_t id, siginfo_t* info, int options) {
    static const auto real = next<int (*)(idtype_t, id_t, siginfo_t*, int)>("waitid");
    THROUGH(outcome("waitid", "*"), real(type, id, info, options));
}

int poll(struct pollfd* fds, nfds_t count, int timeout) {
    static const auto real = next<int (*)(struct pollfd*, nfds_t, int)>("poll");
    THROUGH(outcome("poll", "*"), real(fds, count, timeout));
}

int getentropy(void* buffer, size_t size) {
    static const auto real = next<int (*)(void*, size_t)>("getentropy");
    THROUGH(outcome("getentropy", "*"), real(buffer, size));
}

ssize_t process_vm_readv(pid_t pid, const struct iovec* local, unsigned long localCount,
                         const struct iovec* remote, unsigned long remoteCount, unsigned long flags) {
    static const auto real =
        next<ssize_t (*)(pid_t, const struct iovec*, unsigned long, const struct iovec*, unsigned long,
                         unsigned long)>("process_vm_readv");
    THROUGH(outcome("process_vm_readv", "*"), real(pid, local, localCount, remote, remoteCount, flags));
}

// A spawn reports its failure as its result, not in errno.
int posix_spawnp(pid_t* pid, const char* file, const posix_spawn_file_actions_t* actions,
                 const posix_spawnattr_t* attributes, char* const argv[], char* const envp[]) {
    static const auto real =
        next<int (*)(pid_t*, const char*, const posix_spawn_file_actions_t*, const posix_spawnattr_t*,
                     char* const[], char* const[])>("posix_spawnp");
    const int r = pathOutcome("posix_spawnp", file);
    if (r != 0) return r == nothing ? EIO : r;
    return real(pid, file, actions, attributes, argv, envp);
}

}  // extern "C"
