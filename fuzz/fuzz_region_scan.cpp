// The region scan on arbitrary pictures: sizes, row strides (top-down or
// bottom-up), key colours and tolerances from the input. Its rectangles must be
// those of the plain per-pixel scan, in the same order, in valid batches.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "region_reference.h"

namespace {

std::uint32_t take(const std::uint8_t*& data, std::size_t& size, int bytes) {
  std::uint32_t value = 0;
  for (int i = 0; i < bytes && size > 0; ++i, ++data, --size) value |= std::uint32_t{*data} << (8 * i);
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::int32_t width = static_cast<std::int32_t>(take(data, size, 2) % 2100);
  const std::int32_t height = static_cast<std::int32_t>(take(data, size, 1) % 16);
  const std::uint32_t padding = take(data, size, 1) % 24;  // bytes beyond the row's pixels
  const bool bottomUp = take(data, size, 1) & 1;
  const std::uint32_t key = take(data, size, 3);
  const auto tolerance = static_cast<std::uint8_t>(take(data, size, 1));
  // Pixels cycle through the rest of the input, or one colour when none is left;
  // key-like words are frequent so that runs end often.
  const std::size_t stride = 4 * static_cast<std::size_t>(width) + padding;
  std::vector<std::uint8_t> pixels(stride * height + 1);
  for (std::size_t i = 0; i < pixels.size(); ++i) pixels[i] = size ? data[i % size] : 0xFF;
  const auto step = static_cast<std::ptrdiff_t>(stride);
  const std::uint8_t* top = bottomUp ? pixels.data() + (height > 0 ? (height - 1) * step : 0) : pixels.data();
  const std::ptrdiff_t rowStep = bottomUp ? -step : step;

  const auto range = Vitrum::internal::keyRange(key, tolerance);
  vitrum_test::RecordingBuffer buffer;
  if (!Vitrum::internal::scanRegion(top, rowStep, width, height, range, buffer)) std::abort();
  if (buffer.all() != vitrum_test::referenceRuns(top, rowStep, width, height, range)) std::abort();
  for (std::size_t i = 0; i < buffer.batches.size(); ++i) {
    const bool last = i + 1 == buffer.batches.size();
    if (buffer.batches[i].size() > 2000 || (!last && buffer.batches[i].size() != 2000)) std::abort();
  }
  for (std::size_t bytes : buffer.sizes)
    if (bytes > 32 + 16 * 2000 || (bytes - 32) % 1600 != 0) std::abort();
  return 0;
}
