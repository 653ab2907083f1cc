#include "console.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <limits>

#ifdef _WIN32
#include "windowsApi.h"

#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>

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

std::ptrdiff_t readStandardInput(char* buffer, std::size_t size) {
    DWORD read = 0;
    if (ReadFile(GetStdHandle(STD_INPUT_HANDLE), buffer, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)), &read, nullptr))
        return static_cast<std::ptrdiff_t>(read);
    // A pipe whose writer has closed it has ended.
    const DWORD code = GetLastError();
    if (code == ERROR_BROKEN_PIPE || code == ERROR_HANDLE_EOF) return 0;
    errno = EIO;
    return -1;
}

bool writeStandardOutput(const char* bytes, std::size_t size) {
    const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    while (size > 0) {
        DWORD written = 0;
        if (!WriteFile(out, bytes, static_cast<DWORD>(std::min<std::size_t>(size, 1u << 30)), &written, nullptr) || written == 0) return false;
        bytes += written;
        size -= written;
    }
    return true;
}

#else

void prepareProcess() { std::signal(SIGXFSZ, SIG_IGN); }

void binaryStandardOutput() {}

std::ptrdiff_t readStandardInput(char* buffer, std::size_t size) {
    for (;;) {
        const ssize_t read = ::read(STDIN_FILENO, buffer, size);
        if (read >= 0) return static_cast<std::ptrdiff_t>(read);
        if (errno != EINTR) return -1;
    }
}

bool writeStandardOutput(const char* bytes, std::size_t size) {
    // A reader that has gone fails the write (EPIPE) instead of ending the process.
    static const bool pipeSignalIgnored = std::signal(SIGPIPE, SIG_IGN) != SIG_ERR;
    (void)pipeSignalIgnored;
    while (size > 0) {
        const ssize_t written = ::write(STDOUT_FILENO, bytes, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        bytes += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

void pauseConsole() {
    std::cout << "Press Enter to continue . . ." << std::endl;
    std::cin.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
}

#endif
