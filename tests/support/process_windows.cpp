#include "process_windows.h"

namespace vitrum_test {
namespace {

struct WindowSearch {
  DWORD pid;
  const char* wantedClass;
  std::vector<HWND> found;
};

BOOL CALLBACK collectWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.pid && (!search.wantedClass || windowClass(window) == search.wantedClass))
    search.found.push_back(window);
  return TRUE;
}

BOOL CALLBACK countChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

}  // namespace

std::string windowClass(HWND window) {
  char buffer[256] = {};
  GetClassNameA(window, buffer, sizeof buffer);
  return buffer;
}

std::vector<HWND> windowsOfProcess(DWORD pid, const char* wantedClass) {
  WindowSearch search{pid, wantedClass, {}};
  EnumWindows(collectWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

long windowCount(DWORD pid) {
  long count = 0;
  for (HWND window : windowsOfProcess(pid)) {
    ++count;
    // Every descendant, not only the direct children.
    EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&count));
  }
  return count;
}

}  // namespace vitrum_test
