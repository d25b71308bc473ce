// Input state and the arithmetic of the window procedure's mouse and FPS rules.
//
// Differences are 32-bit integer differences; quotients and products are formed
// in double precision, and only the result stored is rounded to a 32-bit float.
#include <cmath>

#include "internal.h"
#include "vitrum_core.h"

namespace Vitrum {

TTABLE<TLONGBOOL, 0, 500, "SETKEY"> SETKEY;
std::int32_t SETMX = 0, SETMY = 0;
std::int32_t SETOMX = 0, SETOMY = 0;
bool LEFTMOUSEDOWN = false, LEFTMOUSEDOWN2 = false;
bool RIGHTMOUSEDOWN = false, RIGHTMOUSEDOWN2 = false;
bool MOUSEFREE = false;
std::int32_t XCOORD = 0, YCOORD = 0;
std::int32_t ZCOORD = 0;
float XROT = 0, YROT = 0;
float XROT2 = 0, YROT2 = 0;
float DEPTH = 0;
float DEPTH2 = 0;
std::int32_t MSPEED = 0;

bool VIEWFPS = false;
std::int32_t FPSCOUNT = 0;
std::string FPSCOUNTSTR;
std::int32_t ADDINTERVALFPS = FPS_INTERVAL;
std::int32_t FORCEFPS = 1;
std::int32_t ADDFORCEFPS = 0;

}  // namespace Vitrum

namespace Vitrum::internal {
namespace {

// a - b for the 32-bit differences of the rules; they cannot overflow for
// 16-bit coordinates, but anchors are public and may hold anything.
std::int32_t difference(std::int32_t a, std::int32_t b) {
  const long long d = static_cast<long long>(a) - b;
  if (d < INT32_MIN || d > INT32_MAX) RUNTIMEERROR("integer overflow in a mouse coordinate difference");
  return static_cast<std::int32_t>(d);
}

float increased(float value, std::int32_t delta, double divisor) {
  return static_cast<float>(value + (delta / divisor) * MSPEED);
}

float decreased(float value, std::int32_t delta, double divisor) {
  return static_cast<float>(value - (delta / divisor) * MSPEED);
}

float clampedPitch(float angle) {
  if (angle > 60) angle = 60;
  if (angle < -60) angle = -60;
  return angle;
}

}  // namespace

void leftButtonDown(std::int32_t x, std::int32_t y) {
  LEFTMOUSEDOWN = true;
  LEFTMOUSEDOWN2 = true;
  XCOORD = x;
  YCOORD = y;
  SETMX = x;
  SETMY = y;
}

void leftButtonUp() {
  LEFTMOUSEDOWN = false;
  LEFTMOUSEDOWN2 = false;
  XCOORD = YCOORD = SETMX = SETMY = 0;
}

void rightButtonDown(std::int32_t y) {
  RIGHTMOUSEDOWN = true;
  RIGHTMOUSEDOWN2 = true;
  ZCOORD = y;
}

void rightButtonUp() {
  RIGHTMOUSEDOWN = false;
  RIGHTMOUSEDOWN2 = false;
}

void mouseMove(std::int32_t x, std::int32_t y) {
  SETOMX = x;
  SETOMY = y;
  if (LEFTMOUSEDOWN) {
    const std::int32_t dy = difference(y, YCOORD), dx = difference(x, XCOORD);
    XROT = increased(XROT, dy, 2);
    YROT = increased(YROT, dx, 2);
    XROT2 = increased(XROT2, dy, 2);
    YROT2 = increased(YROT2, dx, 2);
    XCOORD = x;
    YCOORD = y;
  }
  if (RIGHTMOUSEDOWN && !MOUSEFREE) {
    const std::int32_t dz = difference(y, ZCOORD);
    DEPTH = decreased(DEPTH, dz, 10);
    DEPTH2 = decreased(DEPTH2, dz, 10);
    ZCOORD = y;
  }
}

void freeLook(std::int32_t mx, std::int32_t my, std::int32_t cx, std::int32_t cy) {
  const std::int32_t dx = difference(mx, cx), dy = difference(cy, my);
  XROT = increased(XROT, dx, 100);
  YROT = clampedPitch(decreased(YROT, dy, 100));
  XROT2 = increased(XROT2, dx, 100);
  YROT2 = clampedPitch(decreased(YROT2, dy, 100));
}

std::string fpsUpdate() {
  const long long product = static_cast<long long>(FORCEFPS) * FPS_ONE_SECOND * FPSCOUNT;
  if (product < INT32_MIN || product > INT32_MAX)
    RUNTIMEERROR("integer overflow in the FPS product FORCEFPS * 1000 * FPSCOUNT");
  if (ADDINTERVALFPS == 0) RUNTIMEERROR("division by zero in the FPS update: ADDINTERVALFPS is 0");
  // nearbyint rounds to nearest with ties to even under the default rounding mode.
  const double figure = std::nearbyint(static_cast<double>(product) / ADDINTERVALFPS);
  if (figure < INT32_MIN || figure > INT32_MAX) RUNTIMEERROR("integer overflow in the FPS figure");
  FPSCOUNT = static_cast<std::int32_t>(figure);
  if (ADDFORCEFPS > 1) {
    if (FPSCOUNT < ADDFORCEFPS) FORCEFPS += 1;
    if (FPSCOUNT > ADDFORCEFPS) FORCEFPS -= 1;
  }
  if (FPSCOUNT < 1) FPSCOUNT = 1;
  FPSCOUNTSTR = std::to_string(FPSCOUNT);
  FPSCOUNT = 0;
  return std::string(SETTITLENAME ? SETTITLENAME : "") + " - FPS [" + FPSCOUNTSTR + "]";
}

}  // namespace Vitrum::internal
