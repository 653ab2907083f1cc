// ccdump: prints a compiled config readably, as one JSON document, or as a
// script that tarvelkin compiles to the same config.
//
//   ccdump [--json | --script [-o FILE.sc]] FILE.cc
//
// --script prints the script on standard output, or with -o writes it whole to
// FILE.sc (through a temporary file renamed over it) and prints nothing.
//
// Exit status: 0 after printing (or writing); 1 with one line on standard
// error and nothing printed or written when the file cannot be read or breaks
// the format ("ccdump: FILE: " and the reader's message), when no script gives
// the config ("ccdump: FILE: no script compiles to this config: " and the item
// and the reason) or when FILE.sc cannot be written ("ccdump: FILE.sc: cannot
// be written"); 2 after wrong usage (the usage line on standard error).
#include <iostream>
#include <string>
#include <string_view>

#include "cnfDump.h"
#include "cnfReader.h"
#include "cnfScript.h"
#include "console.h"
#include "files.h"

namespace {

constexpr int exitInvalid = 1;
constexpr int exitUsage = 2;

int usage() {
    std::cerr << "usage: ccdump [--json | --script [-o FILE.sc]] FILE.cc" << std::endl;
    return exitUsage;
}

enum class form { text, json, script };

int printScript(const std::string& path, const cnfConfig& cfg, const std::string* outPath) {
    const cnfScriptResult script = cnfScript(cfg);
    if (!script.ok()) {
        std::cerr << "ccdump: " << path << ": no script compiles to this config: " << script.why
                  << std::endl;
        return exitInvalid;
    }
    if (outPath != nullptr) {
        if (replaceFile(*outPath, script.script)) return 0;
        std::cerr << "ccdump: " << *outPath << ": cannot be written" << std::endl;
        return exitInvalid;
    }
    // The script's bytes are exact: a carriage return must not be added.
    binaryStandardOutput();
    std::cout << script.script << std::flush;
    return std::cout ? 0 : exitInvalid;
}

}  // namespace

int main(int argc, char** argv) {
    form mode = form::text;
    bool modeGiven = false;
    std::string path;
    bool havePath = false;
    std::string outPath;
    bool haveOut = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if ((arg == "--json" || arg == "--script") && !modeGiven) {
            mode = arg == "--json" ? form::json : form::script;
            modeGiven = true;
        } else if (arg == "-o" && !haveOut && i + 1 < argc && argv[i + 1][0] != '\0') {
            outPath = argv[++i];
            haveOut = true;
        } else if (!havePath && !arg.empty() && arg[0] != '-') {
            path = arg;
            havePath = true;
        } else {
            return usage();
        }
    }
    if (!havePath || (haveOut && mode != form::script)) return usage();

    cnfReadResult result = readCnfFile(path);
    if (!result.ok()) {
        std::cerr << "ccdump: " << path << ": " << result.message << std::endl;
        return exitInvalid;
    }
    if (mode == form::script) return printScript(path, result.config, haveOut ? &outPath : nullptr);
    std::cout << (mode == form::json ? cnfDumpJson(result.config) : cnfDumpText(result.config))
              << std::flush;
    return std::cout ? 0 : exitInvalid;
}
