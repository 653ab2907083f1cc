// Stands in for ccview.exe beside the Start menu's starter (Windows only):
// writes what it was given to the file START_PROBE_LOG names, a line each,
//   arguments N        how many arguments follow the program's name
//   console STATE      "hidden" (a console without a window), "shown", "none"
// then does what START_PROBE_THEN says:
//   stay   runs until the file START_PROBE_LOG.release exists (a minute at
//          most), then writes "ended" and ends with 0: a server
//   done   ends with 0 at once: a server found already running
//   fail   writes "probe: refused" to standard error and ends with 3
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "windowsApi.h"

int main(int argc, char**) {
    const char* log = std::getenv("START_PROBE_LOG");
    const char* then = std::getenv("START_PROBE_THEN");
    if (log == nullptr || then == nullptr) return 100;
    const HWND window = GetConsoleWindow();
    const char* console = GetConsoleCP() == 0 ? "none" : window != nullptr && IsWindowVisible(window) ? "shown" : "hidden";
    {
        std::ofstream out(log, std::ios::app | std::ios::binary);
        out << "arguments " << argc - 1 << "\nconsole " << console << "\n";
    }
    const std::string mode = then;
    if (mode == "fail") {
        std::fputs("probe: refused\n", stderr);
        return 3;
    }
    if (mode == "stay") {
        const auto until = std::chrono::steady_clock::now() + std::chrono::minutes(1);
        const std::filesystem::path release = std::string(log) + ".release";
        while (!std::filesystem::exists(release) && std::chrono::steady_clock::now() < until)
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        std::ofstream(log, std::ios::app | std::ios::binary) << "ended\n";
    }
    return 0;
}
