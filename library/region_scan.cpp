// The pixel scan behind window regions: runs of non-key pixels become
// one-pixel-high rectangles, handed over in batches.
//
// Pixels are tested a block at a time (loops the compiler turns into vector
// compares) into a mask of one bit per pixel; the runs are found from the mask's
// changes, so a long span costs one test per pixel and nothing per block. The
// rectangles and their order are those of a plain scan that tests one pixel
// after another.
#include <algorithm>
#include <bit>
#include <climits>
#include <cstring>
#include <utility>

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
    if (count_ >= capacity_) {
      capacity_ += static_cast<std::uint32_t>(ALLOC_UNIT);
      data_ = buffer_.resize(bufferBytes(capacity_));
      if (!data_) return false;
    }
    rectangles()[count_] = {left, y, right, y + 1};
    if (++count_ == kScanBatchLimit) {
      flush();
      count_ = 0;
    }
    return true;
  }

  // Where the next RUNS rectangles can go straight into the buffer, with no
  // growth or flush among them; null when they cannot. added() takes the count.
  ScanRect* room(std::uint32_t runs) {
    return count_ + runs <= capacity_ && count_ + runs < kScanBatchLimit ? rectangles() + count_ : nullptr;
  }
  void added(const ScanRect* end) { count_ = static_cast<std::uint32_t>(end - rectangles()); }

  // Hands the batch over with its count and bounding rectangle, worked out here
  // rather than per rectangle, which keeps the scan's inner loop short.
  void flush() {
    ScanRect bound = kEmptyBound;
    for (const ScanRect* r = rectangles(); r != rectangles() + count_; ++r) {
      bound.left = std::min(bound.left, r->left);
      bound.top = std::min(bound.top, r->top);
      bound.right = std::max(bound.right, r->right);
      bound.bottom = std::max(bound.bottom, r->bottom);
    }
    data_->count = count_;
    data_->bound = bound;
    buffer_.flush(data_, bufferBytes(capacity_));
  }

 private:
  RectangleBuffer& buffer_;
  ScanRect* rectangles() { return reinterpret_cast<ScanRect*>(data_ + 1); }

  ScanHeader* data_ = nullptr;
  std::uint32_t count_ = 0;
  std::uint32_t capacity_ = static_cast<std::uint32_t>(ALLOC_UNIT);
};

std::uint32_t pixelAt(const std::uint8_t* row, std::int32_t x) {
  std::uint32_t word;
  std::memcpy(&word, row + 4 * static_cast<std::size_t>(x), sizeof word);
  return word;
}

// Bit I set when pixel X + I is a key colour, for the COUNT (1..kBlock) pixels from X.
std::uint32_t keyBits(const std::uint8_t* row, std::int32_t x, std::int32_t count, const KeyRange& key) {
  if (count < kBlock || std::endian::native != std::endian::little) {
    std::uint32_t bits = 0;
    for (std::int32_t i = 0; i < count; ++i) bits |= std::uint32_t{isKeyColour(pixelAt(row, x + i), key)} << i;
    return bits;
  }
  // A whole block: the tests run as vector compares into one byte each, and a
  // multiplication gathers eight such bytes (0 or 1, the first lowest) into eight bits.
  std::uint8_t flags[kBlock];
  for (std::int32_t i = 0; i < kBlock; ++i) flags[i] = isKeyColour(pixelAt(row, x + i), key);
  std::uint32_t bits = 0;
  for (int part = 0; part < kBlock / 8; ++part) {
    std::uint64_t eight;
    std::memcpy(&eight, flags + 8 * part, sizeof eight);
    bits |= static_cast<std::uint32_t>((eight * 0x0102040810204080u) >> 56) << (8 * part);
  }
  return bits;
}

// Takes the two lowest changes of PAIRS, the block's from pixel X, as a run's
// start and end.
std::pair<std::int32_t, std::int32_t> takeRun(std::uint32_t& pairs, std::int32_t x) {
  const std::int32_t left = x + std::countr_zero(pairs);
  pairs &= pairs - 1;
  const std::int32_t right = x + std::countr_zero(pairs);
  pairs &= pairs - 1;
  return {left, right};
}

// The runs of row Y that start and end within the block from pixel X, one pair
// of changes each in PAIRS.
bool addRuns(std::uint32_t pairs, std::int32_t x, std::int32_t y, Batches& batches) {
  // A block holds at most kBlock / 2 runs: most blocks need no check per run.
  if (ScanRect* out = batches.room(kBlock / 2)) {
    while (pairs != 0) {
      const auto [left, right] = takeRun(pairs, x);
      *out++ = {left, y, right, y + 1};
    }
    batches.added(out);
    return true;
  }
  while (pairs != 0) {
    const auto [left, right] = takeRun(pairs, x);
    if (!batches.add(left, y, right)) return false;
  }
  return true;
}

// The runs of row Y. OPEN is where the current run began, or -1 outside a run.
bool scanRow(const std::uint8_t* row, std::int32_t y, std::int32_t width, const KeyRange& key, Batches& batches) {
  std::int32_t open = -1;
  for (std::int32_t x = 0; x < width; x += kBlock) {
    const std::int32_t count = std::min(kBlock, width - x);
    const std::uint32_t all = count == kBlock ? ~0u : (1u << count) - 1;
    const std::uint32_t others = ~keyBits(row, x, count, key) & all;
    // Bit I set where pixel I differs in kind from the one before it (for pixel 0,
    // the state the row is in); bits past a short last block count as key pixels,
    // so a run reaching the row's end closes there.
    std::uint32_t edges = others ^ (others << 1 | (open >= 0 ? 1u : 0u));
    if (edges == 0) continue;  // the row stays as it was: in a run or outside
    // The first change closes the run left open by the blocks before.
    if (open >= 0) {
      if (!batches.add(open, y, x + std::countr_zero(edges))) return false;
      edges &= edges - 1;
      open = -1;
    }
    // A run that takes in the block's last pixel goes on into the next block;
    // it began at the last change. The changes left pair up.
    if (others >> (kBlock - 1) != 0) {
      const int last = kBlock - 1 - std::countl_zero(edges);
      open = x + last;
      edges ^= 1u << last;
    }
    if (!addRuns(edges, x, y, batches)) return false;
  }
  return open < 0 || batches.add(open, y, width);
}

}  // namespace

std::optional<BottomUpRows> bottomUpRows(std::int32_t height, std::int32_t widthBytes) {
  // 64 bits hold both products of 32-bit operands, whatever the width of a pointer.
  const std::int64_t distance = (std::int64_t{widthBytes} + 3) / 4 * 4;
  const std::int64_t topOffset = std::max<std::int64_t>(height - std::int64_t{1}, 0) * distance;
  if (distance > PTRDIFF_MAX || topOffset > PTRDIFF_MAX) return std::nullopt;
  return BottomUpRows{static_cast<std::ptrdiff_t>(distance), static_cast<std::ptrdiff_t>(topOffset)};
}

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
