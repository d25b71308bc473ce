#include "opengl_window.h"

#include "vitrum.h"

namespace vitrum_test {

bool openGLWindow(const char* title, std::int32_t width, std::int32_t height) {
  return IsWindow(Vitrum::HWINDOW) || Vitrum::CREATEOGLWINDOW(title, width, height, 32, false);
}

void OpenGLWindowTest::SetUp() { dialogs_.emplace(); }

void OpenGLWindowTest::TearDown() {
  for (const Dialog& shown : dialogs_->stop())
    ADD_FAILURE() << "message box \"" << shown.caption << "\": " << shown.text;
  dialogs_.reset();
}

}  // namespace vitrum_test
