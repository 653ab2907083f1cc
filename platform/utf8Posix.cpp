// UTF-8 text on POSIX systems, where paths and arguments are bytes as given.
#include "utf8.h"

std::vector<std::string> utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

std::string systemTextOfUtf8(std::string_view text) { return std::string(text); }
