// Starting programs on Windows (built only there; CI runs it under Wine):
// what the runner refuses to start, and the Start menu's starter, which
// starts ccview.exe beside it with no arguments and no console window.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "childProcess.h"
#include "testSupport.h"
#include "utf8.h"
#include "windowsApi.h"

namespace fs = std::filesystem;
using testSupport::fileBytes;
using testSupport::scratchFolder;
using testSupport::writeFile;

namespace {

struct ended {
    int code = -1;
    std::string out, err;
};

// Starts a program, reads both its streams to their end, calls beforeWait,
// and waits for it (which ends whatever of its tree still runs).
ended runToEnd(const std::vector<std::string>& argv, const std::function<void()>& beforeWait) {
    std::string why;
    auto child = childProcess::start(argv, "", why);
    if (!child) {
        ADD_FAILURE() << argv[0] << ": " << why;
        return {};
    }
    ended seen;
    auto readAll = [&](childProcess::stream which, std::string& into) {
        char buffer[4096];
        for (std::size_t got; (got = child->read(which, buffer, sizeof buffer)) > 0;) into.append(buffer, got);
    };
    std::thread errors([&] { readAll(childProcess::stream::err, seen.err); });
    readAll(childProcess::stream::out, seen.out);
    errors.join();
    beforeWait();
    seen.code = child->wait().code;
    return seen;
}

// Waits until the file holds text, for a minute at most.
bool waitForText(const fs::path& file, const std::string& text) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
    while (fileBytes(file).find(text) == std::string::npos) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

}  // namespace

// Only a file that begins with "MZ" is started: a batch file, however it is
// named, would have the command interpreter read the arguments by its own
// rules, and anything else is no Windows program.
TEST(start, OnlyWindowsProgramsAreStarted) {
    scratchFolder dir;
    const std::string batch = "@echo off\r\necho %1\r\n";
    const std::string batchRefused =
        "not executable: a batch file runs in the command interpreter, which would read the arguments by its own rules";
    const std::string notAProgram = ": not a Windows program (its file does not begin with \"MZ\")";
    const struct {
        std::string file;
        std::string bytes;
        std::string named;  // the program's name as given: the file's path and this
        std::string why;    // empty: it starts; "+" stands for the name given
    } cases[] = {
        {"tool.bat", batch, "", batchRefused},
        {"tool.cmd", batch, "", batchRefused},
        {"TOOL2.BAT", batch, "", batchRefused},
        {"renamed.exe", batch, "", "+" + notAProgram},
        {"notes.exe", "just some notes\r\n", "", "+" + notAProgram},
        {"empty.exe", "", "", "+" + notAProgram},
        {"one.exe", "M", "", "+" + notAProgram},
        {"script", "#!/bin/sh\necho hi\n", "", "+" + notAProgram},
        // A batch file that begins with "MZ", named with a trailing dot that
        // the system drops: it is still a batch file.
        {"mz.bat", "MZ\r\n" + batch, ".", batchRefused},
        {"real.exe", fileBytes(ARGV_PRINT), "", ""},
        {"real copy.com", fileBytes(ARGV_PRINT), "", ""},
    };
    for (const auto& t : cases) {
        const std::string name = utf8Of(dir.path() / t.file) + t.named;
        SCOPED_TRACE(name);
        writeFile(dir.path() / t.file, t.bytes);
        std::string why;
        auto child = childProcess::start({name, "one word"}, "", why);
        if (t.why.empty()) {
            ASSERT_TRUE(child) << why;
            std::string out;
            char buffer[256];
            for (std::size_t got; (got = child->read(childProcess::stream::out, buffer, sizeof buffer)) > 0;)
                out.append(buffer, got);
            EXPECT_EQ(child->wait().code, 0);
            EXPECT_EQ(out.substr(0, 2), "1\n");
            continue;
        }
        EXPECT_FALSE(child);
        EXPECT_EQ(why, t.why[0] == '+' ? "not executable: " + name + t.why.substr(1) : t.why);
    }
}

// The starter starts ccview.exe from its own folder with no arguments, in a
// console of its own that has no window, and ends; a ccview that fails at
// once is reported with what it wrote, and ccview.exe missing with the reason.
TEST(start, TheStarterStartsCcviewWithoutAConsoleWindow) {
    const struct {
        std::string then;  // what the stand-in ccview.exe does; empty: there is none
        int code;
        std::string err;  // "{ccview}" stands for the path of ccview.exe
        std::string log;
    } cases[] = {
        {"stay", 0, "", "arguments 0\nconsole hidden\n"},
        {"done", 0, "", "arguments 0\nconsole hidden\n"},
        {"fail", 3, "ccview-start: {ccview} ended at once with status 3:\nprobe: refused\n", "arguments 0\nconsole hidden\n"},
        {"", 1, "ccview-start: cannot start {ccview}: ", ""},
    };
    for (const auto& t : cases) {
        SCOPED_TRACE(t.then);
        scratchFolder dir;
        fs::copy_file(CCVIEW_START, dir.path() / "ccview-start.exe");
        const fs::path ccview = dir.path() / "ccview.exe";
        if (!t.then.empty()) fs::copy_file(START_PROBE, ccview);
        const fs::path log = dir.path() / "probe.log";
        SetEnvironmentVariableW(L"START_PROBE_LOG", log.c_str());
        SetEnvironmentVariableW(L"START_PROBE_THEN", fs::path(t.then).c_str());
        std::string logWhenEnded;
        const ended starter = runToEnd({utf8Of(dir.path() / "ccview-start.exe"), "ignored"}, [&] {
            logWhenEnded = fileBytes(log);
            if (t.then != "stay") return;
            // The starter has ended (its output with it); ccview runs on until it is done.
            writeFile(log.string() + ".release", "");
            EXPECT_TRUE(waitForText(log, "ended\n"));
        });
        EXPECT_EQ(logWhenEnded, t.log);
        EXPECT_EQ(starter.code, t.code);
        EXPECT_EQ(starter.out, "");
        std::string err = t.err;
        testSupport::replaceAll(err, "{ccview}", utf8Of(ccview));
        EXPECT_EQ(starter.err.substr(0, t.code == 1 ? err.size() : std::string::npos), err);
        if (t.code == 1) {
            EXPECT_GT(starter.err.size(), err.size() + 1) << "the system's reason follows";
        }
    }
    SetEnvironmentVariableW(L"START_PROBE_LOG", nullptr);
    SetEnvironmentVariableW(L"START_PROBE_THEN", nullptr);
}
