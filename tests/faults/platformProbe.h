// One call of the platform layer, made as the words say, and what came of it
// printed (platform_probe.cpp says which calls and how).
#pragma once

#include <string>
#include <vector>

// The exit status: 0 when the call succeeded, 1 when it failed, 2 for words
// that name no call.
int platformProbe(const std::vector<std::string>& words);
