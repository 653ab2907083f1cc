// What a local server needs of the system it runs on, beside starting
// programs: secrets, private files, a lock that says it runs, where its
// program lies, the end of the session.
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
// (a link there is removed, not followed). False, with why, on failure; no
// file is then left at path.
bool writePrivateFile(const std::string& path, std::string_view bytes, std::string& why);

// Replaces the file at path (UTF-8) whole, or creates it: writes a new
// temporary file beside it that only this user may read and write (mode 0600
// on POSIX), flushes it to the disk and renames it over path, so that path
// always holds the old bytes or the new ones, whole. False, with why, on
// failure; the temporary file is then removed and path left as it was.
bool replacePrivateFile(const std::string& path, std::string_view bytes, std::string& why);

// Takes the lock of the file at path (UTF-8; made when missing, for this
// user only) for as long as this process lives, or until releaseLock: an
// advisory lock on POSIX (flock), a file opened for no one else to open on
// Windows; either goes with the process, however it ends. A handle, or -1
// when another process holds the lock (why empty) or the file cannot be
// opened (why says so). Processes this one starts do not inherit it.
std::intptr_t takeLock(const std::string& path, std::string& why);
void releaseLock(std::intptr_t lock);

// The full path of this program's own file, in UTF-8; empty when the system
// does not say.
std::string thisProgramPath();

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
