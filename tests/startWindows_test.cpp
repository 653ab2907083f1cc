// Starting programs on Windows (built only there; CI runs it under Wine):
// what the runner refuses to start.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "childProcess.h"
#include "testSupport.h"
#include "utf8.h"

namespace fs = std::filesystem;
using testSupport::fileBytes;
using testSupport::scratchFolder;
using testSupport::writeFile;

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
