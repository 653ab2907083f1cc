#include "utils.h"

#include <iostream>

#include "console.h"

void printHelpText(std::ostream& out) {
    static const char* const lines[] = {
        "   Parameters info:",
        "",
        "   -i show config info",
        "   -p hold console window",
        "   -h show parameters info",
        "   *.sc script file(in)",
        "   *.cc config file(out)",
        "",
        "   Sample: ",
        "",
        "   -i -p c:\\my_sctipt_in.sc  c:\\my_config_out.cc ",
        "   -p c:\\my_app.sc",
        "   my_app.sc",
        "",
        "   Default folder: \\config\\",
        "   Default names of files:",
        "   \\config\\prog.sc",
        "   \\config\\prog.cc",
        "",
    };
    for (const char* line : lines) out << line << std::endl;
}

void showHelpInfo() {
    printHelpText(std::cout);
    pauseConsole();
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}
