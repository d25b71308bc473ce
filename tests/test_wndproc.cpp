// The window procedure's message rules and the one-message pump, on a real
// window under Wine: messages are sent or posted to it as Windows would.
#include <gtest/gtest.h>

#include <string>

#include "vitrum.h"
#include "win32_child.h"

using namespace Vitrum;

namespace {

int contextMenuCalls = 0;
struct CommandCall {
  HWND window;
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
} lastCommand{};

void countContextMenu() { ++contextMenuCalls; }

LRESULT CALLBACK recordCommand(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  lastCommand = {window, message, wparam, lparam};
  return 1234;  // discarded by the window procedure
}

// Bounded: in free-look mode every handled move re-centres the cursor, which
// Wine answers with another move.
void drainQueue() {
  MSG pending;
  for (int i = 0; i < 100 && PeekMessageA(&pending, nullptr, 0, 0, PM_REMOVE); ++i) DispatchMessageA(&pending);
}

std::string title() {
  char text[256] = {};
  GetWindowTextA(HWINDOW, text, sizeof text);
  return text;
}

LPARAM at(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class WindowProcedure : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    CREATEOGLWINDOW("Vitrum wndproc test", 400, 300, 32, false);
  }
  void SetUp() override {
    MOUSEFREE = SHOWMENUBAR = false;
    drainQueue();
    ACTIVE = true;
    MSPEED = 2;
    XROT = YROT = XROT2 = YROT2 = DEPTH = DEPTH2 = 0;
  }
};

TEST_F(WindowProcedure, KeysFillTheTableUntilReleasedAndAnyReleaseEndsFreeLook) {
  SendMessageA(HWINDOW, WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(SETKEY['A'], LONGTRUE);
  MOUSEFREE = true;
  SendMessageA(HWINDOW, WM_KEYUP, VK_SPACE, 0);  // another key's release
  EXPECT_FALSE(MOUSEFREE);
  EXPECT_EQ(SETKEY['A'], LONGTRUE);
  SendMessageA(HWINDOW, WM_KEYUP, 'A', 0);
  EXPECT_EQ(SETKEY['A'], LONGFALSE);
  // F10 and Alt combinations arrive as system keys and never reach the table.
  SendMessageA(HWINDOW, WM_SYSKEYDOWN, VK_F10, 0);
  EXPECT_EQ(SETKEY[VK_F10], LONGFALSE);
}

TEST_F(WindowProcedure, EscapeEndsTheLoopWithoutDestroyingTheWindow) {
  EXPECT_EQ(SendMessageA(HWINDOW, WM_KEYDOWN, VK_ESCAPE, 0), 0);
  EXPECT_FALSE(ACTIVE);
  EXPECT_TRUE(IsWindow(HWINDOW));
  EXPECT_EQ(SETKEY[VK_ESCAPE], LONGFALSE);
  MSG quit;
  EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST_F(WindowProcedure, LeftDragTurnsAndCapturesTheMouse) {
  SendMessageA(HWINDOW, WM_LBUTTONDOWN, MK_LBUTTON, at(100, 50));
  EXPECT_EQ(GetCapture(), HWINDOW);
  EXPECT_TRUE(LEFTMOUSEDOWN && LEFTMOUSEDOWN2);
  SendMessageA(HWINDOW, WM_MOUSEMOVE, MK_LBUTTON, at(110, 50));
  EXPECT_FLOAT_EQ(YROT, 10);
  EXPECT_FLOAT_EQ(YROT2, 10);
  EXPECT_EQ(SETOMX, 110);
  // Captured and dragged past the left edge: a small negative x, not 65535.
  SendMessageA(HWINDOW, WM_MOUSEMOVE, MK_LBUTTON, at(-10, 50));
  EXPECT_FLOAT_EQ(YROT, -110);
  EXPECT_EQ(SETOMX, -10);
  SendMessageA(HWINDOW, WM_LBUTTONUP, 0, at(-10, 50));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(LEFTMOUSEDOWN);
  EXPECT_EQ(XCOORD, 0);
  EXPECT_EQ(SETMX, 0);
}

TEST_F(WindowProcedure, RightDragZoomsUnlessInFreeLook) {
  SendMessageA(HWINDOW, WM_RBUTTONDOWN, MK_RBUTTON, at(10, 40));
  EXPECT_EQ(GetCapture(), HWINDOW);
  SendMessageA(HWINDOW, WM_MOUSEMOVE, MK_RBUTTON, at(10, 50));
  EXPECT_FLOAT_EQ(DEPTH, -2);
  EXPECT_FLOAT_EQ(DEPTH2, -2);
  MOUSEFREE = true;
  SendMessageA(HWINDOW, WM_MOUSEMOVE, MK_RBUTTON, at(10, 90));
  EXPECT_FLOAT_EQ(DEPTH, -2);
  SendMessageA(HWINDOW, WM_RBUTTONUP, 0, at(10, 90));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_FALSE(RIGHTMOUSEDOWN || RIGHTMOUSEDOWN2);
}

TEST_F(WindowProcedure, FreeLookMeasuresFromTheScreenCentreAndPutsTheCursorBack) {
  SetForegroundWindow(HWINDOW);
  ASSERT_EQ(GetForegroundWindow(), HWINDOW);
  MOUSEFREE = true;
  const int cx = WIDTH / 2, cy = HEIGHT / 2;
  SetCursorPos(cx + 200, cy + 100);
  SendMessageA(HWINDOW, WM_MOUSEMOVE, 0, at(0, 0));
  EXPECT_EQ(MPOS.x, cx + 200);
  EXPECT_EQ(MPOS.y, cy + 100);
  EXPECT_FLOAT_EQ(XROT, 4);  // 200 px over 100, times speed 2
  EXPECT_FLOAT_EQ(YROT, 2);  // 100 px down
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_EQ(cursor.x, cx);
  EXPECT_EQ(cursor.y, cy);
  MSPEED = 50;
  SetCursorPos(cx + 10, cy + 500);
  SendMessageA(HWINDOW, WM_MOUSEMOVE, 0, at(0, 0));
  EXPECT_FLOAT_EQ(XROT, 9);   // 4 + 10 / 100 * 50
  EXPECT_FLOAT_EQ(YROT, 60);  // 2 + 250, clamped
  EXPECT_FLOAT_EQ(YROT2, 60);
  MSPEED = 200;
  SetCursorPos(cx, cy - 100);
  SendMessageA(HWINDOW, WM_MOUSEMOVE, 0, at(0, 0));
  EXPECT_FLOAT_EQ(YROT, -60);
  MOUSEFREE = false;
}

TEST_F(WindowProcedure, FpsTimerWritesTheRoundedFigureIntoTheTitle) {
  SendMessageA(HWINDOW, WM_TIMER, FPS_TIMER, 0);  // VIEWFPS is off
  EXPECT_EQ(title(), "Vitrum wndproc test");
  VIEWFPS = true;
  FPSCOUNT = 300;
  SendMessageA(HWINDOW, WM_TIMER, 2, 0);  // another timer
  EXPECT_EQ(FPSCOUNT, 300);
  SendMessageA(HWINDOW, WM_TIMER, FPS_TIMER, 0);
  EXPECT_EQ(title(), "Vitrum wndproc test - FPS [60]");
  EXPECT_EQ(FPSCOUNTSTR, "60");
  EXPECT_EQ(FPSCOUNT, 0);
  FPSCOUNT = 13;
  SendMessageA(HWINDOW, WM_TIMER, FPS_TIMER, 0);
  EXPECT_EQ(title(), "Vitrum wndproc test - FPS [3]");
  VIEWFPS = false;
  SetWindowTextA(HWINDOW, SETTITLENAME);
}

TEST_F(WindowProcedure, MenuCallbacksRunOnlyWhenTheMenuIsEnabled) {
  GETINPUTCOMMAND = recordCommand;
  CREATEMOUSEMENU = countContextMenu;
  EXPECT_EQ(SendMessageA(HWINDOW, WM_COMMAND, 7, 9), 0);
  EXPECT_EQ(lastCommand.window, nullptr);
  SendMessageA(HWINDOW, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(HWINDOW), at(200, 150));
  EXPECT_EQ(contextMenuCalls, 0);
  SHOWMENUBAR = true;
  EXPECT_EQ(SendMessageA(HWINDOW, WM_COMMAND, 7, 9), 0);
  EXPECT_EQ(lastCommand.window, HWINDOW);
  EXPECT_EQ(lastCommand.message, static_cast<UINT>(WM_COMMAND));
  EXPECT_EQ(lastCommand.wparam, 7u);
  EXPECT_EQ(lastCommand.lparam, 9);
  SendMessageA(HWINDOW, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(HWINDOW), at(200, 150));
  EXPECT_EQ(contextMenuCalls, 1);
  CREATEMOUSEMENU = nullptr;  // enabled menu, no callbacks: nothing is called
  GETINPUTCOMMAND = nullptr;
  SendMessageA(HWINDOW, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(HWINDOW), at(200, 150));
  EXPECT_EQ(SendMessageA(HWINDOW, WM_COMMAND, 7, 9), 0);
}

TEST_F(WindowProcedure, SizeMessagesStoreTheClientSizeOnly) {
  GLint viewport[4];
  glGetIntegerv(GL_VIEWPORT, viewport);
  SendMessageA(HWINDOW, WM_SIZE, SIZE_RESTORED, at(320, 180));
  EXPECT_EQ(WIDTH, 320);
  EXPECT_EQ(HEIGHT, 180);
  GLint after[4];
  glGetIntegerv(GL_VIEWPORT, after);
  EXPECT_EQ(after[2], viewport[2]);
  SendMessageA(HWINDOW, WM_SIZE, SIZE_MINIMIZED, 0);
  EXPECT_EQ(WIDTH, 0);
  EXPECT_EQ(HEIGHT, 0);
}

TEST_F(WindowProcedure, PumpHandlesOneMessagePerCallAndNeverBlocks) {
  SETGLMSG();  // nothing waiting: returns at once
  // Function keys: TranslateMessage adds no WM_CHAR for them.
  for (WPARAM key : {VK_F2, VK_F3, VK_F4}) PostMessageA(HWINDOW, WM_KEYDOWN, key, 0);
  SETGLMSG();
  EXPECT_EQ(SETKEY[VK_F2], LONGTRUE);
  EXPECT_EQ(SETKEY[VK_F3], LONGFALSE);
  SETGLMSG();
  EXPECT_EQ(SETKEY[VK_F3], LONGTRUE);
  EXPECT_EQ(SETKEY[VK_F4], LONGFALSE);
  SETGLMSG();
  EXPECT_EQ(SETKEY[VK_F4], LONGTRUE);
  // WM_QUIT is taken and dispatched like any other message.
  PostQuitMessage(0);
  SETGLMSG();
  EXPECT_EQ(MSG_.message, static_cast<UINT>(WM_QUIT));
  MSG none;
  EXPECT_FALSE(PeekMessageA(&none, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
}

TEST_F(WindowProcedure, CloseBoxDestroysTheWindowAndEndsTheLoop) {
  PostMessageA(HWINDOW, WM_SYSCOMMAND, SC_CLOSE, 0);
  for (int i = 0; i < 20 && IsWindow(HWINDOW); ++i) SETGLMSG();
  EXPECT_FALSE(IsWindow(HWINDOW));
  EXPECT_FALSE(ACTIVE);
}

VITRUM_CHILD_SCENARIO(key_outside_the_table) {
  CREATEOGLWINDOW("Keys", 200, 100, 32, false);
  SendMessageA(HWINDOW, WM_KEYDOWN, 501, 0);
  return 0;
}

TEST(WindowProcedureChild, KeyCodeBeyondTheTableIsARunTimeError) {
  const auto run = vitrum_test::runChild("key_outside_the_table");
  EXPECT_EQ(run.exitCode, static_cast<DWORD>(RUNTIME_ERROR_STATUS));
  EXPECT_NE(run.output.find("index 501 of SETKEY is outside its bounds 0..500"), std::string::npos)
      << run.output;
}

}  // namespace
