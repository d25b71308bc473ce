// Prints "GDI_OBJECTS WINDOWS" of the program whose top-level window has the
// title given, counted from outside: nothing runs inside that program, so the
// count cannot stall it. Exits non-zero when the window or the count is not found.
//  - GDI objects: GetGuiResources on Windows; under Wine, where it is a stub that
//    answers 0, the used entries of the program's GDI handle table, read with
//    ReadProcessMemory from where its PEB points (GdiSharedHandleTable);
//  - windows: its top-level and child windows (EnumWindows, EnumChildWindows).
// Build it for the program's own Windows (32- or 64-bit): the PEB differs.
#include <windows.h>
#include <winternl.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <vector>

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

// Wine's handle table: 65536 entries of 24 bytes, the same on 32- and 64-bit
// (a 64-bit object pointer, the owner, the unique word, then the type byte,
// which is 0 in a free entry).
constexpr std::size_t kHandleCount = 0x10000;
constexpr std::size_t kEntrySize = 24;
constexpr std::size_t kTypeOffset = 14;
constexpr std::size_t kPebGdiTableOffset = sizeof(void*) == 8 ? 0xF8 : 0x94;

bool readAll(HANDLE process, const void* address, void* into, std::size_t size) {
  SIZE_T read = 0;
  return ReadProcessMemory(process, address, into, size, &read) && read == size;
}

// The used entries of the process's GDI handle table, or -1 when it cannot be read.
long wineGdiObjects(HANDLE process) {
  using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  auto query = reinterpret_cast<QueryProcess>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
  PROCESS_BASIC_INFORMATION basic{};
  if (!query || query(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
  void* table = nullptr;
  if (!readAll(process, reinterpret_cast<const char*>(basic.PebBaseAddress) + kPebGdiTableOffset, &table,
               sizeof table) ||
      !table)
    return -1;
  // In slices, so that no single read is large.
  constexpr std::size_t kSlice = 4096;
  std::vector<unsigned char> entries(kSlice * kEntrySize);
  long used = 0;
  for (std::size_t first = 0; first < kHandleCount; first += kSlice) {
    if (!readAll(process, static_cast<const char*>(table) + first * kEntrySize, entries.data(), entries.size()))
      return -1;
    for (std::size_t i = 0; i < kSlice; ++i)
      if (entries[i * kEntrySize + kTypeOffset] != 0) ++used;
  }
  return used;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  HWND window = FindWindowA(nullptr, argv[1]);
  if (!window) return 1;
  Windows windows{0, 0};
  GetWindowThreadProcessId(window, &windows.pid);
  EnumWindows(countTopLevel, reinterpret_cast<LPARAM>(&windows));

  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, windows.pid);
  if (!process) return 1;
  long gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
  if (gdi == 0) gdi = wineGdiObjects(process);
  CloseHandle(process);
  if (gdi < 0) return 1;
  std::printf("%ld %ld\n", gdi, windows.count);
  return 0;
}
