// The OpenGL calls of the projection set-ups, the render-state switches and the
// immediate-mode wrappers, scenario by scenario, for gl-trace-check to compare
// with tests/expected/trace_render_state.
#include "gl_trace_marker.h"
#include "quad.h"
#include "vitrum.h"

using namespace Vitrum;
using vitrum_test::glTraceMarker;
using vitrum_test::quad;

namespace {

constexpr TGLVECTOR kCorners[4] = {{0.0f, 0.0f, 0.0f}, {1.0f, 0.0f, 0.0f}, {1.0f, 1.0f, 0.0f}, {0.0f, 1.0f, 0.5f}};

void setSize(std::int32_t width, std::int32_t height) {
  WIDTH = width;
  HEIGHT = height;
}

}  // namespace

int main() {
  CREATEOGLWINDOW("trace_render_state", 320, 240, 32, false);
  unsigned n = 0;

  glTraceMarker(++n);  // 1: the demo's 3D set-up in an 800 x 600 window
  setSize(800, 600);
  OPENGL_INIT(100.0, 0.0, 0.0, 0.0, 0.0);
  glTraceMarker(++n);  // 2: the demo's 2D set-up, other clear colour
  OPENGL_I2D(0.25, 0.5, 0.75, 1.0);
  glTraceMarker(++n);  // 3: portrait window
  setSize(600, 1300);
  OPENGL_I2D(0.0, 0.0, 0.0, 0.0);
  glTraceMarker(++n);  // 4: minimised window: no viewport, no projection
  setSize(0, 0);
  OPENGL_INIT(50.0, 1.0, 0.5, 0.25, 0.125);
  glTraceMarker(++n);  // 5
  OPENGL_I2D(0.0, 0.0, 0.0, 0.0);
  glTraceMarker(++n);  // 6: zero height alone
  setSize(640, 0);
  OPENGL_INIT(100.0, 0.0, 0.0, 0.0, 0.0);
  glTraceMarker(++n);  // 7
  OPENGL_I2D(0.0, 0.0, 0.0, 0.0);
  setSize(800, 600);

  glTraceMarker(++n);  // 8: switches
  TWOSIDEON();
  TWOSIDEOFF();
  SETGLREFRACTIVE();
  SETGLSPRITE();
  SETGLSPRITEOFF();
  glTraceMarker(++n);  // 9: the demo's light
  SETGLLIGHT(GL_LIGHT0, 0.0f, 0.0f, 0.0f, 0.1f);
  glTraceMarker(++n);  // 10: another light, changed colours
  AMBIENTLIGHT[0] = 0.25f;
  SPECULARLIGHT[3] = 0.5f;
  SETGLLIGHT(GL_LIGHT0 + 3, 1.0f, 2.0f, 3.0f, 0.0f);
  glTraceMarker(++n);  // 11: the demo's per-frame light position, no marker
  PUTGLPOINTLIGHT(GL_LIGHT0, 0.0f, -5.0f, 20.0f, 30.0f, 0.1f);
  glTraceMarker(++n);  // 12: with a marker point, directional
  PUTGLPOINTLIGHT(GL_LIGHT1, 4.0f, 1.0f, 2.0f, 3.0f, 0.0f);

  glTraceMarker(++n);  // 13: plain wrappers
  quad(kCorners);
  glTraceMarker(++n);  // 14: plain wrappers, no OpenGL output
  GLVERT3FREMOVE = true;
  quad(kCorners);
  glTraceMarker(++n);  // 15: the marker light without OpenGL output
  PUTGLPOINTLIGHT(GL_LIGHT0, 4.0f, 1.0f, 2.0f, 3.0f, 1.0f);
  glTraceMarker(++n);  // 16: edit mode without OpenGL output
  GLVERT3FENABLEEDIT = true;
  GLBASEVERTEX3F.GLVERT3FSETNUM = 4;
  quad(kCorners);
  GLVERT3FREMOVE = false;
  glTraceMarker(++n);  // 17: edit mode: slots 1..4, the count was left at 4
  GLBASEVERTEX3F.GLVERT3FCOUNT = 0;
  GLBASEVERTEX3F.GLVERT3FTMPSCALE[1] = {2.0f, 2.0f, 2.0f};
  GLBASEVERTEX3F.GLVERT3FTMP[2] = {1.0f, 0.0f, 0.0f};
  GLBASEVERTEX3F.GLVERT3FTMPPOSROT[3] = {0.0f, 1.0f, 0.0f};
  GLBASEVERTEX3F.GLVERT3FTMPROTATE[4] = {0.0f, 0.0f, 180.0f};
  quad(kCorners);
  glTraceMarker(++n);  // 18: edit mode, the cap reached: the marker reuses slot 4
  PUTGLPOINTLIGHT(GL_LIGHT0, 2.0f, 0.0f, 3.0f, 0.0f, 1.0f);
  glTraceMarker(++n);  // 19: edit mode with a cap of 0: vertices pass unchanged
  GLBASEVERTEX3F.GLVERT3FCOUNT = 0;
  GLBASEVERTEX3F.GLVERT3FSETNUM = 0;
  quad(kCorners);
  GLVERT3FENABLEEDIT = false;
  glTraceMarker(++n);

  DELETEOGLWINDOW();
  return 0;
}
