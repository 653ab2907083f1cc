// Starting and stopping programs on POSIX systems: posix_spawn, a process
// group, and on Linux a child subreaper for what leaves the group.
#include "childProcess.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <system_error>

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "childProcessShared.h"
#include "inputWait.h"

extern char** environ;  // NOLINT(readability-redundant-declaration): not every C library declares it

namespace {

// A spawn's settings, released however the start ends.
struct spawnSettings {
    posix_spawn_file_actions_t actions{};
    posix_spawnattr_t attributes{};
    spawnSettings() {
        posix_spawn_file_actions_init(&actions);
        posix_spawnattr_init(&attributes);
    }
    ~spawnSettings() {
        posix_spawn_file_actions_destroy(&actions);
        posix_spawnattr_destroy(&attributes);
    }
    spawnSettings(const spawnSettings&) = delete;
    spawnSettings& operator=(const spawnSettings&) = delete;
};

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// The signals this program blocks or ignores, back to their defaults in the
// child: a tool must see a broken pipe and Ctrl+C as it would in a terminal.
constexpr int endSignals[] = {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT};

void defaultSignals(posix_spawnattr_t& attributes) {
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int s : endSignals) sigaddset(&defaults, s);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
}

// Set by holdWholeTree: every child of this process but the program is
// something a program's tree left behind.
std::atomic<bool> holdingTrees{false};

// The children of this process but skip, found in /proc (each process's stat
// names its parent). A child keeps its id until this process reaps it, so
// signalling one found here can never reach another process.
std::vector<pid_t> childrenBut(pid_t skip) {
    std::vector<pid_t> found;
    const long self = ::getpid();
    DIR* proc = ::opendir("/proc");
    if (proc == nullptr) return found;
    while (const dirent* entry = ::readdir(proc)) {
        char* end = nullptr;
        const long pid = std::strtol(entry->d_name, &end, 10);
        if (*end != 0 || pid <= 0 || pid == skip) continue;
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

// Signals what the program's tree left behind that has come to this process.
void signalLeftovers(pid_t program, int signal) {
    if (!holdingTrees) return;
    for (const pid_t pid : childrenBut(program)) ::kill(pid, signal);
}

// Ends and reaps what the program's tree left behind, until nothing is left:
// each process ended here hands its own children to this process in turn.
void endLeftovers(pid_t program) {
    if (!holdingTrees) return;
    for (std::vector<pid_t> left = childrenBut(program); !left.empty(); left = childrenBut(program)) {
        for (const pid_t pid : left) ::kill(pid, SIGKILL);
        for (const pid_t pid : left)
            while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
            }
    }
}

}  // namespace

struct childProcess::state {
    pid_t pid = -1;
    int in = -1;  // the input pipe's end, which writeInput writes (non-blocking)
    int out = -1;
    int err = -1;
    int wake[2] = {-1, -1};    // written by abandonOutput to end every read
    int wakeIn[2] = {-1, -1};  // written by abandonInput to end every write
    unsigned long long inInode = 0;  // the input pipe's, which a reader holds open
    std::mutex lock;
    bool reaped = false;
};

namespace {

// The start of a program in a session of its own: a new process group too,
// whose id is the program's, and no controlling terminal.
void ownSession(posix_spawnattr_t& attributes, short& flags) {
#ifdef POSIX_SPAWN_SETSID
    flags |= POSIX_SPAWN_SETSID;
    (void)attributes;
#else
    // Without it, a process group of its own: /dev/tty stays the terminal's.
    posix_spawnattr_setpgroup(&attributes, 0);
    flags |= POSIX_SPAWN_SETPGROUP;
#endif
}

}  // namespace

std::unique_ptr<childProcess> childProcess::start(const std::vector<std::string>& argv,
                                                  const std::string& cwd, std::string& why, childInput input) {
    if (argv.empty()) {
        why = "not found: no program named";
        return nullptr;
    }
    auto s = std::make_unique<state>();
    int inPipe[2] = {-1, -1};
    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    auto closeAll = [&] {
        for (int* fd : {&inPipe[0], &inPipe[1], &outPipe[0], &outPipe[1], &errPipe[0], &errPipe[1], &s->wake[0],
                        &s->wake[1], &s->wakeIn[0], &s->wakeIn[1]})
            closeFd(*fd);
    };
    const bool piped = input == childInput::pipe;
    if ((piped && pipe2(inPipe, O_CLOEXEC) != 0) || pipe2(outPipe, O_CLOEXEC) != 0 ||
        pipe2(errPipe, O_CLOEXEC) != 0 || pipe2(s->wake, O_CLOEXEC) != 0 || pipe2(s->wakeIn, O_CLOEXEC) != 0) {
        why = std::strerror(errno);
        closeAll();
        return nullptr;
    }
    spawnSettings settings;
    if (piped)
        posix_spawn_file_actions_adddup2(&settings.actions, inPipe[0], 0);
    else
        posix_spawn_file_actions_addopen(&settings.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&settings.actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&settings.actions, errPipe[1], 2);
    if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&settings.actions, cwd.c_str());
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // Nothing else of this process goes along: not the connections a server
    // has open at the time (its accepted sockets are inherited otherwise).
    posix_spawn_file_actions_addclosefrom_np(&settings.actions, 3);
#endif
    short flags = POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK;
    ownSession(settings.attributes, flags);
    defaultSignals(settings.attributes);
    posix_spawnattr_setflags(&settings.attributes, flags);

    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, args[0], &settings.actions, &settings.attributes,
                                    args.data(), environ);
    closeFd(inPipe[0]);
    closeFd(outPipe[1]);
    closeFd(errPipe[1]);
    if (failed != 0) {
        const std::string reason = std::strerror(failed);
        if (folderGone(cwd))
            why = "working folder not found: " + cwd;
        else if (failed == ENOENT || failed == ENOTDIR)
            why = notFound(argv[0], argv[0].find('/') == std::string::npos, reason);
        else if (failed == EACCES || failed == ENOEXEC || failed == EPERM || failed == EISDIR)
            why = "not executable: " + argv[0] + ": " + reason;
        else
            why = argv[0] + ": " + reason;
        closeAll();
        return nullptr;
    }
    s->pid = pid;
    if (piped) {
        struct stat about {};
        if (::fstat(inPipe[1], &about) == 0) s->inInode = static_cast<unsigned long long>(about.st_ino);
        ::fcntl(inPipe[1], F_SETFL, ::fcntl(inPipe[1], F_GETFL) | O_NONBLOCK);
        s->in = inPipe[1];
    }
    s->out = outPipe[0];
    s->err = errPipe[0];
    return std::unique_ptr<childProcess>(new childProcess(std::move(s)));
}

bool childProcess::holdWholeTree() {
#ifdef PR_SET_CHILD_SUBREAPER
    if (prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0) != 0) return false;
    holdingTrees = true;
    return true;
#else
    return false;
#endif
}

childProcess::childProcess(std::unique_ptr<state> s) : s_(std::move(s)) {}

childProcess::~childProcess() {
    bool reaped = false;
    {
        std::lock_guard<std::mutex> hold(s_->lock);
        reaped = s_->reaped;
        if (!reaped) ::kill(-s_->pid, SIGKILL);
    }
    if (!reaped) {
        endLeftovers(s_->pid);
        waitpid(s_->pid, nullptr, 0);
    }
    for (int* fd : {&s_->in, &s_->out, &s_->err, &s_->wake[0], &s_->wake[1], &s_->wakeIn[0], &s_->wakeIn[1]})
        closeFd(*fd);
}

std::size_t childProcess::read(stream which, char* buffer, std::size_t size) {
    const int fd = which == stream::out ? s_->out : s_->err;
    pollfd watch[2] = {{fd, POLLIN, 0}, {s_->wake[0], POLLIN, 0}};
    for (;;) {
        if (poll(watch, 2, -1) < 0) {
            if (errno == EINTR) continue;
            return 0;
        }
        if (watch[1].revents != 0) return 0;
        const ssize_t got = ::read(fd, buffer, size);
        if (got < 0 && errno == EINTR) continue;
        return got > 0 ? static_cast<std::size_t>(got) : 0;
    }
}

void childProcess::abandonOutput() {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(s_->wake[1], &byte, 1);
}

bool childProcess::writeInput(const char* data, std::size_t size) {
    if (s_->in < 0) return false;
    // A reader that went away is a failed write, never SIGPIPE for the
    // whole process: the signal is held back in this thread, and taken if
    // it came.
    sigset_t pipeSignal, before;
    sigemptyset(&pipeSignal);
    sigaddset(&pipeSignal, SIGPIPE);
    pthread_sigmask(SIG_BLOCK, &pipeSignal, &before);
    pollfd watch[2] = {{s_->in, POLLOUT, 0}, {s_->wakeIn[0], POLLIN, 0}};
    bool ok = true;
    while (ok && size > 0) {
        if (poll(watch, 2, -1) < 0) {
            ok = errno == EINTR;
            continue;
        }
        if (watch[1].revents != 0) {
            ok = false;
            break;
        }
        const ssize_t put = ::write(s_->in, data, size);
        if (put < 0) {
            ok = errno == EINTR || errno == EAGAIN;
            continue;
        }
        data += put;
        size -= static_cast<std::size_t>(put);
    }
    if (!ok && errno == EPIPE) {
        const timespec now{0, 0};
        sigtimedwait(&pipeSignal, nullptr, &now);
    }
    pthread_sigmask(SIG_SETMASK, &before, nullptr);
    return ok;
}

void childProcess::closeInput() { closeFd(s_->in); }

void childProcess::abandonInput() {
    const char byte = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(s_->wakeIn[1], &byte, 1);
}

inputWait childProcess::waitingForInput() const {
    if (s_->inInode == 0) return inputWait::unknown;
    return sessionReadsPipe(static_cast<long>(s_->pid), s_->inInode);
}

const char* inputLineEnd() { return "\n"; }

processOutcome childProcess::wait() {
    // Waited for without reaping, so that the group keeps its id (the
    // program's) until the rest of it has been ended.
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(s_->pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    std::lock_guard<std::mutex> hold(s_->lock);
    ::kill(-s_->pid, SIGKILL);
    endLeftovers(s_->pid);
    int status = 0;
    while (waitpid(s_->pid, &status, 0) < 0 && errno == EINTR) {
    }
    s_->reaped = true;
    if (WIFSIGNALED(status)) return {true, WTERMSIG(status)};
    return {false, WEXITSTATUS(status)};
}

void childProcess::askToEnd() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (s_->reaped) return;
    ::kill(-s_->pid, SIGTERM);
    signalLeftovers(s_->pid, SIGTERM);
}

void childProcess::endNow() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (s_->reaped) return;
    ::kill(-s_->pid, SIGKILL);
    signalLeftovers(s_->pid, SIGKILL);
}

long childProcess::id() const { return static_cast<long>(s_->pid); }

std::string signalName(int signal) {
    static const struct {
        int number;
        const char* name;
    } names[] = {{SIGHUP, "SIGHUP"},   {SIGINT, "SIGINT"},   {SIGQUIT, "SIGQUIT"}, {SIGILL, "SIGILL"},
                 {SIGTRAP, "SIGTRAP"}, {SIGABRT, "SIGABRT"}, {SIGBUS, "SIGBUS"},   {SIGFPE, "SIGFPE"},
                 {SIGKILL, "SIGKILL"}, {SIGUSR1, "SIGUSR1"}, {SIGSEGV, "SIGSEGV"}, {SIGUSR2, "SIGUSR2"},
                 {SIGPIPE, "SIGPIPE"}, {SIGALRM, "SIGALRM"}, {SIGTERM, "SIGTERM"}, {SIGXCPU, "SIGXCPU"},
                 {SIGXFSZ, "SIGXFSZ"}};
    for (const auto& n : names)
        if (n.number == signal) return n.name;
    return "signal " + std::to_string(signal);
}

bool openInBrowser(const std::string& target) {
#ifdef __APPLE__
    const char* opener = "open";
#else
    const char* opener = "xdg-open";
#endif
    // Found in PATH before the fork: after fork() in a process with threads
    // only async-signal-safe calls may follow.
    std::string program;
    const char* path = std::getenv("PATH");
    for (std::string_view rest = path != nullptr ? path : ""; program.empty() && !rest.empty();) {
        const std::size_t colon = rest.find(':');
        const std::string folder(rest.substr(0, colon));
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        const std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + opener;
        if (::access(candidate.c_str(), X_OK) == 0) program = candidate;
    }
    if (program.empty()) return false;
    std::string targetCopy = target;

    // The opener is started by a middle process that ends at once: so it is
    // no child of this process (whatever reaps a program's leftovers here
    // never reaches the browser), and it runs in a session of the middle
    // one's, where Ctrl+C in the terminal and its hangup never come.
    const pid_t middle = ::fork();
    if (middle < 0) return false;
    if (middle == 0) {
        ::setsid();
        const pid_t started = ::fork();
        if (started != 0) ::_exit(started > 0 ? 0 : 1);
        const int null = ::open("/dev/null", O_RDWR);
        for (int fd = 0; fd < 3; ++fd) ::dup2(null, fd);
        struct sigaction plain {};
        plain.sa_handler = SIG_DFL;
        for (int s : endSignals) ::sigaction(s, &plain, nullptr);
        sigset_t none;
        sigemptyset(&none);
        ::sigprocmask(SIG_SETMASK, &none, nullptr);
        char* args[] = {const_cast<char*>(opener), targetCopy.data(), nullptr};
        ::execve(program.c_str(), args, environ);
        ::_exit(127);
    }
    int status = 0;
    while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
    }
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
