// What the demo does not show: the FPS title, the status bar, polled keys, and
// edit mode reshaping geometry vertex by vertex.
//
// Arrow keys move the quad, space twists its top-right corner, Escape ends.
// The title shows the frame rate, measured every second.
#include "vitrum.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  using namespace Vitrum;
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  SHOWSTATUSBAR = true;  // one part, with the library's initial text
  CREATEOGLWINDOW("Vitrum example", 640, 480, 32, false);

  // The FPS title is driven by the application: a timer and a frame count.
  VIEWFPS = true;
  ADDINTERVALFPS = 1000;
  SetTimer(HWINDOW, FPS_TIMER, ADDINTERVALFPS, nullptr);

  // Edit mode: the quad's four vertices land in slots 1 to 4 every frame.
  GLVERT3FENABLEEDIT = true;
  GLBASEVERTEX3F.GLVERT3FSETNUM = 4;
  float x = 0, y = 0;
  DWORD last = GetTickCount();
  do {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SETGLMSG();
    OPENGL_INIT(100.0, 1, 0.1, 0.1, 0.2);
    // Movement per second, not per frame: the loop runs as fast as it can.
    const DWORD now = GetTickCount();
    const float seconds = static_cast<float>(now - last) / 1000;
    last = now;
    if (SETKEY[VK_LEFT]) x -= 2 * seconds;
    if (SETKEY[VK_RIGHT]) x += 2 * seconds;
    if (SETKEY[VK_UP]) y += 2 * seconds;
    if (SETKEY[VK_DOWN]) y -= 2 * seconds;
    if (SETKEY[VK_SPACE]) GLBASEVERTEX3F.GLVERT3FTMPROTATE[3].Z += 45 * seconds;  // turns slot 3 about Z

    glTranslatef(x, y, -5);
    GLBASEVERTEX3F.GLVERT3FCOUNT = 0;
    glColor3f(0.9f, 0.7f, 0.2f);
    GLBEGIN(GL_QUADS);
    GLVERTEX3F(-1, -1, 0);
    GLVERTEX3F(1, -1, 0);
    GLVERTEX3F(1, 1, 0);
    GLVERTEX3F(-1, 1, 0);
    GLEND();

    SwapBuffers(DCWINDOW);
    ++FPSCOUNT;
  } while (ACTIVE);
  DELETEOGLWINDOW();
  return 0;
}
