// Every path that reads a BMP file, given one picture in every layout GDI reads
// and files that are cut short or whose headers lie (tools/make_bmp_variants.py,
// a CTest fixture): the depth probe, a texture slot, LOADBMPFROMFILE,
// BITMAPTOREGION and an image button made from the file. Each gives the result
// in the table below, and together they leave no object behind.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "live_objects.h"
#include "opengl_window.h"
#include "test_context.h"
#include "vitrum.h"

using namespace Vitrum;

namespace {

constexpr int kWidth = 13, kHeight = 7, kSlot = 20;

// Texture: no image, or the picture the right way up. Region: 0, or the region of
// the picture's non-magenta pixels. Anything else reads as kOther: Wine's
// LoadImage makes a bitmap of the right size of a top-down file, but not of its
// pixels.
constexpr char kNone = '-', kPicture = 'P', kOther = '?';

const struct Outcome {
  const char* file;
  int depth;  // GETBMPDEPTH
  char texture;
  bool bitmap;  // LOADBMPFROMFILE gives a bitmap (and a palette)
  char region;
} kOutcomes[] = {
    // Every layout, each the same picture.
    {"magick_1bit", 1, kNone, true, kPicture},
    {"magick_4bit", 4, kNone, true, kPicture},
    {"own_rle4", 4, kNone, true, kPicture},
    {"magick_os2_4bit", 0, kNone, true, kPicture},
    {"pillow_8bit", 8, kNone, true, kPicture},
    {"magick_rle8", 8, kNone, true, kPicture},
    {"magick_16bit_565", 16, kNone, true, kPicture},
    {"own_16bit_555", 16, kNone, true, kPicture},
    {"pillow_24bit", 24, kPicture, true, kPicture},
    {"magick_24bit", 24, kPicture, true, kPicture},
    {"own_24bit_topdown", 24, kOther, true, kOther},
    {"magick_os2_24bit", 0, kNone, true, kPicture},
    {"pillow_32bit", 32, kPicture, true, kPicture},
    {"own_32bit_v4", 32, kPicture, true, kPicture},
    {"magick_32bit_v5", 32, kPicture, true, kPicture},
    // Lying, yet read as the picture.
    {"offset_zero", 24, kPicture, true, kPicture},  // GDI takes the pixels after the headers
    {"size_image_huge", 24, kPicture, true, kPicture},
    {"colours_used_huge", 8, kNone, true, kPicture},
    {"rle8_runs_past_the_end", 8, kNone, true, kPicture},  // GDI clips the runs
    // Cut short, lying, or no file at all: refused.
    {"missing", 0, kNone, false, kNone},
    {"directory", 0, kNone, false, kNone},
    {"empty", 0, kNone, false, kNone},
    {"cut_after_signature", 0, kNone, false, kNone},
    {"cut_after_file_header", 0, kNone, false, kNone},
    {"cut_after_info_size", 0, kNone, false, kNone},
    {"cut_after_info_header", 24, kNone, false, kNone},
    {"cut_in_pixels", 24, kNone, false, kNone},
    {"offset_past_end", 24, kNone, false, kNone},
    {"width_zero", 24, kNone, false, kNone},
    {"height_zero", 24, kNone, false, kNone},
    {"width_negative", 24, kNone, false, kNone},
    {"dimensions_huge", 24, kNone, false, kNone},
    {"width_huge", 24, kNone, false, kNone},
    {"bits_7", 7, kNone, false, kNone},
    {"planes_0", 24, kNone, false, kNone},
    {"compression_unknown", 24, kNone, false, kNone},
    {"signature_ba", 0, kNone, false, kNone},
};

std::vector<std::string> readMask() {
  std::ifstream in("bmp_variants/mask.txt");
  std::vector<std::string> rows;
  for (std::string row; std::getline(in, row);) rows.push_back(row);
  return rows;
}

// Whether REGION holds exactly the '#' pixels of MASK.
bool isMask(HRGN region, const std::vector<std::string>& mask) {
  RECT box;
  if (GetRgnBox(region, &box) == ERROR || box.left < 0 || box.top < 0 || box.right > kWidth || box.bottom > kHeight)
    return false;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      if ((PtInRegion(region, x, y) != 0) != (mask[y][x] == '#')) return false;
  return true;
}

// The slot's texture level 0: absent, or the picture with its bottom row at t = 0.
char textureOf(const std::vector<std::string>& mask) {
  TEXTURESELECTID(kSlot);
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &height);
  if (width == 0 && height == 0) return kNone;
  if (width != kWidth || height != kHeight) return kOther;
  std::vector<std::uint8_t> texels(kWidth * kHeight * 4);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
  for (int t = 0; t < kHeight; ++t)
    for (int x = 0; x < kWidth; ++x) {
      const std::uint8_t* texel = &texels[(t * kWidth + x) * 4];
      const bool magenta = texel[0] == 255 && texel[1] == 0 && texel[2] == 255;
      if (magenta != (mask[kHeight - 1 - t][x] == '.')) return kOther;
    }
  return kPicture;
}

// Puts FILE (or, for a folder, a folder) under the button's three names.
void provideButtonFiles(const std::string& file) {
  const bool folder = GetFileAttributesA(file.c_str()) & FILE_ATTRIBUTE_DIRECTORY;
  for (const char* name : {"bf_N.BMP", "bf_H.BMP", "bf_P.BMP"}) {
    DeleteFileA(name);
    RemoveDirectoryA(name);
    if (GetFileAttributesA(file.c_str()) == INVALID_FILE_ATTRIBUTES) continue;
    if (folder) CreateDirectoryA(name, nullptr);
    else CopyFileA(file.c_str(), name, FALSE);
  }
}

// Reads FILE along every path and compares with EXPECTED.
void readEverywhere(const Outcome& expected, const std::vector<std::string>& mask) {
  const std::string file = std::string("bmp_variants/") + expected.file + ".bmp";
  const vitrum_test::Context trace(file);
  EXPECT_EQ(GETBMPDEPTH(file.c_str()), expected.depth);

  TEXTURELOADID(file.c_str(), kSlot);
  EXPECT_EQ(textureOf(mask), expected.texture);
  EXPECT_NE(TEXTUREID2[kSlot], 0u);

  HPALETTE palette = nullptr;
  const HBITMAP bitmap = LOADBMPFROMFILE(file.c_str(), palette);
  EXPECT_EQ(bitmap != nullptr, expected.bitmap);
  EXPECT_EQ(palette != nullptr, expected.bitmap);
  DeleteObject(bitmap);
  DeleteObject(palette);

  const HRGN region = BITMAPTOREGION(file.c_str(), RGB(255, 0, 255), 1);
  EXPECT_EQ(region ? (isMask(region, mask) ? kPicture : kOther) : kNone, expected.region);
  DeleteObject(region);

  // The button takes the picture's size and shape, or stays a 5 x 5 rectangle.
  provideButtonFiles(file);
  const HWND button = CreateWindowExA(0, SZHOVERCLASS, "", WS_CHILD | WS_VISIBLE, 10, 10, 5, 5, HWINDOW,
                                      reinterpret_cast<HMENU>(1), nullptr, nullptr);
  ASSERT_NE(button, nullptr);
  RECT rect;
  GetWindowRect(button, &rect);
  EXPECT_EQ(rect.right - rect.left, expected.bitmap ? kWidth : 5);
  EXPECT_EQ(rect.bottom - rect.top, expected.bitmap ? kHeight : 5);
  const HRGN shape = CreateRectRgn(0, 0, 0, 0);
  const bool shaped = GetWindowRgn(button, shape) != ERROR;
  EXPECT_EQ(shaped, expected.region != kNone);
  EXPECT_TRUE(expected.region != kPicture || isMask(shape, mask));
  DeleteObject(shape);
  DestroyWindow(button);
}

class BadFiles : public vitrum_test::OpenGLWindowTest {
 protected:
  static void SetUpTestSuite() { vitrum_test::openGLWindow("Vitrum bad files"); }
};

TEST_F(BadFiles, EveryReaderGivesTheOutcomeOfTheTableAndLeavesNothingBehind) {
  const auto mask = readMask();
  ASSERT_EQ(mask.size(), static_cast<std::size_t>(kHeight)) << "no bmp_variants/mask.txt";
  BMPTYPE = "bf_";
  // Twice: the first pass makes GDI's and the window system's one-time objects.
  for (const Outcome& expected : kOutcomes) readEverywhere(expected, mask);
  const auto before = vitrum_test::liveObjects();
  for (const Outcome& expected : kOutcomes) readEverywhere(expected, mask);
  provideButtonFiles("bmp_variants/missing.bmp");
  const auto after = vitrum_test::liveObjects();
  EXPECT_EQ(after.gdiObjects, before.gdiObjects) << vitrum_test::describe(after);
  EXPECT_EQ(after.windows, before.windows);
}

}  // namespace
