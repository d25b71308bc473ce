// Lighting and render-state switches.
#include "vitrum.h"

namespace Vitrum {

TTABLE<GLfloat, 0, 3> AMBIENTLIGHT{"AMBIENTLIGHT", {0.5f, 0.5f, 0.5f, 1.0f}};
TTABLE<GLfloat, 0, 3> DIFFUSELIGHT{"DIFFUSELIGHT", {1.0f, 1.0f, 1.0f, 1.0f}};
TTABLE<GLfloat, 0, 3> SPECULARLIGHT{"SPECULARLIGHT", {1.0f, 1.0f, 1.0f, 1.0f}};
TTABLE<GLfloat, 0, 3> LIGHTPOSITION{"LIGHTPOSITION"};

void TWOSIDEON() { glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1); }

void TWOSIDEOFF() { glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0); }

void SETGLREFRACTIVE() {
  glEnable(GL_CULL_FACE);
  glCullFace(GL_BACK);
  glFrontFace(GL_CCW);
}

void SETGLSPRITE() {
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.4f);
}

// Resets more than SETGLSPRITE sets, so that a sprite pass that also blended or
// froze the depth buffer leaves the next geometry in the default state.
void SETGLSPRITEOFF() {
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
}

void SETGLLIGHT(GLenum NLIGHT, GLfloat L0, GLfloat L1, GLfloat L2, GLfloat L3) {
  glEnable(GL_LIGHTING);
  glLightfv(NLIGHT, GL_AMBIENT, AMBIENTLIGHT.data());
  glLightfv(NLIGHT, GL_DIFFUSE, DIFFUSELIGHT.data());
  glLightfv(NLIGHT, GL_SPECULAR, SPECULARLIGHT.data());
  glEnable(NLIGHT);
  LIGHTPOSITION[0] = L0;
  LIGHTPOSITION[1] = L1;
  LIGHTPOSITION[2] = L2;
  LIGHTPOSITION[3] = L3;
  glLightfv(NLIGHT, GL_POSITION, LIGHTPOSITION.data());
}

void PUTGLPOINTLIGHT(GLenum NLIGHT, GLfloat SIZE, GLfloat LX, GLfloat LY, GLfloat LZ, GLfloat LVAL) {
  LIGHTPOSITION[0] = LX;
  LIGHTPOSITION[1] = LY;
  LIGHTPOSITION[2] = LZ;
  LIGHTPOSITION[3] = LVAL;
  glLightfv(NLIGHT, GL_POSITION, LIGHTPOSITION.data());
  if (SIZE != 0.0f) {
    // The marker goes through the wrappers so that it obeys the capture switches.
    glPointSize(SIZE);
    GLBEGIN(GL_POINTS);
    glNormal3f(0.0f, 0.0f, 1.0f);
    GLVERTEX3F(LX, LY, LZ);
    GLEND();
  }
}

}  // namespace Vitrum
