// Shared by the region benchmarks: their pictures, square pictures of 32-bit
// pixel words (0x00RRGGBB) with magenta as the key colour, the timing, and a
// rectangle buffer that only counts what the scan hands over.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "internal.h"

namespace vitrum_bench {

constexpr std::uint32_t kKey = 0xFF00FF, kOpaque = 0x336699;

// A square picture of SIDE x SIDE pixel words, top row first.
struct Picture {
  const char* name;
  int side;
  std::vector<std::uint32_t> words;
};

// NAME: solid (no key pixel), sprite (a rounded square, the corners cut away),
// text (lines of small glyphs on the key) or checker (one run per pixel).
inline Picture make(const char* name, int side) {
  Picture p{name, side, std::vector<std::uint32_t>(static_cast<std::size_t>(side) * side, kOpaque)};
  const std::string kind = name;
  for (int y = 0; y < side; ++y)
    for (int x = 0; x < side; ++x) {
      bool key = false;
      if (kind == "sprite") {  // a rounded square: the corners cut away
        const int r = side / 4, dx = std::max({r - x, x - (side - 1 - r), 0}),
                  dy = std::max({r - y, y - (side - 1 - r), 0});
        key = dx * dx + dy * dy > r * r;
      } else if (kind == "text") {  // lines of 6 x 10 glyphs of 1-pixel strokes on the key
        const unsigned cell = static_cast<unsigned>((x / 8) * 7919 + (y / 14) * 104729);
        const int gx = x % 8, gy = y % 14;
        key = gx >= 6 || gy >= 10 || !((cell * 2654435761u >> (gx + 5 * (gy / 2))) & 1);
      } else if (kind == "checker") {
        key = (x + y) % 2 != 0;
      }
      if (key) p.words[static_cast<std::size_t>(y) * side + x] = kKey;
    }
  return p;
}

// The best time of REPEATS runs of RUN, in milliseconds.
template <class F>
double bestMilliseconds(int repeats, F&& run) {
  double best = 1e30;
  for (int i = 0; i < repeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

// The scan's buffer kept in ordinary memory, the batches only counted.
class CountingBuffer final : public Vitrum::internal::RectangleBuffer {
 public:
  ~CountingBuffer() { std::free(memory_); }
  Vitrum::internal::ScanHeader* resize(std::size_t bytes) override {
    memory_ = std::realloc(memory_, bytes);
    return static_cast<Vitrum::internal::ScanHeader*>(memory_);
  }
  void flush(const Vitrum::internal::ScanHeader* data, std::size_t) override { rectangles += data->count; }
  std::size_t rectangles = 0;

 private:
  void* memory_ = nullptr;
};

}  // namespace vitrum_bench
