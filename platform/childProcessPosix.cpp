// Starting and stopping programs on POSIX systems: posix_spawn and a session
// of the program's own; on Linux, once holdWholeTree was called, a keeper
// process between this one and each program (keeperPosix.cpp). Whether the
// program waits for its input: inputWait.h.
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
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

#include "childProcessShared.h"
#include "inputWait.h"
#include "processTreePosix.h"

extern char** environ;  // NOLINT(readability-redundant-declaration): not every C library declares it

namespace {

// Set by holdWholeTree: each program starts under a keeper (keeperPosix.cpp).
std::atomic<bool> keeping{false};

// A line the keeper said on the link, without its line end; empty when the
// link closed first.
std::string keeperLine(int link) {
    std::string line;
    char c = 0;
    for (;;) {
        const ssize_t got = ::read(link, &c, 1);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0 || c == '\n') return line;
        line += c;
    }
}

// The number after prefix in line, or -1.
long numberAfter(const std::string& line, const std::string& prefix) {
    if (line.rfind(prefix, 0) != 0) return -1;
    char* end = nullptr;
    const long n = std::strtol(line.c_str() + prefix.size(), &end, 10);
    return *end == 0 ? n : -1;
}

void tellKeeper(int link, char what) {
    [[maybe_unused]] const ssize_t ignored = ::send(link, &what, 1, MSG_NOSIGNAL);
}

}  // namespace

struct childProcess::state {
    pid_t pid = -1;     // the program, the leader of its process group
    pid_t keeper = -1;  // its keeper, when it has one
    int link = -1;      // the socket to the keeper
    int in = -1;        // the input pipe's end, which writeInput writes (non-blocking)
    int out = -1;
    int err = -1;
    int wake[2] = {-1, -1};    // written by abandonOutput to end every read
    int wakeIn[2] = {-1, -1};  // written by abandonInput to end every write
    unsigned long long inInode = 0;  // the input pipe's, which the program reads
    std::mutex lock;
    bool reaped = false;
};

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
    int link[2] = {-1, -1};
    auto closeAll = [&] {
        for (int* fd : {&inPipe[0], &inPipe[1], &outPipe[0], &outPipe[1], &errPipe[0], &errPipe[1], &link[0],
                        &link[1], &s->wake[0], &s->wake[1], &s->wakeIn[0], &s->wakeIn[1]})
            closeFd(*fd);
    };
    const bool kept = keeping;
    const bool piped = input == childInput::pipe;
    if ((piped && pipe2(inPipe, O_CLOEXEC) != 0) || pipe2(outPipe, O_CLOEXEC) != 0 ||
        pipe2(errPipe, O_CLOEXEC) != 0 || pipe2(s->wake, O_CLOEXEC) != 0 || pipe2(s->wakeIn, O_CLOEXEC) != 0 ||
        (kept && socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, link) != 0)) {
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
    if (kept) posix_spawn_file_actions_adddup2(&settings.actions, link[1], 3);
    if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&settings.actions, cwd.c_str());
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // Nothing else of this process goes along: not the connections a server
    // has open at the time (its accepted sockets are inherited otherwise).
    posix_spawn_file_actions_addclosefrom_np(&settings.actions, kept ? 4 : 3);
#endif
    // The program leads a session of its own, without a controlling
    // terminal; its keeper has a process group of its own, where Ctrl+C in
    // the terminal, which is for the server, never comes either.
    if (kept)
        ownGroupPlainSignals(settings);
    else
        ownSessionPlainSignals(settings);

    std::vector<std::string> words = argv;
    if (kept) words.insert(words.begin(), {"/proc/self/exe", keeperOption});
    int failed = 0;
    const pid_t started = spawnProgram(words, settings, failed);
    closeFd(inPipe[0]);
    closeFd(outPipe[1]);
    closeFd(errPipe[1]);
    closeFd(link[1]);
    if (started != 0 && kept) {
        // The keeper says whether the program started.
        const std::string said = keeperLine(link[0]);
        const long pid = numberAfter(said, "started ");
        if (pid <= 0) {
            // A keeper that said nothing (its link failed) may have started
            // the program all the same: the link closed, it ends the tree.
            closeFd(link[0]);
            while (waitpid(started, nullptr, 0) < 0 && errno == EINTR) {
            }
            const long error = numberAfter(said, "failed ");
            why = error > 0 ? startFailure(argv, cwd, static_cast<int>(error)) : "the run's keeper did not start";
            closeAll();
            return nullptr;
        }
        s->keeper = started;
        s->pid = static_cast<pid_t>(pid);
        s->link = link[0];
        link[0] = -1;
    } else if (started != 0) {
        s->pid = started;
    } else if (kept && !folderGone(cwd)) {
        // The keeper itself did not start. (A working folder that is gone
        // fails its start too, and is said as for any program, below.)
        why = std::string("the run's keeper did not start: ") + std::strerror(failed);
        closeAll();
        return nullptr;
    } else {
        why = startFailure(argv, cwd, failed);
        closeAll();
        return nullptr;
    }
    if (piped) {
        struct stat about {};
        if (::fstat(inPipe[1], &about) == 0) s->inInode = static_cast<unsigned long long>(about.st_ino);
        ::fcntl(inPipe[1], F_SETFL, ::fcntl(inPipe[1], F_GETFL) | O_NONBLOCK);
        s->in = inPipe[1];
        inPipe[1] = -1;
    }
    s->out = outPipe[0];
    s->err = errPipe[0];
    return std::unique_ptr<childProcess>(new childProcess(std::move(s)));
}

bool childProcess::holdWholeTree() {
#ifdef __linux__
    if (::access("/proc/self/exe", X_OK) != 0) return false;
    keeping = true;
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
        if (!reaped && s_->keeper < 0) ::kill(-s_->pid, SIGKILL);
    }
    if (!reaped && s_->keeper >= 0) {
        // The keeper ends the whole tree once its link closes.
        closeFd(s_->link);
        waitpid(s_->keeper, nullptr, 0);
    } else if (!reaped) {
        waitpid(s_->pid, nullptr, 0);
    }
    for (int* fd : {&s_->link, &s_->in, &s_->out, &s_->err, &s_->wake[0], &s_->wake[1], &s_->wakeIn[0],
                    &s_->wakeIn[1]})
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
    if (s_->keeper >= 0) {
        // The keeper says how the program ended once its whole tree has.
        const std::string said = keeperLine(s_->link);
        std::unique_lock<std::mutex> hold(s_->lock);
        // A link that failed before the keeper said how the program ended:
        // closed, so that the keeper ends the tree and ends too.
        if (said.rfind("ended ", 0) != 0) closeFd(s_->link);
        hold.unlock();
        while (waitpid(s_->keeper, nullptr, 0) < 0 && errno == EINTR) {
        }
        hold.lock();
        s_->reaped = true;
        if (const long code = numberAfter(said, "ended exit "); code >= 0) return {false, static_cast<int>(code)};
        if (const long signal = numberAfter(said, "ended signal "); signal > 0) return {true, static_cast<int>(signal)};
        return {true, SIGKILL};  // the keeper itself was killed
    }
    // Waited for without reaping, so that the group keeps its id (the
    // program's) until it has been ended.
    siginfo_t info{};
    while (waitid(P_PID, static_cast<id_t>(s_->pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
    }
    std::lock_guard<std::mutex> hold(s_->lock);
    ::kill(-s_->pid, SIGKILL);
    int status = 0;
    pid_t reaped = -1;
    while ((reaped = waitpid(s_->pid, &status, 0)) < 0 && errno == EINTR) {
    }
    s_->reaped = true;
    // Reaped elsewhere (SIGCHLD ignored), its status is lost: never taken
    // for a success.
    if (reaped < 0) return {true, SIGKILL};
    if (WIFSIGNALED(status)) return {true, WTERMSIG(status)};
    return {false, WEXITSTATUS(status)};
}

void childProcess::askToEnd() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (s_->reaped) return;
    if (s_->keeper >= 0) return tellKeeper(s_->link, 'T');
    ::kill(-s_->pid, SIGTERM);
}

void childProcess::endNow() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (s_->reaped) return;
    if (s_->keeper >= 0) return tellKeeper(s_->link, 'K');
    ::kill(-s_->pid, SIGKILL);
}

long childProcess::id() const { return static_cast<long>(s_->pid); }

std::string programPath(const std::string& name, const std::string&) {
    const auto runnable = [](const std::string& path) {
        struct stat file {};
        return ::stat(path.c_str(), &file) == 0 && S_ISREG(file.st_mode) && ::access(path.c_str(), X_OK) == 0;
    };
    if (name.empty()) return {};
    if (name.find('/') != std::string::npos) {
        if (!runnable(name)) return {};
        char* full = ::realpath(name.c_str(), nullptr);
        std::string out = full != nullptr ? full : name;
        std::free(full);
        return out;
    }
    const char* path = std::getenv("PATH");
    for (std::string_view rest = path != nullptr ? path : ""; !rest.empty();) {
        const std::size_t colon = rest.find(':');
        const std::string folder(rest.substr(0, colon));
        rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + name;
        if (runnable(candidate)) return candidate;
    }
    return {};
}

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
        std::string candidate = (folder.empty() ? std::string(".") : folder) + "/" + opener;
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
