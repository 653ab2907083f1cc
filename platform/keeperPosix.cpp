// A run's keeper, on Linux: the process between a server and the program it
// runs, so that the program's whole tree ends with the server, however the
// server ends (a kill -9 or a crash included).
//
// The server starts the keeper (itself again, with childProcess::keeperOption)
// in a process group of its own, with the run's standard streams and its link
// to the server, a socket, as descriptor 3. The keeper:
// - becomes the reaper of everything the program starts (a child subreaper),
//   so that what leaves the program's process group (a new session, a
//   daemon) comes to it once its parent ends;
// - starts the program in a session of its own (and so a process group of
//   its own, without a controlling terminal), its standard streams the
//   keeper's (the pipes go straight through), and says on the link
//   "started PID" or "failed ERRNO" (when it cannot say it started the
//   program, it ends its tree at once: no one else would);
// - on 'T' from the link asks the whole tree to end (SIGTERM), on 'K' kills
//   it (SIGKILL);
// - when the program ends, kills what is left of the tree, says "ended exit
//   N" or "ended signal N", and ends;
// - when the link closes (the server has ended, whichever way), kills the
//   whole tree, and ends.
// Nothing else ends it: it ignores Ctrl+C, hangups and SIGTERM, which are
// for the server.
#include "childProcess.h"

#include <cerrno>
#include <csignal>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#include <sys/signalfd.h>
#endif

#include "processTreePosix.h"

namespace {

constexpr int linkFd = 3;

// Says a line on the link; false when it cannot (the server is gone, or the
// link failed).
bool say(const std::string& line) {
    const std::string text = line + "\n";
    for (std::size_t done = 0; done < text.size();) {
        const ssize_t n = ::write(linkFd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Kills the program's group and everything else of the tree, reaps the
// program, and goes on until nothing of the tree is left: what the group's
// members started comes to this process as their parents end, and is ended
// and reaped in turn. The program's status.
int endTree(pid_t program) {
    ::kill(-program, SIGKILL);
    int status = 0;
    while (waitpid(program, &status, 0) < 0 && errno == EINTR) {
    }
    for (;;) {
        ::kill(-program, SIGKILL);
        endLeftovers(program);
        if (::kill(-program, 0) != 0 && childrenBut(program).empty()) return status;
        ::usleep(1000);
    }
}

// Reaps whatever of the tree has ended, the program last: true, with its
// status, once the program has ended (the rest of its tree is then killed).
bool programEnded(pid_t program, int& status) {
    for (;;) {
        siginfo_t info{};
        if (waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) != 0 || info.si_pid == 0) return false;
        if (info.si_pid == program) {
            status = endTree(program);
            return true;
        }
        while (waitpid(info.si_pid, nullptr, 0) < 0 && errno == EINTR) {
        }
    }
}

}  // namespace

int childProcess::keeperMain(int argc, char** argv) {
#ifdef __linux__
    if (argc < 3 || ::fcntl(linkFd, F_SETFD, FD_CLOEXEC) != 0) return 2;
    ignoreEndSignals();
    ::prctl(PR_SET_CHILD_SUBREAPER, 1, 0, 0, 0);
    sigset_t childEnded;
    sigemptyset(&childEnded);
    sigaddset(&childEnded, SIGCHLD);
    ::sigprocmask(SIG_BLOCK, &childEnded, nullptr);
    const int ended = ::signalfd(-1, &childEnded, SFD_CLOEXEC | SFD_NONBLOCK);

    spawnSettings settings;
    ownSessionPlainSignals(settings);
    int failed = 0;
    const pid_t program = spawnProgram(std::vector<std::string>(argv + 2, argv + argc), settings, failed);
    if (program == 0) {
        [[maybe_unused]] const bool said = say("failed " + std::to_string(failed));
        return 0;
    }
    // A program its server cannot know of would run with no one to end it.
    if (!say("started " + std::to_string(program))) {
        endTree(program);
        return 0;
    }
    for (;;) {
        pollfd watch[2] = {{linkFd, POLLIN, 0}, {ended, POLLIN, 0}};
        if (::poll(watch, 2, -1) < 0) {
            if (errno == EINTR) continue;
            break;
        }
        if (watch[1].revents != 0) {
            signalfd_siginfo drained[8];
            while (::read(ended, drained, sizeof drained) > 0) {
            }
            int status = 0;
            if (programEnded(program, status)) {
                [[maybe_unused]] const bool said = say(WIFSIGNALED(status) ? "ended signal " + std::to_string(WTERMSIG(status))
                                        : "ended exit " + std::to_string(WEXITSTATUS(status)));
                return 0;
            }
        }
        if (watch[0].revents == 0) continue;
        char asked[64];
        const ssize_t got = ::read(linkFd, asked, sizeof asked);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;  // the server is gone
        for (ssize_t i = 0; i < got; ++i) {
            const int signal = asked[i] == 'T' ? SIGTERM : asked[i] == 'K' ? SIGKILL : 0;
            if (signal == 0) continue;
            ::kill(-program, signal);
            signalLeftovers(program, signal);
        }
    }
    endTree(program);
    return 0;
#else
    (void)argc;
    (void)argv;
    return 2;
#endif
}
