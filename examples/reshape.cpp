// A flat grid bent into a travelling ripple without touching the code that draws
// it: in edit mode every vertex lands in its own slot of the capture tables,
// and each frame lifts every slot by a height worked out from the position that
// slot recorded (GLVERT3FOFFSET). A left drag turns the grid, a right drag moves
// it nearer or farther; Escape ends.
#include <cmath>

#include "vitrum.h"

namespace {

using namespace Vitrum;

constexpr int kCells = 32;  // per side; the grid spans x and z from -2 to 2
constexpr float kCell = 4.0f / kCells;
TGLVERTEX3F& grid = GLBASEVERTEX3F;

// A grid point coloured by the lift of the slot it is about to take, so crests
// and troughs show without lighting.
void point(float x, float z) {
  const float lift = grid.GLVERT3FTMP[grid.GLVERT3FCOUNT + 1].Y;
  glColor3f(0.35f + 4 * lift, 0.6f + 2 * lift, 1 - 2 * lift);
  GLVERTEX3F(x, 0, z);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  CREATEOGLWINDOW("Reshape", 640, 480, 32, false);
  GLVERT3FENABLEEDIT = true;
  grid.GLVERT3FSETNUM = kCells * kCells * 4;  // one slot per vertex sent
  XROT = 35;                                  // seen from above at first
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);  // the grid's own lines show how it bends
  do {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SETGLMSG();
    OPENGL_INIT(100.0, 1, 0.05, 0.05, 0.1);
    glTranslatef(0, 0, -6);
    SETGLMOUSEMOVE(GL_M0, 2);

    // The first frame has recorded nothing yet and draws the grid flat.
    const float seconds = static_cast<float>(GetTickCount() % 3600000) / 1000;
    for (int slot = 1; slot <= grid.GLVERT3FCOUNT; ++slot) {
      const TGLVECTOR& at = grid.GLVERT3FOFFSET[slot];
      const float r = std::hypot(at.X - 0.8f, at.Z + 0.5f);
      grid.GLVERT3FTMP[slot].Y = 0.3f * std::sin(4 * r - 5 * seconds) / (1 + r);
    }
    grid.GLVERT3FCOUNT = 0;  // the k-th vertex of this frame takes slot k again
    GLBEGIN(GL_QUADS);
    for (int i = 0; i < kCells; ++i) {
      for (int j = 0; j < kCells; ++j) {
        const float x = -2 + static_cast<float>(i) * kCell, z = -2 + static_cast<float>(j) * kCell;
        point(x, z);
        point(x, z + kCell);
        point(x + kCell, z + kCell);
        point(x + kCell, z);
      }
    }
    GLEND();
    SwapBuffers(DCWINDOW);
  } while (ACTIVE);
  DELETEOGLWINDOW();
  return 0;
}
