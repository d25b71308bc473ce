// Test support for the region scan: the plain scan that tests one pixel after
// another, and a rectangle buffer in ordinary memory that keeps every batch.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "internal.h"

namespace vitrum_test {

using Vitrum::internal::KeyRange;
using Vitrum::internal::ScanHeader;
using Vitrum::internal::ScanRect;

// One rectangle per run of non-key pixels, rows top first.
inline std::vector<ScanRect> referenceRuns(const std::uint8_t* top, std::ptrdiff_t rowStep, std::int32_t width,
                                           std::int32_t height, const KeyRange& key) {
  std::vector<ScanRect> runs;
  for (std::int32_t y = 0; y < height; ++y) {
    const std::uint8_t* row = top + y * rowStep;
    for (std::int32_t x = 0; x < width; ++x) {
      const std::int32_t start = x;
      std::uint32_t pixel;
      while (x < width && (std::memcpy(&pixel, row + 4 * x, 4), !Vitrum::internal::isKeyColour(pixel, key))) ++x;
      if (x > start) runs.push_back({start, y, x, y + 1});
    }
  }
  return runs;
}

class RecordingBuffer final : public Vitrum::internal::RectangleBuffer {
 public:
  std::vector<std::size_t> sizes;              // each size the buffer was given
  std::vector<std::vector<ScanRect>> batches;  // the rectangles of each flush
  std::vector<ScanRect> bounds;                // the bounding rectangle of each flush
  std::size_t failingResize = SIZE_MAX;        // the resize (0 = the first) that fails

  ScanHeader* resize(std::size_t bytes) override {
    if (sizes.size() == failingResize) return nullptr;
    sizes.push_back(bytes);
    memory_.resize((bytes + 3) / 4);
    return reinterpret_cast<ScanHeader*>(memory_.data());
  }
  void flush(const ScanHeader* data, std::size_t bytes) override {
    if (bytes != sizes.back() || data->size != 32 || data->type != 1 || data->regionSize != 0) std::abort();
    const auto* rects = reinterpret_cast<const ScanRect*>(data + 1);
    batches.emplace_back(rects, rects + data->count);
    bounds.push_back(data->bound);
  }
  std::vector<ScanRect> all() const {
    std::vector<ScanRect> joined;
    for (const auto& batch : batches) joined.insert(joined.end(), batch.begin(), batch.end());
    return joined;
  }

 private:
  std::vector<std::uint32_t> memory_;
};

}  // namespace vitrum_test
