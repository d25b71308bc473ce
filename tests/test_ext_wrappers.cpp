// The extension's texture-coordinate, vertex and translation wrappers in a real
// OpenGL context (Mesa under Wine). The entry-point variables are pointed at
// recorders, so each test sees exactly which extension calls were made, in order.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <vector>

#include "feedback.h"
#include "opengl_window.h"
#include "vitrum_ext1.h"

using namespace Vitrum_Ext1;

namespace {

using Coordinates = std::array<GLfloat, 4>;

struct MultiTexCoord {
  GLenum target;
  GLfloat s, t;
  Coordinates unit0;  // unit 0's coordinates when the call was made
};

std::vector<MultiTexCoord> multiTexCoords;
std::vector<GLfloat> fogCoords;

Coordinates currentTexCoords() {
  Coordinates c{};
  glGetFloatv(GL_CURRENT_TEXTURE_COORDS, c.data());
  return c;
}

void APIENTRY recordMultiTexCoord(GLenum target, GLfloat s, GLfloat t) {
  multiTexCoords.push_back({target, s, t, currentTexCoords()});
}

void APIENTRY recordFogCoord(GLfloat coord) { fogCoords.push_back(coord); }

bool operator==(const MultiTexCoord& a, const MultiTexCoord& b) {
  return a.target == b.target && a.s == b.s && a.t == b.t && a.unit0 == b.unit0;
}

// Vertices drawn as points, inside a begin/end pair as the wrappers require.
std::vector<GLfloat> fogCoordsOfPoints(std::initializer_list<std::array<GLfloat, 3>> points) {
  fogCoords.clear();
  Vitrum::GLBEGIN(GL_POINTS);
  for (const auto& p : points) GLVERTEX3F(p[0], p[1], p[2]);
  Vitrum::GLEND();
  return fogCoords;
}

GLfloat translationY() {
  std::array<GLfloat, 16> m{};
  glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
  return m[13];
}

class ExtWrappers : public vitrum_test::OpenGLWindowTest {
 protected:
  static void SetUpTestSuite() { vitrum_test::openGLWindow("test_ext_wrappers"); }

  void SetUp() override {
    OpenGLWindowTest::SetUp();
    GL_NUM_MULTI_TEXTURE = 0;
    GLAUTOMULTITEXTUREONOFF = false;
    GL_VOLUME_FOG_DEPTH = GL_VOLUME_FOG_OFFSET = 0;
    GL_VOLUME_FOG_X = GL_VOLUME_FOG_Y = GL_VOLUME_FOG_Z = 0;
    GLAUTOVOLUMEFOGONOFF = false;
    GLSTOPVOLUMEFOGDEPTH = true;
    GLRESETVOLUMEFOGDEPTH = false;
    GLMULTITEXCOORD2F = recordMultiTexCoord;
    GLFOGCOORDFEXT = recordFogCoord;
    multiTexCoords.clear();
    fogCoords.clear();
    glTexCoord2f(9, 9);
    glLoadIdentity();
  }

  void TearDown() override { EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR)); }
};

TEST_F(ExtWrappers, MultitextureCopiesToUnitsOneToNBeforeUnitZero) {
  GLAUTOMULTITEXTUREONOFF = true;
  GL_NUM_MULTI_TEXTURE = 3;
  GLTEXCOORD2F(0.5f, 0.25f);
  const Coordinates before{9, 9, 0, 1};
  EXPECT_EQ(multiTexCoords,
            (std::vector<MultiTexCoord>{
                {0x84C1, 0.5f, 0.25f, before}, {0x84C2, 0.5f, 0.25f, before}, {0x84C3, 0.5f, 0.25f, before}}));
  EXPECT_EQ(currentTexCoords(), (Coordinates{0.5f, 0.25f, 0, 1}));

  for (std::int32_t none : {0, -5}) {
    multiTexCoords.clear();
    GL_NUM_MULTI_TEXTURE = none;
    GLTEXCOORD2F(1, 2);
    EXPECT_TRUE(multiTexCoords.empty()) << none;
    EXPECT_EQ(currentTexCoords(), (Coordinates{1, 2, 0, 1}));
  }
}

TEST_F(ExtWrappers, CountIsClampedOnEveryCallWhateverTheSwitch) {
  GLMULTITEXCOORD2F = nullptr;  // spares 34015 recorded calls; the clamp is what counts here
  for (bool on : {false, true}) {
    GLAUTOMULTITEXTUREONOFF = on;
    for (std::int32_t count : {31, -5, 34015}) {
      GL_NUM_MULTI_TEXTURE = count;
      GLTEXCOORD2F(0, 0);
      EXPECT_EQ(GL_NUM_MULTI_TEXTURE, count) << on;
    }
    GL_NUM_MULTI_TEXTURE = 40000;
    GLTEXCOORD2F(0, 0);
    EXPECT_EQ(GL_NUM_MULTI_TEXTURE, GL_MAX_MULTI_TEXTURE) << on;
    EXPECT_EQ(GL_MAX_MULTI_TEXTURE, 34015);
  }
}

TEST_F(ExtWrappers, FogCoordinateIsTheDepthBelowTheLayerTop) {
  GLAUTOVOLUMEFOGONOFF = true;
  GL_VOLUME_FOG_Y = 1;
  GL_VOLUME_FOG_DEPTH = 2;
  EXPECT_EQ(fogCoordsOfPoints({{7, 0.5f, 7}, {7, 2, 7}, {7, 3, 7}, {7, -1, 7}}), (std::vector<GLfloat>{1.5f, 0, 0, 3}));

  const GLfloat nan = std::numeric_limits<GLfloat>::quiet_NaN();
  EXPECT_EQ(fogCoordsOfPoints({{0, nan, 0}}), (std::vector<GLfloat>{0}));

  GL_VOLUME_FOG_OFFSET = 1;  // the layer now spans heights 1 to 3
  EXPECT_EQ(fogCoordsOfPoints({{0, 0.5f, 0}, {0, 2.5f, 0}}), (std::vector<GLfloat>{2.5f, 0.5f}));

  GL_VOLUME_FOG_OFFSET = 0;
  GL_VOLUME_FOG_Y = 2;  // the weight scales the coordinate before the test
  EXPECT_EQ(fogCoordsOfPoints({{0, 0.5f, 0}}), (std::vector<GLfloat>{1}));
}

TEST_F(ExtWrappers, FogCoordinatesPerAxisInTheOrderXYZ) {
  GLAUTOVOLUMEFOGONOFF = true;
  GL_VOLUME_FOG_DEPTH = 10;
  EXPECT_TRUE(fogCoordsOfPoints({{1, 2, 3}}).empty());  // all weights 0

  GL_VOLUME_FOG_X = 1;
  GL_VOLUME_FOG_Y = 1;
  EXPECT_EQ(fogCoordsOfPoints({{1, 2, 3}, {4, 5, 6}}), (std::vector<GLfloat>{9, 8, 6, 5}));
  GL_VOLUME_FOG_X = 0;
  GL_VOLUME_FOG_Z = 1;
  EXPECT_EQ(fogCoordsOfPoints({{1, 2, 3}}), (std::vector<GLfloat>{8, 7}));

  GLAUTOVOLUMEFOGONOFF = false;
  EXPECT_TRUE(fogCoordsOfPoints({{1, 2, 3}}).empty());
}

TEST_F(ExtWrappers, TranslationReplacesTheFogOffset) {
  struct Case {
    bool fog, stop, reset;
    std::array<GLfloat, 3> weights;
    GLfloat offset;  // after GLTRANSLATEF(5, 3, -4) from an offset of 7
  };
  // clang-format off
  const Case cases[] = {
      {false, true, true, {0, 1, 0}, 7},  // fog off
      {true, false, true, {0, 1, 0}, 7},  // GLSTOPVOLUMEFOGDEPTH off
      {true, true, false, {0, 1, 0}, 0},  // reset off: 0 whatever the translation
      {true, true, true, {0, 1, 0}, -3},
      {true, true, true, {0, 2, 0}, -3},   // the weight is not applied
      {true, true, true, {1, 1, 0}, -3},   // Y comes after X
      {true, true, true, {1, 1, 1}, 4},    // and Z after Y
      {true, true, true, {0.5f, 0, 0}, -5},
      {true, true, true, {0, 0, 0}, 7},    // no axis: nothing to set
  };
  // clang-format on
  for (const Case& c : cases) {
    GLAUTOVOLUMEFOGONOFF = c.fog;
    GLSTOPVOLUMEFOGDEPTH = c.stop;
    GLRESETVOLUMEFOGDEPTH = c.reset;
    GL_VOLUME_FOG_X = c.weights[0];
    GL_VOLUME_FOG_Y = c.weights[1];
    GL_VOLUME_FOG_Z = c.weights[2];
    GL_VOLUME_FOG_OFFSET = 7;
    glLoadIdentity();
    GLTRANSLATEF(5, 3, -4);
    EXPECT_EQ(GL_VOLUME_FOG_OFFSET, c.offset) << c.fog << c.stop << c.reset << c.weights[0] << c.weights[1];
    EXPECT_EQ(translationY(), 3);
  }

  // Replaced, not accumulated: the offset follows the last translation only.
  GLAUTOVOLUMEFOGONOFF = GLRESETVOLUMEFOGDEPTH = true;
  GL_VOLUME_FOG_X = GL_VOLUME_FOG_Z = 0;
  GL_VOLUME_FOG_Y = 1;
  glLoadIdentity();
  GLTRANSLATEF(0, 3, 0);
  GLTRANSLATEF(0, 1, 0);
  EXPECT_EQ(GL_VOLUME_FOG_OFFSET, -1);
  EXPECT_EQ(translationY(), 4);
}

TEST_F(ExtWrappers, SwitchesOnWithMissingEntryPointsSkipOnlyTheExtensionCalls) {
  GLMULTITEXCOORD2F = nullptr;
  GLFOGCOORDFEXT = nullptr;
  GLAUTOMULTITEXTUREONOFF = GLAUTOVOLUMEFOGONOFF = GLRESETVOLUMEFOGDEPTH = true;
  GL_NUM_MULTI_TEXTURE = 40000;
  GL_VOLUME_FOG_Y = 1;
  GLTEXCOORD2F(0.5f, 0.25f);
  EXPECT_EQ(currentTexCoords(), (Coordinates{0.5f, 0.25f, 0, 1}));
  EXPECT_EQ(GL_NUM_MULTI_TEXTURE, GL_MAX_MULTI_TEXTURE);
  GLTRANSLATEF(0, 3, 0);
  EXPECT_EQ(GL_VOLUME_FOG_OFFSET, -3);

  // The vertex itself still reaches OpenGL.
  const auto values = vitrum_test::feedbackValues(
      GL_3D,
      [] {
        glLoadIdentity();
        Vitrum::GLBEGIN(GL_POINTS);
        GLVERTEX3F(0, 0, 0);
        Vitrum::GLEND();
      },
      16);
  ASSERT_EQ(values.size(), 4u);
  EXPECT_EQ(values[0], static_cast<GLfloat>(GL_POINT_TOKEN));
}

}  // namespace
