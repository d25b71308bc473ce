// The OpenGL calls of the extension's wrappers, with the entry points the
// implementation offers, and of one bush, scenario by scenario, for
// gl-trace-check to compare with tests/expected/trace_ext.
#include <initializer_list>

#include "gl_trace_marker.h"
#include "vitrum_ext1.h"

using namespace Vitrum_Ext1;
using vitrum_test::glTraceMarker;

namespace {

void edge(bool texture) {
  Vitrum::GLBEGIN(GL_LINES);
  LINEFREE(0, 0, 1, 1, 1, 0.5f, 3, 4, -1, 6, texture);
  Vitrum::GLEND();
}

void points(std::initializer_list<GLfloat> heights) {
  Vitrum::GLBEGIN(GL_POINTS);
  for (GLfloat y : heights) GLVERTEX3F(1, y, 2);
  Vitrum::GLEND();
}

}  // namespace

int main() {
  Vitrum::CREATEOGLWINDOW("trace_ext", 320, 240, 32, false);
  LOADEXTENSIONENTRYPOINTS();
  if (!GLMULTITEXCOORD2F || !GLFOGCOORDFEXT) return 1;
  unsigned n = 0;

  glTraceMarker(++n);  // 1: every switch at its initial value
  edge(true);
  GLTRANSLATEF(1, 2, 3);
  glTraceMarker(++n);  // 2: multitexture to units 1 to 3
  GLAUTOMULTITEXTUREONOFF = true;
  GL_NUM_MULTI_TEXTURE = 3;
  GLTEXCOORD2F(0.5f, 0.25f);
  glTraceMarker(++n);  // 3: volume fog along Y, layer 2 thick at height 0
  GLAUTOMULTITEXTUREONOFF = false;
  GLAUTOVOLUMEFOGONOFF = true;
  GL_VOLUME_FOG_Y = 1;
  GL_VOLUME_FOG_DEPTH = 2;
  points({0.5f, 2, 3, -1});
  glTraceMarker(++n);  // 4: an edge without texture coordinates, in the fog
  edge(false);
  glTraceMarker(++n);  // 5: X and Y weights: two fog coordinates per vertex, Y last
  GL_VOLUME_FOG_X = 1;
  points({0.5f});
  glTraceMarker(++n);  // 6: fog on with every weight 0, and a translation
  GL_VOLUME_FOG_X = GL_VOLUME_FOG_Y = 0;
  points({0.5f});
  GLRESETVOLUMEFOGDEPTH = true;
  GLTRANSLATEF(0, 3, 0);
  glTraceMarker(++n);  // 7: one bush with the switches at their initial values
  GLAUTOVOLUMEFOGONOFF = GLRESETVOLUMEFOGDEPTH = false;
  GENFASTBRUSH(1);
  glTraceMarker(++n);
  Vitrum::DELETEOGLWINDOW();
  return 0;
}
