// The pixel scan behind window regions: runs of non-key pixels become
// one-pixel-high rectangles, handed over in batches.
//
// Long spans are tested a block of pixels at a time (loops the compiler turns
// into vector compares); only blocks that hold both kinds of pixels are looked
// at bit by bit. The rectangles and their order are those of a plain scan that
// tests one pixel after another.
#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>

#include "internal.h"

namespace Vitrum::internal {

KeyRange keyRange(std::uint32_t transColor, std::uint8_t tolerance) {
  const auto span = [tolerance](std::uint32_t low) { return std::min<std::uint32_t>(low + tolerance, 255) - low; };
  const std::uint32_t red = transColor & 0xFF, green = transColor >> 8 & 0xFF, blue = transColor >> 16 & 0xFF;
  return {red, green, blue, span(red), span(green), span(blue)};
}

namespace {

constexpr ScanRect kEmptyBound{INT32_MAX, INT32_MAX, 0, 0};
constexpr std::int32_t kBlock = 32;  // pixels tested together; one bit each in a mask

constexpr std::size_t bufferBytes(std::uint32_t rectangles) {
  return sizeof(ScanHeader) + sizeof(ScanRect) * rectangles;
}

// The rectangle buffer while the scan fills it.
class Batches {
 public:
  explicit Batches(RectangleBuffer& buffer) : buffer_(buffer) {}

  bool start() {
    data_ = buffer_.resize(bufferBytes(capacity_));
    if (!data_) return false;
    *data_ = ScanHeader{sizeof(ScanHeader), 1, 0, 0, kEmptyBound};
    return true;
  }

  // The run LEFT..RIGHT (exclusive) of row Y.
  bool add(std::int32_t left, std::int32_t y, std::int32_t right) {
    if (data_->count >= capacity_) {
      capacity_ += static_cast<std::uint32_t>(ALLOC_UNIT);
      data_ = buffer_.resize(bufferBytes(capacity_));
      if (!data_) return false;
    }
    reinterpret_cast<ScanRect*>(data_ + 1)[data_->count] = {left, y, right, y + 1};
    ScanRect& bound = data_->bound;
    bound.left = std::min(bound.left, left);
    bound.top = std::min(bound.top, y);
    bound.right = std::max(bound.right, right);
    bound.bottom = std::max(bound.bottom, y + 1);
    if (++data_->count == SCAN_BATCH_LIMIT) {
      flush();
      data_->count = 0;
      data_->bound = kEmptyBound;
    }
    return true;
  }

  void flush() { buffer_.flush(data_, bufferBytes(capacity_)); }

 private:
  RectangleBuffer& buffer_;
  ScanHeader* data_ = nullptr;
  std::uint32_t capacity_ = static_cast<std::uint32_t>(ALLOC_UNIT);
};

std::uint32_t pixelAt(const std::uint8_t* row, std::int32_t x) {
  std::uint32_t word;
  std::memcpy(&word, row + 4 * static_cast<std::size_t>(x), sizeof word);
  return word;
}

// Whether any of the kBlock pixels from X is a key colour.
bool anyKey(const std::uint8_t* row, std::int32_t x, const KeyRange& key) {
  std::uint32_t any = 0;
  for (std::int32_t i = 0; i < kBlock; ++i) any |= isKeyColour(pixelAt(row, x + i), key);
  return any != 0;
}

// Whether all of the kBlock pixels from X are key colours.
bool allKey(const std::uint8_t* row, std::int32_t x, const KeyRange& key) {
  std::uint32_t all = 1;
  for (std::int32_t i = 0; i < kBlock; ++i) all &= isKeyColour(pixelAt(row, x + i), key);
  return all != 0;
}

// Bit I set when pixel X + I is a key colour, for the COUNT (1..kBlock) pixels from X.
std::uint32_t keyBits(const std::uint8_t* row, std::int32_t x, std::int32_t count, const KeyRange& key) {
  std::uint32_t bits = 0;
  for (std::int32_t i = 0; i < count; ++i) bits |= std::uint32_t{isKeyColour(pixelAt(row, x + i), key)} << i;
  return bits;
}

// The runs of row Y. OPEN is where the current run began, or -1 outside a run.
bool scanRow(const std::uint8_t* row, std::int32_t y, std::int32_t width, const KeyRange& key, Batches& batches) {
  std::int32_t open = -1;
  for (std::int32_t x = 0; x < width; x += kBlock) {
    const std::int32_t count = std::min(kBlock, width - x);
    if (count == kBlock && (open >= 0 ? !anyKey(row, x, key) : allKey(row, x, key))) continue;
    const std::uint32_t all = count == kBlock ? ~0u : (1u << count) - 1;
    const std::uint32_t keys = keyBits(row, x, count, key);
    // Alternately the next key pixel (ending the run) and the next other pixel (opening one).
    std::uint32_t ahead = all;
    for (;;) {
      const std::uint32_t next = (open >= 0 ? keys : ~keys & all) & ahead;
      if (next == 0) break;
      const int at = std::countr_zero(next);
      if (open >= 0) {
        if (!batches.add(open, y, x + at)) return false;
        open = -1;
      } else {
        open = x + at;
      }
      ahead = ~0u << at;
    }
  }
  return open < 0 || batches.add(open, y, width);
}

}  // namespace

bool scanRegion(const std::uint8_t* top, std::ptrdiff_t rowStep, std::int32_t width, std::int32_t height,
                const KeyRange& key, RectangleBuffer& buffer) {
  Batches batches(buffer);
  if (!batches.start()) return false;
  for (std::int32_t y = 0; y < height; ++y)
    if (!scanRow(top + y * rowStep, y, width, key, batches)) return false;
  batches.flush();
  return true;
}

}  // namespace Vitrum::internal
