// Prints "GDI_OBJECTS WINDOWS" of the program whose top-level window has the
// title given: windows counted from here, GDI objects inside that process by
// live_objects_probe.dll, loaded there with a remote thread (the program itself
// is not changed). Exits non-zero when the window or the count is not found.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

BOOL CALLBACK countChild(HWND, LPARAM count) {
  ++*reinterpret_cast<long*>(count);
  return TRUE;
}

struct Windows {
  DWORD pid;
  long count;
};

BOOL CALLBACK countTopLevel(HWND window, LPARAM data) {
  auto& windows = *reinterpret_cast<Windows*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != windows.pid) return TRUE;
  ++windows.count;
  EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&windows.count));
  return TRUE;
}

// Runs START(ARGUMENT) on a thread of PROCESS and returns its exit code.
bool runRemote(HANDLE process, LPTHREAD_START_ROUTINE start, void* argument, DWORD& result) {
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, start, argument, 0, nullptr);
  if (!thread) return false;
  const bool ended = WaitForSingleObject(thread, 10000) == WAIT_OBJECT_0 && GetExitCodeThread(thread, &result);
  CloseHandle(thread);
  return ended;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HWND window = FindWindowA(nullptr, argv[1]);
  if (!window) return 1;
  Windows windows{0, 0};
  GetWindowThreadProcessId(window, &windows.pid);
  EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&windows));

  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string dll = self;
  dll = dll.substr(0, dll.find_last_of("\\/") + 1) + "live_objects_probe.dll";
  // The probe's entry lies at the same offset from its base in both processes,
  // and kernel32 (LoadLibraryA) at the same address.
  HMODULE local = LoadLibraryA(dll.c_str());
  auto* entry = local ? reinterpret_cast<char*>(GetProcAddress(local, "vitrumLiveGdiObjects")) : nullptr;
  HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, windows.pid);
  if (!entry || !process) return 1;
  void* name = VirtualAllocEx(process, nullptr, dll.size() + 1, MEM_COMMIT, PAGE_READWRITE);
  DWORD base = 0, gdi = 0;
  const bool counted =
      name && WriteProcessMemory(process, name, dll.c_str(), dll.size() + 1, nullptr) &&
      runRemote(process, reinterpret_cast<LPTHREAD_START_ROUTINE>(
                             reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA"))),
                name, base) &&
      base != 0 &&
      runRemote(process,
                reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void*>(
                    static_cast<std::uintptr_t>(base) + (entry - reinterpret_cast<char*>(local)))),
                nullptr, gdi);
  if (name) VirtualFreeEx(process, name, 0, MEM_RELEASE);
  CloseHandle(process);
  FreeLibrary(local);
  if (!counted) return 1;
  std::printf("%lu %ld\n", static_cast<unsigned long>(gdi), windows.count);
  return 0;
}
