// Hills of grass under a light map on a second texture unit, with fog lying in
// the valleys and slowly rising and falling. The extension's wrappers do the
// per-vertex work: GLTEXCOORD2F copies each texture coordinate to unit 1, and
// GLVERTEX3F gives each vertex a fog coordinate from its height through
// GENVOLUMEFOGCOORD, which OpenGL's fog then reads. Where the driver lacks
// those entry points the title says so and the hills get one texture and no
// fog. A left drag turns the scene, a right drag moves it; Escape ends.
#include <cmath>

#include "vitrum_ext1.h"

namespace {

using namespace Vitrum;
using namespace Vitrum_Ext1;

// Beyond OpenGL 1.1, whose header is all Windows has.
constexpr GLenum kTexture0 = 0x84C0, kTexture1 = 0x84C1;
constexpr GLenum kFogCoordinateSource = 0x8450, kFogCoordinate = 0x8451;
using ActiveTexture = void(APIENTRY*)(GLenum);

constexpr int kCells = 32;  // per side; the floor spans x and z from -4 to 4
constexpr float kCell = 8.0f / kCells;
constexpr float kRepeat = 4;  // the grass repeats this often across the floor

float hill(float x, float z) {
  return 0.45f * std::sin(x * 1.3f) * std::cos(z * 1.1f) + 0.2f * std::sin(z * 2.1f + x * 0.7f);
}

// One cell as two edges, its texture coordinates taken from its place.
void cell(float x0, float z0) {
  const float x1 = x0 + kCell, z1 = z0 + kCell;
  const float s0 = (x0 + 4) / 8 * kRepeat, s1 = (x1 + 4) / 8 * kRepeat;
  const float t0 = (z0 + 4) / 8 * kRepeat, t1 = (z1 + 4) / 8 * kRepeat;
  FINDNORMAL(x0, hill(x0, z0), z0, x0, hill(x0, z1), z1, x1, hill(x1, z1), z1);
  glNormal3d(FNORMAL[1], FNORMAL[2], FNORMAL[3]);
  LINEFREE(s0, t0, s0, t1, x0, hill(x0, z0), z0, x0, hill(x0, z1), z1, true);
  LINEFREE(s1, t1, s1, t0, x1, hill(x1, z1), z1, x1, hill(x1, z0), z0, true);
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  OGLWINDOWSETTING(ARROW, "", GENERIC, "");
  CREATEOGLWINDOW("Extension fog: two texture units, volume fog", 800, 600, 32, false);
  LOADEXTENSIONENTRYPOINTS();
  // The core name first, as the library looks up glMultiTexCoord2f (the fog coordinate it
  // asks for by the extension's name first); older drivers know only the extension's.
  PROC proc = wglGetProcAddress("glActiveTexture");
  if (!proc) proc = wglGetProcAddress("glActiveTextureARB");
  const auto activeTexture = reinterpret_cast<ActiveTexture>(reinterpret_cast<void (*)()>(proc));
  GL_MIN_FILTER = GL_LINEAR_MIPMAP_LINEAR;
  if (GLMULTITEXCOORD2F && GLFOGCOORDFEXT && activeTexture) {
    activeTexture(kTexture1);
    TEXTURELOADID("lightmap.bmp", 1);  // loads bind to, and enable, the active unit
    glMatrixMode(GL_TEXTURE);          // unit 1's matrix: the light map spans the floor once
    glScalef(1 / kRepeat, 1 / kRepeat, 1);
    glMatrixMode(GL_MODELVIEW);
    activeTexture(kTexture0);
    GL_NUM_MULTI_TEXTURE = 1;
    GLAUTOMULTITEXTUREONOFF = true;
    GLAUTOVOLUMEFOGONOFF = true;
    GL_VOLUME_FOG_Y = 1;        // heights along Y
    SETVOLUMEFOGOFFSET(-0.8f);  // the layer's floor, below the deepest valley
    const GLfloat fogColour[] = {0.85f, 0.88f, 0.92f, 1};
    glFogi(kFogCoordinateSource, kFogCoordinate);
    glFogi(GL_FOG_MODE, GL_LINEAR);
    glFogf(GL_FOG_START, 0);
    glFogf(GL_FOG_END, 0.8f);  // wholly fog-coloured this far below the layer's top
    glFogfv(GL_FOG_COLOR, fogColour);
    glEnable(GL_FOG);
  } else {
    SetWindowTextA(HWINDOW, "Extension fog: no multitexture or fog coordinates here, one texture and no fog");
  }
  TEXTURELOADID("meadow.bmp", 0);
  SETGLLIGHT(GL_LIGHT0, -1, 2, 1, 0);  // sunlight from the upper left
  XROT = 25;
  do {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    SETGLMSG();
    OPENGL_INIT(100.0, 1, 0.55, 0.7, 0.85);
    glTranslatef(0, -0.5f, -8);
    SETGLMOUSEMOVE(GL_M0, 2);
    GL_VOLUME_FOG_DEPTH = 0.9f + 0.35f * std::sin(static_cast<float>(GetTickCount() % 3600000) / 1500);
    GLBEGIN(GL_QUADS);
    for (int i = 0; i < kCells; ++i) {
      for (int j = 0; j < kCells; ++j) cell(-4 + static_cast<float>(i) * kCell, -4 + static_cast<float>(j) * kCell);
    }
    GLEND();
    SwapBuffers(DCWINDOW);
  } while (ACTIVE);
  DELETEOGLWINDOW();
  return 0;
}
