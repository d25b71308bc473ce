// Lighting and render-state switches.
#include "vitrum.h"

namespace Vitrum {

TTABLE<GLfloat, 0, 3, "AMBIENTLIGHT"> AMBIENTLIGHT{{0.5f, 0.5f, 0.5f, 1.0f}};
TTABLE<GLfloat, 0, 3, "DIFFUSELIGHT"> DIFFUSELIGHT{{1.0f, 1.0f, 1.0f, 1.0f}};
TTABLE<GLfloat, 0, 3, "SPECULARLIGHT"> SPECULARLIGHT{{1.0f, 1.0f, 1.0f, 1.0f}};
TTABLE<GLfloat, 0, 3, "LIGHTPOSITION"> LIGHTPOSITION;

namespace {

void placeLight(GLenum light, GLfloat x, GLfloat y, GLfloat z, GLfloat w) {
  LIGHTPOSITION[0] = x;
  LIGHTPOSITION[1] = y;
  LIGHTPOSITION[2] = z;
  LIGHTPOSITION[3] = w;
  glLightfv(light, GL_POSITION, LIGHTPOSITION.data());
}

}  // namespace

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
  placeLight(NLIGHT, L0, L1, L2, L3);
}

void PUTGLPOINTLIGHT(GLenum NLIGHT, GLfloat SIZE, GLfloat LX, GLfloat LY, GLfloat LZ, GLfloat LVAL) {
  placeLight(NLIGHT, LX, LY, LZ, LVAL);
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
