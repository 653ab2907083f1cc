// Whether a program waits for its input: what the system lets a parent see of
// its children's blocked system calls. Used by childProcess on POSIX.
#pragma once

#include "childProcess.h"

// Whether a thread of a process in session (the program's: it leads its own
// session) waits in a read of the pipe whose inode is pipeInode: blocked in
// read(), readv() or pread() on a descriptor of that pipe, or in poll(),
// select() or epoll_wait() asking to read one. Unknown where the system does
// not say (not Linux, or /proc cannot be read).
inputWait sessionReadsPipe(long session, unsigned long long pipeInode);
