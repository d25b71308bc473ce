// The window procedure of "GLWindow" and the one-message pump.
//
// Handlers record input and sizes in globals and draw nothing; the application
// polls the globals once per frame.
#include "internal.h"
#include "vitrum.h"

namespace Vitrum {

POINT MPOS{};
MSG MSG_{};

namespace {

// The common ending of most messages. A zero WPARAM also repaints the status bar.
LRESULT byDefault(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (wparam == 0) UpdateWindow(HSTATUS);
  return DefWindowProcA(window, message, wparam, lparam);
}

void captureMouse() {
  ReleaseCapture();
  SetCapture(HWINDOW);
}

// Any program may post a key message with any code; codes beyond the table
// leave it alone, as the key itself never reached the application.
void setKey(::WPARAM key, TLONGBOOL pressed) {
  if (key <= static_cast<::WPARAM>(decltype(SETKEY)::HIGH)) SETKEY[static_cast<long long>(key)] = pressed;
}

void freeLookMove() {
  if (!MOUSEFREE || GetForegroundWindow() != HWINDOW) return;
  const std::int32_t cx = WIDTH / 2, cy = HEIGHT / 2;
  GetCursorPos(&MPOS);
  SetCursorPos(cx, cy);
  internal::freeLook(MPOS.x, MPOS.y, cx, cy);
}

}  // namespace

LRESULT CALLBACK GLWNDPROC(HWND WINDOW, UINT AMESSAGE, ::WPARAM WPARAM, ::LPARAM LPARAM) {
  const auto x = internal::lowCoordinate(static_cast<std::uintptr_t>(LPARAM));
  const auto y = internal::highCoordinate(static_cast<std::uintptr_t>(LPARAM));
  switch (AMESSAGE) {
    case WM_CREATE: ACTIVE = true; return 0;
    case WM_DESTROY:
      ACTIVE = false;
      PostQuitMessage(0);
      return 0;
    case WM_SIZE:
      // Sizes are unsigned: a client area is never negative.
      GLRESIZEWINDOW(LOWORD(LPARAM), HIWORD(LPARAM));
      break;
    case WM_PAINT: {
      PAINTSTRUCT paint;
      RECT client;
      BeginPaint(WINDOW, &paint);
      GetClientRect(WINDOW, &client);
      UpdateWindow(HSTATUS);
      EndPaint(WINDOW, &paint);
      return 0;
    }
    case WM_CONTEXTMENU:
      if (SHOWMENUBAR && CREATEMOUSEMENU) CREATEMOUSEMENU();
      break;
    case WM_KEYDOWN:
      if (WPARAM == VK_ESCAPE) {
        SendMessageA(HWINDOW, WM_DESTROY, 0, 0);
        return 0;
      }
      setKey(WPARAM, LONGTRUE);
      break;
    case WM_KEYUP:
      setKey(WPARAM, LONGFALSE);
      MOUSEFREE = false;
      break;
    case WM_COMMAND:
      if (SHOWMENUBAR && GETINPUTCOMMAND) GETINPUTCOMMAND(WINDOW, AMESSAGE, WPARAM, LPARAM);
      return 0;
    case WM_TIMER:
      if (VIEWFPS && WPARAM == FPS_TIMER) SetWindowTextA(HWINDOW, internal::fpsUpdate().c_str());
      break;
    case WM_MOUSEMOVE:
      internal::mouseMove(x, y);
      freeLookMove();
      break;
    case WM_LBUTTONDOWN:
      captureMouse();
      internal::leftButtonDown(x, y);
      break;
    case WM_LBUTTONUP:
      ReleaseCapture();
      internal::leftButtonUp();
      break;
    case WM_RBUTTONDOWN:
      captureMouse();
      internal::rightButtonDown(y);
      break;
    case WM_RBUTTONUP:
      ReleaseCapture();
      internal::rightButtonUp();
      break;
    default: break;
  }
  return byDefault(WINDOW, AMESSAGE, WPARAM, LPARAM);
}

void SETGLMSG() {
  if (!PeekMessageA(&MSG_, nullptr, 0, 0, PM_NOREMOVE)) return;
  // A message is known to be waiting, so this does not block; WM_QUIT is
  // dispatched like any other message: the frame loop ends on ACTIVE.
  GetMessageA(&MSG_, nullptr, 0, 0);
  TranslateMessage(&MSG_);
  DispatchMessageA(&MSG_);
}

}  // namespace Vitrum
