// The help text, the file-size helper and a text comparison.
#pragma once

#include <cstdint>
#include <istream>
#include <ostream>
#include <string_view>

// Prints the help text word for word.
void printHelpText(std::ostream& out);

// Prints the help text and pauses.
void showHelpInfo();

// The size of an open stream in bytes; leaves the read position at the start.
// Only zero versus non-zero matters to the caller; -1 when it cannot be measured.
std::int64_t filesize(std::istream& in);

// Whether two texts are equal when the letters A to Z are taken as a to z.
bool equalIgnoringCase(std::string_view a, std::string_view b);
