// A window in the shape of a picture: BITMAPTOREGION keeps the pixels of
// gear.bmp that are not magenta, caption and border included in what is cut
// away. OpenGL draws inside the shape: the picture itself and four gems
// turning round the cog. A left drag on the cog moves the window; Escape ends.
#include <cmath>

#include "vitrum.h"

namespace {

using namespace Vitrum;

constexpr const char* kPicture = "gear.bmp";  // picture and shape alike

// One triangle with its face normal, counter-clockwise seen from outside.
void face(const float* a, const float* b, const float* c) {
  FINDNORMAL(a[0], a[1], a[2], b[0], b[1], b[2], c[0], c[1], c[2]);
  glNormal3d(FNORMAL[1], FNORMAL[2], FNORMAL[3]);
  glVertex3fv(a);
  glVertex3fv(b);
  glVertex3fv(c);
}

// An octahedron of radius 1: one face per octant, turned round where an odd
// number of its axes point the negative way.
void gem() {
  static const float corners[6][3] = {{1, 0, 0}, {-1, 0, 0}, {0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}};
  glBegin(GL_TRIANGLES);
  for (int octant = 0; octant < 8; ++octant) {
    const float* x = corners[octant & 1];
    const float* y = corners[2 + ((octant >> 1) & 1)];
    const float* z = corners[4 + ((octant >> 2) & 1)];
    if (((octant & 1) + ((octant >> 1) & 1) + ((octant >> 2) & 1)) % 2) {
      face(x, z, y);
    } else {
      face(x, y, z);
    }
  }
  glEnd();
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  OGLWINDOWSETTING(SIZEALL, "", GENERIC, "");
  CREATEOGLWINDOW("Shaped window", 256, 256, 32, false);
  TEXTURELOADID(kPicture, 0);
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);

  // The client area takes the picture's size, whatever frame this system draws.
  RECT outer, client;
  GetWindowRect(HWINDOW, &outer);
  GetClientRect(HWINDOW, &client);
  POINT inset{0, 0};
  ClientToScreen(HWINDOW, &inset);
  inset.x -= outer.left;
  inset.y -= outer.top;
  SetWindowPos(HWINDOW, nullptr, 0, 0, width + (outer.right - outer.left) - client.right,
               height + (outer.bottom - outer.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER);
  // A window region counts from the outer corner, the picture from the client's.
  const HRGN shape = BITMAPTOREGION(kPicture, RGB(255, 0, 255), 1);
  OffsetRgn(shape, inset.x, inset.y);
  SetWindowRgn(HWINDOW, shape, TRUE);  // the system owns the region from here

  SETGLLIGHT(GL_LIGHT0, 1, 1, 2, 0);  // from the upper right, in front
  glEnable(GL_COLOR_MATERIAL);
  POINT dragged{-1, -1};
  do {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SETGLMSG();
    // SETMX, SETMY: where in the client area the held left button went down.
    POINT cursor;
    if (LEFTMOUSEDOWN && GetCursorPos(&cursor) && (cursor.x != dragged.x || cursor.y != dragged.y)) {
      SetWindowPos(HWINDOW, nullptr, cursor.x - SETMX - inset.x, cursor.y - SETMY - inset.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER);
      dragged = cursor;
    }
    // The overlay's square units: the picture spans x from -2 to 2.
    OPENGL_I2D(1, 0, 0, 0);
    const float top = 2.0f * HEIGHT / WIDTH;
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    TEXTURESELECTID(0);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex3f(-2, -top, -1.5f);
    glTexCoord2f(1, 0);
    glVertex3f(2, -top, -1.5f);
    glTexCoord2f(1, 1);
    glVertex3f(2, top, -1.5f);
    glTexCoord2f(0, 1);
    glVertex3f(-2, top, -1.5f);
    glEnd();

    glDisable(GL_TEXTURE_2D);
    glEnable(GL_LIGHTING);
    const float seconds = static_cast<float>(GetTickCount() % 3600000) / 1000;
    for (int i = 0; i < 4; ++i) {
      const float angle = seconds * 0.6f + static_cast<float>(i) * 1.5707963f;
      glPushMatrix();
      glTranslatef(1.1f * std::cos(angle), 1.1f * std::sin(angle), 0);  // the cog's solid ring
      glRotatef(seconds * 90, 0.3f, 1, 0.2f);
      glScalef(0.25f, 0.25f, 0.25f);
      glColor3f(i % 2 ? 0.3f : 0.9f, 0.4f + 0.15f * static_cast<float>(i), i % 2 ? 0.9f : 0.3f);
      gem();
      glPopMatrix();
    }
    SwapBuffers(DCWINDOW);
  } while (ACTIVE);
  DELETEOGLWINDOW();
  return 0;
}
