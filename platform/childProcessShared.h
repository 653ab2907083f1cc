// What a start that failed says, the same on every platform; used by the
// system's own halves of childProcess.
#pragma once

#include <string>

// Why a start failed, when its working folder is the reason: a folder that
// vanished since the server started fails the start as a missing program
// would, on every platform.
bool folderGone(const std::string& cwd);

// What a start that found no program says: the program's name, and for a
// bare name that it was looked up in PATH (the system's reason alone names
// neither).
std::string notFound(const std::string& program, bool bare, const std::string& reason);
