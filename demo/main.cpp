// The demo's entry and frame loop: ask for full screen, open the window, set the
// scene up, then clear, pump one message, draw and swap until the window goes.
#include "scene.h"
#include "vitrum.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  Vitrum::FULLSCREEN =
      MessageBoxA(nullptr, "Settare lo schermo intero?  ", "Video!", MB_YESNO | MB_ICONQUESTION) != IDNO;
  Vitrum::OGLWINDOWSETTING(Vitrum::ARROW, "", Vitrum::GENERIC, "");
  Vitrum::CREATEOGLWINDOW("Generazione di modello semplice per cespugli", 800, 600, 32, Vitrum::FULLSCREEN);
  OPENGL_SETUP();
  do {
    glClear(GL_COLOR_BUFFER_BIT);
    Vitrum::SETGLMSG();
    OPENGL_DRAW();
    SwapBuffers(Vitrum::DCWINDOW);
  } while (Vitrum::ACTIVE);
  Vitrum::DELETEOGLWINDOW();
  return 0;
}
