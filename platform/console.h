// The console and the process as the platforms differ in them.
#pragma once

// Holds the console until the user answers: "pause" through the command
// interpreter on Windows; elsewhere the line "Press Enter to continue . . ."
// and a wait for a line feed or the end of standard input.
void pauseConsole();

// Makes standard output pass bytes unchanged. On Windows it is a text stream
// that writes every line feed as CR LF; elsewhere nothing changes. Call it
// before anything is written to standard output.
void binaryStandardOutput();

// Process set-up before anything else runs. On POSIX a write past the file-size
// limit must fail like any other write (and so be cleaned up), not kill the
// program part way through a config; on Windows a drive without a medium fails
// like a missing file instead of asking the user in a message box.
void prepareProcess();
