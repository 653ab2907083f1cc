// The help text and a text comparison.
#pragma once

#include <ostream>
#include <string_view>

// Prints the help text word for word.
void printHelpText(std::ostream& out);

// Prints the help text and pauses.
void showHelpInfo();

// Whether two texts are equal when the letters A to Z are taken as a to z.
bool equalIgnoringCase(std::string_view a, std::string_view b);
