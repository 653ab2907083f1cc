// Paths as UTF-8 text: the form every path has in the strings of the
// server side, whatever a compiler's library makes of a plain string() on
// Windows (some use the system's code page, which lacks letters).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// A path as UTF-8 text, and UTF-8 text as a path.
std::string utf8Of(const std::filesystem::path& path);
std::filesystem::path pathOfUtf8(std::string_view text);

