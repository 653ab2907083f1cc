// The command lines the preview page builds for Windows, through the real
// parsers: each line is run by the command interpreter (cmd.exe /d /s /c
// "LINE", as if pasted into a console window) or started directly (the line
// as a process's command line), and starts the argument printer, whose report
// must be exactly the words the page meant. "raw" cases start the printer with
// key data as it stands, so that the printer's runtime reads it: the page must
// read key data into the same words. The cases come from the page's own code
// (command-lines.js, run at build time).
//
// Wine stands in for Windows here. Its command interpreter differs from
// Windows' in places; the page marks what either could misread as unsafe for
// cmd and makes no line for it, so no case depends on such a difference.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../testSupport.h"

namespace {

namespace fs = std::filesystem;

std::string fromHex(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

std::wstring utf16FromHex(const std::string& hex) {
    const std::string bytes = fromHex(hex);
    std::wstring out;
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        out += static_cast<wchar_t>(static_cast<unsigned char>(bytes[i]) |
                                    static_cast<unsigned char>(bytes[i + 1]) << 8);
    return out;
}

struct lineCase {
    std::string target;
    std::string name;
    std::wstring program;
    std::wstring line;
    std::string expected;  // the printer's report
};

std::vector<lineCase> readCases(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<lineCase> cases;
    for (std::string text; std::getline(in, text);) {
        std::istringstream fields(text);
        std::string f[5];
        for (std::string& field : f) std::getline(fields, field, '\t');
        cases.push_back({f[0], f[1], utf16FromHex(f[2]), utf16FromHex(f[3]), fromHex(f[4])});
    }
    return cases;
}

// Starts application (or, when empty, the program the command line names)
// with commandLine in folder, and returns what it wrote to standard output;
// "start failed" and the error when it could not be started.
std::string runAndRead(const std::wstring& application, std::wstring commandLine, const fs::path& folder) {
    SECURITY_ATTRIBUTES inherit{sizeof(SECURITY_ATTRIBUTES), nullptr, TRUE};
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &inherit, 0)) return "pipe failed";
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOW start{};
    start.cb = sizeof start;
    start.dwFlags = STARTF_USESTDHANDLES;
    start.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    start.hStdOutput = writeEnd;
    start.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    // Wine now and then fails a start it makes a moment later; a start that
    // fails says nothing of the line, so it is tried again.
    BOOL started = FALSE;
    for (int attempt = 0; attempt < 3 && !started; ++attempt) {
        if (attempt > 0) Sleep(200);
        started = CreateProcessW(application.empty() ? nullptr : application.c_str(), commandLine.data(), nullptr,
                                 nullptr, TRUE, 0, nullptr, folder.wstring().c_str(), &start, &process);
    }
    const DWORD startError = started ? 0 : GetLastError();
    CloseHandle(writeEnd);
    std::string out;
    if (started) {
        char buffer[4096];
        DWORD got = 0;
        while (ReadFile(readEnd, buffer, sizeof buffer, &got, nullptr) && got > 0) out.append(buffer, got);
        WaitForSingleObject(process.hProcess, INFINITE);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    } else {
        out = "start failed: error " + std::to_string(startError);
    }
    CloseHandle(readEnd);
    return out;
}

TEST(windowsLines, EveryWordArrivesAsMeant) {
    const std::vector<lineCase> cases = readCases(TARVELKIN_WINDOWS_LINES);
    ASSERT_GT(cases.size(), 50u) << "cases from " << TARVELKIN_WINDOWS_LINES;
    testSupport::scratchFolder scratch("lines");
    const fs::path& folder = scratch.path();
    for (const lineCase& c : cases)
        if (!fs::exists(folder / c.program)) fs::copy_file(ARGV_PRINT, folder / c.program);
    wchar_t system[MAX_PATH];
    const std::wstring cmd = std::wstring(system, GetSystemDirectoryW(system, MAX_PATH)) + L"\\cmd.exe";
    // A program started directly is looked up in the current folder of the
    // process that starts it, as from a shortcut's "start in" folder.
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    for (const lineCase& c : cases) {
        SCOPED_TRACE(c.target + ": " + c.name);
        const std::string printed = c.target == "cmd"
                                        ? runAndRead(cmd, L"cmd.exe /d /s /c \"" + c.line + L"\"", folder)
                                        : runAndRead(L"", c.line, folder);
        EXPECT_EQ(printed, c.expected);
    }
    fs::current_path(before);
}

}  // namespace
