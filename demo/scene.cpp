// The demo's scene. Every frame rebuilds everything from the constants below
// and the mouse state: the projections, the camera, the light and the geometry.
#include "scene.h"

#include "vitrum.h"
#include "vitrum_ext1.h"

namespace {

constexpr double kFarPlane = 100.0;

void OPENGL_TEXTURE() {
  Vitrum::TEXTURELOADID("Floor04.bmp", 0);
  Vitrum::TEXTURELOADTGAID("erba00.tga", 0);
  Vitrum::TEXTURELOADTGAID("foglie00.tga", 1);
  Vitrum::TEXTURELOADTGAID("cespuglio.tga", 2);
}

// The 2D overlay pass: nothing is drawn in 2D, then back to the 3D projection.
void OPENGL_DRAW2D() {
  Vitrum::OPENGL_I2D(0, 0, 0, 0);
  Vitrum::OPENGL_INIT(kFarPlane, 0, 0, 0, 0);
}

// Hooks for 2D mouse and keyboard handling; this scene reacts to neither.
void OPENGL_MOUSE2D() {}
void OPENGL_KEYBOARD() {}

void bush(std::int32_t slot, float x, float z, float size) {
  Vitrum::TEXTURETGASELECTID(slot);
  glPushMatrix();
  Vitrum_Ext1::GLTRANSLATEF(x, 0, z);
  Vitrum_Ext1::GENFASTBRUSH(size);
  glPopMatrix();
}

}  // namespace

void OPENGL_SETUP() {
  Vitrum::OPENGL_INIT(kFarPlane, 0, 0, 0, 0);
  Vitrum::SETGLREFRACTIVE();
  Vitrum::SETGLLIGHT(GL_LIGHT0, 0.0f, 0.0f, 0.0f, 0.1f);
  OPENGL_CREATELIST();
}

void OPENGL_CREATELIST() { OPENGL_TEXTURE(); }

void QUAD(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3, float X4, float Y4,
          float Z4) {
  Vitrum::TWOSIDEON();
  glDisable(GL_CULL_FACE);
  Vitrum::GLBEGIN(GL_QUADS);
  Vitrum::FINDNORMAL(X2, Y2, Z2, X1, Y1, Z1, X3, Y3, Z3);
  glNormal3f(static_cast<GLfloat>(Vitrum::FNORMAL[1]), static_cast<GLfloat>(Vitrum::FNORMAL[2]),
             static_cast<GLfloat>(Vitrum::FNORMAL[3]));
  Vitrum_Ext1::LINEFREE(1, 1, 0, 1, X2, Y2, Z2, X1, Y1, Z1, true);
  Vitrum_Ext1::LINEFREE(0, 0, 1, 0, X3, Y3, Z3, X4, Y4, Z4, true);
  Vitrum::GLEND();
  glEnable(GL_CULL_FACE);
  Vitrum::TWOSIDEOFF();
}

void OPENGL_DRAW() {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  OPENGL_DRAW2D();
  OPENGL_MOUSE2D();
  OPENGL_KEYBOARD();
  Vitrum_Ext1::GLTRANSLATEF(0, -1, -30);
  glRotatef(45, 1, 0, 0);
  Vitrum::SETGLMOUSEMOVE(Vitrum::GL_M0, 2);
  Vitrum::PUTGLPOINTLIGHT(GL_LIGHT0, 0, -5, 20, 30, 0.1f);
  Vitrum::TEXTURESELECTID(0);
  QUAD(-10, 0, -10, 10, 0, -10, -10, 0, 10, 10, 0, 10);
  bush(0, -2.4f, -4, 1);
  bush(1, 3, 0, 1.35f);
  bush(2, -1, 3, 1.2f);
}
