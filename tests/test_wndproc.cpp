// The window procedure's message rules and the one-message pump, on a real
// window under Wine: messages are sent or posted to it as Windows would.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "message_storm.h"
#include "opengl_window.h"
#include "quad.h"
#include "test_context.h"
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

std::string title() {
  char text[256] = {};
  GetWindowTextA(HWINDOW, text, sizeof text);
  return text;
}

LPARAM at(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

class WindowProcedure : public vitrum_test::OpenGLWindowTest {
 protected:
  static void SetUpTestSuite() {
    OGLWINDOWSETTING(ARROW, "", GENERIC, "");
    vitrum_test::openGLWindow("Vitrum wndproc test", 400, 300);
  }
  // Every test starts from the state the window had when it was created.
  void SetUp() override {
    OpenGLWindowTest::SetUp();
    MOUSEFREE = SHOWMENUBAR = VIEWFPS = false;
    GETINPUTCOMMAND = nullptr;
    CREATEMOUSEMENU = nullptr;
    contextMenuCalls = 0;
    lastCommand = {};
    SendMessageA(HWINDOW, WM_LBUTTONUP, 0, 0);
    SendMessageA(HWINDOW, WM_RBUTTONUP, 0, 0);
    // Bounded: in free-look mode every handled move re-centres the cursor, which
    // Wine answers with another move.
    vitrum_test::pumpQueue(100);
    for (long long key = 0; key <= 500; ++key) SETKEY[key] = LONGFALSE;
    SetWindowTextA(HWINDOW, SETTITLENAME);
    RECT client;
    GetClientRect(HWINDOW, &client);
    GLRESIZEWINDOW(client.right, client.bottom);
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

// Any program may post key messages with any code to the window.
TEST_F(WindowProcedure, KeyCodesBeyondTheTableLeaveItAloneButKeyUpStillEndsFreeLook) {
  SendMessageA(HWINDOW, WM_KEYDOWN, 'B', 0);
  for (WPARAM key : {WPARAM{501}, WPARAM{1000}, WPARAM{65535}, ~WPARAM{0}}) {
    const vitrum_test::Context trace(key);
    SendMessageA(HWINDOW, WM_KEYDOWN, key, 0);
    PostMessageA(HWINDOW, WM_KEYDOWN, key, 0);
    SETGLMSG();
    MOUSEFREE = true;
    PostMessageA(HWINDOW, WM_KEYUP, key, 0);
    SETGLMSG();
    EXPECT_FALSE(MOUSEFREE);
    EXPECT_TRUE(ACTIVE);
  }
  EXPECT_EQ(SETKEY['B'], LONGTRUE);
  EXPECT_EQ(SETKEY[500], LONGFALSE);
  SendMessageA(HWINDOW, WM_KEYDOWN, 500, 0);  // the last code the table holds
  EXPECT_EQ(SETKEY[500], LONGTRUE);
  SendMessageA(HWINDOW, WM_KEYUP, 500, 0);
  SendMessageA(HWINDOW, WM_KEYUP, 'B', 0);
}

// A frame as the demo draws one: pump, both projections, navigation, a quad.
void drawFrame() {
  ++FPSCOUNT;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  OPENGL_I2D(0, 0, 0, 0);
  OPENGL_INIT(100, 0, 0, 0.2, 0);
  SETGLMOUSEMOVE(GL_M0, 2);
  vitrum_test::quad({{-1, -1, 0}, {1, -1, 0}, {1, 1, 0}, {-1, 1, 0}});
  SwapBuffers(DCWINDOW);
}

// A real click and a real Escape, through the system's input queue.
void sendInput(DWORD mouseFlags, WORD key, DWORD keyFlags) {
  INPUT input{};
  if (mouseFlags) {
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = mouseFlags;
  } else {
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = keyFlags;
  }
  SendInput(1, &input, sizeof input);
}

template <typename Done>
bool pumpUntil(Done done) {
  for (int i = 0; i < 200 && !done(); ++i) {
    vitrum_test::pumpQueue(100);
    Sleep(5);
  }
  return done();
}

TEST_F(WindowProcedure, SurvivesASeededMessageStormAndStillAnswersAClickAndEscape) {
  SHOWMENUBAR = VIEWFPS = true;
  GETINPUTCOMMAND = recordCommand;
  CREATEMOUSEMENU = countContextMenu;
  SetForegroundWindow(HWINDOW);
  vitrum_test::MessageStorm storm(vitrum_test::stormSeed(),
                                  {WM_CREATE, WM_SIZE, WM_PAINT, WM_CONTEXTMENU, WM_KEYDOWN, WM_KEYUP, WM_COMMAND,
                                   WM_TIMER, WM_MOUSEMOVE, WM_LBUTTONDOWN, WM_LBUTTONUP, WM_RBUTTONDOWN, WM_RBUTTONUP});
  std::minstd_rand application(storm.seed());
  LPARAM lastSize = MAKELPARAM(WIDTH, HEIGHT);
  unsigned handled = 0;
  std::string broken;
  const auto check = [&](const vitrum_test::StormMessage& m) {
    if (!broken.empty()) return;
    ++handled;
    if (m.message == WM_SIZE) lastSize = m.lparam;
    const bool key = m.message == WM_KEYDOWN || m.message == WM_KEYUP;
    const bool freeLookMove = m.message == WM_MOUSEMOVE && MOUSEFREE && GetForegroundWindow() == HWINDOW;
    if (!IsWindow(HWINDOW) || !ACTIVE) broken = "the window or ACTIVE is gone";
    else if (WIDTH != LOWORD(lastSize) || HEIGHT != HIWORD(lastSize))
      broken = "WIDTH, HEIGHT differ from the last WM_SIZE";
    else if (LEFTMOUSEDOWN != LEFTMOUSEDOWN2 || RIGHTMOUSEDOWN != RIGHTMOUSEDOWN2) broken = "the button flags differ";
    else if (!LEFTMOUSEDOWN && (XCOORD || YCOORD || SETMX || SETMY)) broken = "a left-drag anchor outlives the release";
    else if (!std::isfinite(XROT) || !std::isfinite(YROT) || !std::isfinite(DEPTH) || !std::isfinite(XROT2) ||
             !std::isfinite(YROT2) || !std::isfinite(DEPTH2))
      broken = "an angle or distance is not finite";
    else if (freeLookMove && (std::fabs(YROT) > 60 || std::fabs(YROT2) > 60)) broken = "free look left YROT beyond 60";
    else if (key && m.wparam <= 500 &&
             SETKEY[static_cast<long long>(m.wparam)] != (m.message == WM_KEYDOWN ? LONGTRUE : LONGFALSE))
      broken = "a key is not in the table as its last message left it";
    if (!broken.empty()) {
      char message[16];
      std::snprintf(message, sizeof message, "0x%X", static_cast<unsigned>(m.message));
      broken += " after message " + std::to_string(handled) + " (" + message + ")";
    }
    // The application switches free look now and then, as a program's keys would.
    if (application() % 50 == 0) MOUSEFREE = !MOUSEFREE;
  };
  const unsigned length = vitrum_test::stormLength();
  const auto counts = vitrum_test::runStorm(HWINDOW, storm, length, 100, check, drawFrame);
  std::printf("messages survived: %u sent, %u posted, %u frames drawn\n", counts.sent, counts.posted, counts.frames);
  EXPECT_EQ(broken, "") << "seed " << storm.seed();
  EXPECT_EQ(counts.sent + counts.posted, length);
  for (long long key = 0; key <= 500; ++key) ASSERT_TRUE(SETKEY[key] == LONGTRUE || SETKEY[key] == LONGFALSE) << key;

  MOUSEFREE = SHOWMENUBAR = VIEWFPS = false;
  SendMessageA(HWINDOW, WM_LBUTTONUP, 0, 0);
  SendMessageA(HWINDOW, WM_RBUTTONUP, 0, 0);
  vitrum_test::pumpQueue();
  SetWindowPos(HWINDOW, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
  SetForegroundWindow(HWINDOW);
  POINT click{60, 40};
  ClientToScreen(HWINDOW, &click);
  SetCursorPos(click.x, click.y);
  sendInput(MOUSEEVENTF_LEFTDOWN, 0, 0);
  ASSERT_TRUE(pumpUntil([] { return LEFTMOUSEDOWN; }));
  EXPECT_EQ(SETMX, 60);
  EXPECT_EQ(SETMY, 40);
  EXPECT_EQ(GetCapture(), HWINDOW);
  sendInput(MOUSEEVENTF_LEFTUP, 0, 0);
  EXPECT_TRUE(pumpUntil([] { return !LEFTMOUSEDOWN; }));
  EXPECT_EQ(GetCapture(), nullptr);
  sendInput(0, VK_ESCAPE, 0);
  sendInput(0, VK_ESCAPE, KEYEVENTF_KEYUP);
  EXPECT_TRUE(pumpUntil([] { return !ACTIVE; }));
  EXPECT_TRUE(IsWindow(HWINDOW));
}

// The messages the storm leaves out, each on a window of its own: what the
// window and ACTIVE are after it has been handled.
const struct Closing {
  const char* what;
  UINT message;
  WPARAM wparam;
  bool posted;
  bool windowRemains;
  bool active;
} kClosing[] = {
    {"WM_CLOSE", WM_CLOSE, 0, true, false, false},
    {"SC_CLOSE", WM_SYSCOMMAND, SC_CLOSE, true, false, false},
    {"WM_DESTROY sent", WM_DESTROY, 0, false, true, false},
    {"WM_QUIT", WM_QUIT, 0, true, true, true},
    {"WM_ENDSESSION", WM_ENDSESSION, TRUE, false, true, true},
    {"WM_QUERYENDSESSION", WM_QUERYENDSESSION, 0, false, true, true},
    {"Escape posted", WM_KEYDOWN, VK_ESCAPE, true, true, false},
};

VITRUM_CHILD_SCENARIO(closing_message) {
  const Closing& c = kClosing[std::atoi(std::getenv("VITRUM_CLOSING"))];
  vitrum_test::openGLWindow("Closing", 200, 100);
  if (c.posted) PostMessageA(HWINDOW, c.message, c.wparam, 0);
  else SendMessageA(HWINDOW, c.message, c.wparam, 0);
  for (int frame = 0; frame < 20 && IsWindow(HWINDOW); ++frame) SETGLMSG();
  std::printf("window %d active %d\n", IsWindow(HWINDOW) ? 1 : 0, ACTIVE ? 1 : 0);
  return 0;
}

TEST(WindowProcedureChild, MessagesThatCloseTheWindowOrEndTheSessionDoWhatDefaultProcessingDoes) {
  for (std::size_t i = 0; i < std::size(kClosing); ++i) {
    const Closing& c = kClosing[i];
    const vitrum_test::Context trace(c.what);
    SetEnvironmentVariableA("VITRUM_CLOSING", std::to_string(i).c_str());
    const auto run = vitrum_test::runChild("closing_message");
    EXPECT_EQ(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("window " + std::to_string(c.windowRemains) + " active " + std::to_string(c.active)),
              std::string::npos)
        << run.output;
  }
  SetEnvironmentVariableA("VITRUM_CLOSING", nullptr);
}

VITRUM_CHILD_SCENARIO(application_reads_key_501) { return SETKEY[501]; }

TEST(WindowProcedureChild, TheApplicationsOwnIndexBeyondTheTableIsARunTimeError) {
  const auto run = vitrum_test::runChild("application_reads_key_501");
  EXPECT_EQ(run.exitCode, static_cast<DWORD>(RUNTIME_ERROR_STATUS));
  EXPECT_NE(run.output.find("index 501 of SETKEY is outside its bounds 0..500"), std::string::npos) << run.output;
}

}  // namespace
