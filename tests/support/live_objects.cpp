#include "live_objects.h"

#include <psapi.h>

#include <cstdint>

#include "process_windows.h"

namespace vitrum_test {
namespace {

long gdiObjects() {
  const DWORD counted = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  if (counted != 0) return static_cast<long>(counted);
  // Wine's stub answers 0. Its GDI handles are a table index in the low word and
  // a generation and type in the high word, and a handle given as its index
  // alone is accepted: probe every index.
  long used = 0;
  for (std::uintptr_t index = 1; index <= 0xFFFF; ++index)
    if (GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0) ++used;
  return used;
}

}  // namespace

LiveObjects liveObjects() {
  LiveObjects live;
  live.gdiObjects = gdiObjects();
  live.windows = windowCount(GetCurrentProcessId());
  PROCESS_MEMORY_COUNTERS_EX memory{};
  memory.cb = sizeof memory;
  K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory);
  live.privateBytes = memory.PagefileUsage;
  live.workingSet = memory.WorkingSetSize;
  return live;
}

std::string describe(const LiveObjects& live) {
  return std::to_string(live.gdiObjects) + " GDI objects, " + std::to_string(live.windows) + " windows, " +
         std::to_string(live.privateBytes / 1024) + " KiB private, " + std::to_string(live.workingSet / 1024) +
         " KiB working set";
}

}  // namespace vitrum_test
