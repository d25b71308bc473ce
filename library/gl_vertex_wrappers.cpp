// glBegin, glVertex3f and glEnd behind the vertex capture switches.
#include "internal.h"
#include "vitrum.h"

namespace Vitrum {

void GLBEGIN(GLenum MODE) {
  if (!GLVERT3FREMOVE) glBegin(MODE);
  GLBASEVERTEX3F.GLVERT3FMAX = GLBASEVERTEX3F.GLVERT3FSETNUM;
}

void GLVERTEX3F(GLfloat X, GLfloat Y, GLfloat Z) { internal::wrappedVertex(X, Y, Z, glVertex3f); }

void GLEND() {
  if (!GLVERT3FREMOVE) glEnd();
}

}  // namespace Vitrum
