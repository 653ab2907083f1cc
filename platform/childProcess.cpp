#include "childProcess.h"

#include <cstring>
#include <mutex>
#include <system_error>

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
        why = "not found: " + systemReason(error);
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
        why = (notExe ? "not executable: " : "") + systemReason(error);
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
    return {false, static_cast<int>(code)};
}

void childProcess::askToEnd() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (!s_->ended) GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, s_->pid);
}

void childProcess::endNow() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (!s_->ended) TerminateJobObject(s_->job, 1);
}

long childProcess::id() const { return static_cast<long>(s_->pid); }

std::string signalName(int signal) { return "signal " + std::to_string(signal); }

bool openInBrowser(const std::string& url) {
    const std::wstring w = wide(url);
    return reinterpret_cast<INT_PTR>(ShellExecuteW(nullptr, L"open", w.c_str(), nullptr, nullptr,
                                                   SW_SHOWNORMAL)) > 32;
}

#else  // POSIX

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

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
void defaultSignals(posix_spawnattr_t& attributes) {
    sigset_t defaults;
    sigemptyset(&defaults);
    for (int s : {SIGPIPE, SIGINT, SIGTERM, SIGHUP, SIGQUIT}) sigaddset(&defaults, s);
    posix_spawnattr_setsigdefault(&attributes, &defaults);
    sigset_t none;
    sigemptyset(&none);
    posix_spawnattr_setsigmask(&attributes, &none);
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
        if (failed == ENOENT || failed == ENOTDIR)
            why = "not found: ";
        else if (failed == EACCES || failed == ENOEXEC || failed == EPERM || failed == EISDIR)
            why = "not executable: ";
        why += std::strerror(failed);
        closeAll();
        return nullptr;
    }
    s->pid = pid;
    s->out = outPipe[0];
    s->err = errPipe[0];
    return std::unique_ptr<childProcess>(new childProcess(std::move(s)));
}

childProcess::childProcess(std::unique_ptr<state> s) : s_(std::move(s)) {}

childProcess::~childProcess() {
    bool reaped = false;
    {
        std::lock_guard<std::mutex> hold(s_->lock);
        reaped = s_->reaped;
        if (!reaped) ::kill(-s_->pid, SIGKILL);
    }
    if (!reaped) waitpid(s_->pid, nullptr, 0);
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
    int status = 0;
    while (waitpid(s_->pid, &status, 0) < 0 && errno == EINTR) {
    }
    s_->reaped = true;
    if (WIFSIGNALED(status)) return {true, WTERMSIG(status)};
    return {false, WEXITSTATUS(status)};
}

void childProcess::askToEnd() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (!s_->reaped) ::kill(-s_->pid, SIGTERM);
}

void childProcess::endNow() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (!s_->reaped) ::kill(-s_->pid, SIGKILL);
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

bool openInBrowser(const std::string& url) {
#ifdef __APPLE__
    const char* opener = "open";
#else
    const char* opener = "xdg-open";
#endif
    spawnSettings settings;
    for (int fd = 0; fd < 3; ++fd)
        posix_spawn_file_actions_addopen(&settings.actions, fd, "/dev/null", fd == 0 ? O_RDONLY : O_WRONLY, 0);
    defaultSignals(settings.attributes);
    posix_spawnattr_setflags(&settings.attributes, POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETSIGMASK);
    std::string urlCopy = url;
    char* args[] = {const_cast<char*>(opener), urlCopy.data(), nullptr};
    pid_t pid = -1;
    if (posix_spawnp(&pid, opener, &settings.actions, &settings.attributes, args, environ) != 0)
        return false;
    std::thread([pid] { waitpid(pid, nullptr, 0); }).detach();
    return true;
}

#endif
