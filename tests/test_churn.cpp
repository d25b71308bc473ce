// Resource churn: the same operation a thousand times over, with the objects
// and memory of the process counted after the first ten cycles and at the end
// (see live_objects.h for how each is counted under Wine and on Windows).
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "image_files.h"
#include "live_objects.h"
#include "opengl_window.h"
#include "test_context.h"
#include "vitrum.h"

using namespace Vitrum;
using vitrum_test::Bytes;
using vitrum_test::liveObjects;
using vitrum_test::operator+;

namespace {

constexpr int kCycles = 1000;
// Far below what a thousand leaked 64 x 64 images would hold (12 to 16 KiB each).
constexpr std::size_t kMemorySlack = 1 << 20;

Bytes pixels(std::size_t count) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(i * 13);
  return bytes;
}

// LOAD into SLOT as an application that reloads often makes it: the library keeps
// the earlier texture, so the application deletes its name once the new one is there.
void reload(GLuint& slot, const std::function<void()>& load) {
  const GLuint earlier = slot;
  load();
  glDeleteTextures(1, &earlier);
}

class ResourceChurn : public vitrum_test::OpenGLWindowTest {
 protected:
  static void SetUpTestSuite() { vitrum_test::openGLWindow("Vitrum churn test"); }
};

TEST_F(ResourceChurn, TheCountsSeeEveryObjectMade) {
  const auto before = liveObjects();
  HBRUSH brushes[20];
  for (HBRUSH& brush : brushes) brush = CreateSolidBrush(RGB(1, 2, 3));
  HWND child = CreateWindowA("STATIC", "", WS_CHILD, 0, 0, 1, 1, HWINDOW, nullptr, nullptr, nullptr);
  const auto during = liveObjects();
  for (HBRUSH brush : brushes) DeleteObject(brush);
  DestroyWindow(child);
  const auto after = liveObjects();
  EXPECT_EQ(during.gdiObjects - before.gdiObjects, 20) << vitrum_test::describe(during);
  EXPECT_EQ(during.windows - before.windows, 1);
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.windows, before.windows);
}

TEST_F(ResourceChurn, AThousandCyclesLeaveObjectsAndMemoryAsAfterTheFirstTen) {
  const std::string bmp24 = vitrum_test::saveFile("vc_24.bmp", vitrum_test::makeBmp(64, 64, 24, pixels(64 * 64 * 3)));
  const std::string bmp32 = vitrum_test::saveFile("vc_32.bmp", vitrum_test::makeBmp(64, 64, 32, pixels(64 * 64 * 4)));
  const std::string bmp8 =
      vitrum_test::saveFile("vc_8.bmp", vitrum_test::makeBmp(64, 64, 8, pixels(64 * 64), 40, pixels(1024)));
  for (const char* state : {"vc_N.BMP", "vc_H.BMP", "vc_P.BMP"})
    vitrum_test::saveFile(state, vitrum_test::makeBmp(64, 64, 24, pixels(64 * 64 * 3)));
  const std::string tga =
      vitrum_test::saveFile("vc_24.tga", vitrum_test::tgaHeader(2, 64, 64, 24) + pixels(64 * 64 * 3));
  const struct {
    const char* what;
    std::function<void()> cycle;
  } cases[] = {
      {"24-bit BMP into one texture slot", [&] { reload(TEXTUREID2[7], [&] { TEXTURELOADID(bmp24.c_str(), 7); }); }},
      {"32-bit BMP into one texture slot", [&] { reload(TEXTUREID2[8], [&] { TEXTURELOADID(bmp32.c_str(), 8); }); }},
      {"24-bit TGA into one texture slot",
       [&] { reload(TEXTURETGA2[7].TEXID, [&] { TEXTURELOADTGAID(tga.c_str(), 7); }); }},
      {"BITMAPTOREGION, region deleted", [&] { DeleteObject(BITMAPTOREGION(bmp24.c_str(), RGB(255, 0, 255), 1)); }},
      {"LOADBMPFROMFILE of 8 and 24 bits, bitmap and palette deleted",
       [&] {
         for (const std::string* file : {&bmp8, &bmp24}) {
           HPALETTE palette = nullptr;
           DeleteObject(LOADBMPFROMFILE(file->c_str(), palette));
           DeleteObject(palette);
         }
       }},
      {"image button created and destroyed",
       [] {
         BMPTYPE = "vc_";
         DestroyWindow(CreateWindowExA(0, SZHOVERCLASS, "", WS_CHILD | WS_VISIBLE, 10, 10, 5, 5, HWINDOW,
                                       reinterpret_cast<HMENU>(1), nullptr, nullptr));
       }},
  };
  for (const auto& c : cases) {
    const vitrum_test::Context trace(c.what);
    for (int i = 0; i < 10; ++i) c.cycle();
    const auto first = liveObjects();
    for (int i = 10; i < kCycles; ++i) c.cycle();
    const auto last = liveObjects();
    std::printf("%s, %d cycles: after 10: %s; after %d: %s\n", c.what, kCycles, vitrum_test::describe(first).c_str(),
                kCycles, vitrum_test::describe(last).c_str());
    EXPECT_EQ(last.gdiObjects, first.gdiObjects);
    EXPECT_EQ(last.windows, first.windows);
    EXPECT_LE(last.privateBytes, first.privateBytes + kMemorySlack);
    EXPECT_LE(last.workingSet, first.workingSet + kMemorySlack);
  }
}

}  // namespace
