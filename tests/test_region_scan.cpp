// The pixel scan behind regions, natively under the sanitizers: the key range,
// the runs and their order, and the batches the buffer is handed.
#include <gtest/gtest.h>

#include <random>

#include "region_reference.h"

using namespace Vitrum::internal;
using vitrum_test::RecordingBuffer;
using vitrum_test::referenceRuns;

namespace {

constexpr std::uint32_t kM = 0x00FF00FF, kR = 0x00FF0000;  // pixel words: magenta, red

// Pixel words stored bottom row first, as in a bottom-up DIB; TOP_ROWS lists them top row first.
struct Picture {
  std::int32_t width, height;
  std::vector<std::uint32_t> words;
  Picture(std::int32_t w, const std::vector<std::uint32_t>& topRows)
      : width(w), height(static_cast<std::int32_t>(topRows.size()) / w) {
    for (std::int32_t y = height - 1; y >= 0; --y)
      words.insert(words.end(), topRows.begin() + y * w, topRows.begin() + (y + 1) * w);
  }
  const std::uint8_t* top() const {
    return reinterpret_cast<const std::uint8_t*>(&words[std::size_t(height - 1) * width]);
  }
  std::ptrdiff_t step() const { return -4 * std::ptrdiff_t{width}; }
};

RecordingBuffer scan(const Picture& p, const KeyRange& key) {
  RecordingBuffer buffer;
  EXPECT_TRUE(scanRegion(p.top(), p.step(), p.width, p.height, key, buffer));
  EXPECT_EQ(buffer.all(), referenceRuns(p.top(), p.step(), p.width, p.height, key));
  return buffer;
}

TEST(RegionScan, KeyRangeReachesUpwardFromTheKeyClampedAt255) {
  const struct {
    std::uint32_t colorref;  // 0x00BBGGRR
    std::uint8_t tolerance;
    std::uint32_t pixel;  // 0x00RRGGBB
    bool key;
  } cases[] = {
      {0xFF00FF, 1, 0xFF01FF, true},  {0xFF00FF, 1, 0xFE00FF, false}, {0xFF00FF, 1, 0xFF02FF, false},
      {0xFF00FF, 1, 0xFF00FE, false}, {0xFAFAFA, 10, 0xFFFFFF, true}, {0xFAFAFA, 10, 0xF9FAFA, false},
      {0xFF00FF, 0, 0xFF00FF, true},  {0xFF00FF, 0, 0xFF01FF, false}, {0x000000, 255, 0xFFFFFF, true},
      {0x102030, 5, 0x352515, true},  {0x102030, 5, 0x302010, true},  {0x102030, 5, 0x302016, false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(isKeyColour(c.pixel, keyRange(c.colorref, c.tolerance)), c.key)
        << std::hex << c.colorref << " " << c.pixel;
}

TEST(RegionScan, OneRectanglePerRunTopRowFirstInOneFinalBatch) {
  const KeyRange magenta = keyRange(kM, 1);
  RecordingBuffer example = scan(Picture(4, {kM, kR, kR, kM, kR, kM, kR, kR}), magenta);
  ASSERT_EQ(example.batches.size(), 1u);
  EXPECT_EQ(example.batches[0], (std::vector<ScanRect>{{1, 0, 3, 1}, {0, 1, 1, 2}, {2, 1, 4, 2}}));
  EXPECT_EQ(example.bounds[0], (ScanRect{0, 0, 4, 2}));
  EXPECT_EQ(example.sizes, std::vector<std::size_t>{32 + 16 * 100});

  // Whole rows: opaque gives one full-width rectangle, key colour none; still one (empty) flush.
  EXPECT_EQ(scan(Picture(3, {kR, kR, kR, kM, kM, kM}), magenta).all(), (std::vector<ScanRect>{{0, 0, 3, 1}}));
  RecordingBuffer empty = scan(Picture(2, {kM, kM}), magenta);
  ASSERT_EQ(empty.batches.size(), 1u);
  EXPECT_TRUE(empty.batches[0].empty());
  EXPECT_EQ(empty.bounds[0], (ScanRect{INT32_MAX, INT32_MAX, 0, 0}));
}

TEST(RegionScan, RunsAcrossBlockEdgesMatchThePlainScan) {
  std::mt19937 random(7);
  for (std::int32_t width : {1, 31, 32, 33, 63, 64, 65, 200}) {
    for (int density : {0, 1, 2, 8, 16}) {  // about 1 key pixel in DENSITY (none for 0)
      std::vector<std::uint32_t> words(std::size_t(width) * 5);
      for (auto& w : words) w = density && random() % density == 0 ? kM : kR + random() % 3;
      SCOPED_TRACE("width " + std::to_string(width) + ", density " + std::to_string(density));
      scan(Picture(width, words), keyRange(kM, 1));
    }
  }
}

TEST(RegionScan, BuffersGrowBy100AndFlushAt2000) {
  // 4501 runs of one pixel: batches of 2000, 2000 and 501.
  std::vector<std::uint32_t> words(9002);
  for (std::size_t i = 0; i < words.size(); ++i) words[i] = i % 2 ? kM : kR;
  RecordingBuffer buffer = scan(Picture(9002, words), keyRange(kM, 1));
  ASSERT_EQ(buffer.batches.size(), 3u);
  EXPECT_EQ(buffer.batches[0].size(), 2000u);
  EXPECT_EQ(buffer.batches[2].size(), 501u);
  EXPECT_EQ(buffer.bounds[1], (ScanRect{4000, 0, 7999, 1}));
  ASSERT_EQ(buffer.sizes.size(), 20u);  // 100, 200, ... 2000 rectangles, never more
  for (std::size_t i = 0; i < buffer.sizes.size(); ++i) EXPECT_EQ(buffer.sizes[i], 32 + 1600 * (i + 1));

  // A buffer that cannot grow stops the scan.
  RecordingBuffer failing;
  failing.failingResize = 3;
  const Picture p(9002, words);
  EXPECT_FALSE(scanRegion(p.top(), p.step(), p.width, p.height, keyRange(kM, 1), failing));
  EXPECT_TRUE(failing.batches.empty());
}

}  // namespace
