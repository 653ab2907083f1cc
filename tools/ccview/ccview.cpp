// ccview: writes a config's preview page, one self-contained HTML file.
//
//   ccview CONFIG.cc [PAGE.html]
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
#include <cerrno>
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

namespace fs = std::filesystem;

namespace {

constexpr int exitFailed = 1;
constexpr int exitUsage = 2;
// The page is there, but a caller reading its path from standard output got none.
constexpr int exitPathNotPrinted = 3;

int usage() {
    std::cerr << "usage: ccview CONFIG.cc [PAGE.html]" << std::endl;
    return exitUsage;
}

int failed(const std::string& path, const std::string& why) {
    std::cerr << "ccview: " << path << ": " << why << std::endl;
    return exitFailed;
}

}  // namespace

int main(int argc, char** argv) {
    prepareProcess();
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
