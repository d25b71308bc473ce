// The BMP header probe and the red/blue exchange of BMP pixel rows.
#include <cstdio>
#include <utility>

#include "vitrum_core.h"

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
