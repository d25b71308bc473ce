// Test support: what this process holds alive, counted the same way under Wine
// and on Windows (GetGuiResources is a stub under Wine).
//  - GDI objects: GetGuiResources on Windows; under Wine, every index of the GDI
//    handle table probed with GetObjectType (Wine accepts a handle's low word);
//  - USER objects: the windows of this process, top-level and child, counted
//    with EnumWindows and EnumChildWindows;
//  - memory: K32GetProcessMemoryInfo's committed private bytes (PagefileUsage)
//    and working set.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace vitrum_test {

struct LiveObjects {
  long gdiObjects = 0;
  long windows = 0;
  std::size_t privateBytes = 0;  // PagefileUsage
  std::size_t workingSet = 0;
};

LiveObjects liveObjects();
std::string describe(const LiveObjects& live);

}  // namespace vitrum_test
