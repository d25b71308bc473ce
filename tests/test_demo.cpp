// The demo program as a user meets it, driven from outside its process: the
// full-screen question, the window it opens, and the two ways to end it.
#include <gtest/gtest.h>

#include <string>

#include "win32_child.h"

namespace {

constexpr const char* kTitle = "Generazione di modello semplice per cespugli";

struct DemoRun {
  vitrum_test::ChildResult result;
  RECT outer{};
  DWORD style = 0;
  bool windowSeen = false;
};

// Starts the demo from its own directory, answers the question with ANSWER,
// waits until its window has drawn for a moment, then ends it with END.
DemoRun runDemo(int answer, void (*end)(HWND window)) {
  DemoRun run;
  const std::string demoDir = vitrum_test::selfDirectory() + "\\..\\demo";
  vitrum_test::RunOptions options;
  options.workingDirectory = demoDir;
  options.timeoutMs = 60000;
  options.answer = [answer](const vitrum_test::Dialog&) { return answer; };
  DWORD seenAt = 0;
  options.whileRunning = [&](DWORD pid) {
    for (HWND window : vitrum_test::windowsOfProcess(pid, "GLWindow")) {
      char text[128] = {};
      GetWindowTextA(window, text, sizeof text);
      if (std::string(text) != kTitle || !IsWindowVisible(window)) continue;
      if (!run.windowSeen) {
        run.windowSeen = true;
        seenAt = GetTickCount();
        GetWindowRect(window, &run.outer);
        run.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
      } else if (seenAt && GetTickCount() - seenAt > 1500) {
        end(window);
        seenAt = 0;
      }
    }
  };
  run.result = vitrum_test::runProcess("\"" + demoDir + "\\demo.exe\"", options);
  return run;
}

void pressEscape(HWND window) { PostMessageA(window, WM_KEYDOWN, VK_ESCAPE, 0x00010001); }
void clickCloseBox(HWND window) { PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0); }
// Key codes no keyboard sends, as any other program may post them, then Escape.
void postForeignKeysThenEscape(HWND window) {
  for (WPARAM key : {1000, 501, 65535}) {
    PostMessageA(window, WM_KEYDOWN, key, 0);
    PostMessageA(window, WM_KEYUP, key, 0);
  }
  pressEscape(window);
}

TEST(Demo, AnswerNoOpensTheCaptionedWindowAndEscapeEndsWithStatusZero) {
  const DemoRun run = runDemo(IDNO, pressEscape);
  ASSERT_EQ(run.result.dialogs.size(), 1u);
  EXPECT_EQ(run.result.dialogs[0].caption, "Video!");
  EXPECT_EQ(run.result.dialogs[0].text, "Settare lo schermo intero?  ");
  ASSERT_TRUE(run.windowSeen) << run.result.output;
  EXPECT_EQ(run.outer.right - run.outer.left, 800);
  EXPECT_EQ(run.outer.bottom - run.outer.top, 600);
  EXPECT_EQ(run.style, 0x96CA0000u);
  EXPECT_FALSE(run.result.timedOut);
  EXPECT_EQ(run.result.exitCode, 0u) << run.result.output;
}

TEST(Demo, CloseBoxEndsWithStatusZero) {
  const DemoRun run = runDemo(IDNO, clickCloseBox);
  ASSERT_TRUE(run.windowSeen) << run.result.output;
  EXPECT_FALSE(run.result.timedOut);
  EXPECT_EQ(run.result.exitCode, 0u) << run.result.output;
}

TEST(Demo, KeyCodesBeyondItsKeyTablePostedByAnotherProgramAreIgnored) {
  const DemoRun run = runDemo(IDNO, postForeignKeysThenEscape);
  ASSERT_TRUE(run.windowSeen) << run.result.output;
  EXPECT_FALSE(run.result.timedOut);
  EXPECT_EQ(run.result.exitCode, 0u) << run.result.output;
}

TEST(Demo, AnswerYesOpensAScreenSizedWindow) {
  const DemoRun run = runDemo(IDYES, pressEscape);
  ASSERT_TRUE(run.windowSeen) << run.result.output;
  EXPECT_EQ(run.outer.right - run.outer.left, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_EQ(run.outer.bottom - run.outer.top, GetSystemMetrics(SM_CYSCREEN));
  EXPECT_EQ(run.style, 0x96880000u);
  EXPECT_EQ(run.result.exitCode, 0u) << run.result.output;
}

}  // namespace
