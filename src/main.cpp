// The driver: banner, command line, the stages in one guarded block, the
// messages of a caught error, the pause and the exit status. Standard output
// carries the fixed messages; standard error the diagnostics for the author.
#include <exception>
#include <iostream>
#include <string>

#include "cnfBuilder.h"
#include "console.h"
#include "utils.h"

namespace {

// What an exception that is no script error says about itself.
std::string failureText(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const std::exception& e) {
        return std::string("unexpected failure: ") + e.what();
    } catch (...) {
        return "unexpected failure";
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    prepareProcess();
    cnfBuilder builder;
    cmdLineFlags flags;
    int status = 0;

    std::cout << "   Tarvelkin v0.3" << std::endl << std::endl;
    builder.getCMDkeys(argc, argv, flags);

    try {
        if (flags.showHelp) {
            showHelpInfo();
        } else if (builder.nothingToCompile()) {
            // Compiling anyway would read or write a file the person did not name.
            printDiagnostic(std::cerr, "error",
                            "nothing compiled: a name on the command line was refused, so nothing is read "
                            "or written");
            status = 1;
        } else {
            if (flags.showInfo) builder.displayFilePath();
            builder.loadScript();
            builder.parseScript();
            builder.reportWarnings(std::cerr);
            builder.saveCnf();
            std::cout << "   Config is created!" << std::endl;
            if (flags.showInfo) builder.displayCnf();
        }
    } catch (scriptError caught) {  // cppcheck-suppress catchExceptionByValue
        // By value on purpose: the handler prints its own copy of the whole record.
        caught.debugFunc();
        builder.reportWarnings(std::cerr, &caught);  // those found before the error
        caught.diagnose(std::cerr, builder.scriptPath);
        builder.clearError();
        status = 1;
    } catch (...) {
        std::cout << "   Unknown error" << std::endl;
        printDiagnostic(std::cerr, "error", failureText(std::current_exception()));
        status = 1;
    }

    if (flags.holdConsole) pauseConsole();
    return status;
}
