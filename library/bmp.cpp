// The BMP header probe and the red/blue exchange of BMP pixel rows.
#include <cstdio>
#include <optional>
#include <utility>

#include "internal.h"

namespace Vitrum {

namespace {

constexpr std::uint16_t kBmpSignature = 0x4D42;  // "BM"

// Where the fields we read lie: in BITMAPFILEHEADER, and from its end in
// BITMAPCOREHEADER or in BITMAPINFOHEADER (whose later versions only add fields).
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kPixelsOffsetAt = 10;  // bfOffBits
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::size_t kInfoHeaderSize = 40;
struct CoreFields {
  static constexpr std::size_t width = 4, height = 6, bitCount = 10;  // 16 bits each
};
struct InfoFields {
  static constexpr std::size_t width = 4, height = 8, bitCount = 14, compression = 16, sizeImage = 20;
};
constexpr std::uint32_t kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3;

std::uint32_t littleEndian(const std::uint8_t* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

// The size of a 32-bit signed field: a negative height is a top-down picture.
std::uint64_t magnitude(std::uint32_t field) {
  const auto value = static_cast<std::int64_t>(static_cast<std::int32_t>(field));
  return static_cast<std::uint64_t>(value < 0 ? -value : value);
}

// What the headers say of the pixels: where they start, and either their
// compressed stream's size or the picture's dimensions.
struct PixelLayout {
  std::uint64_t offset;
  std::uint32_t compression;
  std::uint32_t streamSize;  // the compressed stream, for RLE8 and RLE4
  std::uint64_t width, height;
  std::uint32_t bitCount;
};

// The layout from the GOT first bytes of a file, when they hold the file
// header and a whole core header or the first 40 bytes of an info header.
std::optional<PixelLayout> pixelLayout(const std::uint8_t* headers, std::size_t got) {
  const std::uint8_t* info = headers + kFileHeaderSize;
  const std::uint64_t offset = littleEndian(headers + kPixelsOffsetAt, 4);
  if (got >= kFileHeaderSize + kCoreHeaderSize && littleEndian(info, 4) == kCoreHeaderSize)
    return PixelLayout{offset,
                       0,
                       0,
                       littleEndian(info + CoreFields::width, 2),
                       littleEndian(info + CoreFields::height, 2),
                       littleEndian(info + CoreFields::bitCount, 2)};
  if (got < kFileHeaderSize + kInfoHeaderSize) return std::nullopt;
  return PixelLayout{offset,
                     littleEndian(info + InfoFields::compression, 4),
                     littleEndian(info + InfoFields::sizeImage, 4),
                     magnitude(littleEndian(info + InfoFields::width, 4)),
                     magnitude(littleEndian(info + InfoFields::height, 4)),
                     littleEndian(info + InfoFields::bitCount, 2)};
}

}  // namespace

bool internal::bmpPixelsReadable(const char* name) {
  std::FILE* file = std::fopen(name, "rb");
  if (!file) return false;
  std::uint8_t headers[kFileHeaderSize + kInfoHeaderSize] = {};
  const std::size_t got = std::fread(headers, 1, sizeof headers, file);
  const bool sized = std::fseek(file, 0, SEEK_END) == 0;
  const long size = sized ? std::ftell(file) : -1;
  std::fclose(file);
  if (size < 0) return false;
  const auto layout = pixelLayout(headers, got);
  if (!layout || layout->offset > static_cast<std::uint64_t>(size)) return false;
  const std::uint64_t room = static_cast<std::uint64_t>(size) - layout->offset;
  if (layout->compression > kBiBitfields) return false;
  if (layout->compression == kBiRle8 || layout->compression == kBiRle4) return layout->streamSize <= room;
  const std::uint64_t stride = (layout->width * layout->bitCount + 31) / 32 * 4;  // below 2^46
  return layout->height == 0 || stride <= room / layout->height;
}

std::int32_t GETBMPDEPTH(const char* BMPFILE) {
  std::FILE* file = std::fopen(BMPFILE, "rb");
  if (!file) return 0;
  std::uint8_t headers[kFileHeaderSize + kInfoHeaderSize];
  const bool complete = std::fread(headers, 1, sizeof headers, file) == sizeof headers;
  std::fclose(file);
  if (!complete || littleEndian(headers, 2) != kBmpSignature) return 0;
  const std::uint8_t* info = headers + kFileHeaderSize;
  if (littleEndian(info, 4) == kCoreHeaderSize) return 0;
  return static_cast<std::int32_t>(littleEndian(info + InfoFields::bitCount, 2));
}

void SWAPRGB(std::uint8_t* DATA, std::int32_t SIZE) {
  for (std::int32_t i = 0; i < SIZE; ++i, DATA += 3) std::swap(DATA[0], DATA[2]);
}

}  // namespace Vitrum
