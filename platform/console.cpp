#include "console.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>

#ifdef _WIN32
#include "windowsApi.h"

#include <fcntl.h>
#include <io.h>
#else
#include <csignal>
#endif

#ifdef _WIN32

void pauseConsole() {
    std::cout.flush();
    std::system("pause");
}

void prepareProcess() { SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX); }

void binaryStandardOutput() {
    std::cout.flush();
    _setmode(_fileno(stdout), _O_BINARY);
}

#else

void prepareProcess() { std::signal(SIGXFSZ, SIG_IGN); }

void binaryStandardOutput() {}

void pauseConsole() {
    std::cout << "Press Enter to continue . . ." << std::endl;
    std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

#endif
