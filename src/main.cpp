// The driver: banner, command line, the stages in one guarded block, the
// messages of a caught error, the pause and the exit status.
#include <iostream>

#include "cnfBuilder.h"
#include "platform.h"
#include "utils.h"

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
            // A refused name must not let the default script stand in for it.
            printDiagnostic(std::cerr, "error",
                            "nothing compiled: no script name (.sc) was accepted, and the default script "
                            "does not stand in for a refused name");
            status = 1;
        } else {
            if (flags.showInfo) builder.displayFilePath();
            builder.loadScript();
            builder.parseScript();
            builder.saveCnf();
            std::cout << "   Config is created!" << std::endl;
            if (flags.showInfo) builder.displayCnf();
        }
    } catch (scriptError caught) {  // cppcheck-suppress catchExceptionByValue
        // By value on purpose: the handler prints its own copy of the whole record.
        caught.debugFunc();
        builder.clearError();
        status = 1;
    } catch (...) {
        std::cout << "   Unknown error" << std::endl;
        status = 1;
    }

    if (flags.holdConsole) pauseConsole();
    return status;
}
