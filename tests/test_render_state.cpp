// What the projection set-ups, the render-state switches, the lights and the
// capture wrappers leave in a real OpenGL context (Mesa under Wine).
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

#include "feedback.h"
#include "opengl_window.h"
#include "quad.h"
#include "vitrum.h"

using namespace Vitrum;

namespace {

std::array<GLfloat, 16> matrix(GLenum which) {
  std::array<GLfloat, 16> m{};
  glGetFloatv(which, m.data());
  return m;
}

std::array<GLint, 4> viewport() {
  std::array<GLint, 4> v{};
  glGetIntegerv(GL_VIEWPORT, v.data());
  return v;
}

std::array<GLfloat, 4> lightParameter(GLenum light, GLenum name) {
  std::array<GLfloat, 4> v{};
  glGetLightfv(light, name, v.data());
  return v;
}

GLint integer(GLenum name) {
  GLint v = 0;
  glGetIntegerv(name, &v);
  return v;
}

GLfloat number(GLenum name) {
  GLfloat v = 0;
  glGetFloatv(name, &v);
  return v;
}

void setSize(std::int32_t width, std::int32_t height) {
  WIDTH = width;
  HEIGHT = height;
}

void expectIdentity(const std::array<GLfloat, 16>& m) {
  for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f) << i;
}

// Window coordinates of the vertices OpenGL produced while DRAW ran, in
// drawing order, and the token of the first primitive that had any.
std::vector<std::array<GLfloat, 3>> drawnVertices(void (*draw)(), GLenum* firstToken = nullptr) {
  std::vector<std::array<GLfloat, 3>> vertices;
  for (const auto& primitive : vitrum_test::feedback<3>(GL_3D, draw)) {
    if (firstToken && vertices.empty()) *firstToken = primitive.token;
    vertices.insert(vertices.end(), primitive.vertices.begin(), primitive.vertices.end());
  }
  return vertices;
}

class RenderState : public vitrum_test::OpenGLWindowTest {
 protected:
  static void SetUpTestSuite() { vitrum_test::openGLWindow("test_render_state"); }

  void SetUp() override {
    OpenGLWindowTest::SetUp();
    GLVERT3FENABLEEDIT = false;
    GLVERT3FREMOVE = false;
  }

  // Clip space straight to an 800 x 600 window: a vertex (x, y, z) lands at
  // (400 (x + 1), 300 (y + 1), (z + 1) / 2).
  static void identityTransforms() {
    setSize(800, 600);
    OPENGL_I2D(0, 0, 0, 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
  }
};

TEST_F(RenderState, PerspectiveSetUpAndDefaultState) {
  setSize(800, 600);
  glEnable(GL_BLEND);
  glTranslatef(1, 2, 3);
  OPENGL_INIT(100.0, 0.5, 0.25, 0.75, 1.0);

  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 800, 600}));
  const auto p = matrix(GL_PROJECTION_MATRIX);
  EXPECT_NEAR(p[0], 2.4142136f * 600 / 800, 1e-5);
  EXPECT_NEAR(p[5], 2.4142136f, 1e-5);
  EXPECT_NEAR(p[10], -100.1f / 99.9f, 1e-6);
  EXPECT_EQ(p[11], -1.0f);
  EXPECT_NEAR(p[14], -2 * 100 * 0.1f / 99.9f, 1e-6);
  expectIdentity(matrix(GL_MODELVIEW_MATRIX));
  EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);

  std::array<GLfloat, 4> clear{}, colour{};
  glGetFloatv(GL_COLOR_CLEAR_VALUE, clear.data());
  glGetFloatv(GL_CURRENT_COLOR, colour.data());
  EXPECT_EQ(clear, (std::array<GLfloat, 4>{0.25f, 0.75f, 1.0f, 0.5f}));
  EXPECT_EQ(colour, (std::array<GLfloat, 4>{1, 1, 1, 0.5f}));
  EXPECT_EQ(number(GL_DEPTH_CLEAR_VALUE), 1.0f);  // DEPTH, clamped
  EXPECT_EQ(integer(GL_DEPTH_FUNC), GL_LEQUAL);
  EXPECT_EQ(integer(GL_BLEND_SRC), GL_SRC_ALPHA);
  EXPECT_EQ(integer(GL_BLEND_DST), GL_ONE);
  EXPECT_EQ(integer(GL_LIGHT_MODEL_LOCAL_VIEWER), GL_TRUE);
  for (GLenum hint : {GL_LINE_SMOOTH_HINT, GL_POLYGON_SMOOTH_HINT, GL_PERSPECTIVE_CORRECTION_HINT})
    EXPECT_EQ(integer(hint), GL_NICEST) << hint;
  for (GLenum on : {GL_DEPTH_TEST, GL_AUTO_NORMAL, GL_NORMALIZE, GL_BLEND})
    EXPECT_TRUE(glIsEnabled(on)) << on;  // blending stays as the caller left it
  for (GLenum off : {GL_LIGHTING, GL_CULL_FACE, GL_ALPHA_TEST, GL_TEXTURE_2D, GL_FOG})
    EXPECT_FALSE(glIsEnabled(off)) << off;
  glDisable(GL_BLEND);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RenderState, OverlaySetUpFollowsTheAspectRatio) {
  setSize(800, 600);
  OPENGL_INIT(100.0, 0, 0, 0, 0);
  OPENGL_I2D(0, 0, 0, 0);
  EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 800, 600}));
  auto p = matrix(GL_PROJECTION_MATRIX);
  EXPECT_EQ(p[0], 0.5f);              // x from -2 to 2
  EXPECT_NEAR(p[5], 1 / 1.5f, 1e-7);  // y from -1.5 to 1.5
  EXPECT_EQ(p[10], -0.5f);            // depths from -2 to 2
  EXPECT_EQ(p[15], 1.0f);
  EXPECT_EQ(std::bit_cast<std::uint32_t>(OFFX), std::bit_cast<std::uint32_t>(-2.04999995f));
  EXPECT_EQ(std::bit_cast<std::uint32_t>(OFFY), std::bit_cast<std::uint32_t>(-1.45000005f));
  EXPECT_EQ(integer(GL_MATRIX_MODE), GL_MODELVIEW);
  EXPECT_EQ(number(GL_DEPTH_CLEAR_VALUE), 1.0f);

  setSize(300, 300);
  OPENGL_I2D(0, 0, 0, 0);
  EXPECT_EQ(matrix(GL_PROJECTION_MATRIX)[5], 0.5f);
  EXPECT_EQ(OFFX, -1.05f);
  EXPECT_EQ(OFFY, -0.45f);

  setSize(600, 1300);
  OPENGL_I2D(0, 0, 0, 0);
  EXPECT_NEAR(matrix(GL_PROJECTION_MATRIX)[5], 600 / 2600.0, 1e-7);
  EXPECT_EQ(OFFX, -0.05f);
  EXPECT_EQ(OFFY, 0.55f);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RenderState, MinimisedWindowKeepsViewportAndProjection) {
  setSize(640, 480);
  OPENGL_I2D(0, 0, 0, 0);
  OPENGL_INIT(100.0, 0, 0, 0, 0);
  const auto projection = matrix(GL_PROJECTION_MATRIX);
  const float offX = OFFX, offY = OFFY;

  for (const auto& size : {std::array<std::int32_t, 2>{0, 0}, {640, 0}, {0, 480}}) {
    setSize(size[0], size[1]);
    glTranslatef(1, 2, 3);
    OPENGL_I2D(0, 0, 0, 0);
    OPENGL_INIT(100.0, 0, 0, 0, 0);
    EXPECT_EQ(viewport(), (std::array<GLint, 4>{0, 0, 640, 480}));
    EXPECT_EQ(matrix(GL_PROJECTION_MATRIX), projection);
    expectIdentity(matrix(GL_MODELVIEW_MATRIX));
    EXPECT_EQ(OFFX, offX);
    EXPECT_EQ(OFFY, offY);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  }
}

TEST_F(RenderState, SwitchesSetTheirFixedState) {
  TWOSIDEON();
  EXPECT_EQ(integer(GL_LIGHT_MODEL_TWO_SIDE), GL_TRUE);
  TWOSIDEOFF();
  EXPECT_EQ(integer(GL_LIGHT_MODEL_TWO_SIDE), GL_FALSE);

  glCullFace(GL_FRONT);
  glFrontFace(GL_CW);
  SETGLREFRACTIVE();
  EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
  EXPECT_EQ(integer(GL_CULL_FACE_MODE), GL_BACK);
  EXPECT_EQ(integer(GL_FRONT_FACE), GL_CCW);
  glDisable(GL_CULL_FACE);

  glEnable(GL_BLEND);
  glDepthMask(GL_FALSE);
  SETGLSPRITE();
  EXPECT_TRUE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_EQ(integer(GL_ALPHA_TEST_FUNC), GL_GREATER);
  EXPECT_NEAR(number(GL_ALPHA_TEST_REF), 0.4f, 1e-7);
  EXPECT_TRUE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(integer(GL_DEPTH_WRITEMASK), GL_FALSE);

  SETGLSPRITEOFF();
  EXPECT_FALSE(glIsEnabled(GL_ALPHA_TEST));
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  EXPECT_EQ(integer(GL_DEPTH_WRITEMASK), GL_TRUE);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RenderState, LightsTakeTheLibraryColoursAndTheModelviewPosition) {
  setSize(800, 600);
  OPENGL_INIT(100.0, 0, 0, 0, 0);
  glTranslatef(1, 2, 3);
  SETGLLIGHT(GL_LIGHT0, 0.0f, 0.0f, 0.0f, 0.1f);
  EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
  EXPECT_TRUE(glIsEnabled(GL_LIGHT0));
  EXPECT_EQ(lightParameter(GL_LIGHT0, GL_AMBIENT), (std::array<GLfloat, 4>{0.5f, 0.5f, 0.5f, 1}));
  EXPECT_EQ(lightParameter(GL_LIGHT0, GL_DIFFUSE), (std::array<GLfloat, 4>{1, 1, 1, 1}));
  EXPECT_EQ(lightParameter(GL_LIGHT0, GL_SPECULAR), (std::array<GLfloat, 4>{1, 1, 1, 1}));
  const auto eye = lightParameter(GL_LIGHT0, GL_POSITION);  // translation times W
  EXPECT_NEAR(eye[0], 0.1f, 1e-6);
  EXPECT_NEAR(eye[1], 0.2f, 1e-6);
  EXPECT_NEAR(eye[2], 0.3f, 1e-6);
  EXPECT_EQ(eye[3], 0.1f);
  EXPECT_EQ(LIGHTPOSITION[0], 0.0f);
  EXPECT_EQ(LIGHTPOSITION[3], 0.1f);

  AMBIENTLIGHT[1] = 0.25f;
  EXPECT_EQ(lightParameter(GL_LIGHT0, GL_AMBIENT)[1], 0.5f);
  SETGLLIGHT(GL_LIGHT2, 0, 0, 1, 0);
  EXPECT_EQ(lightParameter(GL_LIGHT2, GL_AMBIENT)[1], 0.25f);
  AMBIENTLIGHT[1] = 0.5f;
  glDisable(GL_LIGHT2);

  glLoadIdentity();
  const GLfloat pointSize = number(GL_POINT_SIZE);
  PUTGLPOINTLIGHT(GL_LIGHT0, 0.0f, -5.0f, 20.0f, 30.0f, 0.1f);
  EXPECT_EQ(lightParameter(GL_LIGHT0, GL_POSITION), (std::array<GLfloat, 4>{-5, 20, 30, 0.1f}));
  EXPECT_EQ(number(GL_POINT_SIZE), pointSize);
  PUTGLPOINTLIGHT(GL_LIGHT0, 0.0f, 1.0f, 0.0f, 0.0f, 0.0f);  // directional
  EXPECT_EQ(lightParameter(GL_LIGHT0, GL_POSITION)[3], 0.0f);
  EXPECT_EQ(LIGHTPOSITION[0], 1.0f);
  glDisable(GL_LIGHTING);
  glDisable(GL_LIGHT0);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(RenderState, PointLightMarkerIsOnePointAtTheLight) {
  identityTransforms();
  GLenum token = 0;
  const auto points = drawnVertices([] { PUTGLPOINTLIGHT(GL_LIGHT0, 4.0f, 0.5f, -0.5f, 0.25f, 0.0f); }, &token);
  ASSERT_EQ(points.size(), 1u);
  EXPECT_EQ(token, static_cast<GLenum>(GL_POINT_TOKEN));
  EXPECT_NEAR(points[0][0], 600, 1e-3);
  EXPECT_NEAR(points[0][1], 150, 1e-3);
  EXPECT_NEAR(points[0][2], 0.625, 1e-6);
  EXPECT_EQ(number(GL_POINT_SIZE), 4.0f);
  std::array<GLfloat, 3> normal{};
  glGetFloatv(GL_CURRENT_NORMAL, normal.data());
  EXPECT_EQ(normal, (std::array<GLfloat, 3>{0, 0, 1}));

  GLVERT3FREMOVE = true;
  EXPECT_TRUE(drawnVertices([] { PUTGLPOINTLIGHT(GL_LIGHT0, 2.0f, 0.5f, -0.5f, 0.25f, 0.0f); }).empty());
  EXPECT_EQ(number(GL_POINT_SIZE), 2.0f);
  glPointSize(1.0f);
}

TEST_F(RenderState, EditModeReshapesTheQuadsOpenGLDraws) {
  identityTransforms();
  TGLVERTEX3F& base = GLBASEVERTEX3F;
  base.GLVERT3FCOUNT = 0;
  base.GLVERT3FSETNUM = 4;
  base.GLVERT3FTMP[2] = {0.0f, -0.25f, 0.0f};
  base.GLVERT3FTMPROTATE[3] = {0.0f, 0.0f, 90.0f};
  base.GLVERT3FTMPSCALE[4] = {1.0f, 0.5f, 1.0f};
  static const auto quad = [] {
    vitrum_test::quad({{0.0f, 0.0f, 0.0f}, {0.5f, 0.0f, 0.0f}, {0.5f, 0.5f, 0.0f}, {0.0f, 0.5f, 0.0f}});
  };

  GLVERT3FENABLEEDIT = true;
  const auto drawn = drawnVertices(quad);
  EXPECT_EQ(base.GLVERT3FMAX, 4);
  EXPECT_EQ(base.GLVERT3FCOUNT, 4);
  // Slot 2 moved down, slot 3 turned a quarter about the origin, slot 4 squashed.
  const std::array<GLfloat, 3> corner[4] = {{400, 300, 0.5f}, {600, 225, 0.5f}, {200, 450, 0.5f}, {400, 375, 0.5f}};
  ASSERT_EQ(drawn.size(), 6u);
  for (const auto& vertex : drawn) {
    bool found = false;
    for (const auto& c : corner)
      found |= std::abs(vertex[0] - c[0]) < 1e-3 && std::abs(vertex[1] - c[1]) < 1e-3 && vertex[2] == c[2];
    EXPECT_TRUE(found) << vertex[0] << ", " << vertex[1] << ", " << vertex[2];
  }

  // Recorded but not drawn; then plain mode draws the quad as given.
  base.GLVERT3FCOUNT = 0;
  GLVERT3FREMOVE = true;
  EXPECT_TRUE(drawnVertices(quad).empty());
  EXPECT_EQ(base.GLVERT3FCOUNT, 4);
  GLVERT3FREMOVE = false;
  GLVERT3FENABLEEDIT = false;
  const auto plain = drawnVertices(quad);
  ASSERT_EQ(plain.size(), 6u);
  for (const auto& vertex : plain) EXPECT_TRUE(vertex[0] == 400 || vertex[0] == 600);
  EXPECT_EQ(base.GLVERT3FCOUNT, 4);
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
