// Whether a program waits for its input, as Linux shows it in /proc: the
// system call each thread is blocked in and its arguments
// (/proc/PID/task/TID/syscall), the descriptors' targets (/proc/PID/fd), what
// an epoll descriptor watches (/proc/PID/fdinfo), and for poll() and
// select() the sets they were given, read from the process's memory. A
// parent may read all of these of its own children.
#include "inputWait.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/syscall.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

// A small file of /proc, whole; empty when it cannot be read.
std::string procText(const std::string& path, bool& denied) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        denied = denied || errno == EACCES || errno == EPERM;
        return {};
    }
    std::string text;
    char buffer[4096];
    for (ssize_t got; (got = ::read(fd, buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<std::size_t>(got));
    ::close(fd);
    return text;
}

// The numeric entries of a folder of /proc (processes, or a process's threads).
std::vector<long> numbered(const std::string& folder) {
    std::vector<long> found;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return found;
    while (const dirent* entry = ::readdir(dir)) {
        char* end = nullptr;
        const long n = std::strtol(entry->d_name, &end, 10);
        if (*end == 0 && n > 0) found.push_back(n);
    }
    ::closedir(dir);
    return found;
}

// The session a process belongs to, from its stat ("pid (name) state ppid
// pgrp session ..."; the name may hold ") "), or -1.
long sessionOf(long pid) {
    bool denied = false;
    const std::string stat = procText("/proc/" + std::to_string(pid) + "/stat", denied);
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) return -1;
    char state = 0;
    long parent = 0, group = 0, session = -1;
    if (std::sscanf(stat.c_str() + close + 1, " %c %ld %ld %ld", &state, &parent, &group, &session) != 4) return -1;
    return session;
}

struct checker {
    long pid;
    std::string pipe;  // "pipe:[INODE]"

    bool isThePipe(long fd) const {
        if (fd < 0) return false;
        char target[64];
        const std::string link = "/proc/" + std::to_string(pid) + "/fd/" + std::to_string(fd);
        const ssize_t n = ::readlink(link.c_str(), target, sizeof target);
        return n > 0 && pipe.compare(0, std::string::npos, target, static_cast<std::size_t>(n)) == 0;
    }

    // Bytes of the process's memory; false when they cannot be read.
    bool memory(std::uintptr_t at, void* into, std::size_t size) const {
        iovec local{into, size};
        iovec remote{reinterpret_cast<void*>(at), size};  // NOLINT(performance-no-int-to-ptr): the other process's address
        return ::process_vm_readv(static_cast<pid_t>(pid), &local, 1, &remote, 1, 0) == static_cast<ssize_t>(size);
    }

    bool pollsThePipe(std::uintptr_t fds, unsigned long count) const {
        if (count == 0 || count > 4096) return false;
        std::vector<pollfd> set(count);
        if (!memory(fds, set.data(), count * sizeof(pollfd))) return false;
        for (const pollfd& p : set)
            if ((p.events & POLLIN) != 0 && isThePipe(p.fd)) return true;
        return false;
    }

    bool selectsThePipe(long count, std::uintptr_t readSet) const {
        constexpr long bits = 8 * sizeof(unsigned long);
        if (count <= 0 || count > 65536 || readSet == 0) return false;
        std::vector<unsigned long> words(static_cast<std::size_t>((count + bits - 1) / bits));
        if (!memory(readSet, words.data(), words.size() * sizeof(unsigned long))) return false;
        for (long fd = 0; fd < count; ++fd)
            if ((words[static_cast<std::size_t>(fd / bits)] >> (fd % bits) & 1) != 0 && isThePipe(fd)) return true;
        return false;
    }

    // An epoll descriptor's fdinfo names each watched descriptor and its
    // events: "tfd: FD events: HEX ...".
    bool epollWatchesThePipe(long epoll) const {
        bool denied = false;
        const std::string info = procText("/proc/" + std::to_string(pid) + "/fdinfo/" + std::to_string(epoll), denied);
        for (std::size_t at = info.find("tfd:"); at != std::string::npos; at = info.find("tfd:", at + 4)) {
            long fd = -1;
            unsigned events = 0;
            if (std::sscanf(info.c_str() + at, "tfd: %ld events: %x", &fd, &events) == 2 && (events & 1) != 0 &&
                isThePipe(fd))
                return true;
        }
        return false;
    }

    // What one thread's syscall file says ("NR ARG0 ARG1 ... SP PC", or
    // "running", or "-1 SP PC" outside a system call).
    bool threadReads(const std::string& call) const {
        long number = -1;
        std::uint64_t a[3] = {0, 0, 0};
        if (std::sscanf(call.c_str(), "%ld %" SCNx64 " %" SCNx64 " %" SCNx64, &number, &a[0], &a[1], &a[2]) != 4)
            return false;
        const auto first = static_cast<long>(static_cast<int>(a[0]));
        switch (number) {
            case SYS_read:
            case SYS_readv:
            case SYS_pread64:
            case SYS_preadv:
#ifdef SYS_preadv2
            case SYS_preadv2:
#endif
                return isThePipe(first);
#ifdef SYS_poll
            case SYS_poll:
#endif
            case SYS_ppoll:
                return pollsThePipe(static_cast<std::uintptr_t>(a[0]), static_cast<unsigned long>(a[1]));
#ifdef SYS_select
            case SYS_select:
#endif
            case SYS_pselect6:
                return selectsThePipe(first, static_cast<std::uintptr_t>(a[1]));
#ifdef SYS_epoll_wait
            case SYS_epoll_wait:
#endif
            case SYS_epoll_pwait:
#ifdef SYS_epoll_pwait2
            case SYS_epoll_pwait2:
#endif
                return epollWatchesThePipe(first);
            default:
                return false;
        }
    }
};

}  // namespace

inputWait sessionReadsPipe(long session, unsigned long long pipeInode) {
    const std::vector<long> processes = numbered("/proc");
    if (processes.empty()) return inputWait::unknown;
    bool denied = false;
    for (const long pid : processes) {
        if (sessionOf(pid) != session) continue;
        const checker c{pid, "pipe:[" + std::to_string(pipeInode) + "]"};
        const std::string tasks = "/proc/" + std::to_string(pid) + "/task/";
        for (const long tid : numbered(tasks))
            if (c.threadReads(procText(tasks + std::to_string(tid) + "/syscall", denied))) return inputWait::reading;
    }
    return denied ? inputWait::unknown : inputWait::notReading;
}
