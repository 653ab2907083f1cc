// Helpers the test programs share: environment variables, whole files,
// scratch folders, repeated and replaced text, compiling a script in memory,
// and (on POSIX) running a built program from a shell as a user runs it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <sys/wait.h>
#endif

#include "compileText.h"

namespace testSupport {

namespace fs = std::filesystem;

#ifdef _WIN32
constexpr bool onWindows = true;
#else
constexpr bool onWindows = false;
#endif

// Sets an environment variable for this program and those it starts.
inline void setVariable(const char* name, const std::string& value) {
#ifdef _WIN32
    _putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);
#endif
}

// A whole file's bytes; empty when it cannot be read.
inline std::string fileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Writes a whole file, creating its folder first.
inline void writeFile(const fs::path& path, std::string_view bytes) {
    if (path.has_parent_path()) fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    EXPECT_TRUE(out.good()) << "cannot write " << path;
}

inline std::string repeated(std::string_view text, std::size_t times) {
    std::string out;
    out.reserve(text.size() * times);
    for (std::size_t i = 0; i < times; ++i) out += text;
    return out;
}

inline void replaceAll(std::string& text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

// Lines with their ">>repeat N" ... ">>end" blocks written out N times, "{i}"
// becoming the repetition's number, 1 to N. False, with the index of the
// ">>repeat" line in bad, for a block without ">>end" or with no repetition.
inline bool expandRepeats(const std::vector<std::string>& lines, std::vector<std::string>& out,
                          std::size_t& bad) {
    out.clear();
    for (std::size_t n = 0; n < lines.size(); ++n) {
        if (lines[n].rfind(">>repeat ", 0) != 0) {
            out.push_back(lines[n]);
            continue;
        }
        const int count = std::atoi(lines[n].c_str() + 9);
        std::size_t end = n + 1;
        while (end < lines.size() && lines[end] != ">>end") ++end;
        if (end == lines.size() || count <= 0) {
            bad = n;
            return false;
        }
        for (int i = 1; i <= count; ++i) {
            for (std::size_t k = n + 1; k < end; ++k) {
                std::string line = lines[k];
                replaceAll(line, "{i}", std::to_string(i));
                out.push_back(std::move(line));
            }
        }
        n = end;
    }
    return true;
}

// The config a script compiles to (the script must compile).
inline std::string compiled(const std::string& script) {
    const compileResult result = compileText(script, "test.sc");
    EXPECT_TRUE(result.ok()) << result.error->message();
    return result.config;
}

// A fresh, empty folder of its own, removed with everything in it when the
// object goes. Its path is the one a program started in it sees as its current
// folder: canonical on POSIX; on Windows the full path as made.
class scratchFolder {
public:
    explicit scratchFolder(std::string_view prefix = "tarvelkin-test") {
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const fs::path p = fs::temp_directory_path() /
                               (std::string(prefix) + "-" + std::to_string(random()));
            if (!fs::create_directory(p)) continue;
#ifdef _WIN32
            path_ = fs::absolute(p);
#else
            path_ = fs::canonical(p);
#endif
            return;
        }
        throw std::runtime_error("cannot create a temporary folder");
    }
    ~scratchFolder() {
        std::error_code ec;
        // Whatever a test made unwritable becomes writable again, so that it goes too.
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
             it.increment(ec))
            if (!it->is_symlink(ec)) fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(path_, ec);
    }
    scratchFolder(const scratchFolder&) = delete;
    scratchFolder& operator=(const scratchFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

#ifndef _WIN32

// A path quoted for the shell (the test paths hold no quote).
inline std::string quoted(const fs::path& path) {
    std::string text = "'";
    text += path.string();
    text += '\'';
    return text;
}

struct runResult {
    int exit = -1;
    std::string out;
    std::string err;
};

// Runs program with the shell-quoted args, standard input empty, and returns
// its exit status and what it printed. The output is kept in files in dir,
// which are removed again; standard output goes to stdoutTo instead when it is
// given (/dev/full, say).
inline runResult runProgram(const fs::path& program, const std::string& args, const fs::path& dir,
                            const fs::path& stdoutTo = {}) {
    const fs::path out = dir / ".stdout", err = dir / ".stderr";
    const std::string command = quoted(program) + " " + args + " >" + quoted(stdoutTo.empty() ? out : stdoutTo) +
                                " 2>" + quoted(err) + " </dev/null";
    const int status = std::system(command.c_str());
    runResult r{WIFEXITED(status) ? WEXITSTATUS(status) : -1, fileBytes(out), fileBytes(err)};
    fs::remove(out);
    fs::remove(err);
    return r;
}

#endif

}  // namespace testSupport
