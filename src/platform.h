// Everything that differs between Windows and POSIX, and nothing else. Path
// rules take a pathStyle value so that both styles can be tested on any host.
#pragma once

#include <string>
#include <string_view>
#include <system_error>

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

// Makes standard output pass bytes unchanged. On Windows it is a text stream
// that writes every line feed as CR LF; elsewhere nothing changes. Call it
// before anything is written to standard output.
void binaryStandardOutput();

// Process set-up before anything else runs. On POSIX a write past the file-size
// limit must fail like any other write (and so be cleaned up), not kill the
// program part way through a config.
void prepareProcess();
