// The demo scene rendered on real OpenGL under Wine. The textures are replaced
// by plain colours (floor white, the three bushes red, green and blue) so that
// every pixel tells what was drawn there; scene points are projected to the
// screen with the frame's own matrices and the pixels there are read back.
#include <gtest/gtest.h>

#include <GL/glu.h>

#include <cstdio>
#include <string>
#include <vector>

#include "image_files.h"
#include "opengl_window.h"
#include "scene.h"
#include "vitrum.h"
#include "win32_child.h"

using namespace Vitrum;
using vitrum_test::Bytes;
using vitrum_test::makeBmp;
using vitrum_test::operator+;
using vitrum_test::tgaHeader;
using vitrum_test::writeBytes;

namespace {

struct Rgb {
  int r, g, b;
};

// kWhite is any lit shade of the white floor or material.
enum class Seen { kBlack, kWhite, kRed, kGreen, kBlue, kOther };

Seen classify(Rgb c) {
  const int top = std::max({c.r, c.g, c.b}), bottom = std::min({c.r, c.g, c.b});
  if (top < 20) return Seen::kBlack;
  if (top - bottom < 12) return Seen::kWhite;
  if (c.r > 2 * c.g && c.r > 2 * c.b) return Seen::kRed;
  if (c.g > 2 * c.r && c.g > 2 * c.b) return Seen::kGreen;
  if (c.b > 2 * c.r && c.b > 2 * c.g) return Seen::kBlue;
  return Seen::kOther;
}

const char* name(Seen s) {
  static const char* names[] = {"black", "white", "red", "green", "blue", "other"};
  return names[static_cast<int>(s)];
}

// A 4 x 4 opaque 32-bit TGA of one colour.
void writeTga(const std::string& path, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  Bytes pixels;
  for (int i = 0; i < 16; ++i) pixels.insert(pixels.end(), {b, g, r, 255});
  ASSERT_TRUE(writeBytes(path, tgaHeader(2, 4, 4, 32, 8) + pixels)) << path;
}

// A 4 x 4 white 24-bit BMP.
void writeWhiteBmp(const std::string& path) {
  ASSERT_TRUE(writeBytes(path, makeBmp(4, 4, 24, Bytes(48, 255)))) << path;
}

// A directory with the demo's four texture names in plain colours.
std::string colourTextures(const std::string& name, bool withThirdBush) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string dir = std::string(temp) + name;
  CreateDirectoryA(dir.c_str(), nullptr);
  writeWhiteBmp(dir + "\\Floor04.bmp");
  writeTga(dir + "\\erba00.tga", 255, 0, 0);
  writeTga(dir + "\\foglie00.tga", 0, 255, 0);
  const std::string third = dir + "\\cespuglio.tga";
  if (withThirdBush) {
    writeTga(third, 0, 0, 255);
  } else {
    DeleteFileA(third.c_str());
  }
  return dir;
}

// The last frame's matrices and pixels.
struct Frame {
  GLdouble modelview[16], projection[16];
  GLint viewport[4];
  std::vector<unsigned char> pixels;

  struct Pixel {
    int x, y;
  };
  // Where scene point (x, y, z) lands in the window.
  Pixel project(double x, double y, double z) const {
    GLdouble wx, wy, wz;
    gluProject(x, y, z, modelview, projection, viewport, &wx, &wy, &wz);
    return {static_cast<int>(wx), static_cast<int>(wy)};
  }
  Seen atPixel(Pixel p) const {
    if (p.x < 0 || p.y < 0 || p.x >= viewport[2] || p.y >= viewport[3]) return Seen::kOther;
    const unsigned char* c = &pixels[(static_cast<size_t>(p.y) * viewport[2] + p.x) * 3];
    return classify({c[0], c[1], c[2]});
  }
  // What the frame shows at the projection of scene point (x, y, z).
  Seen at(double x, double y, double z) const { return atPixel(project(x, y, z)); }
};

Frame drawFrame() {
  Frame frame;
  OPENGL_DRAW();
  glFinish();
  glGetDoublev(GL_MODELVIEW_MATRIX, frame.modelview);
  glGetDoublev(GL_PROJECTION_MATRIX, frame.projection);
  glGetIntegerv(GL_VIEWPORT, frame.viewport);
  frame.pixels.resize(static_cast<size_t>(frame.viewport[2]) * frame.viewport[3] * 3);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadBuffer(GL_BACK);
  glReadPixels(0, 0, frame.viewport[2], frame.viewport[3], GL_RGB, GL_UNSIGNED_BYTE, frame.pixels.data());
  return frame;
}

LPARAM at(int x, int y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

// A drag with the button of DOWN (WM_LBUTTONDOWN or WM_RBUTTONDOWN) from (x0, y0) to (x1, y1).
void drag(UINT down, WPARAM held, int x0, int y0, int x1, int y1) {
  SendMessageA(HWINDOW, down, held, at(x0, y0));
  SendMessageA(HWINDOW, WM_MOUSEMOVE, held, at(x1, y1));
  SendMessageA(HWINDOW, down + 1, 0, at(x1, y1));  // the matching button-up message
}

// Points on the tops of the bushes' upright crosses, above every other plane.
struct BushTop {
  double x, y, z;
};
constexpr BushTop kBush1{-2.4, 3.9, -4}, kBush2{3, 5.3, 0}, kBush3{-1, 4.7, 3};

class DemoScene : public vitrum_test::OpenGLWindowTest {
 protected:
  static void SetUpTestSuite() {
    SetCurrentDirectoryA(colourTextures("vitrum_scene_test", true).c_str());
    vitrum_test::openGLWindow("Vitrum scene test", 800, 600);
    OPENGL_SETUP();
  }
  void SetUp() override {
    OpenGLWindowTest::SetUp();
    XROT = YROT = DEPTH = 0;
  }
};

TEST_F(DemoScene, FloorIsSeenFromAboveAtFortyFiveDegreesBeforeAnyMouseInput) {
  const Frame frame = drawFrame();
  // The camera puts the floor's centre at (0, -1, -30) in eye coordinates.
  EXPECT_NEAR(frame.modelview[12], 0, 1e-5);
  EXPECT_NEAR(frame.modelview[13], -1, 1e-5);
  EXPECT_NEAR(frame.modelview[14], -30, 1e-5);
  // Its up axis leans 45 degrees towards the eye.
  EXPECT_NEAR(frame.modelview[5], 0.70710678, 1e-5);
  EXPECT_NEAR(frame.modelview[6], 0.70710678, 1e-5);
  // Floor points that no bush hides: the near edge, the sides, the far corners.
  const double floor[][2] = {{-8, 8}, {0, 8}, {8, 8}, {-9.5, 0}, {9.5, 2}, {-9, -9}, {9, -9}};
  for (const auto& p : floor) EXPECT_STREQ(name(frame.at(p[0], 0, p[1])), name(Seen::kWhite)) << p[0] << ", " << p[1];
  EXPECT_STREQ(name(frame.at(0, 0, -14)), name(Seen::kBlack));       // beyond the far edge
  EXPECT_GT(frame.project(0, 0, -10).y, frame.project(0, 0, 10).y);  // the far edge is higher
}

TEST_F(DemoScene, EachBushHasItsOwnTextureWhereItIsPlaced) {
  const Frame frame = drawFrame();
  EXPECT_STREQ(name(frame.at(kBush1.x, kBush1.y, kBush1.z)), name(Seen::kRed));
  EXPECT_STREQ(name(frame.at(kBush2.x, kBush2.y, kBush2.z)), name(Seen::kGreen));
  EXPECT_STREQ(name(frame.at(kBush3.x, kBush3.y, kBush3.z)), name(Seen::kBlue));
}

TEST_F(DemoScene, LeftDragTurnsTheSceneAboutItsVerticalAxis) {
  const Frame before = drawFrame();
  // 90 pixels to the right at speed 2 turn the scene by 90 degrees: each bush
  // is now drawn where the point (z, y, -x) was drawn before.
  drag(WM_LBUTTONDOWN, MK_LBUTTON, 400, 300, 490, 300);
  EXPECT_FLOAT_EQ(YROT, 90);
  const Frame turned = drawFrame();
  const auto turnedTo = [&](const BushTop& b) { return name(turned.atPixel(before.project(b.z, b.y, -b.x))); };
  EXPECT_STREQ(turnedTo(kBush1), name(Seen::kRed));
  EXPECT_STREQ(turnedTo(kBush2), name(Seen::kGreen));
  EXPECT_STREQ(turnedTo(kBush3), name(Seen::kBlue));
  EXPECT_STRNE(name(before.at(kBush2.z, kBush2.y, -kBush2.x)), name(Seen::kGreen));
}

TEST_F(DemoScene, RightDragMovesTheSceneAwayAlongTheTiltedAxis) {
  const Frame before = drawFrame();
  // 50 pixels up with the right button: the distance grows by 10.
  drag(WM_RBUTTONDOWN, MK_RBUTTON, 400, 300, 400, 250);
  EXPECT_FLOAT_EQ(DEPTH, 10);
  const Frame farther = drawFrame();
  // 10 * sin 45 up and 10 * cos 45 away from the eye.
  EXPECT_NEAR(farther.modelview[13], -1 + 7.0710678, 1e-4);
  EXPECT_NEAR(farther.modelview[14], -30 - 7.0710678, 1e-4);
  // The floor shrinks: where its near edge was drawn there is now nothing.
  const Frame::Pixel nearEdge = before.project(0, 0, 9.5);
  EXPECT_STREQ(name(before.atPixel(nearEdge)), name(Seen::kWhite));
  EXPECT_STREQ(name(farther.atPixel(nearEdge)), name(Seen::kBlack));
  EXPECT_STREQ(name(farther.at(0, 0, 9.5)), name(Seen::kWhite));
  EXPECT_GT(farther.project(0, 0, 9.5).y, nearEdge.y);
}

VITRUM_CHILD_SCENARIO(third_bush_missing) {
  SetCurrentDirectoryA(colourTextures("vitrum_scene_missing", false).c_str());
  vitrum_test::openGLWindow("Vitrum scene test", 800, 600);
  OPENGL_SETUP();
  const Frame frame = drawFrame();
  std::printf("texid %u %u %u bushes %s %s %s\n", TEXTURETGA2[0].TEXID, TEXTURETGA2[1].TEXID, TEXTURETGA2[2].TEXID,
              name(frame.at(kBush1.x, kBush1.y, kBush1.z)), name(frame.at(kBush2.x, kBush2.y, kBush2.z)),
              name(frame.at(kBush3.x, kBush3.y, kBush3.z)));
  return 0;
}

TEST(DemoSceneChild, MissingThirdTextureLeavesItsBushWithTheDefaultTextureAndNoMessage) {
  const auto run = vitrum_test::runChild("third_bush_missing");
  ASSERT_EQ(run.exitCode, 0u) << run.output;
  EXPECT_TRUE(run.dialogs.empty());
  unsigned a = 9, b = 9, c = 9;
  char b1[16] = {}, b2[16] = {}, b3[16] = {};
  ASSERT_EQ(std::sscanf(run.output.c_str(), "texid %u %u %u bushes %15s %15s %15s", &a, &b, &c, b1, b2, b3), 6)
      << run.output;
  EXPECT_NE(a, 0u);
  EXPECT_NE(b, 0u);
  EXPECT_EQ(c, 0u);
  EXPECT_STREQ(b1, "red");
  EXPECT_STREQ(b2, "green");
  // Texture name 0 has no image: the bush shows the lit white material.
  EXPECT_STREQ(b3, "white");
}

}  // namespace
