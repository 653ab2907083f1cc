// ccview: writes a config's preview page, one self-contained HTML file; or,
// with --serve, serves that page on loopback with a runner for the program.
//
//   ccview CONFIG.cc [PAGE.html]
//   ccview --serve [--no-browser] [--idle-timeout MINUTES] [--cwd DIR] [--port N] CONFIG.cc -- PROGRAM [ARGS...]
//
// Without PAGE.html the page goes beside the config, with the extension .html.
// The page is written whole: to a temporary file beside it, then renamed over
// it, so an existing page is never left half-written. On success the page's
// path is printed. Exit status: 0 after writing the page and printing its
// path; 1 when the config cannot be read or breaks the format, or the page
// cannot be written (one line on standard error: "ccview: FILE: " and the
// reason, the system's for a page; no page is written or changed); 2 after
// wrong usage or a page named as the config itself; 3 when the page was
// written but its path could not be printed (the reason on standard error).
//
// Served (serve.h): the program and ARGS are fixed; the page adds the words
// it builds. A program named with a folder is taken from where ccview
// started; a bare name is looked up in PATH when it runs. Exit status 0 after
// Ctrl+C or the idle time, 1 when the config is invalid (nothing is served)
// or the server cannot start (also when the port named by --port is taken),
// 2 after wrong usage.
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "ccviewPage.h"
#include "cnfReader.h"
#include "console.h"
#include "files.h"
#include "host.h"
#include "utf8.h"
#include "serve.h"

namespace fs = std::filesystem;

namespace {

constexpr int exitFailed = 1;
constexpr int exitUsage = 2;
// The page is there, but a caller reading its path from standard output got none.
constexpr int exitPathNotPrinted = 3;

int usage(std::string_view why = {}) {
    if (!why.empty()) std::cerr << "ccview: " << why << std::endl;
    std::cerr << "usage: ccview CONFIG.cc [PAGE.html]\n"
                 "       ccview --serve [--no-browser] [--idle-timeout MINUTES] [--cwd DIR] [--port N] CONFIG.cc "
                 "-- PROGRAM [ARGS...]"
              << std::endl;
    return exitUsage;
}

int failed(const std::string& path, const std::string& why) {
    std::cerr << "ccview: " << path << ": " << why << std::endl;
    return exitFailed;
}



int serveMain(int argc, char** argv) {
    serveOptions options;
    std::string configPath;
    std::string cwd;
    int cwdAt = 0;
    int i = 2;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--") break;
        if (arg == "--no-browser") {
            options.openBrowser = false;
        } else if (arg == "--idle-timeout" || arg == "--cwd" || arg == "--port") {
            if (i + 1 == argc) return usage(std::string(arg) + " needs a value");
            const std::string value = argv[++i];
            if (arg == "--cwd") {
                cwd = value;
                cwdAt = i;
                continue;
            }
            char* end = nullptr;
            const long number = std::strtol(value.c_str(), &end, 10);
            const bool isNumber = !value.empty() && *end == 0;
            if (arg == "--port") {
                if (!isNumber || number < 1 || number > 65535) return usage("--port takes a port number, 1 to 65535");
                options.port = static_cast<int>(number);
                continue;
            }
            if (!isNumber || number < 1 || number > 10080)
                return usage("--idle-timeout takes whole minutes, 1 to 10080");
            options.idleMinutes = static_cast<int>(number);
        } else if (arg.empty() || arg[0] == '-' || !configPath.empty()) {
            return usage("unexpected " + std::string(arg));
        } else {
            configPath = arg;
        }
    }
    if (configPath.empty()) return usage("--serve needs a config");
    if (i + 1 >= argc) return usage("--serve needs \"--\" and the program to run");
    // The program's words go to it as UTF-8 on every platform.
    const std::vector<std::string> words = utf8Arguments(argc, argv);
    if (words.size() == static_cast<std::size_t>(argc)) {
        options.program.assign(words.begin() + i + 1, words.end());
        cwd = cwd.empty() ? cwd : words[cwdAt];
    }
    if (options.program[0].empty()) return usage("the program's name is empty");

    std::error_code error;
    const fs::path start = fs::current_path(error);
    const fs::path folder = cwd.empty() ? start : fs::absolute(pathOfUtf8(cwd), error);
    if (error || !fs::is_directory(folder, error)) return usage("--cwd " + cwd + ": not a folder");
    options.cwd = utf8Of(folder.lexically_normal());
    // A program named with a folder is found where ccview started, whatever
    // the working folder; a bare name is looked up in PATH.
    const fs::path program = pathOfUtf8(options.program[0]);
    if (program.has_parent_path()) options.program[0] = utf8Of((start / program).lexically_normal());

    cnfReadResult result = readCnfFile(configPath);
    if (!result.ok()) return failed(configPath, result.message);
    options.configName = utf8Of(pathOfUtf8(configPath).filename());
    options.config = std::move(result.config);
    return serve(options);
}

}  // namespace

int main(int argc, char** argv) {
    prepareProcess();
    if (argc > 1 && std::string_view(argv[1]) == "--serve") return serveMain(argc, argv);
    std::vector<std::string> names;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg.empty() || arg[0] == '-' || names.size() == 2) return usage();
        names.emplace_back(arg);
    }
    if (names.empty()) return usage();
    const std::string& configPath = names[0];
    const std::string pagePath =
        names.size() == 2 ? names[1] : fs::path(configPath).replace_extension(".html").string();

    cnfReadResult result = readCnfFile(configPath);
    if (!result.ok()) return failed(configPath, result.message);
    // Naming the config as the page would replace the config by its own page.
    std::error_code ignored;
    if (fs::equivalent(configPath, pagePath, ignored)) {
        std::cerr << "ccview: " << pagePath << ": is the config itself; name another page"
                  << std::endl;
        return exitUsage;
    }

    const std::string page = viewPage(result.config, fs::path(configPath).filename().string());
    std::error_code why;
    if (!replaceFile(pagePath, page, why)) return failed(pagePath, "cannot be written: " + why.message());
    errno = 0;
    std::cout << pagePath << std::endl;
    if (std::cout) return 0;
    const int number = errno;
    failed(pagePath, "written, but its path could not be printed: " +
                         (number != 0 ? std::generic_category().message(number) : std::string("reason unknown")));
    return exitPathNotPrinted;
}
