// Starting and stopping programs on Windows: CreateProcessW and a Job Object.
#include "childProcess.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>

#include "childProcessShared.h"
#include "utf8.h"

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

bool batchName(const std::wstring& path) {
    return endsWithNoCase(path, L".bat") || endsWithNoCase(path, L".cmd");
}

// Opens the program's file to see what it is, and keeps it open (shared for
// reading only) until CreateProcessW has it, so that it cannot be replaced in
// between. Refused: a batch file by its name (which the system has made full:
// a trailing dot or blank is gone), since the system starts a batch file by
// its name's extension, whatever it holds; and any file that does not begin
// with "MZ", as every Windows program does, whatever its name: a batch file
// renamed .exe, a script, a text file. Null when refused, with why saying so.
HANDLE openProgram(const std::wstring& path, const std::string& name, std::string& why) {
    if (batchName(path)) {
        why = "not executable: a batch file runs in the command interpreter, which would read the arguments by "
              "its own rules";
        return nullptr;
    }
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        why = "not executable: " + name + ": " + systemReason(GetLastError());
        return nullptr;
    }
    char head[2] = {};
    DWORD got = 0;
    if (ReadFile(file, head, sizeof head, &got, nullptr) && got == sizeof head && head[0] == 'M' && head[1] == 'Z')
        return file;
    CloseHandle(file);
    why = "not executable: " + name + ": not a Windows program (its file does not begin with \"MZ\")";
    return nullptr;
}

}  // namespace

struct childProcess::state {
    HANDLE process = nullptr;
    HANDLE job = nullptr;
    HANDLE in = nullptr;  // the input pipe's end, which writeInput writes
    HANDLE out = nullptr;
    HANDLE err = nullptr;
    DWORD pid = 0;
    std::mutex lock;
    bool ended = false;
    bool abandoned = false;
    bool inputAbandoned = false;
    HANDLE writer = nullptr;  // the thread in writeInput, if one is
};

std::unique_ptr<childProcess> childProcess::start(const std::vector<std::string>& argv,
                                                  const std::string& cwd, std::string& why, childInput input) {
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
    if (GetFileAttributesW(application.c_str()) & FILE_ATTRIBUTE_DIRECTORY) {
        why = "not executable: it is a folder";
        return nullptr;
    }
    HANDLE image = openProgram(application, argv[0], why);
    if (image == nullptr) return nullptr;

    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE outRead = nullptr, outWrite = nullptr, errRead = nullptr, errWrite = nullptr, inWrite = nullptr;
    // Standard input: the null device, or the reading end of a pipe (held in
    // nul either way: the handle the program inherits as its input).
    HANDLE nul = nullptr;
    auto closeAll = [&] {
        for (HANDLE h : {outRead, outWrite, errRead, errWrite, nul, inWrite, image})
            if (h != nullptr && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    };
    const bool piped = input == childInput::pipe;
    const bool haveInput = piped ? CreatePipe(&nul, &inWrite, &inherit, 0) != 0
                                 : (nul = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                                      OPEN_EXISTING, 0, nullptr)) != INVALID_HANDLE_VALUE;
    if (!haveInput || !CreatePipe(&outRead, &outWrite, &inherit, 0) || !CreatePipe(&errRead, &errWrite, &inherit, 0)) {
        why = systemReason(GetLastError());
        closeAll();
        return nullptr;
    }
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);
    if (inWrite != nullptr) SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);

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
    CloseHandle(image);
    outWrite = errWrite = nul = image = nullptr;
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
    s->in = inWrite;
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
    if (s_->in != nullptr) CloseHandle(s_->in);
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

bool childProcess::writeInput(const char* data, std::size_t size) {
    HANDLE self = nullptr;
    {
        std::lock_guard<std::mutex> hold(s_->lock);
        if (s_->in == nullptr || s_->inputAbandoned) return false;
        // This thread, for abandonInput to cancel a write that blocks.
        if (!DuplicateHandle(GetCurrentProcess(), GetCurrentThread(), GetCurrentProcess(), &self, 0, FALSE,
                             DUPLICATE_SAME_ACCESS))
            self = nullptr;
        s_->writer = self;
    }
    bool ok = true;
    while (ok && size > 0) {
        DWORD put = 0;
        ok = WriteFile(s_->in, data, static_cast<DWORD>(size < 65536 ? size : 65536), &put, nullptr) != 0;
        data += put;
        size -= put;
    }
    std::lock_guard<std::mutex> hold(s_->lock);
    s_->writer = nullptr;
    if (self != nullptr) CloseHandle(self);
    return ok && !s_->inputAbandoned;
}

void childProcess::closeInput() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (s_->in != nullptr) CloseHandle(s_->in);
    s_->in = nullptr;
}

void childProcess::abandonInput() {
    std::lock_guard<std::mutex> hold(s_->lock);
    s_->inputAbandoned = true;
    if (s_->writer != nullptr) CancelSynchronousIo(s_->writer);
}

// Windows shows no thread's blocked call and its handle to another process:
// an anonymous pipe's writer cannot tell a pending read from none.
inputWait childProcess::waitingForInput() const { return inputWait::unknown; }

const char* inputLineEnd() { return "\r\n"; }

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
// among its limits), so the job holds every descendant already, and it ends
// them all when its last handle closes, this process's, however it ends.
bool childProcess::holdWholeTree() { return true; }

// No keeper is needed here: the job is one.
int childProcess::keeperMain(int, char**) { return 2; }

void childProcess::askToEnd() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (!s_->ended) GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, s_->pid);
}

void childProcess::endNow() {
    std::lock_guard<std::mutex> hold(s_->lock);
    if (!s_->ended) TerminateJobObject(s_->job, 1);
}

long childProcess::id() const { return static_cast<long>(s_->pid); }

std::string programPath(const std::string& name, const std::string& besideFolder) {
    std::wstring found;
    DWORD error = 0;
    if (!besideFolder.empty() && name.find_first_of("\\/:") == std::string::npos) {
        const std::wstring beside = wide(besideFolder) + L"\\" + wide(name) + L".exe";
        const DWORD attributes = GetFileAttributesW(beside.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            return utf8Of(std::filesystem::path(beside));
    }
    if (name.empty() || !findProgram(name, found, error)) return {};
    const DWORD attributes = GetFileAttributesW(found.c_str());
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return {};
    return utf8Of(std::filesystem::path(found));
}

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
