// Shaped image buttons on a plain window: a round, a pill-shaped and a star
// button, each drawn from three bitmaps (normal, hover, pressed) whose magenta
// pixels are cut away. Every click is reported in the window title; Escape or
// the close box ends the program.
//
// The pictures are looked up by name in the working directory (playN.BMP,
// playH.BMP, playP.BMP, ...): start the program from its own folder.
#include <windows.h>

#include <string>

#include "vitrum.h"

namespace {

struct Button {
  const char* pictures;  // the BMPTYPE prefix of its three files
  const char* name;
  int id, x, y;
};
constexpr Button kButtons[] = {
    {"play", "Play", 101, 30, 40}, {"ok", "OK", 102, 150, 56}, {"star", "Star", 103, 320, 36}};
constexpr const char* kTitle = "Image buttons";

int clicks = 0;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_COMMAND:
      for (const Button& button : kButtons)
        if (wparam == static_cast<WPARAM>(button.id)) {
          ++clicks;
          const std::string title = std::string(kTitle) + " - " + button.name + " clicked (" + std::to_string(clicks) +
                                    (clicks == 1 ? " click)" : " clicks)");
          SetWindowTextA(window, title.c_str());
        }
      return 0;
    case WM_KEYDOWN:
      if (wparam == VK_ESCAPE) DestroyWindow(window);
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wparam, lparam);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  // Registers the library's classes, "IMAGEBUTTON" among them.
  Vitrum::WINDOWREGISTER();
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = windowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = CreateSolidBrush(RGB(38, 44, 56));
  windowClass.lpszClassName = "VitrumImageButtons";
  RegisterClassA(&windowClass);
  // A captioned window that cannot be resized: the frame the buttons expect.
  HWND window =
      CreateWindowExA(0, windowClass.lpszClassName, kTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX,
                      CW_USEDEFAULT, CW_USEDEFAULT, 460, 220, nullptr, nullptr, instance, nullptr);
  for (const Button& button : kButtons) {
    Vitrum::BMPTYPE = button.pictures;
    // The button takes the size of its normal picture.
    CreateWindowExA(0, Vitrum::SZHOVERCLASS, button.name, WS_CHILD | WS_VISIBLE, button.x, button.y, 0, 0, window,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(button.id)), instance, nullptr);
  }
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  DeleteObject(windowClass.hbrBackground);
  return static_cast<int>(message.wParam);
}
