// Test support: the thread's waiting messages handled as the library's frame
// loop handles them, one SETGLMSG each.
#pragma once

#include <windows.h>

namespace vitrum_test {

// Handles what is waiting in the thread's queue, at most LIMIT messages, and
// goes on doing so for MILLISECONDS, for what the system delivers late
// (real pointer input, painting).
void pumpQueue(int limit = 10000, DWORD milliseconds = 0);

}  // namespace vitrum_test
