// ccview-start: what the Start menu entry runs on Windows (built only there).
// It starts ccview.exe from its own folder with no arguments, so that ccview
// serves the shelf and opens it in the person's browser, and ends. It is a
// program of the GUI subsystem, so that no console window ever shows; ccview
// gets a console of its own that is never shown (CREATE_NO_WINDOW), because
// its runner needs one: a run's Ctrl+Break, and the console programs a run
// starts, go through it.
//
// A ccview that fails at once (its server could not start) would otherwise
// leave the person with nothing at all. So for a few seconds the starter
// reads what ccview writes to standard error, and when ccview ends with a
// status other than 0 in that time, it shows that text in a message box, or
// writes it to its own standard error when it has one (a script or a test
// started it). ccview's standard input and output are the null device.
//
// Exit status: 0 when ccview still runs after those seconds, or ended with 0
// (a server already running was asked to show its page); ccview's status
// when it failed at once; 1 when ccview.exe could not be started.
#include <algorithm>
#include <string>
#include <vector>

#include "windowsApi.h"

namespace {

// How long a failure of ccview's start is waited for.
constexpr ULONGLONG watchMilliseconds = 5000;
// The most of ccview's standard error that is kept to be shown.
constexpr std::size_t keptBytes = 4096;

// What ccview wrote: UTF-8 text, or else text in the system's code page.
std::wstring wideOfOutput(const std::string& text) {
    if (text.empty()) return {};
    UINT page = CP_UTF8;
    int n = MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n == 0) {
        page = CP_ACP;
        n = MultiByteToWideChar(page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    }
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(page, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

std::string utf8OfWide(const std::wstring& text) {
    if (text.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::wstring systemReason(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD n = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                       FORMAT_MESSAGE_IGNORE_INSERTS,
                                   nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason = n > 0 ? std::wstring(text, n) : L"error " + std::to_wstring(error);
    LocalFree(text);
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' || reason.back() == L' '))
        reason.pop_back();
    return reason;
}

// Tells the person why nothing opens: on standard error when the starter has
// one, else in a message box.
void tell(const std::wstring& text) {
    HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
    if (err != nullptr && err != INVALID_HANDLE_VALUE && GetFileType(err) != FILE_TYPE_UNKNOWN) {
        const std::string line = "ccview-start: " + utf8OfWide(text) + "\n";
        DWORD written = 0;
        WriteFile(err, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
        return;
    }
    MessageBoxW(nullptr, text.c_str(), L"tarvelkin", MB_OK | MB_ICONERROR);
}

// ccview.exe in the folder of this program.
std::wstring ccviewBesideThis() {
    std::wstring path(32768, L'\0');
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(n);
    return path.substr(0, path.find_last_of(L"\\/") + 1) + L"ccview.exe";
}

// Takes what is waiting in the pipe, keeping at most keptBytes of it.
void drain(HANDLE pipe, std::string& kept) {
    char buffer[4096];
    DWORD waiting = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &waiting, nullptr) && waiting > 0) {
        DWORD got = 0;
        if (!ReadFile(pipe, buffer, waiting < sizeof buffer ? waiting : sizeof buffer, &got, nullptr) || got == 0)
            return;
        kept.append(buffer, got < keptBytes - kept.size() ? got : keptBytes - kept.size());
    }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    const std::wstring ccview = ccviewBesideThis();
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE nul = CreateFileW(L"NUL", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                             OPEN_EXISTING, 0, nullptr);
    HANDLE errRead = nullptr, errWrite = nullptr;
    if (nul == INVALID_HANDLE_VALUE || !CreatePipe(&errRead, &errWrite, &inherit, 1 << 16)) {
        tell(L"cannot start " + ccview + L": " + systemReason(GetLastError()));
        return 1;
    }
    SetHandleInformation(errRead, HANDLE_FLAG_INHERIT, 0);

    // ccview, a server that outlives the starter, inherits these two handles
    // and nothing else: no handle of whoever started the starter, which would
    // otherwise see its own pipes held open for as long as the server runs.
    for (DWORD which : {STD_INPUT_HANDLE, STD_OUTPUT_HANDLE, STD_ERROR_HANDLE}) {
        HANDLE own = GetStdHandle(which);
        if (own != nullptr && own != INVALID_HANDLE_VALUE) SetHandleInformation(own, HANDLE_FLAG_INHERIT, 0);
    }
    HANDLE handles[2] = {nul, errWrite};
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    std::vector<char> attributeBytes(size);
    auto* attributes = reinterpret_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(attributeBytes.data());
    const bool haveList = InitializeProcThreadAttributeList(attributes, 1, 0, &size) &&
                          UpdateProcThreadAttribute(attributes, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles,
                                                    sizeof handles, nullptr, nullptr);
    STARTUPINFOEXW info{};
    info.StartupInfo.cb = sizeof info;
    info.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    info.StartupInfo.hStdInput = nul;
    info.StartupInfo.hStdOutput = nul;
    info.StartupInfo.hStdError = errWrite;
    if (haveList) info.lpAttributeList = attributes;
    std::wstring commandLine = L"\"" + ccview + L"\"";
    PROCESS_INFORMATION started{};
    const DWORD flags = CREATE_NO_WINDOW | CREATE_UNICODE_ENVIRONMENT | (haveList ? EXTENDED_STARTUPINFO_PRESENT : 0);
    const BOOL ok = CreateProcessW(ccview.c_str(), commandLine.data(), nullptr, nullptr, TRUE, flags, nullptr,
                                   nullptr, &info.StartupInfo, &started);
    const DWORD error = GetLastError();
    if (haveList) DeleteProcThreadAttributeList(attributes);
    CloseHandle(errWrite);
    CloseHandle(nul);
    if (!ok) {
        CloseHandle(errRead);
        tell(L"cannot start " + ccview + L": " + systemReason(error));
        return 1;
    }
    CloseHandle(started.hThread);

    // Until ccview ends or the time is up, whichever comes first.
    std::string said;
    const ULONGLONG until = GetTickCount64() + watchMilliseconds;
    bool ended = false;
    for (ULONGLONG now = GetTickCount64(); !ended && now < until; now = GetTickCount64()) {
        drain(errRead, said);
        ended = WaitForSingleObject(started.hProcess, static_cast<DWORD>(until - now < 50 ? until - now : 50)) ==
                WAIT_OBJECT_0;
    }
    drain(errRead, said);
    DWORD code = 0;
    if (ended) GetExitCodeProcess(started.hProcess, &code);
    CloseHandle(started.hProcess);
    CloseHandle(errRead);
    if (code == 0) return 0;
    std::wstring text = ccview + L" ended at once with status " + std::to_wstring(code);
    said.erase(std::remove(said.begin(), said.end(), '\r'), said.end());
    while (!said.empty() && said.back() == '\n') said.pop_back();
    if (!said.empty()) text += L":\n" + wideOfOutput(said);
    tell(text);
    return static_cast<int>(code);
}
