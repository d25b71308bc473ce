// Test support: suites that draw on the library's window and its OpenGL context.
// The library keeps one window in its globals (HWINDOW, its device context and
// rendering context), so a test program makes it once, for the first suite that
// needs it, and every suite after it draws on that one. A message box shown
// during a test fails it: the box is answered, so that the test goes on instead
// of waiting for a user until its time runs out.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>

#include "win32_child.h"

namespace vitrum_test {

// Makes the library's window with CREATEOGLWINDOW (windowed, 32 bits) unless
// this process has it already; returns whether the window exists.
bool openGLWindow(const char* title, std::int32_t width = 320, std::int32_t height = 240);

// A suite on the library's window. A suite that wants another title, another
// size or settings made before the window declares its own SetUpTestSuite
// calling openGLWindow; one with a SetUp or TearDown of its own calls these.
class OpenGLWindowTest : public testing::Test {
 protected:
  static void SetUpTestSuite() { openGLWindow("Vitrum test"); }
  void SetUp() override;
  void TearDown() override;

 private:
  std::optional<DialogWatch> dialogs_;
};

}  // namespace vitrum_test
