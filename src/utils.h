// The help text and the file-size helper.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>

// Prints the help text word for word.
void printHelpText(std::ostream& out);

// Prints the help text and pauses.
void showHelpInfo();

// The size of an open stream in bytes; leaves the read position at the start.
// Only zero versus non-zero matters to the caller; -1 when it cannot be measured.
std::int64_t filesize(std::istream& in);
