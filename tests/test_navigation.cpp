// Mouse navigation on real OpenGL: the camera transform each mode multiplies onto
// the current matrix, checked by where it carries points, against rotations
// computed here independently.
#include <gtest/gtest.h>

#include <cmath>

#include "opengl_window.h"
#include "test_context.h"
#include "vitrum.h"

using namespace Vitrum;

namespace {

struct Point {
  double x, y, z;
};

// Right-handed rotation of P by DEGREES about the unit axis (ax, ay, az) (Rodrigues).
Point rotated(Point p, double degrees, double ax, double ay, double az) {
  const double a = degrees * 3.14159265358979323846 / 180, c = std::cos(a), s = std::sin(a);
  const double dot = ax * p.x + ay * p.y + az * p.z;
  return {p.x * c + (ay * p.z - az * p.y) * s + ax * dot * (1 - c),
          p.y * c + (az * p.x - ax * p.z) * s + ay * dot * (1 - c),
          p.z * c + (ax * p.y - ay * p.x) * s + az * dot * (1 - c)};
}

// Where the current modelview matrix carries P.
Point carried(Point p) {
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  return {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12], m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
          m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14]};
}

void expectNear(Point got, Point want) {
  EXPECT_NEAR(got.x, want.x, 1e-4);
  EXPECT_NEAR(got.y, want.y, 1e-4);
  EXPECT_NEAR(got.z, want.z, 1e-4);
}

class Navigation : public vitrum_test::OpenGLWindowTest {
 protected:
  static void SetUpTestSuite() { vitrum_test::openGLWindow("Vitrum navigation test"); }
  void SetUp() override {
    OpenGLWindowTest::SetUp();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    DEPTH = 5;
    XROT = 30;
    YROT = 40;
  }
};

TEST_F(Navigation, EachModeTurnsByYrotThenXrotThenMovesAway) {
  struct Mode {
    std::int32_t mode;
    Point move;
    double first[3], second[3];
  } modes[] = {
      {GL_M0, {0, 0, -5}, {1, 0, 0}, {0, 1, 0}},
      {GL_MX, {0, -5, 0}, {1, 0, 0}, {0, 0, 1}},
      {GL_MY, {-5, 0, 0}, {0, 0, -1}, {0, 1, 0}},
      {GL_MZ, {0, 0, -5}, {0, 1, 0}, {1, 0, 0}},
  };
  for (const Mode& m : modes) {
    const vitrum_test::Context trace(m.mode);
    glLoadIdentity();
    SETGLMOUSEMOVE(m.mode, 3);
    EXPECT_EQ(MSPEED, 3);
    EXPECT_FLOAT_EQ(MY.X, static_cast<float>(m.move.x));
    EXPECT_FLOAT_EQ(MY.Y, static_cast<float>(m.move.y));
    EXPECT_FLOAT_EQ(MY.Z, static_cast<float>(m.move.z));
    for (Point p : {Point{1, 0, 0}, Point{0, 2, 0}, Point{0.5, -1, 3}}) {
      Point want = rotated(p, YROT, m.second[0], m.second[1], m.second[2]);
      want = rotated(want, XROT, m.first[0], m.first[1], m.first[2]);
      expectNear(carried(p), {want.x + m.move.x, want.y + m.move.y, want.z + m.move.z});
    }
  }
}

TEST_F(Navigation, MultipliesOntoTheCurrentMatrixWithoutLoadingOrPushing) {
  glTranslatef(1, 2, 3);
  GLint depthBefore = 0, depthAfter = 0;
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);
  XROT = YROT = 0;
  SETGLMOUSEMOVE(GL_M0, 2);
  glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
  EXPECT_EQ(depthAfter, depthBefore);
  expectNear(carried({0, 0, 0}), {1, 2, -2});
  SETGLMOUSEMOVE(GL_M0, 2);  // twice in a frame: applied twice
  expectNear(carried({0, 0, 0}), {1, 2, -7});
}

TEST_F(Navigation, NoDistanceAndNoAnglesLeaveTheMatrixAlone) {
  DEPTH = XROT = YROT = 0;
  glTranslatef(4, 0, 0);
  SETGLMOUSEMOVE(GL_M0, 2);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  const GLfloat want[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 4, 0, 0, 1};
  for (int i = 0; i < 16; ++i) EXPECT_FLOAT_EQ(m[i], want[i]) << i;
}

TEST_F(Navigation, PositiveTurnInModeYIsClockwiseSeenFromPositiveZ) {
  DEPTH = 0;
  XROT = 90;
  YROT = 0;
  SETGLMOUSEMOVE(GL_MY, 2);
  expectNear(carried({1, 0, 0}), {0, -1, 0});
}

TEST_F(Navigation, UnknownModeOnlySetsTheSpeed) {
  SETGLMOUSEMOVE(GL_M0, 2);
  const TGLVERTEX before = MY;
  for (std::int32_t mode : {4, -1}) {
    glLoadIdentity();
    SETGLMOUSEMOVE(mode, 7);
    EXPECT_EQ(MSPEED, 7);
    expectNear(carried({1, 1, 1}), {1, 1, 1});
    EXPECT_EQ(MY.Z, before.Z);
  }
}

}  // namespace
