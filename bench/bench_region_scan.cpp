// The region scan (32-bit pixels in, rectangle batches out) side by side with
// pixman's route to the same job (the same key test turning the pixels into a
// 1-bit mask, then pixman_region32_init_from_image) and with the floor: one pass
// that reads every pixel word and tests it against the key. Before timing, the
// scan's rectangles are checked to cover exactly pixman's region.
//
// Usage: bench_region_scan [REPEATS [PICTURE [SIDE]]]
//   best of REPEATS runs each (5 by default); PICTURE (solid, sprite, text,
//   checker) and SIDE (512, 2048, 4096) pick one case.
#include <pixman.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "region_bench.h"
#include "region_reference.h"

namespace {

using Vitrum::internal::KeyRange;
using Vitrum::internal::ScanHeader;
using Vitrum::internal::isKeyColour;
using vitrum_bench::Picture;
using vitrum_bench::make;
using vitrum_bench::CountingBuffer;

std::size_t scan(const Picture& p, const KeyRange& key) {
  CountingBuffer buffer;
  const auto* top = reinterpret_cast<const std::uint8_t*>(p.words.data());
  if (!Vitrum::internal::scanRegion(top, 4 * std::ptrdiff_t{p.side}, p.side, p.side, key, buffer)) std::abort();
  return buffer.rectangles;
}

// pixman's route: the key test into an a1 mask (bit x % 32 of word x / 32 on a
// little-endian machine), then the region of its set bits.
std::size_t pixmanRoute(const Picture& p, const KeyRange& key, pixman_region32_t* keep = nullptr) {
  const int stride = (p.side + 31) / 32;
  std::vector<std::uint32_t> mask(static_cast<std::size_t>(stride) * p.side);
  for (int y = 0; y < p.side; ++y) {
    const std::uint32_t* row = &p.words[static_cast<std::size_t>(y) * p.side];
    std::uint32_t* bits = &mask[static_cast<std::size_t>(y) * stride];
    for (int x = 0; x < p.side; ++x) bits[x / 32] |= std::uint32_t{!isKeyColour(row[x], key)} << (x % 32);
  }
  pixman_image_t* image = pixman_image_create_bits(PIXMAN_a1, p.side, p.side, mask.data(), stride * 4);
  pixman_region32_t region;
  pixman_region32_init_from_image(&region, image);
  pixman_image_unref(image);
  const auto count = static_cast<std::size_t>(pixman_region32_n_rects(&region));
  if (keep) *keep = region;
  else pixman_region32_fini(&region);
  return count;
}

std::size_t floorPass(const Picture& p, const KeyRange& key) {
  std::uint32_t keys = 0;  // a 32-bit count keeps the loop in 32-bit vector lanes
  for (std::uint32_t word : p.words) keys += isKeyColour(word, key);
  return keys;
}

// The scan's rectangles must make pixman's region of the mask.
bool agree(const Picture& p, const KeyRange& key) {
  const auto* top = reinterpret_cast<const std::uint8_t*>(p.words.data());
  const auto runs = vitrum_test::referenceRuns(top, 4 * std::ptrdiff_t{p.side}, p.side, p.side, key);
  vitrum_test::RecordingBuffer buffer;
  Vitrum::internal::scanRegion(top, 4 * std::ptrdiff_t{p.side}, p.side, p.side, key, buffer);
  const auto rects = buffer.all();
  if (rects != runs) return false;
  std::vector<pixman_box32_t> boxes;
  for (const auto& r : rects) boxes.push_back({r.left, r.top, r.right, r.bottom});
  pixman_region32_t ours, theirs;
  pixman_region32_init_rects(&ours, boxes.data(), static_cast<int>(boxes.size()));
  pixmanRoute(p, key, &theirs);
  const bool same = pixman_region32_equal(&ours, &theirs);
  pixman_region32_fini(&ours);
  pixman_region32_fini(&theirs);
  return same;
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::atoi(argv[1]) : 5;
  const KeyRange key = Vitrum::internal::keyRange(0x00FF00FF, 1);
  std::printf("%-8s %5s %9s %10s %10s %10s %12s %11s\n", "picture", "side", "runs", "scan", "pixman", "floor",
              "pixman/scan", "scan/floor");
  volatile std::size_t sink = 0;
  for (const char* name : {"solid", "sprite", "text", "checker"}) {
    for (int side : {512, 2048, 4096}) {
      if ((argc > 2 && std::string(argv[2]) != name) || (argc > 3 && std::atoi(argv[3]) != side)) continue;
      const Picture p = make(name, side);
      if (!agree(p, key)) {
        std::fprintf(stderr, "%s %d: the scan and pixman disagree\n", name, side);
        return 1;
      }
      const double ours = vitrum_bench::bestMilliseconds(repeats, [&] { sink = sink + scan(p, key); });
      const double theirs = vitrum_bench::bestMilliseconds(repeats, [&] { sink = sink + pixmanRoute(p, key); });
      const double floor = vitrum_bench::bestMilliseconds(repeats, [&] { sink = sink + floorPass(p, key); });
      std::printf("%-8s %5d %9zu %8.2fms %8.2fms %8.2fms %11.2fx %10.2fx\n", name, side, scan(p, key), ours, theirs,
                  floor, theirs / ours, ours / floor);
    }
  }
  return 0;
}
