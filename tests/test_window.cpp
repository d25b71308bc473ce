// Window creation, the OpenGL context and the fatal set-up failures, against
// real windows under Wine. One window per process: the windowed case runs in
// this process, full screen and every failure in a child process.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "opengl_window.h"
#include "vitrum.h"
#include "win32_child.h"

// commctrl.h needs the types of <windows.h>, which vitrum.h includes.
#include <commctrl.h>

using namespace Vitrum;
using vitrum_test::runChild;

namespace {

int menuBarCalls = 0;
HWND windowSeenByMenuBar = nullptr;

void countMenuBar() {
  ++menuBarCalls;
  windowSeenByMenuBar = HWINDOW;
}

std::string statusText(HWND bar) {
  char text[64] = {};
  SendMessageA(bar, SB_GETTEXTA, 0, reinterpret_cast<LPARAM>(text));
  return text;
}

class WindowedCreation : public vitrum_test::OpenGLWindowTest {
 protected:
  static void SetUpTestSuite() {
    // Before any context exists the empty display list cannot be made.
    OGLWINDOWSETTING(CROSS, "", GENERIC, "");
    EXPECT_EQ(OBJNULL, 0u);
    std::snprintf(FILENAME.data(), FILENAME.size(), "left over");
    STATUSITEM[1] = 120;
    STATUSITEM[2] = -1;
    MAXSTATUSITEM = 2;
    SHOWSTATUSBAR = true;
    SHOWMENUBAR = true;
    CREATEMENUBAR = countMenuBar;
    ASSERT_TRUE(vitrum_test::openGLWindow("Vitrum window test", 640, 480));
  }
};

TEST_F(WindowedCreation, WindowHasTheCaptionedPopupStyleAtTheScreenCorner) {
  ASSERT_TRUE(IsWindow(HWINDOW));
  EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(HWINDOW, GWL_STYLE)), 0x96CA0000u);
  EXPECT_EQ(GetWindowLongA(HWINDOW, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
  RECT outer;
  GetWindowRect(HWINDOW, &outer);
  EXPECT_EQ(outer.left, 0);
  EXPECT_EQ(outer.top, 0);
  EXPECT_EQ(outer.right - outer.left, 640);  // the requested size is the outer size
  EXPECT_EQ(outer.bottom - outer.top, 480);
  char title[128] = {};
  GetWindowTextA(HWINDOW, title, sizeof title);
  EXPECT_STREQ(title, "Vitrum window test");
  EXPECT_STREQ(SETTITLENAME, "Vitrum window test");
  EXPECT_TRUE(IsWindowVisible(HWINDOW));
}

TEST_F(WindowedCreation, SizeIsTheClientAreaDeliveredByWmSize) {
  RECT client;
  GetClientRect(HWINDOW, &client);
  EXPECT_EQ(WIDTH, client.right);
  EXPECT_EQ(HEIGHT, client.bottom);
  EXPECT_LT(WIDTH, 640);
  EXPECT_LT(HEIGHT, 480);
  EXPECT_EQ(BITS, 32);
  EXPECT_TRUE(ACTIVE);
  EXPECT_FALSE(FULLSCREEN);
}

TEST_F(WindowedCreation, ContextIsCurrentOnTheChosenPixelFormat) {
  EXPECT_EQ(FUNCTIONERROR, 0);
  EXPECT_EQ(wglGetCurrentContext(), RCWINDOW);
  EXPECT_EQ(wglGetCurrentDC(), DCWINDOW);
  ASSERT_NE(IFORMAT, 0);
  EXPECT_EQ(GetPixelFormat(DCWINDOW), IFORMAT);
  PIXELFORMATDESCRIPTOR chosen{};
  ASSERT_NE(DescribePixelFormat(DCWINDOW, IFORMAT, sizeof chosen, &chosen), 0);
  const DWORD needed = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
  EXPECT_EQ(chosen.dwFlags & needed, needed);
  EXPECT_EQ(chosen.iPixelType, PFD_TYPE_RGBA);
  EXPECT_GE(chosen.cDepthBits, 16);
  EXPECT_NE(glGetString(GL_VERSION), nullptr);
}

TEST_F(WindowedCreation, ClassesCarryTheChosenCursorIconAndProcedures) {
  WNDCLASSA gl{};
  ASSERT_TRUE(GetClassInfoA(GetModuleHandleA(nullptr), "GLWindow", &gl));
  EXPECT_EQ(gl.style, static_cast<UINT>(CS_HREDRAW | CS_VREDRAW));
  EXPECT_EQ(gl.lpfnWndProc, GLWNDPROC);
  EXPECT_EQ(gl.hCursor, LoadCursorA(nullptr, IDC_CROSS));
  EXPECT_EQ(gl.hIcon, LoadIconA(nullptr, IDI_APPLICATION));
  EXPECT_EQ(gl.hbrBackground, GetSysColorBrush(COLOR_BTNFACE));
  WNDCLASSEXA button{};
  button.cbSize = sizeof button;
  ASSERT_TRUE(GetClassInfoExA(GetModuleHandleA(nullptr), "IMAGEBUTTON", &button));
  EXPECT_EQ(button.hbrBackground, GetStockObject(NULL_BRUSH));
  EXPECT_EQ(WINDOWCLASSEX.cbSize, sizeof(WNDCLASSEXA));  // 48 bytes on 32-bit Windows
}

TEST_F(WindowedCreation, MenuCallbackAndStatusBarRunOnce) {
  EXPECT_EQ(menuBarCalls, 1);
  EXPECT_EQ(windowSeenByMenuBar, HWINDOW);
  ASSERT_NE(HSTATUS, nullptr);
  EXPECT_EQ(HSTATUS, AWND);
  EXPECT_EQ(GetParent(HSTATUS), HWINDOW);
  EXPECT_EQ(GetDlgCtrlID(HSTATUS), 30482);
  EXPECT_EQ(statusText(HSTATUS), "Percorso file");
  // The whole buffer was overwritten: text, then zero bytes to the end.
  EXPECT_STREQ(FILENAME.data(), "Percorso file");
  for (long long i = 13; i <= 260; ++i) ASSERT_EQ(FILENAME[i], '\0') << i;
  int edges[4] = {};
  EXPECT_EQ(SendMessageA(HSTATUS, SB_GETPARTS, 4, reinterpret_cast<LPARAM>(edges)), 2);
  EXPECT_EQ(edges[0], 120);
  EXPECT_EQ(EDGES[1], 120);
  EXPECT_EQ(EDGES[2], -1);
}

TEST_F(WindowedCreation, SettingsAgainWithAContextMakeTheEmptyListAndResetTheCaptureFlags) {
  GLVERT3FREMOVE = true;
  GLVERT3FENABLEEDIT = true;
  MOUSEFREE = true;
  WIDTH = 300;
  HEIGHT = 200;
  START = 0;
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  EXPECT_NE(OBJNULL, 0u);
  EXPECT_TRUE(glIsList(OBJNULL));
  EXPECT_FALSE(GLVERT3FREMOVE);
  EXPECT_FALSE(GLVERT3FENABLEEDIT);
  EXPECT_TRUE(FOGONOFF);
  EXPECT_NE(START, 0u);
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, 150);
  EXPECT_EQ(cursor.y, 100);
  MOUSEFREE = false;
  // The class was registered earlier: the new choice does not reach it.
  EXPECT_EQ(SETTYPECURSOR, ARROW);
  EXPECT_EQ(reinterpret_cast<HCURSOR>(GetClassLongPtrA(HWINDOW, GCLP_HCURSOR)), LoadCursorA(nullptr, IDC_CROSS));
  RECT client;
  GetClientRect(HWINDOW, &client);
  SendMessageA(HWINDOW, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
}

// ---------------------------------------------------------------------------
// Child processes.

VITRUM_CHILD_SCENARIO(full_screen) {
  DEVMODEA before{}, after{};
  before.dmSize = after.dmSize = sizeof(DEVMODEA);
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &before);
  CREATE_WINDOW_FLAGS = WS_THICKFRAME;  // not applied in full screen
  CREATEOGLWINDOW("Full", 320, 200, 16, true);
  EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &after);
  RECT outer;
  GetWindowRect(HWINDOW, &outer);
  std::printf("size %ld %ld screen %d %d client %d %d style %08lx origin %ld %ld mode %lu %lu %lu %lu\n",
              outer.right - outer.left, outer.bottom - outer.top, GetSystemMetrics(SM_CXSCREEN),
              GetSystemMetrics(SM_CYSCREEN), WIDTH, HEIGHT,
              static_cast<unsigned long>(GetWindowLongA(HWINDOW, GWL_STYLE)), outer.left, outer.top, before.dmPelsWidth,
              after.dmPelsWidth, before.dmBitsPerPel, after.dmBitsPerPel);
  DELETEOGLWINDOW();
  return 0;
}

TEST(WindowChild, FullScreenIsAScreenSizedBorderedPopupAtTheCurrentMode) {
  const auto run = runChild("full_screen");
  ASSERT_EQ(run.exitCode, 0u) << run.output;
  long w, h, sx, sy, cw, ch, x, y;
  unsigned long style, w0, w1, b0, b1;
  ASSERT_EQ(std::sscanf(run.output.c_str(),
                        "size %ld %ld screen %ld %ld client %ld %ld style %lx origin %ld %ld mode %lu %lu %lu %lu", &w,
                        &h, &sx, &sy, &cw, &ch, &style, &x, &y, &w0, &w1, &b0, &b1),
            13)
      << run.output;
  EXPECT_EQ(w, sx);
  EXPECT_EQ(h, sy);
  EXPECT_EQ(style, 0x96880000ul);
  EXPECT_EQ(x, 0);
  EXPECT_EQ(y, 0);
  EXPECT_LE(cw, sx);  // the client area inside the border
  EXPECT_EQ(w0, w1);
  EXPECT_EQ(b0, b1);
  EXPECT_TRUE(run.dialogs.empty());
}

// A process of its own: the window of this one serves the other tests.
VITRUM_CHILD_SCENARIO(delete_window) {
  CREATEOGLWINDOW("Delete", 320, 200, 32, false);
  DELETEOGLWINDOW();
  WNDCLASSA gl{};
  std::printf("window %d context %d active %d class %d\n", IsWindow(HWINDOW) ? 1 : 0, wglGetCurrentContext() ? 1 : 0,
              ACTIVE ? 1 : 0, GetClassInfoA(GetModuleHandleA(nullptr), "GLWindow", &gl) ? 1 : 0);
  return 0;
}

TEST(WindowChild, DeleteReleasesContextAndWindowButKeepsTheClasses) {
  const auto run = runChild("delete_window");
  EXPECT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_NE(run.output.find("window 0 context 0 active 0 class 1"), std::string::npos) << run.output;
}

VITRUM_CHILD_SCENARIO(shown) {
  SHOWMENUBAR = true;  // with no menu callback: nothing to call
  CREATEOGLWINDOW("Shown", 320, 200, 32, false);
  std::printf("visible %d iconic %d\n", IsWindowVisible(HWINDOW) ? 1 : 0, IsIconic(HWINDOW) ? 1 : 0);
  return 0;
}

TEST(WindowChild, ShowCommandComesFromStartupInfoOnlyWhenTheProcessGotOne) {
  vitrum_test::RunOptions plain;
  const auto without = vitrum_test::runProcess("\"" + vitrum_test::selfPath() + "\" --child shown", plain);
  EXPECT_NE(without.output.find("visible 1 iconic 0"), std::string::npos) << without.output;
  vitrum_test::RunOptions minimised;
  minimised.showCommand = SW_SHOWMINNOACTIVE;
  const auto with = vitrum_test::runProcess("\"" + vitrum_test::selfPath() + "\" --child shown", minimised);
  EXPECT_NE(with.output.find("iconic 1"), std::string::npos) << with.output;
}

VITRUM_CHILD_SCENARIO(second_create) {
  CREATEOGLWINDOW("First", 320, 200, 32, false);
  DELETEOGLWINDOW();
  CREATEOGLWINDOW("Second", 320, 200, 32, false);
  std::printf("returned\n");
  return 0;
}

// Refuses the creation of "GLWindow" windows (but not of the message box).
LRESULT CALLBACK refuseGlWindows(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    const char* name = reinterpret_cast<CBT_CREATEWNDA*>(lparam)->lpcs->lpszClass;
    if (!IS_INTRESOURCE(name) && std::string(name) == "GLWindow") return 1;
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

void announceMenuBar() {
  std::printf("menu bar callback, window %llu\n", static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(HWINDOW)));
}

VITRUM_CHILD_SCENARIO(create_refused) {
  SetWindowsHookExA(WH_CBT, refuseGlWindows, nullptr, GetCurrentThreadId());
  SHOWMENUBAR = true;
  CREATEMENUBAR = announceMenuBar;
  SHOWSTATUSBAR = true;
  std::fflush(stdout);
  CREATEOGLWINDOW("Refused", 320, 200, 32, false);
  return 0;
}

// Destroying the window before WINDOWINIT leaves it no device context, so no
// pixel format can be chosen.
void destroyWindowEarly() { DestroyWindow(HWINDOW); }

VITRUM_CHILD_SCENARIO(no_pixel_format) {
  SHOWMENUBAR = true;
  CREATEMENUBAR = destroyWindowEarly;
  CREATEOGLWINDOW("No format", 320, 200, 32, false);
  return 0;
}

TEST(WindowChild, EachSetupFailureShowsItsMessageAndEndsWithStatusOne) {
  struct Case {
    const char* scenario;
    const char* text;
  } cases[] = {
      {"second_create", "Errore di registro per la rispettiva applicazione!"},
      {"create_refused", "Impossibile creare la finestra per la rispettiva applicazione!"},
      {"no_pixel_format", "la rispettiva applicazione non \xE8 stata inizilizata!"},
  };
  for (const Case& c : cases) {
    const auto run = runChild(c.scenario);
    EXPECT_EQ(run.exitCode, 1u) << c.scenario << "\n" << run.output;
    ASSERT_EQ(run.dialogs.size(), 1u) << c.scenario;
    EXPECT_EQ(run.dialogs[0].caption, "Error");
    EXPECT_EQ(run.dialogs[0].text, c.text);
    EXPECT_EQ(run.output.find("returned"), std::string::npos);
    if (std::string(c.scenario) == "create_refused") {  // the menu callback runs before the test
      EXPECT_NE(run.output.find("menu bar callback, window 0"), std::string::npos) << run.output;
    }
  }
}

// A real window whose request no pixel format meets: Wine's bitmap formats are
// single-buffered and mono, and none reaches 255 colour bits. Its calls are
// checked by relay_window (expected/relay_window).
VITRUM_CHILD_SCENARIO(unmet_pixel_format) {
  PIXEL_FORMAT_FLAGS = PFD_DRAW_TO_BITMAP | PFD_STEREO;
  CREATEOGLWINDOW("Unmet format", 320, 200, 255, false);
  return 0;
}

VITRUM_CHILD_SCENARIO(too_many_status_parts) {
  SHOWSTATUSBAR = true;
  MAXSTATUSITEM = 21;
  CREATEOGLWINDOW("Parts", 320, 200, 32, false);
  return 0;
}

VITRUM_CHILD_SCENARIO(negative_bits) {
  CREATEOGLWINDOW("Bits", 320, 200, -1, false);
  return 0;
}

// WINDOWINIT on its own reads the global, which nothing has checked.
VITRUM_CHILD_SCENARIO(bits_over_a_byte_at_init) {
  WINDOWREGISTER();
  BITS = 256;
  WINDOWINIT(WINDOWCREATE("Bits"));
  return 0;
}

TEST(WindowChild, BrokenLimitsAreRunTimeErrors) {
  const struct {
    const char* scenario;
    const char* message;
  } cases[] = {
      {"too_many_status_parts", "index 21 of STATUSITEM is outside its bounds 1..20"},
      {"negative_bits", "CREATEOGLWINDOW: BITS outside 0..255"},
      {"bits_over_a_byte_at_init", "WINDOWINIT: BITS outside 0..255"},
  };
  for (const auto& c : cases) {
    const auto run = runChild(c.scenario);
    EXPECT_EQ(run.exitCode, static_cast<DWORD>(RUNTIME_ERROR_STATUS)) << c.scenario;
    EXPECT_NE(run.output.find(c.message), std::string::npos) << c.scenario << "\n" << run.output;
    EXPECT_TRUE(run.dialogs.empty()) << c.scenario;
  }
}

}  // namespace
