#include "childProcess.h"

#include <filesystem>
#include <system_error>

#include "childProcessShared.h"
#include "utf8.h"

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

bool folderGone(const std::string& cwd) {
    if (cwd.empty()) return false;
    std::error_code ignored;
    return !std::filesystem::is_directory(pathOfUtf8(cwd), ignored);
}

std::string notFound(const std::string& program, bool bare, const std::string& reason) {
    if (bare) return "not found: no program \"" + program + "\" in PATH";
    return "not found: " + program + ": " + reason;
}
