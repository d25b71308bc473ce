// The bush generator's geometry and the state it leaves, read back from a real
// OpenGL context (Mesa under Wine) in feedback mode.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "feedback.h"
#include "opengl_window.h"
#include "test_context.h"
#include "vitrum_ext1.h"

using namespace Vitrum_Ext1;

namespace {

using Vector = std::array<GLfloat, 3>;
using TexCoord = std::pair<GLfloat, GLfloat>;

// One plane as OpenGL produced it: its corners by texture coordinate, in the
// model's frame, and its normal in eye space as lighting saw it (negated on a
// plane that faces away, since the lighting is two-sided).
struct Plane {
  std::map<TexCoord, Vector> corners;
  Vector normal;
};

// The model is drawn at a tenth of its size, so that it stays inside the clip volume.
constexpr GLfloat kViewScale = 0.1f;

// The triangles' vertices of a GENFASTBRUSH(BUSH_SIZE), eleven values each (window
// x, y, z, colour, texture s, t, r, q). LIGHT_SIGN 0 draws unlit; +1 or -1 lights
// the bush with a red, a green and a blue light shining from LIGHT_SIGN times X, Y
// and Z in eye space, so that each colour component is the positive part of
// LIGHT_SIGN times that component of the eye-space normal.
std::vector<std::array<GLfloat, 11>> drawnVertices(GLfloat bushSize, GLfloat lightSign = 0) {
  glViewport(0, 0, 800, 600);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  if (lightSign != 0) {
    const GLfloat black[] = {0, 0, 0, 1}, white[] = {1, 1, 1, 1};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    for (int axis = 0; axis < 3; ++axis) {
      GLfloat colour[] = {0, 0, 0, 1}, direction[] = {0, 0, 0, 0};
      colour[axis] = 1;
      direction[axis] = lightSign;
      const GLenum light = GL_LIGHT0 + static_cast<GLenum>(axis);
      glLightfv(light, GL_DIFFUSE, colour);
      glLightfv(light, GL_POSITION, direction);
      glEnable(light);
    }
    glEnable(GL_LIGHTING);
  }
  glScalef(kViewScale, kViewScale, kViewScale);
  glEnable(GL_NORMALIZE);
  const auto triangles = vitrum_test::feedback<11>(GL_3D_COLOR_TEXTURE, [bushSize] { GENFASTBRUSH(bushSize); });
  glDisable(GL_LIGHTING);
  glLoadIdentity();

  std::vector<std::array<GLfloat, 11>> vertices;
  for (const auto& triangle : triangles) {
    EXPECT_EQ(triangle.token, static_cast<GLenum>(GL_POLYGON_TOKEN));
    EXPECT_EQ(triangle.vertices.size(), 3u);
    vertices.insert(vertices.end(), triangle.vertices.begin(), triangle.vertices.end());
  }
  return vertices;
}

// The planes of a GENFASTBRUSH(BUSH_SIZE) in drawing order; each quad is two triangles.
std::vector<Plane> planes(GLfloat bushSize) {
  const auto positions = drawnVertices(bushSize);
  const auto lit = drawnVertices(bushSize, 1), litFromBehind = drawnVertices(bushSize, -1);
  EXPECT_EQ(positions.size(), lit.size());
  EXPECT_EQ(positions.size(), litFromBehind.size());
  std::vector<Plane> result(positions.size() / 6);
  for (std::size_t i = 0; i < positions.size(); ++i) {
    const auto& v = positions[i];
    const Vector p{(v[0] / 400 - 1) / kViewScale, (v[1] / 300 - 1) / kViewScale, (2 * v[2] - 1) / kViewScale};
    Plane& plane = result[i / 6];
    const auto [corner, added] = plane.corners.try_emplace({v[7], v[8]}, p);
    for (int c = 0; c < 3 && !added; ++c) EXPECT_NEAR(corner->second[c], p[c], 1e-4) << "shared corner " << i;
    for (int c = 0; c < 3; ++c) plane.normal[c] = lit[i][3 + c] - litFromBehind[i][3 + c];
  }
  return result;
}

void expectNear(const Vector& got, const Vector& want, double tolerance, const char* what) {
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(got[c], want[c], tolerance) << what << " component " << c;
}

class ExtBush : public vitrum_test::OpenGLWindowTest {
 protected:
  static void SetUpTestSuite() { vitrum_test::openGLWindow("test_ext_bush"); }
  void TearDown() override {
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    OpenGLWindowTest::TearDown();
  }
};

TEST_F(ExtBush, FirstUprightPlaneAndFirstTiltedPlane) {
  for (GLfloat size : {1.0f, 2.0f}) {
    const vitrum_test::Context trace(size);
    const auto bush = planes(size);
    ASSERT_EQ(bush.size(), 18u);
    const GLfloat s = size;
    const std::map<TexCoord, Vector> plane1{
        {{1, 1}, {2 * s, 4 * s, 0}}, {{0, 1}, {-2 * s, 4 * s, 0}}, {{0, 0}, {-2 * s, 0, 0}}, {{1, 0}, {2 * s, 0, 0}}};
    const std::map<TexCoord, Vector> plane3{{{1, 1}, {2 * s, 3.625f * s, 1.690f * s}},
                                            {{0, 1}, {-2 * s, 3.625f * s, 1.690f * s}},
                                            {{0, 0}, {-2 * s, 0, 0}},
                                            {{1, 0}, {2 * s, 0, 0}}};
    for (const auto& [plane, want] : {std::pair{bush[0], plane1}, std::pair{bush[2], plane3}}) {
      ASSERT_EQ(plane.corners.size(), 4u);
      for (const auto& [tex, corner] : want) {
        ASSERT_TRUE(plane.corners.contains(tex)) << tex.first << ", " << tex.second;
        expectNear(plane.corners.at(tex), corner, 1e-3 * s, "corner");
      }
    }
    expectNear(bush[0].normal, {0, 0, 1}, 1e-5, "plane 1 normal");
    expectNear(bush[2].normal, {0, -0.423f, 0.906f}, 1e-3, "plane 3 normal");

    // Scaling acts through the matrix only: the normal handed to OpenGL stays (0, 1, 0).
    Vector normal{};
    glGetFloatv(GL_CURRENT_NORMAL, normal.data());
    EXPECT_EQ(normal, (Vector{0, 1, 0}));
  }
}

// Each plane's top edge (T = 1): its height and how far its middle reaches out
// from the vertical axis, and in which direction; the base edge (T = 0) stays
// centred on the origin.
TEST_F(ExtBush, EveryPlaneLeansAsDrawnInOrder) {
  const GLfloat d = std::sqrt(0.5f);
  struct Lean {
    GLfloat height, reach, x, z;
  };
  const Lean upright{4, 0, 0, 0}, a25{3.625f, 1.690f, 0, 0}, a50{2.571f, 3.064f, 0, 0}, a70{1.368f, 3.759f, 0, 0};
  auto towards = [](Lean lean, GLfloat x, GLfloat z) { return Lean{lean.height, lean.reach, x, z}; };
  // clang-format off
  const Lean leans[18] = {
      upright,           upright,
      towards(a25, 0, 1), towards(a25, 0, -1), towards(a25, 1, 0), towards(a25, -1, 0),
      towards(a25, d, d), towards(a25, -d, -d), towards(a25, d, -d), towards(a25, -d, d),
      towards(a50, 0, 1), towards(a50, 0, -1), towards(a50, 1, 0), towards(a50, -1, 0),
      towards(a70, d, d), towards(a70, -d, -d), towards(a70, d, -d), towards(a70, -d, d)};
  // clang-format on

  for (GLfloat size : {1.0f, 2.0f}) {
    const auto bush = planes(size);
    ASSERT_EQ(bush.size(), 18u);
    for (int i = 0; i < 18; ++i) {
      const vitrum_test::Context trace(testing::Message() << "size " << size << ", plane " << i + 1);
      const Plane& plane = bush[i];
      ASSERT_EQ(plane.corners.size(), 4u);
      auto middle = [&](TexCoord a, TexCoord b) {
        const Vector &p = plane.corners.at(a), &q = plane.corners.at(b);
        return Vector{(p[0] + q[0]) / 2, (p[1] + q[1]) / 2, (p[2] + q[2]) / 2};
      };
      const Lean& lean = leans[i];
      const GLfloat reach = lean.reach * size;
      expectNear(middle({1, 1}, {0, 1}), {reach * lean.x, lean.height * size, reach * lean.z}, 1e-3 * size, "top");
      expectNear(middle({0, 0}, {1, 0}), {0, 0, 0}, 1e-4, "base");
      const Vector& n = plane.normal;
      EXPECT_NEAR(n[0] * n[0] + n[1] * n[1] + n[2] * n[2], 1, 1e-4);
    }
  }
}

TEST_F(ExtBush, SizeZeroStillDrawsEighteenQuads) {
  const auto vertices = drawnVertices(0);
  ASSERT_EQ(vertices.size(), 18u * 6);
  for (const auto& v : vertices) {
    EXPECT_EQ(v[0], 400);
    EXPECT_EQ(v[1], 300);
  }
}

TEST_F(ExtBush, LeavesTheMatrixAsItWasCullingAndDepthWritesOnBlendingAlphaTestAndTwoSidedLightingOff) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  GLint maxDepth = 0;
  glGetIntegerv(GL_MAX_MODELVIEW_STACK_DEPTH, &maxDepth);
  // Three levels of room must be enough.
  glLoadIdentity();
  for (GLint depth = 1; depth < maxDepth - 3; ++depth) glPushMatrix();
  glTranslatef(1, 2, 3);
  glRotatef(30, 1, 1, 0);
  std::array<GLfloat, 16> before{}, after{};
  glGetFloatv(GL_MODELVIEW_MATRIX, before.data());

  for (bool on : {false, true}) {
    const vitrum_test::Context trace(on);
    for (GLenum cap : {GL_CULL_FACE, GL_ALPHA_TEST, GL_BLEND}) on ? glEnable(cap) : glDisable(cap);
    glDepthMask(on ? GL_TRUE : GL_FALSE);
    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, on);

    GENFASTBRUSH(1.5f);

    GLint depth = 0, twoSide = 1, bound = 0;
    GLboolean depthMask = GL_FALSE;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    glGetFloatv(GL_MODELVIEW_MATRIX, after.data());
    glGetIntegerv(GL_LIGHT_MODEL_TWO_SIDE, &twoSide);
    glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(depth, maxDepth - 3);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    EXPECT_EQ(depthMask, GL_TRUE);
    EXPECT_EQ(twoSide, GL_FALSE);
    EXPECT_EQ(static_cast<GLuint>(bound), texture);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
  for (GLint depth = 1; depth < maxDepth - 3; ++depth) glPopMatrix();
  glLoadIdentity();
  glBindTexture(GL_TEXTURE_2D, 0);
  glDeleteTextures(1, &texture);
}

}  // namespace
