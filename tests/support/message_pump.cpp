#include "message_pump.h"

#include "vitrum.h"

namespace vitrum_test {

void pumpQueue(int limit, DWORD milliseconds) {
  const DWORD end = GetTickCount() + milliseconds;
  do {
    MSG waiting;
    for (int i = 0; i < limit && PeekMessageA(&waiting, nullptr, 0, 0, PM_NOREMOVE); ++i) Vitrum::SETGLMSG();
    if (milliseconds) Sleep(10);
  } while (static_cast<LONG>(GetTickCount() - end) < 0);
}

}  // namespace vitrum_test
