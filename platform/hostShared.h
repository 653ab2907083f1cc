// What the end of a session does the same way on every platform; used by the
// system's own halves of host.
#pragma once

#include <functional>

// Keeps what watchForEnd is to call when the session ends.
void setStopCall(std::function<void()> stop);

// Calls what setStopCall kept, once however often the end is asked for.
void callStopOnce();
