// Mouse navigation: the camera transform driven by the window procedure's mouse state.
#include "vitrum.h"

namespace Vitrum {

TGLVERTEX MY{};

namespace {

struct Mode {
  bool alongX, alongY, alongZ;  // the axis the scene is moved away along
  GLfloat firstAxis[3];         // turned by XROT
  GLfloat secondAxis[3];        // turned by YROT
};

constexpr Mode kModes[] = {
    {false, false, true, {1, 0, 0}, {0, 1, 0}},   // GL_M0
    {false, true, false, {1, 0, 0}, {0, 0, 1}},   // GL_MX
    {true, false, false, {0, 0, -1}, {0, 1, 0}},  // GL_MY
    {false, false, true, {0, 1, 0}, {1, 0, 0}},   // GL_MZ
};

}  // namespace

void SETGLMOUSEMOVE(std::int32_t XYZ, std::int32_t SPEED) {
  MSPEED = SPEED;
  if (XYZ < GL_M0 || XYZ > GL_MZ) return;
  const Mode& mode = kModes[XYZ];
  const auto away = [](bool along) { return along ? -DEPTH : 0.0f; };
  MY = {away(mode.alongX), away(mode.alongY), away(mode.alongZ)};
  glTranslatef(MY.X, MY.Y, MY.Z);
  glRotatef(XROT, mode.firstAxis[0], mode.firstAxis[1], mode.firstAxis[2]);
  glRotatef(YROT, mode.secondAxis[0], mode.secondAxis[1], mode.secondAxis[2]);
}

}  // namespace Vitrum
