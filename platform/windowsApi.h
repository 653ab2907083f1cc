// <windows.h> as the platform layer includes it: without the min and max
// macros and without its rarely used parts. Included only under _WIN32.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
