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

#include "process_windows.h"

namespace {

// Wine's handle table: 65536 entries of 24 bytes, the same on 32- and 64-bit
// (a 64-bit object pointer, the owner, the unique word, then the type byte,
// which is 0 in a free entry).
constexpr std::size_t kHandleCount = 0x10000;
constexpr std::size_t kEntrySize = 24;
constexpr std::size_t kTypeOffset = 14;
// Where the table's address is kept: GdiSharedHandleTable in the PEB, whose
// 64-bit one a 32-bit program in a 64-bit Wine reaches through its TEB's
// GdiBatchCount (the 64-bit TEB) and that TEB's Peb.
constexpr std::size_t kPeb32GdiTable = 0x94;
constexpr std::size_t kPeb64GdiTable = 0xF8;
constexpr std::size_t kTeb32GdiBatchCount = 0xF70;
constexpr std::size_t kTeb64Peb = 0x60;

bool readAll(HANDLE process, std::uint64_t address, void* into, std::size_t size) {
  SIZE_T read = 0;
  return address <= UINTPTR_MAX &&
         ReadProcessMemory(process, reinterpret_cast<const void*>(static_cast<std::uintptr_t>(address)), into, size,
                           &read) &&
         read == size;
}

template <typename Pointer>
std::uint64_t readPointer(HANDLE process, std::uint64_t address) {
  Pointer value = 0;
  return readAll(process, address, &value, sizeof value) ? value : 0;
}

template <typename Function>
Function ntdll(const char* name) {
  return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), name)));
}

struct BasicThreadInfo {
  NTSTATUS exitStatus;
  void* teb;
  CLIENT_ID clientId;
  ULONG_PTR affinityMask;
  LONG priority;
  LONG basePriority;
};

// The address of the table, found as Wine's gdi32 finds its own; 0 when unknown.
std::uint64_t wineGdiTable(HANDLE process, DWORD threadId) {
  using QueryProcess = NTSTATUS(WINAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
  using QueryThread = NTSTATUS(WINAPI*)(HANDLE, THREADINFOCLASS, PVOID, ULONG, PULONG);
  auto queryProcess = ntdll<QueryProcess>("NtQueryInformationProcess");
  auto queryThread = ntdll<QueryThread>("NtQueryInformationThread");
  PROCESS_BASIC_INFORMATION basic{};
  if (!queryProcess || queryProcess(process, ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return 0;
  const auto peb = reinterpret_cast<std::uintptr_t>(basic.PebBaseAddress);
  if (sizeof(void*) == 8) return readPointer<std::uint64_t>(process, peb + kPeb64GdiTable);

  HANDLE thread = OpenThread(THREAD_QUERY_INFORMATION, FALSE, threadId);
  if (!thread) return 0;
  BasicThreadInfo threadInfo{};
  const bool known =
      queryThread && queryThread(thread, ThreadBasicInformation, &threadInfo, sizeof threadInfo, nullptr) == 0;
  CloseHandle(thread);
  if (!known) return 0;
  const auto teb64 =
      readPointer<std::uint32_t>(process, reinterpret_cast<std::uintptr_t>(threadInfo.teb) + kTeb32GdiBatchCount);
  if (teb64 == 0) return readPointer<std::uint32_t>(process, peb + kPeb32GdiTable);
  return readPointer<std::uint64_t>(process, readPointer<std::uint64_t>(process, teb64 + kTeb64Peb) + kPeb64GdiTable);
}

// The used entries of the process's GDI handle table, or -1 when it cannot be read.
long wineGdiObjects(HANDLE process, DWORD threadId) {
  const std::uint64_t table = wineGdiTable(process, threadId);
  if (table == 0) return -1;
  // In slices, so that no single read is large.
  constexpr std::size_t kSlice = 4096;
  std::vector<unsigned char> entries(kSlice * kEntrySize);
  long used = 0;
  for (std::size_t first = 0; first < kHandleCount; first += kSlice) {
    if (!readAll(process, table + first * kEntrySize, entries.data(), entries.size())) return -1;
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
  DWORD pid = 0;
  const DWORD threadId = GetWindowThreadProcessId(window, &pid);
  const long windows = vitrum_test::windowCount(pid);

  HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
  if (!process) return 1;
  long gdi = static_cast<long>(GetGuiResources(process, GR_GDIOBJECTS));
  if (gdi == 0) gdi = wineGdiObjects(process, threadId);
  CloseHandle(process);
  if (gdi < 0) return 1;
  std::printf("%ld %ld\n", gdi, windows);
  return 0;
}
