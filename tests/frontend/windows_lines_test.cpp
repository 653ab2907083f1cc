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

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "../testSupport.h"

namespace {

namespace fs = std::filesystem;

struct lineCase {
    std::string target;
    std::string name;
    std::string program;
    std::string line;
    std::vector<std::string> words;  // as hexadecimal, as the printer reports them
};

std::string fromHex(const std::string& hex) {
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

std::vector<std::string> splitAt(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::size_t begin = 0;
    for (;;) {
        const std::size_t end = text.find(separator, begin);
        fields.push_back(text.substr(begin, end - begin));
        if (end == std::string::npos) return fields;
        begin = end + 1;
    }
}

std::vector<lineCase> readCases(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<lineCase> cases;
    for (std::string text; std::getline(in, text);) {
        if (text.empty() || text[0] == '#') continue;
        const std::vector<std::string> f = splitAt(text, '\t');
        if (f.size() < 4) continue;
        cases.push_back({f[0], f[1], fromHex(f[2]), fromHex(f[3]), {f.begin() + 4, f.end()}});
    }
    return cases;
}

std::wstring wide(const std::string& utf8) {
    if (utf8.empty()) return std::wstring();
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), n);
    return out;
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

// The printer's report of words given as hexadecimal: their count, then one a line.
std::string report(const std::vector<std::string>& words) {
    std::string out = std::to_string(words.size()) + "\n";
    for (const std::string& w : words) out += w + "\n";
    return out;
}

std::wstring commandInterpreter() {
    wchar_t folder[MAX_PATH];
    const UINT n = GetSystemDirectoryW(folder, MAX_PATH);
    return std::wstring(folder, n) + L"\\cmd.exe";
}

TEST(windowsLines, EveryWordArrivesAsMeant) {
    const std::vector<lineCase> cases = readCases(TARVELKIN_WINDOWS_LINES);
    ASSERT_GT(cases.size(), 50u) << "cases from " << TARVELKIN_WINDOWS_LINES;
    testSupport::scratchFolder scratch("lines");
    const fs::path& folder = scratch.path();
    for (const lineCase& c : cases) {
        const fs::path program = folder / fs::u8path(c.program);
        if (!fs::exists(program)) fs::copy_file(ARGV_PRINT, program);
    }
    const std::wstring cmd = commandInterpreter();
    // A program started directly is looked up in the current folder of the
    // process that starts it, as from a shortcut's "start in" folder.
    const fs::path before = fs::current_path();
    fs::current_path(folder);
    int run = 0;
    for (const lineCase& c : cases) {
        SCOPED_TRACE(c.target + ": " + c.name + ": " + c.line);
        std::string printed;
        if (c.target == "cmd")
            printed = runAndRead(cmd, L"cmd.exe /d /s /c \"" + wide(c.line) + L"\"", folder);
        else
            printed = runAndRead(L"", wide(c.line), folder);
        // Both runtimes' line ends read the same.
        for (std::size_t at; (at = printed.find("\r\n")) != std::string::npos;) printed.erase(at, 1);
        EXPECT_EQ(printed, report(c.words));
        ++run;
    }
    EXPECT_EQ(run, static_cast<int>(cases.size()));
    fs::current_path(before);
}

}  // namespace
