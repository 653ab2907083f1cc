// ccview: writes a config's preview page, one self-contained HTML file; or,
// with --serve, serves that page on loopback with a runner for the program;
// or, with no config, serves the person's shelf of configs.
//
//   ccview CONFIG.cc [PAGE.html]
//   ccview --serve [OPTIONS] CONFIG.cc -- PROGRAM [ARGS...]
//   ccview [--serve] [OPTIONS] [FOLDER]
//   OPTIONS: --no-browser, --idle-timeout MINUTES, --cwd DIR, --port N
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
//
// The shelf (serve.h, shelf.h): the configs of the person's own folder and
// those installed with ccview, or those of FOLDER. The shelf of the person's
// folders is the person's one server: started again, ccview opens the running
// one's page instead, and exits 0.
#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "ccviewPage.h"
#include "childProcess.h"
#include "cnfReader.h"
#include "console.h"
#include "files.h"
#include "host.h"
#include "serve.h"
#include "userFolders.h"
#include "utf8.h"

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
                 "-- PROGRAM [ARGS...]\n"
                 "       ccview [--serve] [--no-browser] [--idle-timeout MINUTES] [--cwd DIR] [--port N] [FOLDER]"
              << std::endl;
    return exitUsage;
}

int failed(const std::string& path, const std::string& why) {
    std::cerr << "ccview: " << path << ": " << why << std::endl;
    return exitFailed;
}

// The folders of the person's shelf: their own (made when missing), and the
// configs installed with ccview: share/tarvelkin/examples beside the
// program's bin/ folder, or config/ beside the program (the Windows folder
// and the build's).
std::vector<shelfFolder> personShelf() {
    std::vector<shelfFolder> folders;
    std::string data, why;
    if (makeUserFolder(userFolder::data, data, why)) {
        const fs::path own = pathOfUtf8(data) / "configs";
        std::error_code error;
        fs::create_directory(own, error);
        if (fs::is_directory(own, error)) folders.push_back({utf8Of(own), true});
        else why = utf8Of(own) + ": cannot be made: " + error.message();
    }
    if (folders.empty()) std::cerr << "ccview: warning: no folder of your own for configs: " << why << std::endl;
    const fs::path self = pathOfUtf8(thisProgramPath()).parent_path();
    for (const fs::path& installed : {self.parent_path() / "share" / "tarvelkin" / "examples", self / "config"}) {
        std::error_code error;
        if (!self.empty() && fs::is_directory(installed, error)) {
            folders.push_back({utf8Of(installed.lexically_normal()), false});
            break;
        }
    }
    return folders;
}

int serveMain(const std::vector<std::string>& words, std::size_t first) {
    serveOptions options;
    std::string configPath;
    std::string cwd;
    const std::size_t count = words.size();
    std::size_t i = first;
    for (; i < count; ++i) {
        const std::string_view arg = words[i];
        if (arg == "--") break;
        if (arg == "--no-browser") {
            options.openBrowser = false;
        } else if (arg == "--idle-timeout" || arg == "--cwd" || arg == "--port") {
            if (i + 1 == count) return usage(std::string(arg) + " needs a value");
            const std::string& value = words[++i];
            if (arg == "--cwd") {
                cwd = value;
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
    std::error_code error;
    const fs::path start = fs::current_path(error);
    const bool shelf = i == count && (configPath.empty() || fs::is_directory(pathOfUtf8(configPath), error));
    // A shelf's programs run in the home folder, as a desktop starts them.
    const std::string home = homeFolderPath();
    const fs::path folder = !cwd.empty()                ? fs::absolute(pathOfUtf8(cwd), error)
                            : shelf && !home.empty()    ? pathOfUtf8(home)
                                                        : start;
    if (error || !fs::is_directory(folder, error)) return usage("--cwd " + cwd + ": not a folder");
    options.cwd = utf8Of(folder.lexically_normal());
    if (shelf) {
        options.personal = configPath.empty();
        options.shelfFolders = configPath.empty()
                                   ? personShelf()
                                   : std::vector<shelfFolder>{{utf8Of(fs::absolute(pathOfUtf8(configPath), error)
                                                                          .lexically_normal()),
                                                               true}};
        return serve(options);
    }
    if (configPath.empty()) return usage("--serve needs a config");
    if (i + 1 >= count) return usage("--serve needs \"--\" and the program to run");
    options.program.assign(words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
    if (options.program[0].empty()) return usage("the program's name is empty");
    // A program named with a folder is found where ccview started, whatever
    // the working folder; a bare name is looked up in PATH.
    const fs::path program = pathOfUtf8(options.program[0]);
    if (program.has_parent_path()) options.program[0] = utf8Of((start / program).lexically_normal());

    cnfReadResult result = readCnfFile(systemTextOfUtf8(configPath));
    if (!result.ok()) return failed(configPath, result.message);
    options.configName = utf8Of(pathOfUtf8(configPath).filename());
    options.config = std::move(result.config);
    return serve(options);
}

// Writes the page of one config. Its paths go to the file functions, and the
// page's to standard output, in the system's own narrow text.
int pageMain(const std::vector<std::string>& words) {
    std::vector<std::string> names;
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& arg = words[i];
        if (arg.empty() || arg[0] == '-' || names.size() == 2) return usage();
        names.push_back(systemTextOfUtf8(arg));
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

}  // namespace

int main(int argc, char** argv) {
    // A run's keeper, started by this program's server (childProcess.h).
    if (argc > 1 && std::string_view(argv[1]) == childProcess::keeperOption) return childProcess::keeperMain(argc, argv);
    prepareProcess();
    // The words are read once, as UTF-8 (on Windows from the wide command
    // line, as the C runtime would split it but never expanding wildcards),
    // and every option is taken from them.
    const std::vector<std::string> words = utf8Arguments(argc, argv);
    if (words.size() > 1 && words[1] == "--serve") return serveMain(words, 2);
    // No config: the shelf, with the server's options.
    static const std::string_view serverWords[] = {"--no-browser", "--idle-timeout", "--cwd", "--port"};
    if (words.size() <= 1 || std::find(std::begin(serverWords), std::end(serverWords), words[1]) !=
                                 std::end(serverWords))
        return serveMain(words, 1);
    return pageMain(words);
}
