// Test support: the windows a process owns, found through the window list that
// every process on the desktop sees, so that a tool can count another program's
// windows without running anything inside it.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vitrum_test {

// The top-level windows of process PID with window class CLASS_NAME (any class when null).
std::vector<HWND> windowsOfProcess(DWORD pid, const char* className = nullptr);
// How many windows process PID has, top-level and child.
long windowCount(DWORD pid);
// The window class of WINDOW.
std::string windowClass(HWND window);

}  // namespace vitrum_test
