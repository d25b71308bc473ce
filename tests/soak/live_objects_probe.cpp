// A DLL that scripts/soak loads into a running program (through live_objects_of)
// to count its GDI objects from inside, the way the tests count their own.
#include "live_objects.h"

extern "C" __declspec(dllexport) DWORD WINAPI vitrumLiveGdiObjects(void*) {
  return static_cast<DWORD>(vitrum_test::liveObjects().gdiObjects);
}
