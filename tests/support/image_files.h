// Builds small BMP and TGA files for the tests, byte by byte, so that each
// header variant and each fill byte is under the test's control.
#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

namespace vitrum_test {

using Bytes = std::vector<std::uint8_t>;

inline constexpr std::uint8_t kBmpFillByte = 0xEE;

inline void putLittleEndian(Bytes& out, std::uint32_t value, int count) {
  for (int i = 0; i < count; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A BMP file of WIDTH x HEIGHT pixels of BPP bits. ROWS holds the pixel rows
// bottom row first, each WIDTH * BPP / 8 bytes (rounded up) without padding;
// each row is padded with kBmpFillByte to a multiple of 4. INFO_SIZE is 12
// (the old core header), 40, 108 or 124; PALETTE holds 4-byte entries.
inline Bytes makeBmp(std::int32_t width, std::int32_t height, std::uint16_t bpp, const Bytes& rows,
                     std::uint32_t infoSize = 40, const Bytes& palette = {}) {
  const std::size_t rowBytes = (static_cast<std::size_t>(width) * bpp + 7) / 8;
  const std::size_t stride = (rowBytes + 3) / 4 * 4;
  Bytes pixels;
  for (std::int32_t row = 0; row < height; ++row) {
    pixels.insert(pixels.end(), rows.begin() + row * rowBytes, rows.begin() + (row + 1) * rowBytes);
    pixels.resize(pixels.size() + stride - rowBytes, kBmpFillByte);
  }
  const std::uint32_t offset = 14 + infoSize + static_cast<std::uint32_t>(palette.size());
  Bytes file{'B', 'M'};
  putLittleEndian(file, offset + static_cast<std::uint32_t>(pixels.size()), 4);
  putLittleEndian(file, 0, 4);
  putLittleEndian(file, offset, 4);
  putLittleEndian(file, infoSize, 4);
  if (infoSize == 12) {
    putLittleEndian(file, static_cast<std::uint32_t>(width), 2);
    putLittleEndian(file, static_cast<std::uint32_t>(height), 2);
    putLittleEndian(file, 1, 2);
    putLittleEndian(file, bpp, 2);
  } else {
    putLittleEndian(file, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(file, static_cast<std::uint32_t>(height), 4);
    putLittleEndian(file, 1, 2);
    putLittleEndian(file, bpp, 2);
    putLittleEndian(file, 0, 4);  // BI_RGB
    putLittleEndian(file, static_cast<std::uint32_t>(pixels.size()), 4);
    putLittleEndian(file, 2835, 4);
    putLittleEndian(file, 2835, 4);
    putLittleEndian(file, static_cast<std::uint32_t>(palette.size() / 4), 4);
    putLittleEndian(file, 0, 4);
    if (infoSize > 40) {
      file.resize(file.size() + 16, 0);      // colour masks, unused with BI_RGB
      putLittleEndian(file, 0x73524742, 4);  // 'sRGB'
      file.resize(14 + infoSize, 0);
    }
  }
  file.insert(file.end(), palette.begin(), palette.end());
  file.insert(file.end(), pixels.begin(), pixels.end());
  return file;
}

// The 18-byte header of a TGA file of image TYPE with no ID, colour map or origin.
inline Bytes tgaHeader(std::uint8_t type, std::uint16_t width, std::uint16_t height, std::uint8_t bpp,
                       std::uint8_t descriptor = 0) {
  Bytes header{0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  putLittleEndian(header, width, 2);
  putLittleEndian(header, height, 2);
  header.push_back(bpp);
  header.push_back(descriptor);
  return header;
}

// Writes BYTES to the file NAME; false when it could not be written.
inline bool writeBytes(const std::string& name, const Bytes& bytes) {
  std::ofstream file(name, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

// Writes BYTES to the file NAME and returns NAME.
inline std::string saveFile(const std::string& name, const Bytes& bytes) {
  writeBytes(name, bytes);
  return name;
}

inline Bytes operator+(Bytes a, const Bytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace vitrum_test
