// The bush generator: eighteen crossed and fanned-out textured planes.
#include "vitrum_ext1.h"

namespace Vitrum_Ext1 {

namespace {

// One two-sided textured quad. P1-P2 is the top edge (T = 1) and P3-P4 the base
// (T = 0); the vertices go out as P2, P1, P3, P4 with one face normal for all.
void QUAD(GLfloat X1, GLfloat Y1, GLfloat Z1, GLfloat X2, GLfloat Y2, GLfloat Z2, GLfloat X3, GLfloat Y3, GLfloat Z3,
          GLfloat X4, GLfloat Y4, GLfloat Z4) {
  Vitrum::TWOSIDEON();
  glDisable(GL_CULL_FACE);
  Vitrum::GLBEGIN(GL_QUADS);
  Vitrum::FINDNORMAL(X2, Y2, Z2, X1, Y1, Z1, X3, Y3, Z3);
  glNormal3f(static_cast<GLfloat>(Vitrum::FNORMAL[1]), static_cast<GLfloat>(Vitrum::FNORMAL[2]),
             static_cast<GLfloat>(Vitrum::FNORMAL[3]));
  LINEFREE(1, 1, 0, 1, X2, Y2, Z2, X1, Y1, Z1, true);
  LINEFREE(0, 0, 1, 0, X3, Y3, Z3, X4, Y4, Z4, true);
  Vitrum::GLEND();
  // Culling is switched on, not restored to what it was: the bush is drawn among
  // culled geometry.
  glEnable(GL_CULL_FACE);
  Vitrum::TWOSIDEOFF();
}

// The 4 x 4 square in the XZ plane, facing +Y, that every plane of the bush is.
void square() { QUAD(-2, 0, -2, 2, 0, -2, -2, 0, 2, 2, 0, 2); }

// Stands the square up on the X axis, facing +Z with its base at the origin.
void standUp() {
  GLTRANSLATEF(0, 2, 0);
  glRotatef(90, 1, 0, 0);
  square();
}

// A plane tilted by ANGLE about its base edge, its top towards +Z (LEAN 1) or -Z
// (LEAN -1); TURNED first turns the lean directions to +X and -X.
void blade(GLfloat angle, GLfloat lean, bool turned) {
  glPushMatrix();
  if (turned) glRotatef(90, 0, 1, 0);
  glRotatef(angle, lean, 0, 0);
  standUp();
  glPopMatrix();
}

// Four planes at ANGLE leaning towards +Z, -Z, +X and -X.
void fourBlades(GLfloat angle) {
  blade(angle, 1, false);
  blade(angle, -1, false);
  blade(angle, 1, true);
  blade(angle, -1, true);
}

// The same four planes turned by 45 degrees about the vertical axis.
void fourDiagonalBlades(GLfloat angle) {
  glPushMatrix();
  glRotatef(45, 0, 1, 0);
  fourBlades(angle);
  glPopMatrix();
}

}  // namespace

void GENFASTBRUSH(GLfloat SIZE) {
  Vitrum::TWOSIDEON();
  Vitrum::SETGLSPRITE();
  glPushMatrix();
  glScalef(SIZE, SIZE, SIZE);

  glPushMatrix();
  standUp();
  glRotatef(90, 0, 0, 1);
  square();
  glPopMatrix();

  fourBlades(25);
  fourDiagonalBlades(25);
  fourBlades(50);
  fourDiagonalBlades(70);

  glPopMatrix();
  Vitrum::SETGLSPRITEOFF();
  Vitrum::TWOSIDEOFF();
}

}  // namespace Vitrum_Ext1
