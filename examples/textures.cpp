// Texture slots and render switches side by side, each labelled in a 2D overlay.
// Top row: an open book whose left page shows its back, under TWOSIDEON,
// TWOSIDEOFF (the back stays dark) and SETGLREFRACTIVE (the back is culled).
// Bottom row: a BMP slot on a floor whose mipmaps keep the far tiles from
// shimmering; an RLE-compressed TGA with alpha, drawn plain (its cut-away
// pixels are black) and with SETGLSPRITE (they are dropped). Escape ends.
#include <cmath>
#include <cstring>
#include <initializer_list>

#include "vitrum.h"

namespace {

using namespace Vitrum;

// A rectangle 2W x 2H facing +z, its texture repeated S x T times.
void quad(float w, float h, float s, float t) {
  static const float corners[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  glBegin(GL_QUADS);
  glNormal3f(0, 0, 1);
  for (const auto& corner : corners) {
    glTexCoord2f(corner[0] * s, corner[1] * t);
    glVertex3f((2 * corner[0] - 1) * w, (2 * corner[1] - 1) * h, 0);
  }
  glEnd();
}

void tiledFloor(float) {
  glEnable(GL_TEXTURE_2D);
  TEXTURESELECTID(0);
  glColor3f(1, 1, 1);
  glTranslatef(0, 0.1f, -0.5f);
  glRotatef(-65, 1, 0, 0);
  quad(0.55f, 0.55f, 8, 8);
}

void flower(float seconds) {
  glColor3f(0.25f, 0.45f, 0.7f);
  quad(0.55f, 0.4f, 1, 1);
  glEnable(GL_TEXTURE_2D);
  TEXTURETGASELECTID(0);
  glColor3f(1, 1, 1);
  glRotatef(seconds * 20, 0, 0, 1);
  quad(0.4f, 0.4f, 1, 1);
}

// Two lit pages meeting at the spine, the right one turned towards the viewer
// and the left one away.
void book(float seconds) {
  glEnable(GL_LIGHTING);
  glColor3f(0.95f, 0.85f, 0.6f);
  glScalef(0.5f, 0.5f, 0.5f);
  for (const float angle : {25 + 10 * std::sin(seconds), 155 - 10 * std::sin(seconds)}) {
    glPushMatrix();
    glRotatef(angle, 0, 1, 0);
    glTranslatef(0.5f, 0, 0);
    quad(0.5f, 0.7f, 1, 1);
    glPopMatrix();
  }
}

struct Cell {
  float x, y;  // centre, in overlay units
  const char* label;
  void (*draw)(float seconds);
};
// clang-format off
constexpr Cell kCells[] = {
    {-1.33f, 0.6f, "TWOSIDEON", [](float s) { TWOSIDEON(); book(s); TWOSIDEOFF(); }},
    {0, 0.6f, "TWOSIDEOFF", book},
    {1.33f, 0.6f, "SETGLREFRACTIVE", [](float s) { SETGLREFRACTIVE(); book(s); glDisable(GL_CULL_FACE); }},
    {-1.33f, -0.65f, "BMP slot, mipmaps", tiledFloor},
    {0, -0.65f, "TGA slot: RLE, alpha", flower},
    {1.33f, -0.65f, "TGA with SETGLSPRITE", [](float s) { SETGLSPRITE(); flower(s); SETGLSPRITEOFF(); }}};
// clang-format on

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  CREATEOGLWINDOW("Textures and render switches", 800, 540, 32, false);
  GL_MIN_FILTER = GL_LINEAR_MIPMAP_LINEAR;  // read by every load from here on
  TEXTURELOADID("tiles.bmp", 0);
  TEXTURELOADTGAID("flower.tga", 0);
  glDisable(GL_TEXTURE_2D);  // the loads leave it on; each cell turns on what it needs
  AMBIENTLIGHT[0] = AMBIENTLIGHT[1] = AMBIENTLIGHT[2] = 0.15f;  // so that an unlit back looks it
  SETGLLIGHT(GL_LIGHT0, 0, 0.3f, 1, 0);                         // from the viewer, a little above
  glEnable(GL_COLOR_MATERIAL);

  // The labels' font as display lists, one per character code.
  SelectObject(DCWINDOW, GetStockObject(DEFAULT_GUI_FONT));
  const GLuint font = glGenLists(256);
  wglUseFontBitmapsA(DCWINDOW, 0, 256, font);
  // Wine gives the space an empty bitmap, which moves the raster position by
  // nothing under Mesa; a blank pixel moves it by the space's width.
  INT space = 0;
  GetCharWidth32A(DCWINDOW, ' ', ' ', &space);
  const GLubyte blank = 0;
  glNewList(font + ' ', GL_COMPILE);
  glBitmap(1, 1, 0, 0, static_cast<GLfloat>(space), 0, &blank);
  glEndList();
  do {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SETGLMSG();
    OPENGL_INIT(100.0, 1, 0.12, 0.13, 0.16);
    // At this distance (tan 22.5 degrees = 0.41421356) a scene unit spans as
    // many pixels as an overlay unit, so cells and labels line up.
    const float depth = 2.0f * static_cast<float>(HEIGHT) / static_cast<float>(WIDTH) / 0.41421356f;
    const float seconds = static_cast<float>(GetTickCount() % 3600000) / 1000;
    for (const Cell& cell : kCells) {
      glPushMatrix();
      glTranslatef(cell.x, cell.y, -depth);
      cell.draw(seconds);
      glPopMatrix();
      glDisable(GL_TEXTURE_2D);
      glDisable(GL_LIGHTING);
    }
    OPENGL_I2D(1, 0.12, 0.13, 0.16);
    glDisable(GL_DEPTH_TEST);
    glColor3f(1, 1, 1);
    glListBase(font);
    for (const Cell& cell : kCells) {
      glRasterPos2f(cell.x - 0.6f, cell.y - 0.56f);
      glCallLists(static_cast<GLsizei>(std::strlen(cell.label)), GL_UNSIGNED_BYTE, cell.label);
    }
    SwapBuffers(DCWINDOW);
  } while (ACTIVE);
  DELETEOGLWINDOW();
  return 0;
}
