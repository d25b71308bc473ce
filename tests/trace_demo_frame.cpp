// The demo's OpenGL calls for gl-trace-check: the scene set-up, then one whole
// frame, compared with tests/expected/trace_demo_frame. Runs in the demo's
// directory, where its textures are.
#include "gl_trace_marker.h"
#include "scene.h"
#include "vitrum.h"

int main() {
  Vitrum::CREATEOGLWINDOW("trace_demo_frame", 800, 600, 32, false);
  // The client size depends on the window decorations; fix it so the recorded
  // viewport and projections do not.
  Vitrum::GLRESIZEWINDOW(800, 600);
  vitrum_test::glTraceMarker(1);  // 1: the scene set-up
  OPENGL_SETUP();
  vitrum_test::glTraceMarker(2);  // 2: one frame before any mouse input
  OPENGL_DRAW();
  vitrum_test::glTraceMarker(3);
  Vitrum::DELETEOGLWINDOW();
  return 0;
}
