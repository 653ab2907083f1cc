// What replacing a file does the same way on every platform; used by the
// system's own halves of files.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "pathRules.h"

// Follows symbolic links from path to the file they finally name (which may
// not exist yet: a name with nothing there, ENOENT or ENOTDIR, ends the
// chain), through chains of any length that end somewhere. Empty on success;
// ELOOP for a loop (or a chain longer than the system itself follows), which
// names no file: replacing it would put a plain file where a link was; and
// the reason of any other look-up or link that cannot be read, since then
// what stands at a name is unknown.
std::error_code resolveLinks(const std::string& path, std::string& target);

// The part of a target before its name: its folder with the separator, a
// Windows drive's "Z:", or nothing for the current folder.
std::string_view folderPart(pathStyle style, std::string_view target);

// Whether name is exactly as temporaryPathBeside names a temporary file,
// ".tarvelkin-PPPPPPPP-AA.tmp" with lower-case hexadecimal digits, and if so
// the process it names.
bool isOurTemporary(std::string_view name, unsigned long& process);

// How old a temporary file must be before it counts as left behind: a
// replacement takes a moment, so an hour is far beyond any that still runs.
constexpr long long staleAfterSeconds = 60LL * 60;
