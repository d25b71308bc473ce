// The BMP depth probe and the red/blue exchange, on the native build.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "image_files.h"
#include "internal.h"

namespace {

namespace fs = std::filesystem;
using vitrum_test::Bytes;
using vitrum_test::makeBmp;

std::size_t openDescriptors() {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

// READ(name) of FILE written to a temporary file, which READ must close again.
template <typename Read>
auto onFile(const Bytes& file, Read read) {
  const fs::path path = fs::temp_directory_path() / "vitrum_probe.bmp";
  vitrum_test::saveFile(path.string(), file);
  const std::size_t before = openDescriptors();
  const auto result = read(path.c_str());
  EXPECT_EQ(openDescriptors(), before);
  fs::remove(path);
  return result;
}

std::int32_t probe(const Bytes& file) { return onFile(file, Vitrum::GETBMPDEPTH); }

Bytes patched(Bytes file, std::size_t at, std::uint32_t value, int count = 4) {
  for (int i = 0; i < count; ++i) file[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
  return file;
}

TEST(BmpProbe, ReadsTheDepthFromTheInfoHeader) {
  EXPECT_EQ(probe(makeBmp(3, 2, 24, Bytes(18, 7))), 24);
  EXPECT_EQ(probe(makeBmp(1, 1, 32, Bytes(4, 7), 124)), 32);
  EXPECT_EQ(probe(makeBmp(2, 2, 32, Bytes(16, 7), 108)), 32);
  EXPECT_EQ(probe(makeBmp(4, 1, 8, Bytes(4, 0), 40, Bytes(1024, 0))), 8);
  EXPECT_EQ(probe(makeBmp(8, 1, 1, Bytes(1, 0), 40, Bytes(8, 0))), 1);
}

TEST(BmpProbe, GivesZeroForFilesItCannotUse) {
  EXPECT_EQ(Vitrum::GETBMPDEPTH("/nonexistent/vitrum/none.bmp"), 0);
  EXPECT_EQ(Vitrum::GETBMPDEPTH(fs::temp_directory_path().c_str()), 0);  // a directory

  Bytes notBm = makeBmp(3, 2, 24, Bytes(18, 7));
  notBm[0] = 'M';
  notBm[1] = 'B';
  EXPECT_EQ(probe(notBm), 0);
  EXPECT_EQ(probe(makeBmp(4, 4, 24, Bytes(48, 7), 12)), 0);

  const Bytes whole = makeBmp(3, 2, 24, Bytes(18, 7));
  for (std::size_t size : {0, 1, 13, 14, 20, 53})
    EXPECT_EQ(probe(Bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(size))), 0) << size;
  EXPECT_EQ(probe(Bytes(whole.begin(), whole.begin() + 54)), 24);
}

TEST(BmpPixelsReadable, OnlyWhenTheFileHoldsThePixelsItsHeadersDescribe) {
  const Bytes rgb = makeBmp(5, 3, 24, Bytes(45, 7));  // 16-byte rows: 48 pixel bytes at offset 54
  const Bytes core = makeBmp(5, 3, 24, Bytes(45, 7), 12);
  const Bytes rle = patched(patched(rgb, 30, 1), 34, 48);  // "RLE8" whose stream is the 48 bytes
  const struct {
    const char* what;
    Bytes file;
    bool readable;
  } cases[] = {
      {"24-bit", rgb, true},
      {"core header", core, true},
      {"top-down", patched(rgb, 22, static_cast<std::uint32_t>(-3)), true},
      {"bitfields", patched(rgb, 30, 3), true},
      {"RLE stream within the file", rle, true},
      {"RLE stream past the end", patched(rle, 34, 49), false},
      {"one pixel byte short", Bytes(rgb.begin(), rgb.end() - 1), false},
      {"cut in the info header", Bytes(rgb.begin(), rgb.begin() + 40), false},
      {"cut in a core header", Bytes(core.begin(), core.begin() + 20), false},
      {"core header, one pixel byte short", Bytes(core.begin(), core.end() - 1), false},
      {"offset past the end", patched(rgb, 10, 103), false},
      {"width of 2^31 - 1", patched(rgb, 18, 0x7FFFFFFF), false},
      {"width of -2^31, 65535 bits", patched(patched(rgb, 18, 0x80000000), 28, 0xFFFF, 2), false},
      {"unknown encoding", patched(rgb, 30, 4), false},
      {"empty", Bytes{}, false},
  };
  for (const auto& c : cases) EXPECT_EQ(onFile(c.file, Vitrum::internal::bmpPixelsReadable), c.readable) << c.what;
  EXPECT_FALSE(Vitrum::internal::bmpPixelsReadable("/nonexistent/vitrum/none.bmp"));
}

TEST(SwapRgb, ExchangesRedAndBlueOfTightlyPackedPixelsOnly) {
  // A 5-pixel row padded to 16 bytes: the fill byte stays.
  Bytes row{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 0xEE, 0xAA};
  Vitrum::SWAPRGB(row.data(), 5);
  EXPECT_EQ(row, (Bytes{3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13, 0xEE, 0xAA}));
}

}  // namespace
