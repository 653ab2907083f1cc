// Path rules of the two platforms. Each rule takes a pathStyle value, so that
// both styles can be tested on any host.
#pragma once

#include <string>
#include <string_view>

enum class pathStyle { windows, posix };

// The style of the platform the program was built for.
pathStyle hostPathStyle();

// '\\' on Windows, '/' on POSIX.
char folderSeparator(pathStyle style);

// True when a path is used as it stands instead of being put into the default
// folder: on Windows when it holds a ':' anywhere (a drive), on POSIX when it
// starts with '/'.
bool isUnchangedPath(pathStyle style, std::string_view path);

// The full path of a name relative to the current directory: GetFullPathNameA
// on Windows, the current directory + '/' + name on POSIX. Empty on failure.
std::string fullPathOf(const std::string& name);
