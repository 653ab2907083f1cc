// What a local server needs of the system it runs on, beside starting
// programs: secrets, a private file, the end of the session.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

// Fills buffer with bytes from the system's random source (getentropy on
// POSIX, BCryptGenRandom on Windows). False when the source fails: a server
// must then not start, as it would have no secret.
bool systemRandom(unsigned char* buffer, std::size_t size);

// Writes a new file that only this user may read and write (mode 0600 on
// POSIX; on Windows the file inherits the per-user folder's protection). An
// existing file of that name is replaced by a new one, never written through
// (a link there is removed, not followed). False, with why, on failure.
bool writePrivateFile(const std::string& path, std::string_view bytes, std::string& why);

// The folder for files only this user should see: $XDG_RUNTIME_DIR when it is
// set and a folder, else the system's temporary folder (on Windows the
// user's own), in UTF-8.
std::string privateFolder();

// The user's home folder ($HOME; %USERPROFILE% on Windows), in UTF-8, or ""
// when it is not known.
std::string homeFolder();

// The folder for what a program keeps of its own between runs for this
// user (state, not settings): $XDG_STATE_HOME when it is an absolute path,
// else ~/.local/state; on Windows %LOCALAPPDATA%. "" when there is none.
std::string userStateFolder();

// Options for a listening socket (a SOCKET on Windows, a descriptor
// elsewhere), set before it is bound, that keep its port its own: no other
// socket may listen on the same port beside it (Linux lets another socket of
// this user's share it with SO_REUSEPORT, Windows any with SO_REUSEADDR),
// while a port that an ended server left in TIME_WAIT is taken again at once.
void ownPortOptions(std::uintptr_t socket);

// Calls stop (once, from a thread of its own) when the session asks the
// program to end: Ctrl+C, or SIGTERM / SIGHUP on POSIX; Ctrl+Break or the
// console closing on Windows. On POSIX these signals are blocked in the
// calling thread and every thread it starts after, so call it before
// starting any; it also ignores SIGPIPE, so that a peer that went away is a
// failed write, not the end of the program.
void watchForEnd(std::function<void()> stop);
