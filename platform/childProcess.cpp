#include "childProcess.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "host.h"

std::string windowsCommandLine(const std::vector<std::string>& argv) {
    std::string line;
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& word = argv[i];
        if (i > 0) line += ' ';
        if (i == 0) {
            // The program name is read up to the next blank, or between two
            // quotes, with no escapes at all.
            const bool quoted = word.empty() || word.find_first_of(" \t") != std::string::npos;
            line += quoted ? '"' + word + '"' : word;
            continue;
        }
        if (!word.empty() && word.find_first_of(" \t\n\v\"") == std::string::npos) {
            line += word;
            continue;
        }
        line += '"';
        std::size_t slashes = 0;
        for (char c : word) {
            if (c == '\\') {
                ++slashes;
                continue;
            }
            line.append(c == '"' ? 2 * slashes + 1 : slashes, '\\');
            line += c;
            slashes = 0;
        }
        line.append(2 * slashes, '\\');
        line += '"';
    }
    return line;
}

namespace {

// Why a start failed, when its working folder is the reason: a folder that
// vanished since the server started fails the start as a missing program
// would, on every platform.
bool folderGone(const std::string& cwd) {
    if (cwd.empty()) return false;
    std::error_code ignored;
    return !std::filesystem::is_directory(pathOfUtf8(cwd), ignored);
}

// What a start that found no program says: the program's name, and for a
// bare name that it was looked up in PATH (the system's reason alone names
// neither).
std::string notFound(const std::string& program, bool bare, const std::string& reason) {
    if (bare) return "not found: no program \"" + program + "\" in PATH";
    return "not found: " + program + ": " + reason;
}

}  // namespace

#ifdef _WIN32

#include <windows.h>
#include <shellapi.h>

namespace {

std::wstring wide(std::string_view text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string systemReason(DWORD error) {
    return std::system_category().message(static_cast<int>(error));
}

// The program's full path: a name with a folder as it stands (made full), a
// bare name looked up as the system looks up programs, ".exe" added when it
// has no extension.
bool findProgram(const std::string& name, std::wstring& path, DWORD& error) {
    const std::wstring w = wide(name);
    wchar_t found[32768];
    DWORD n = 0;
    if (name.find_first_of("\\/:") == std::string::npos)
        n = SearchPathW(nullptr, w.c_str(), L".exe", 32768, found, nullptr);
    else
        n = GetFullPathNameW(w.c_str(), 32768, found, nullptr);
    if (n == 0 || n >= 32768) {
        error = n == 0 ? GetLastError() : ERROR_FILENAME_EXCED_RANGE;
        return false;
    }
    path.assign(found, n);
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        error = GetLastError();
        return false;
    }
    return true;
}

bool endsWithNoCase(const std::wstring& text, const wchar_t* tail) {
    const std::size_t n = wcslen(tail);
    return text.size() >= n && _wcsicmp(text.c_str() + text.size() - n, tail) == 0;
}

}  // namespace

struct childProcess::state {
    HANDLE process = nullptr;
    HANDLE job = nullptr;
    HANDLE out = nullptr;
    HANDLE err = nullptr;
    DWORD pid = 0;
    std::mutex lock;
    bool ended = false;
    bool abandoned = false;
};

std::unique_ptr<childProcess> childProcess::start(const std::vector<std::string>& argv,
                                                  const std::string& cwd, std::string& why) {
    std::wstring application;
    DWORD error = 0;
    if (argv.empty()) {
        why = "not found: no program named";
        return nullptr;
    }
    if (!findProgram(argv[0], application, error)) {
        why = notFound(argv[0], argv[0].find_first_of("\\/:") == std::string::npos, systemReason(error));
        return nullptr;
    }
    if (endsWithNoCase(application, L".bat") || endsWithNoCase(application, L".cmd")) {
        why = "not executable: a batch file runs in the command interpreter, which would read the "
              "arguments by its own rules";
        return nullptr;
    }
    if (GetFileAttributesW(application.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        why = "not executable: it is a folder";
        return nullptr;
    }

    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr;
    HANDLE nul = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
    auto closeAll = [&] {
        for (HANDLE h : {outRead, outWrite, errRead, errWrite, nul})
            if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    };
    if (nul == INVALID_HANDLE_VALUE || !CreatePipe(&outRead, &outWrite, &inherit, 0) ||
        !CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        why = systemReason(GetLastError());
        closeAll();
        return nullptr;
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    // Only these three handles are inherited, whatever else is open.
    HANDLE handles[3] = {nul, outWrite, errWrite};
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> attributeBytes(size);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeBytes.data());
    const bool haveList = InitializeProcThreadAttributeList(attributes, 1, 0, &size) &&
                          UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST,
                                                    handles, sizeof handles, nullptr, nullptr);

    STARTUPINFOEXW info{};
    info.StartupInfo.cb = sizeof info;
    info.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    info.StartupInfo.hStdInput = nul;
    info.StartupInfo.hStdOutput = outWrite;
    info.StartupInfo.hStdError = errWrite;
    if (haveList) info.lpAttributeList = attributes;

    std::wstring commandLine = wide(windowsCommandLine(argv));
    const std::wstring folder = wide(cwd);
    PROCESS_INFORMATION started{};
    const DWORD flags = CREATE_SUSPENDED | CREATE_UNICODE_ENVIRONMENT | CREATE_NEW_PROCESS_GROUP |
                        (haveList ? EXTENDED_STARTUPINFO_PRESENT : 0);
    const BOOL ok = CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                                   flags, nullptr, folder.empty() ? nullptr : folder.c_str(),
                                   &info.StartupInfo, &started);
    error = GetLastError();
    if (haveList) DeleteProcThreadAttributeList(attributes);
    CloseHandle(outWrite);
    CloseHandle(errWrite);
    CloseHandle(nul);
    outWrite = errWrite = nul = nullptr;
    if (!ok) {
        const bool notExe = error == ERROR_BAD_EXE_FORMAT || error == ERROR_ACCESS_DENIED ||
                            error == ERROR_EXE_MACHINE_TYPE_MISMATCH;
        if (folderGone(cwd))
            why = "working folder not found: " + cwd;
        else
            why = (notExe ? "not executable: " + argv[0] + ": " : std::string()) + systemReason(error);
        closeAll();
        return nullptr;
    }

    // Into the job before its first instruction runs, so that everything it
    // starts is in the job too; closing the job's last handle ends them all.
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (job == nullptr ||
        !SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits) ||
        !AssignProcessToJobObject(job, started.hProcess)) {
        why = systemReason(GetLastError());
        TerminateProcess(started.hProcess, 1);
        CloseHandle(started.hThread);
        CloseHandle(started.hProcess);
        if (job != nullptr) CloseHandle(job);
        closeAll();
        return nullptr;
    }
    ResumeThread(started.hThread);
    CloseHandle(started.hThread);

    auto s = std::make_unique<state>();
    s->process = started.hProcess;
    s->pid = started.dwProcessId;
    s->job = job;
    s->out = outRead;
    s->err = errRead;
    return std::unique_ptr<childProcess>(new childProcess(std::move(s)));
}

childProcess::childProcess(std::unique_ptr<state> s) : s_(std::move(s)) {}

childProcess::~childProcess() {
    TerminateJobObject(s_->job, 1);
    for (HANDLE h : {s_->process, s_->job, s_->out, s_->err}) CloseHandle(h);
}

std::size_t childProcess::read(stream which, char* buffer, std::size_t size) {
    {
        std::lock_guard<std::mutex> hold(s_->lock);
        if (s_->abandoned) return 0;
    }
    DWORD got = 0;
    if (!ReadFile(which == stream::out ? s_->out : s_->err, buffer, static_cast<DWORD>(size), &got,
                  nullptr))
        return 0;
    return got;
}

// Every process of the tree is in the job and cannot leave it, so ending the
// job closes every writer: nothing can hold the output open.
void childProcess::abandonOutput() {
    std::lock_guard<std::mutex> hold(s_->lock);
    s_->abandoned = true;
}

processOutcome childProcess::wait() {
    WaitForSingleObject(s_->process, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(s_->process, &code);
    std::lock_guard<std::mutex> hold(s_->lock);
    TerminateJobObject(s_->job, 1);
    s_->ended = true;
    // An exception nothing handled ends a program with its NTSTATUS code.
    return {(code & 0xFFFF0000u) == 0xC0000000u, static_cast<int>(code)};
}

// Breaking away from the job is not allowed (no JOB_OBJECT_LIMIT_BREAKAWAY_OK
// among its limits), so the job holds every descendant already.
bool childProcess::holdWholeTree() { return true; }

void childProcess::askToEnd() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (!s_->ended) GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, s_->pid);
}

void childProcess::endNow() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (!s_->ended) TerminateJobObject(s_->job, 1);
}

long childProcess::id() const { return static_cast<long>(s_->pid); }

std::string signalName(int signal) {
    static const struct {
        DWORD status;
        const char* name;
    } names[] = {{0xC0000005, "access violation"},       {0xC000001D, "illegal instruction"},
                 {0xC0000094, "integer division by zero"}, {0xC00000FD, "stack overflow"},
                 {0xC0000135, "a DLL not found"},          {0xC0000142, "a DLL that failed to start"},
                 {0xC000013A, "Ctrl+C"},                   {0xC0000374, "heap corruption"},
                 {0xC0000409, "stack buffer overrun"},     {0xC0000417, "invalid parameter"}};
    const auto status = static_cast<DWORD>(signal);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08lX", static_cast<unsigned long>(status));
    for (const auto& n : names)
        if (n.status == status) return std::string(n.name) + " (" + hex + ")";
    return std::string("status ") + hex;
}

bool openInBrowser(const std::string& target) {
    const std::wstring w = wide(target);
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", w.c_str(), nullptr, nullptr,
                                                   SW_SHOWNORMAL)) > 32;
}

#else  // POSIX

#include <atomic>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#ifdef __linux__
#include <sys/prctl.h>
#endif

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
    int out = -1;
    int err = -1;
    int wake[2] = {-1, -1};  // written by abandonOutput to end every read
    std::mutex lock;
    bool reaped = false;
};

std::unique_ptr<childProcess> childProcess::start(const std::vector<std::string>& argv,
                                                  const std::string& cwd, std::string& why) {
    if (argv.empty()) {
        why = "not found: no program named";
        return nullptr;
    }
    auto s = std::make_unique<state>();
    int outPipe[2] = {-1, -1};
    int errPipe[2] = {-1, -1};
    auto closeAll = [&] {
        for (int* fd : {&outPipe[0], &outPipe[1], &errPipe[0], &errPipe[1], &s->wake[0], &s->wake[1]})
            closeFd(*fd);
    };
    if (pipe2(outPipe, O_CLOEXEC) != 0 || pipe2(errPipe, O_CLOEXEC) != 0 ||
        pipe2(s->wake, O_CLOEXEC) != 0) {
        why = std::strerror(errno);
        closeAll();
        return nullptr;
    }
    spawnSettings settings;
    posix_spawn_file_actions_addopen(&settings.actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&settings.actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&settings.actions, errPipe[1], 2);
    if (!cwd.empty()) posix_spawn_file_actions_addchdir_np(&settings.actions, cwd.c_str());
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
    // Nothing else of this process goes along: not the connections a server
    // has open at the time (its accepted sockets are inherited otherwise).
    posix_spawn_file_actions_addclosefrom_np(&settings.actions, 3);
#endif
    posix_spawnattr_setpgroup(&settings.attributes, 0);
    defaultSignals(settings.attributes);
    posix_spawnattr_setflags(&settings.attributes,
                             POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);

    std::vector<char*> args;
    args.reserve(argv.size() + 1);
    for (const std::string& word : argv) args.push_back(const_cast<char*>(word.c_str()));
    args.push_back(nullptr);
    pid_t pid = -1;
    const int failed = posix_spawnp(&pid, args[0], &settings.actions, &settings.attributes,
                                    args.data(), environ);
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
    for (int* fd : {&s_->out, &s_->err, &s_->wake[0], &s_->wake[1]}) closeFd(*fd);
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

#endif
