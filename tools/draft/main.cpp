// tarvelkin-draft: drafts a script for a program from its own help text.
//
//   tarvelkin-draft [-o FILE.sc] [--force] [--timeout SECONDS] PROGRAM [HELP ARGS...]
//   tarvelkin-draft [-o FILE.sc] [--force] --from FILE|- [PROGRAM [HELP ARGS...]]
//
// Runs PROGRAM with HELP ARGS (--help when none are given) and drafts from
// what it prints, on standard output or standard error, whichever lists
// options; an exit status other than 0 is no failure when options came.
// --from reads a saved help text instead ("-": standard input); PROGRAM and
// HELP ARGS then only name the program in the script. The script goes to
// standard output, or with -o to FILE.sc, whole (through a temporary file
// renamed over it), and over an existing file only with --force. Notes on
// what the draft leaves out go to standard error.
//
// Exit status: 0 after writing the script; 1 with one line on standard
// error when the program cannot be started, ends without listing options,
// or the file cannot be read or written; 2 after wrong usage.
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "childProcess.h"
#include "compileText.h"
#include "console.h"
#include "draft.h"
#include "files.h"
#include "helpRun.h"
#include "utf8.h"

namespace {

constexpr int exitFailed = 1;
constexpr int exitUsage = 2;
constexpr std::size_t mostBytes = 4u << 20;  // of a help text read

int usage(std::string_view why) {
    std::cerr << "tarvelkin-draft: " << why << "\n"
              << "usage: tarvelkin-draft [-o FILE.sc] [--force] [--timeout SECONDS] PROGRAM [HELP ARGS...]\n"
                 "       tarvelkin-draft [-o FILE.sc] [--force] --from FILE|- [PROGRAM [HELP ARGS...]]"
              << std::endl;
    return exitUsage;
}

int failed(const std::string& why) {
    std::cerr << "tarvelkin-draft: " << why << std::endl;
    return exitFailed;
}

std::string reasonOf(int number) {
    return number != 0 ? std::generic_category().message(number) : std::string("reason unknown");
}

// A saved help text: false, with why, when it cannot be read or is too large to be one.
bool readSaved(const std::string& path, std::string& text, std::string& why) {
    text.clear();
    char buffer[64 * 1024];
    if (path == "-") {
        for (;;) {
            const std::ptrdiff_t got = readStandardInput(buffer, sizeof buffer);
            if (got < 0) {
                why = "standard input: cannot be read: " + reasonOf(errno);
                return false;
            }
            if (got == 0) break;
            text.append(buffer, static_cast<std::size_t>(got));
            if (text.size() > mostBytes) break;
        }
    } else {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            why = path + ": cannot be read: " + reasonOf(errno);
            return false;
        }
        while (text.size() <= mostBytes && in.read(buffer, sizeof buffer).gcount() > 0)
            text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (in.bad()) {
            why = path + ": cannot be read: " + reasonOf(errno);
            return false;
        }
    }
    if (text.size() > mostBytes) {
        why = (path == "-" ? std::string("standard input") : path) + ": more than 4 MB, far more than a help text";
        return false;
    }
    return true;
}

std::string commandOf(const std::vector<std::string>& words) {
    std::string command;
    for (const std::string& w : words) command += (command.empty() ? "" : " ") + w;
    return command;
}

}  // namespace

int main(int argc, char** argv) {
    // The keeper of the program run for its help (childProcess.h), started
    // as this program again.
    if (argc > 1 && std::string_view(argv[1]) == childProcess::keeperOption) return childProcess::keeperMain(argc, argv);
    prepareProcess();
    // The words are read once, as UTF-8: the program's go to it so; the paths
    // go to the file functions in the system's own narrow text.
    const std::vector<std::string> words = utf8Arguments(argc, argv);
    if (words.empty()) return usage("the command line cannot be read");
    std::string outPath;
    std::string fromPath;
    bool force = false;
    bool haveOut = false;
    bool haveFrom = false;
    helpRunLimits limits;
    std::size_t i = 1;
    for (; i < words.size(); ++i) {
        const std::string& arg = words[i];
        if (arg == "--") {
            ++i;
            break;
        }
        if (arg.empty() || arg[0] != '-') break;
        const bool takesValue = arg == "-o" || arg == "--from" || arg == "--timeout";
        if (takesValue && (i + 1 == words.size() || words[i + 1].empty())) return usage(arg + " needs a value");
        if (arg == "-o" && !haveOut) {
            outPath = systemTextOfUtf8(words[++i]);
            haveOut = true;
        } else if (arg == "--from" && !haveFrom) {
            const std::string& path = words[++i];
            fromPath = path == "-" ? path : systemTextOfUtf8(path);
            haveFrom = true;
        } else if (arg == "--timeout") {
            char* end = nullptr;
            const long seconds = std::strtol(words[++i].c_str(), &end, 10);
            if (*end != '\0' || seconds < 1 || seconds > 3600) return usage("--timeout takes whole seconds, 1 to 3600");
            limits.time = std::chrono::seconds(seconds);
        } else if (arg == "--force") {
            force = true;
        } else {
            return usage("unexpected " + arg);
        }
    }
    if (i == words.size() && !haveFrom) return usage("name the program, or --from a saved help text");
    if (i < words.size() && words[i].empty()) return usage("the program's name is empty");
    const std::string program = i < words.size() ? words[i] : std::string();
    std::vector<std::string> helpArgs{"--help"};
    if (i + 1 < words.size()) helpArgs.assign(words.begin() + static_cast<std::ptrdiff_t>(i) + 1, words.end());
    std::error_code ignored;
    if (haveOut && !force && std::filesystem::exists(outPath, ignored))
        return failed(outPath + ": exists; --force replaces it");

    std::string text;
    std::vector<std::string> notes;
    if (haveFrom) {
        std::string why;
        if (!readSaved(fromPath, text, why)) return failed(why);
    } else {
        childProcess::holdWholeTree();
        std::vector<std::string> command{program};
        command.insert(command.end(), helpArgs.begin(), helpArgs.end());
        const helpRun run = runForHelp(command, limits);
        if (!run.started) return failed("cannot start the program: " + run.why);
        text = helpTextOf(run);
        const std::string shown = "`" + commandOf(command) + "`";
        const std::string why = whyNoHelp(run, shown, limits);
        if (!why.empty()) return failed(why);
        if (run.timedOut) notes.push_back(shown + " did not end in time; it was ended, and the draft made of what it printed");
        if (run.cut) notes.push_back(shown + " printed more than 4 MB; it was ended, and the draft made of the first 4 MB");
    }

    const draftResult draft = draftFromHelp(text, program, helpArgs);
    if (!draft.ok()) return failed((haveFrom ? fromPath == "-" ? "standard input" : fromPath : program) + ": " + draft.error);
    // The draft is checked as tarvelkin will compile it: never a script it refuses or warns about.
    const compileResult compiled = compileText(draft.script, "draft.sc");
    if (!compiled.ok() || !compiled.warnings.empty())
        return failed("the draft does not compile cleanly, which is a fault of tarvelkin-draft: " +
                      (compiled.ok() ? compiled.warnings.front().text : compiled.error->message()));
    notes.insert(notes.end(), draft.notes.begin(), draft.notes.end());

    if (haveOut) {
        std::error_code why;
        if (!replaceFile(outPath, draft.script, why)) return failed(outPath + ": cannot be written: " + why.message());
    } else {
        binaryStandardOutput();
        errno = 0;
        std::cout << draft.script << std::flush;
        if (!std::cout) return failed("standard output: cannot be written: " + reasonOf(errno));
    }
    for (const std::string& note : notes) std::cerr << "tarvelkin-draft: note: " << note << std::endl;
    return 0;
}
