#include "processTreePosix.h"

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include "childProcessShared.h"

extern char** environ;  // NOLINT(readability-redundant-declaration): not every C library declares it

spawnSettings::spawnSettings() {
    posix_spawn_file_actions_init(&actions);
    posix_spawnattr_init(&attributes);
}

spawnSettings::~spawnSettings() {
    posix_spawn_file_actions_destroy(&actions);
    posix_spawnattr_destroy(&attributes);
}

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

namespace {

// The signals a server blocks or ignores back to their defaults, and the
// flags of the process's group or session.
void plainSignals(spawnSettings& settings, short flags) {
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int s : endSignals) sigaddset(&defaults, s);
    posix_spawnattr_setsigdefault(&settings.attributes, &defaults);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&settings.attributes, &none);
    posix_spawnattr_setflags(&settings.attributes,
                             static_cast<short>(flags | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK));
}

}  // namespace

void ownGroupPlainSignals(spawnSettings& settings) {
    posix_spawnattr_setpgroup(&settings.attributes, 0);
    plainSignals(settings, POSIX_SPAWN_SETPGROUP);
}

void ownSessionPlainSignals(spawnSettings& settings) {
#ifdef POSIX_SPAWN_SETSID
    plainSignals(settings, POSIX_SPAWN_SETSID);
#else
    ownGroupPlainSignals(settings);
#endif
}

void ignoreEndSignals() {
    for (int s : endSignals) std::signal(s, SIG_IGN);
}

pid_t spawnProgram(const std::vector<std::string>& argv, const spawnSettings& settings, int& failed) {
    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    pid_t pid = 0;
    failed = posix_spawnp(&pid, args[0], &settings.actions, &settings.attributes, args.data(), environ);
    return failed == 0 ? pid : 0;
}

std::string startFailure(const std::vector<std::string>& argv, const std::string& cwd, int failed) {
    const std::string reason = std::strerror(failed);
    if (folderGone(cwd)) return "working folder not found: " + cwd;
    if (failed == ENOENT || failed == ENOTDIR)
        return notFound(argv[0], argv[0].find('/') == std::string::npos, reason);
    if (failed == EACCES || failed == ENOEXEC || failed == EPERM || failed == EISDIR)
        return "not executable: " + argv[0] + ": " + reason;
    return argv[0] + ": " + reason;
}

std::vector<pid_t> childrenBut(pid_t program) {
    std::vector<pid_t> found;
    const long self = ::getpid();
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) return found;
    while (const dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (*end != 0 || pid <= 0 || pid == program) continue;
        char path[64];
        std::snprintf(path, sizeof path, "/proc/%ld/stat", pid);
        const int fd = ::open(path, O_RDONLY | O_CLOEXEC);
        if (fd < 0) continue;
        char text[512];
        const ssize_t got = ::read(fd, text, sizeof text - 1);
        ::close(fd);
        if (got <= 0) continue;
        text[got] = 0;
        // "pid (name) state parent ...", where the name may hold ") " too.
        const char* nameEnd = std::strrchr(text, ')');
        char state = 0;
        long parent = 0;
        if (nameEnd != nullptr && std::sscanf(nameEnd + 1, " %c %ld", &state, &parent) == 2 && parent == self)
            found.push_back(static_cast<pid_t>(pid));
    }
    ::closedir(proc);
    return found;
}

void signalLeftovers(pid_t program, int signal) {
    for (const pid_t pid : childrenBut(program)) ::kill(pid, signal);
}

void endLeftovers(pid_t program) {
    for (std::vector<pid_t> left = childrenBut(program); !left.empty(); left = childrenBut(program)) {
        for (const pid_t pid : left) ::kill(pid, SIGKILL);
        for (const pid_t pid : left)
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
    }
}
