// A program that does, on request, what vitrum-run must catch: its command line
// names the fault. Without one it draws two colours and ends with status 0 on
// Escape.
//   blank          draws nothing
//   early          ends with status 3 half a second after its window appeared
//   status3        ends with status 3 on Escape
//   deaf           ignores Escape
//   crash          crashes half a second after its window appeared
//   hidden         shows no window
#include <windows.h>

#include <cstring>

namespace {

const char* fault = "";

bool is(const char* name) { return std::strcmp(fault, name) == 0; }

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      if (!is("blank")) {
        RECT area;
        GetClientRect(window, &area);
        area.right /= 2;
        HBRUSH red = CreateSolidBrush(RGB(200, 40, 40));
        FillRect(dc, &area, red);
        DeleteObject(red);
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_TIMER:
      if (is("early")) PostQuitMessage(3);
      if (is("crash")) *static_cast<volatile int*>(nullptr) = 1;
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE && !is("deaf")) PostQuitMessage(is("status3") ? 3 : 0);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
  }
  return DefWindowProcA(window, message, wparam, lparam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR command_line, int) {
  fault = command_line;
  if (is("hidden")) {
    Sleep(INFINITE);
  }
  WNDCLASSA type{};
  type.lpfnWndProc = procedure;
  type.hInstance = instance;
  type.hbrBackground = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  type.lpszClassName = "runner_subject";
  RegisterClassA(&type);
  HWND window = CreateWindowA("runner_subject", "Runner subject", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, 40, 40, 320,
                              240, nullptr, nullptr, instance, nullptr);
  SetTimer(window, 1, 500, nullptr);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return static_cast<int>(message.wParam);
}
