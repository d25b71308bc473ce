// Regions from BMP files on the real GDI under Wine: read back with
// GetRegionData and compared with EqualRgn against regions built rectangle by
// rectangle from what each picture must give.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "image_files.h"
#include "internal.h"
#include "test_context.h"
#include "vitrum.h"

using namespace Vitrum;
using vitrum_test::Bytes;
using vitrum_test::makeBmp;
using vitrum_test::saveFile;

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

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

// The region of MASK: one line per row, top first, '#' for a pixel in the region.
HRGN maskRegion(const std::vector<std::string>& mask) {
  HRGN region = CreateRectRgn(0, 0, 0, 0), pixel = CreateRectRgn(0, 0, 0, 0);
  for (int y = 0; y < static_cast<int>(mask.size()); ++y)
    for (int x = 0; x < static_cast<int>(mask[y].size()); ++x)
      if (mask[y][x] == '#') SetRectRgn(pixel, x, y, x + 1, y + 1), CombineRgn(region, region, pixel, RGN_OR);
  DeleteObject(pixel);
  return region;
}

// Whether BITMAPTOREGION of FILE (magenta, tolerance 1) is MASK's region.
bool givesMask(const std::string& file, const std::vector<std::string>& mask) {
  HRGN got = BITMAPTOREGION(file.c_str(), kMagenta, 1), want = maskRegion(mask);
  const bool equal = got && EqualRgn(got, want);
  DeleteObject(got);
  DeleteObject(want);
  return equal;
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
  const std::uint32_t m = 0xFF00FF, r = 0xFF0000;
  HRGN region = BITMAPTOREGION(saveFile("vr_4x2.bmp", makeBmp(4, 2, 24, rgbRows(4, {m, r, r, m, r, m, r, r}))).c_str(),
                               kMagenta, 1);
  ASSERT_NE(region, nullptr);
  std::vector<std::uint8_t> data(GetRegionData(region, 0, nullptr));
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  GetRegionData(region, static_cast<DWORD>(data.size()), header);
  const auto* got = reinterpret_cast<const RECT*>(header->Buffer);
  const RECT want[] = {{1, 0, 3, 1}, {0, 1, 1, 2}, {2, 1, 4, 2}};
  ASSERT_EQ(header->rdh.nCount, 3u);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(EqualRect(&got[i], &want[i])) << i;
  DeleteObject(region);
}

TEST(Regions, MoreThanOneBatchOfRunsGivesTheRegionOfOneBatch) {
  // 3 rows of 1500 one-pixel runs: 4500 rectangles in three batches.
  std::vector<std::uint32_t> pixels(9000, 0xFF00FF);
  std::vector<std::string> mask(3, std::string(3000, '.'));
  for (int i = 0; i < 9000; i += 2) pixels[i + i / 3000 % 2] = 0x102030, mask[i / 3000][i % 3000 + i / 3000 % 2] = '#';
  EXPECT_TRUE(givesMask(saveFile("vr_runs.bmp", makeBmp(3000, 3, 24, rgbRows(3000, pixels))), mask));
}

TEST(Regions, SectionRowsAreReachedOnlyWhileAPointerDifferenceHoldsThem) {
  const auto rows = internal::bottomUpRows(3, 13);
  ASSERT_TRUE(rows);
  EXPECT_EQ(rows->distance, 16);
  EXPECT_EQ(rows->topOffset, 32);
  EXPECT_EQ(internal::bottomUpRows(32768, 65536)->topOffset, 2147418112);
  // 2 GiB away, by the top row's offset or by one row's length raised to a multiple of 4.
  for (const auto& [height, widthBytes] : {std::pair{32769, 65536}, {1, INT32_MAX}})
    EXPECT_EQ(internal::bottomUpRows(height, widthBytes).has_value(), sizeof(std::ptrdiff_t) > 4) << height;
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
  } files[] = {{"magick_1bit", 1, 2},   {"magick_4bit", 4, 16},  {"pillow_8bit", 8, 256},
               {"pillow_24bit", 24, 0}, {"magick_24bit", 24, 0}, {"pillow_32bit", 32, 0}};
  for (const auto& f : files) {
    const vitrum_test::Context trace(f.name);
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

  const std::string file =
      saveFile("vr_key_only.bmp", makeBmp(5, 3, 24, rgbRows(5, std::vector<std::uint32_t>(15, 0xFF00FF))));
  HRGN region = BITMAPTOREGION(file.c_str(), kMagenta, 1);
  ASSERT_NE(region, nullptr);
  RECT box;
  EXPECT_EQ(GetRgnBox(region, &box), NULLREGION);
  DeleteObject(region);
}

}  // namespace
