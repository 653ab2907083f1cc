// What a local server needs of a POSIX system.
#include "host.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <unistd.h>

#include "hostShared.h"
#include "utf8.h"

namespace fs = std::filesystem;

namespace {

// Writes all the bytes, again after an interruption: 0 when they all went,
// else the reason (a write that takes nothing is an I/O error).
int writeAll(int fd, std::string_view bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno != 0 ? errno : EIO;
        if (n == 0) return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

}  // namespace

bool replacePrivateFile(const std::string& path, std::string_view bytes, std::string& why) {
    const std::string temp = path + ".new-" + std::to_string(::getpid());
    ::unlink(temp.c_str());
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        why = path + ": " + std::strerror(errno);
        return false;
    }
    int error = writeAll(fd, bytes);
    if (error == 0 && ::fsync(fd) != 0) error = errno;
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0 && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
    if (error == 0) return true;
    why = path + ": " + std::strerror(error);
    ::unlink(temp.c_str());
    return false;
}

std::intptr_t takeLock(const std::string& path, std::string& why) {
    why.clear();
    const int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        why = path + ": " + std::strerror(errno);
        return -1;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
    if (errno != EWOULDBLOCK) why = path + ": " + std::strerror(errno);
    ::close(fd);
    return -1;
}

void releaseLock(std::intptr_t lock) {
    if (lock >= 0) ::close(static_cast<int>(lock));
}

std::string thisProgramPath() {
    std::error_code error;
    const fs::path self = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string() : utf8Of(self);
}

void ownPortOptions(std::uintptr_t socket) {
    const int yes = 1;
    setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
}

bool systemRandom(unsigned char* buffer, std::size_t size) {
    while (size > 0) {
        const std::size_t part = size < 256 ? size : 256;  // getentropy's limit
        if (getentropy(buffer, part) != 0) return false;
        buffer += part;
        size -= part;
    }
    return true;
}

bool writePrivateFile(const std::string& path, std::string_view bytes, std::string& why) {
    ::unlink(path.c_str());
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        why = std::strerror(errno);
        return false;
    }
    int error = writeAll(fd, bytes);
    if (::close(fd) != 0 && error == 0) error = errno;
    if (error == 0) return true;
    // Whole or not at all: a part of a secret is of no use to anyone.
    why = std::strerror(error);
    ::unlink(path.c_str());
    return false;
}

void watchForEnd(std::function<void()> stop) {
    setStopCall(std::move(stop));
    std::signal(SIGPIPE, SIG_IGN);
    sigset_t endSignals;
    sigemptyset(&endSignals);
    for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&endSignals, s);
    pthread_sigmask(SIG_BLOCK, &endSignals, nullptr);
    std::thread([endSignals] {
        int received = 0;
        while (sigwait(&endSignals, &received) != 0) {
        }
        callStopOnce();
    }).detach();
}
