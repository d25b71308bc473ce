// The BMP header probe and the red/blue exchange of BMP pixel rows.
#include <cstdio>
#include <utility>

#include "internal.h"

namespace Vitrum {

namespace {

constexpr std::uint16_t kBmpSignature = 0x4D42;  // "BM"
constexpr std::uint32_t kCoreHeaderSize = 12;

std::uint32_t littleEndian(const std::uint8_t* bytes, int count) {
  std::uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) value = value << 8 | bytes[i];
  return value;
}

}  // namespace

bool internal::bmpPixelsReadable(const char* name) {
  std::FILE* file = std::fopen(name, "rb");
  if (!file) return false;
  std::uint8_t headers[54] = {};
  const std::size_t got = std::fread(headers, 1, sizeof headers, file);
  const bool sized = std::fseek(file, 0, SEEK_END) == 0;
  const long size = sized ? std::ftell(file) : -1;
  std::fclose(file);
  if (size < 0) return false;
  const std::uint8_t* info = headers + 14;
  const bool core = got >= 26 && littleEndian(info, 4) == kCoreHeaderSize;
  if (!core && got < 54) return false;
  const std::uint64_t offset = littleEndian(headers + 10, 4);
  if (offset > static_cast<std::uint64_t>(size)) return false;
  const std::uint64_t room = static_cast<std::uint64_t>(size) - offset;
  const std::uint32_t compression = core ? 0 : littleEndian(info + 16, 4);
  if (compression > 3) return false;
  if (compression == 1 || compression == 2) return littleEndian(info + 20, 4) <= room;  // RLE8, RLE4: the stream
  const auto magnitude = [](std::uint32_t value) {
    const auto signedValue = static_cast<std::int64_t>(static_cast<std::int32_t>(value));
    return static_cast<std::uint64_t>(signedValue < 0 ? -signedValue : signedValue);
  };
  const std::uint64_t width = core ? littleEndian(info + 4, 2) : magnitude(littleEndian(info + 4, 4));
  const std::uint64_t height = core ? littleEndian(info + 6, 2) : magnitude(littleEndian(info + 8, 4));
  const std::uint64_t stride = (width * littleEndian(info + (core ? 10 : 14), 2) + 31) / 32 * 4;  // below 2^46
  return height == 0 || stride <= room / height;
}

std::int32_t GETBMPDEPTH(const char* BMPFILE) {
  std::FILE* file = std::fopen(BMPFILE, "rb");
  if (!file) return 0;
  // BITMAPFILEHEADER (14 bytes) and the first 40 bytes of the info header.
  std::uint8_t headers[54];
  const bool complete = std::fread(headers, 1, sizeof headers, file) == sizeof headers;
  std::fclose(file);
  if (!complete || littleEndian(headers, 2) != kBmpSignature) return 0;
  const std::uint8_t* info = headers + 14;
  if (littleEndian(info, 4) == kCoreHeaderSize) return 0;
  return static_cast<std::int32_t>(littleEndian(info + 14, 2));
}

void SWAPRGB(std::uint8_t* DATA, std::int32_t SIZE) {
  for (std::int32_t i = 0; i < SIZE; ++i, DATA += 3) std::swap(DATA[0], DATA[2]);
}

}  // namespace Vitrum
