// ccdump: prints a compiled config readably, or as one JSON document.
//
//   ccdump [--json] FILE.cc
//
// Exit status: 0 after printing a valid config; 1 when the file cannot be read
// or breaks the format (one line on standard error: "ccdump: FILE: " and the
// reader's message, nothing on standard output); 2 after wrong usage (the usage
// line on standard error).
#include <iostream>
#include <string>
#include <string_view>

#include "cnfDump.h"
#include "cnfReader.h"

namespace {

constexpr int exitInvalid = 1;
constexpr int exitUsage = 2;

int usage() {
    std::cerr << "usage: ccdump [--json] FILE.cc" << std::endl;
    return exitUsage;
}

}  // namespace

int main(int argc, char** argv) {
    bool json = false;
    std::string path;
    bool havePath = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--json" && !json) {
            json = true;
        } else if (!havePath && !arg.empty() && arg[0] != '-') {
            path = arg;
            havePath = true;
        } else {
            return usage();
        }
    }
    if (!havePath) return usage();

    cnfReadResult result = readCnfFile(path);
    if (!result.ok()) {
        std::cerr << "ccdump: " << path << ": " << result.message << std::endl;
        return exitInvalid;
    }
    std::cout << (json ? cnfDumpJson(result.config) : cnfDumpText(result.config)) << std::flush;
    return std::cout ? 0 : exitInvalid;
}
