// Regions from BMP files on the real GDI under Wine: read back with
// GetRegionData and compared with EqualRgn against regions built rectangle by
// rectangle from what each picture must give.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "image_files.h"
#include "vitrum.h"

using namespace Vitrum;
using vitrum_test::Bytes;
using vitrum_test::makeBmp;

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

std::string writeBmp(const std::string& name, const Bytes& bytes) {
  std::ofstream(name, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                              static_cast<std::streamsize>(bytes.size()));
  return name;
}

// 24-bit pixels, each given as 0xRRGGBB, rows top first (the file stores them bottom first).
Bytes rgbRows(int width, const std::vector<std::uint32_t>& topRows) {
  Bytes rows;
  for (std::size_t y = topRows.size() / width; y-- > 0;)
    for (int x = 0; x < width; ++x) {
      const std::uint32_t c = topRows[y * width + x];
      rows.insert(rows.end(), {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16)});
    }
  return rows;
}

std::vector<RECT> rectangles(HRGN region) {
  std::vector<std::uint8_t> data(GetRegionData(region, 0, nullptr));
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  GetRegionData(region, static_cast<DWORD>(data.size()), header);
  const auto* first = reinterpret_cast<const RECT*>(header->Buffer);
  return {first, first + header->rdh.nCount};
}

// The region of MASK: one line per row, top first, '#' for a pixel in the region.
HRGN maskRegion(const std::vector<std::string>& mask) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  for (int y = 0; y < static_cast<int>(mask.size()); ++y)
    for (int x = 0; x < static_cast<int>(mask[y].size()); ++x)
      if (mask[y][x] == '#') {
        HRGN pixel = CreateRectRgn(x, y, x + 1, y + 1);
        CombineRgn(region, region, pixel, RGN_OR);
        DeleteObject(pixel);
      }
  return region;
}

// Whether BITMAPTOREGION of FILE (magenta, tolerance 1) is MASK's region.
::testing::AssertionResult givesMask(const std::string& file, const std::vector<std::string>& mask) {
  HRGN got = BITMAPTOREGION(file.c_str(), kMagenta, 1);
  if (!got) return ::testing::AssertionFailure() << file << ": no region";
  HRGN want = maskRegion(mask);
  const bool equal = EqualRgn(got, want);
  DeleteObject(got);
  DeleteObject(want);
  return equal ? ::testing::AssertionSuccess() : ::testing::AssertionFailure() << file << ": another region";
}

// The palette's entries, each as 0xFFBBGGRR (flags, blue, green, red).
std::vector<std::uint32_t> entries(HPALETTE palette) {
  PALETTEENTRY all[256];
  std::vector<std::uint32_t> packed(GetPaletteEntries(palette, 0, 256, all));
  for (std::size_t i = 0; i < packed.size(); ++i)
    packed[i] = all[i].peRed | all[i].peGreen << 8 | all[i].peBlue << 16 | std::uint32_t{all[i].peFlags} << 24;
  return packed;
}

TEST(Regions, TheFourByTwoPictureGivesItsThreeRectanglesTopRowFirst) {
  const std::uint32_t M = 0xFF00FF, R = 0xFF0000;
  HRGN region = BITMAPTOREGION(writeBmp("vr_4x2.bmp", makeBmp(4, 2, 24, rgbRows(4, {M, R, R, M, R, M, R, R}))).c_str(),
                               kMagenta, 1);
  ASSERT_NE(region, nullptr);
  const std::vector<RECT> got = rectangles(region);
  const RECT want[] = {{1, 0, 3, 1}, {0, 1, 1, 2}, {2, 1, 4, 2}};
  ASSERT_EQ(got.size(), 3u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(EqualRect(&got[i], &want[i])) << i;
  DeleteObject(region);
}

TEST(Regions, KeyColoursReachUpToTheToleranceThroughTheGdiCopy) {
  const struct {
    COLORREF key;
    BYTE tolerance;
    std::vector<std::uint32_t> pixels;  // 0xRRGGBB, one row
    const char* mask;
  } cases[] = {
      {kMagenta, 1, {0xFF00FF, 0xFF01FF, 0xFE00FF, 0xFF02FF, 0x000000}, "..###"},
      {RGB(250, 250, 250), 10, {0xFFFFFF, 0xFAFAFA, 0xF9FAFA, 0x0000FF}, "..##"},
      {kMagenta, 0, {0xFF00FF, 0xFF01FF}, ".#"},
  };
  for (const auto& c : cases) {
    const int width = static_cast<int>(c.pixels.size());
    const std::string file = writeBmp("vr_key.bmp", makeBmp(width, 1, 24, rgbRows(width, c.pixels)));
    HRGN got = BITMAPTOREGION(file.c_str(), c.key, c.tolerance);
    HRGN want = maskRegion({c.mask});
    EXPECT_TRUE(EqualRgn(got, want)) << c.mask;
    DeleteObject(got);
    DeleteObject(want);
  }
}

TEST(Regions, MoreThanOneBatchOfRunsGivesTheRegionOfOneBatch) {
  // 3 rows of 1500 one-pixel runs: 4500 rectangles, three batches.
  std::vector<std::uint32_t> pixels(3000 * 3);
  std::vector<std::string> mask(3, std::string(3000, '.'));
  for (int i = 0; i < 9000; ++i)
    if ((i + i / 3000) % 2 == 0) pixels[i] = 0x102030, mask[i / 3000][i % 3000] = '#';
    else pixels[i] = 0xFF00FF;
  const std::string file = writeBmp("vr_runs.bmp", makeBmp(3000, 3, 24, rgbRows(3000, pixels)));
  // The same rectangles in one ExtCreateRegion call.
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + 4500 * sizeof(RECT));
  auto* one = reinterpret_cast<RGNDATA*>(data.data());
  one->rdh = {sizeof(RGNDATAHEADER), RDH_RECTANGLES, 4500, 0, {0, 0, 3000, 3}};
  auto* rect = reinterpret_cast<RECT*>(one->Buffer);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 3000; ++x)
      if (mask[y][x] == '#') *rect++ = {x, y, x + 1, y + 1};
  HRGN single = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), one);
  HRGN batched = BITMAPTOREGION(file.c_str(), kMagenta, 1);
  EXPECT_TRUE(EqualRgn(single, batched));
  DeleteObject(single);
  DeleteObject(batched);
}

// Files written by Pillow and ImageMagick (tools/make_region_samples.py), each
// with its expected region beside it.
TEST(Regions, FilesOfEveryDepthFromOtherEncoders) {
  HDC screen = GetDC(nullptr);
  HPALETTE halftone = CreateHalftonePalette(screen);
  ReleaseDC(nullptr, screen);
  const struct {
    const char* name;
    WORD bits;
    UINT colours;  // entries of the file's colour table
  } files[] = {{"magick_1bit", 1, 2},    {"magick_4bit", 4, 16},   {"pillow_8bit", 8, 256},
               {"pillow_24bit", 24, 0}, {"magick_24bit", 24, 0}, {"pillow_32bit", 32, 0}};
  for (const auto& f : files) {
    SCOPED_TRACE(f.name);
    const std::string base = std::string("region_samples/") + f.name;
    std::vector<std::string> mask;
    std::ifstream text(base + ".txt");
    for (std::string line; std::getline(text, line);) mask.push_back(line);
    ASSERT_EQ(mask.size(), 13u);
    EXPECT_TRUE(givesMask(base + ".bmp", mask));

    HPALETTE palette = nullptr;
    HBITMAP bitmap = LOADBMPFROMFILE((base + ".bmp").c_str(), palette);
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectA(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmBitsPixel, f.bits);
    EXPECT_EQ(section.dsBm.bmWidth, 45);
    const std::vector<std::uint32_t> got = entries(palette);
    if (f.colours == 0) {
      EXPECT_EQ(got, entries(halftone));
    } else {
      ASSERT_EQ(got.size(), 256u);
      HDC dc = CreateCompatibleDC(nullptr);
      HGDIOBJ old = SelectObject(dc, bitmap);
      RGBQUAD table[256]{};
      ASSERT_EQ(GetDIBColorTable(dc, 0, 256, table), f.colours);
      SelectObject(dc, old);
      DeleteDC(dc);
      for (UINT i = 0; i < 256; ++i)  // black past the table's colours
        EXPECT_EQ(got[i], i < f.colours ? table[i].rgbRed | table[i].rgbGreen << 8 | table[i].rgbBlue << 16 : 0u) << i;
    }
    DeleteObject(palette);
    DeleteObject(bitmap);
  }
  DeleteObject(halftone);
}

TEST(Regions, MissingFilesGiveZeroAndAllKeyPicturesAnEmptyRegion) {
  HPALETTE palette = reinterpret_cast<HPALETTE>(0x1234);
  EXPECT_EQ(LOADBMPFROMFILE("vr_missing.bmp", palette), nullptr);
  EXPECT_EQ(palette, reinterpret_cast<HPALETTE>(0x1234));
  EXPECT_EQ(BITMAPTOREGION("vr_missing.bmp", kMagenta, 1), nullptr);

  const std::string file = writeBmp("vr_key_only.bmp", makeBmp(5, 3, 24, rgbRows(5, std::vector<std::uint32_t>(15, 0xFF00FF))));
  HRGN region = BITMAPTOREGION(file.c_str(), kMagenta, 1);
  ASSERT_NE(region, nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);
  DeleteObject(region);
}

}  // namespace
