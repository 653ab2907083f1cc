// Everything that differs between Windows and POSIX, and nothing else. Path
// rules take a pathStyle value so that both styles can be tested on any host.
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

// Holds the console until the user answers: "pause" through the command
// interpreter on Windows; elsewhere the line "Press Enter to continue . . ."
// and a wait for a line feed or the end of standard input.
void pauseConsole();

// Whether a path names an existing folder.
bool isFolder(const std::string& path);

// Replaces the file at path by the given bytes, or creates it: writes a new
// temporary file in the same folder, checks every write and the close, and
// renames it over the path. A path that is a symbolic link keeps its link; the
// file it points to is replaced. A replaced file keeps its mode; a new one gets
// the mode a newly created file gets. On any failure (a missing folder, a path
// that names a folder, a file the user may not write, a failed write) returns
// false, removes the temporary file and leaves an existing file as it was.
bool replaceFile(const std::string& path, std::string_view bytes);

// Makes standard output pass bytes unchanged. On Windows it is a text stream
// that writes every line feed as CR LF; elsewhere nothing changes. Call it
// before anything is written to standard output.
void binaryStandardOutput();

// Process set-up before anything else runs. On POSIX a write past the file-size
// limit must fail like any other write (and so be cleaned up), not kill the
// program part way through a config.
void prepareProcess();
