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
#include <sys/socket.h>
#include <unistd.h>

#include "hostShared.h"
#include "utf8.h"

namespace fs = std::filesystem;

std::string privateFolder() {
    std::error_code ignored;
    if (const char* runtime = std::getenv("XDG_RUNTIME_DIR"); runtime != nullptr && *runtime != 0 &&
                                                               fs::is_directory(runtime, ignored))
        return runtime;
    const fs::path temp = fs::temp_directory_path(ignored);
    return temp.empty() ? std::string(".") : utf8Of(temp);
}

std::string homeFolder() {
    const char* home = std::getenv("HOME");
    return home != nullptr ? home : "";
}

std::string userStateFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && state[0] == '/') return state;
    const std::string home = homeFolder();
    return home.empty() || home[0] != '/' ? std::string() : home + "/.local/state";
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
    bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    if (!ok) why = std::strerror(errno);
    if (::close(fd) != 0 && ok) {
        why = std::strerror(errno);
        ok = false;
    }
    return ok;
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
