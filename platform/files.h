// Files as the platforms differ in them: testing for a folder, and replacing a
// file whole.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

#include "pathRules.h"

// Whether a path names an existing folder.
bool isFolder(const std::string& path);

// Replaces the file at path by the given bytes, or creates it: writes a new
// temporary file in the same folder, checks every write and the close, and
// renames it over the path. A path that is a symbolic link, or a chain of
// them, keeps its links; the file the chain ends at is replaced. A replaced
// file keeps its mode; a new one gets the mode a newly created file gets; a
// hard link to the old file keeps the old bytes. On any failure (a missing
// folder, a path that names a folder, a device or a pipe, a link loop, a file
// the user may not write, a failed write) returns false, removes the
// temporary file and leaves an existing file and every link as they were. A
// writer killed part way leaves at most its temporary file behind.
bool replaceFile(const std::string& path, std::string_view bytes);
// The same, saying why on failure: an error of the generic category (the C
// library's error numbers, so that the reason reads the same on every system)
// where one fits, else the system's own.
bool replaceFile(const std::string& path, std::string_view bytes, std::error_code& why);

// The temporary file replaceFile writes before renaming it over target: in
// target's folder (for a Windows drive-relative "Z:out.cc", the current folder
// of drive Z), named ".tarvelkin-PPPPPPPP-AA.tmp" after the process and the
// attempt, 26 characters whatever the target's name, so that every name a
// folder can hold can be replaced.
std::string temporaryPathBeside(pathStyle style, std::string_view target, unsigned long process,
                                unsigned attempt);
