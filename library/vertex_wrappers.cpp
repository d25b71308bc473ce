// glBegin, glVertex3f and glEnd behind the vertex capture switches.
#include "internal.h"
#include "vitrum.h"

namespace Vitrum {

void GLBEGIN(GLenum MODE) {
  if (!GLVERT3FREMOVE) glBegin(MODE);
  GLBASEVERTEX3F.GLVERT3FMAX = GLBASEVERTEX3F.GLVERT3FSETNUM;
}

void GLVERTEX3F(GLfloat X, GLfloat Y, GLfloat Z) {
  // Plain mode is the demo's hot path: nothing but the flags and the OpenGL call.
  if (!GLVERT3FENABLEEDIT) {
    if (!GLVERT3FREMOVE) glVertex3f(X, Y, Z);
    return;
  }
  const TGLVECTOR vertex = internal::captureVertex(X, Y, Z);
  if (!GLVERT3FREMOVE) glVertex3f(vertex.X, vertex.Y, vertex.Z);
}

void GLEND() {
  if (!GLVERT3FREMOVE) glEnd();
}

}  // namespace Vitrum
