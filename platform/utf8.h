// UTF-8 text: the form every path and word has in the strings of the server
// side, whatever a compiler's library makes of a plain string() on Windows
// (some use the system's code page, which lacks letters), and the program's
// arguments in that form.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

// A path as UTF-8 text, and UTF-8 text as a path.
std::string utf8Of(const std::filesystem::path& path);
std::filesystem::path pathOfUtf8(std::string_view text);

// The program's arguments as UTF-8 words, the program's name first: on
// Windows read from the wide command line as CommandLineToArgvW splits it
// (main's argv is in the system's code page, and a C runtime may expand
// wildcards in it), elsewhere argv as given. Empty when the system cannot
// split its command line. Read them once and take every option from them.
std::vector<std::string> utf8Arguments(int argc, char** argv);

// UTF-8 text in the narrow form the system's file functions and a console
// take: on Windows the system's code page (a letter it lacks becomes '?', as
// it does in main's argv); elsewhere the same bytes.
std::string systemTextOfUtf8(std::string_view text);
