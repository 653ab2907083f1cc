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
// be written: " and the system's reason); also 1, said the same way, when
// standard output cannot take what is printed; 2 after wrong usage (the usage
// line on standard error) and when FILE.sc is the config itself, under any
// name or link (writing it would replace the config by its script).
#include <cerrno>
#include <filesystem>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>

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

// The system's reason for a failed write, from its error number.
std::string reasonOf(int number) {
    return number != 0 ? std::generic_category().message(number) : std::string("reason unknown");
}

// Flushes what was printed; 0 when standard output took it all, else 1 with
// the reason on standard error.
int printed() {
    errno = 0;
    std::cout.flush();
    if (std::cout) return 0;
    const int number = errno;
    std::cerr << "ccdump: standard output: cannot be written: " << reasonOf(number) << std::endl;
    return exitInvalid;
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
        std::error_code why;
        if (replaceFile(*outPath, script.script, why)) return 0;
        std::cerr << "ccdump: " << *outPath << ": cannot be written: " << why.message() << std::endl;
        return exitInvalid;
    }
    // The script's bytes are exact: a carriage return must not be added.
    binaryStandardOutput();
    std::cout << script.script;
    return printed();
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
    // Naming the config as the script would replace the config by its script.
    std::error_code ignored;
    if (haveOut && std::filesystem::equivalent(path, outPath, ignored)) {
        std::cerr << "ccdump: " << outPath << ": is the config itself; name another script" << std::endl;
        return exitUsage;
    }

    cnfReadResult result = readCnfFile(path);
    if (!result.ok()) {
        std::cerr << "ccdump: " << path << ": " << result.message << std::endl;
        return exitInvalid;
    }
    if (mode == form::script) return printScript(path, result.config, haveOut ? &outPath : nullptr);
    std::cout << (mode == form::json ? cnfDumpJson(result.config) : cnfDumpText(result.config));
    return printed();
}
