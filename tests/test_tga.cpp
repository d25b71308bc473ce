// The TGA reader on the native build: byte-level decoding, every refusal with its
// message, and a pixel-by-pixel cross-check against Pillow and ImageMagick files.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "image_files.h"
#include "internal.h"
#include "null_platform.h"
#include "vitrum_core.h"

namespace {

namespace fs = std::filesystem;
using vitrum_test::Bytes;
using vitrum_test::operator+;
using vitrum_test::tgaHeader;

std::size_t openDescriptors() {
  return static_cast<std::size_t>(std::distance(fs::directory_iterator("/proc/self/fd"), {}));
}

fs::path writeFile(const std::string& name, const Bytes& bytes) {
  const fs::path path = fs::temp_directory_path() / ("vitrum_tga_" + name);
  vitrum_test::saveFile(path.string(), bytes);
  return path;
}

Bytes prefix(const Bytes& bytes, std::size_t count) { return Bytes(bytes.begin(), bytes.begin() + count); }

Bytes repeat(const Bytes& pattern, std::size_t times) {
  Bytes out;
  for (std::size_t i = 0; i < times; ++i) out = out + pattern;
  return out;
}

struct Loaded {
  bool ok;
  Vitrum::TGATEXTURE texture;
  Bytes pixels;
  std::vector<Vitrum::internal::NullMessage> messages;
};

// Loads FILE_BYTES with LOADTGA and checks what every load must leave behind:
// the file closed, and a buffer exactly when the load succeeded.
Loaded load(const Bytes& fileBytes, const std::string& name = "sample.tga") {
  const fs::path path = writeFile(name, fileBytes);
  Vitrum::internal::nullMessages.clear();
  Loaded result{};
  result.texture.TEXID = 77;
  const std::size_t before = openDescriptors();
  result.ok = Vitrum::LOADTGA(result.texture, path.c_str());
  EXPECT_EQ(openDescriptors(), before);
  EXPECT_EQ(Vitrum::FTGA, nullptr);
  EXPECT_EQ(result.texture.TEXID, 77u);
  EXPECT_EQ(result.ok, result.texture.IMAGEDATA != nullptr);
  if (result.ok) {
    const std::size_t size = std::size_t{result.texture.BPP / 8} * result.texture.WIDTH * result.texture.HEIGHT;
    result.pixels.assign(result.texture.IMAGEDATA, result.texture.IMAGEDATA + size);
    std::free(result.texture.IMAGEDATA);
  }
  result.messages = Vitrum::internal::nullMessages;
  fs::remove(path);
  return result;
}

TEST(TgaReader, DecodesRawAndRunLengthPixelsIntoRedGreenBlueOrder) {
  Loaded raw24 = load(tgaHeader(2, 2, 1, 24) + Bytes{1, 2, 3, 4, 5, 6});
  ASSERT_TRUE(raw24.ok);
  EXPECT_TRUE(raw24.messages.empty());
  EXPECT_EQ(raw24.texture.WIDTH, 2u);
  EXPECT_EQ(raw24.texture.HEIGHT, 1u);
  EXPECT_EQ(raw24.texture.BPP, 24u);
  EXPECT_EQ(raw24.texture.TYP, 0x1907u);
  EXPECT_EQ(raw24.pixels, (Bytes{3, 2, 1, 6, 5, 4}));
  EXPECT_EQ(Vitrum::TGA.IMAGESIZE, 6u);
  EXPECT_EQ(Vitrum::TGA.BYTESPERPIXEL, 3u);

  Loaded raw32 = load(tgaHeader(2, 1, 1, 32) + Bytes{0x10, 0x20, 0x30, 0x40});
  ASSERT_TRUE(raw32.ok);
  EXPECT_EQ(raw32.texture.TYP, 0x1908u);
  EXPECT_EQ(raw32.pixels, (Bytes{0x30, 0x20, 0x10, 0x40}));

  Loaded rle = load(tgaHeader(10, 4, 1, 24) + Bytes{0x81, 1, 2, 3, 0x01, 0xA, 0xB, 0xC, 0xD, 0xE, 0xF});
  ASSERT_TRUE(rle.ok);
  EXPECT_EQ(rle.pixels, (Bytes{3, 2, 1, 3, 2, 1, 0xC, 0xB, 0xA, 0xF, 0xE, 0xD}));
}

TEST(TgaReader, PacketHeadersCountTheirPixelsAndRunAcrossRows) {
  // 127: raw packet of 128 pixels; 128: run of one; 255: run of 128. 258 pixels
  // in rows of 6, so the packets cross row ends.
  Bytes raw;
  for (int i = 0; i < 128; ++i) raw = raw + Bytes{std::uint8_t(i), 0, std::uint8_t(255 - i), 0x80};
  Loaded image = load(tgaHeader(10, 6, 43, 32) + Bytes{127} + raw + Bytes{128, 1, 2, 3, 4} + Bytes{255, 9, 8, 7, 6} +
                      Bytes{128, 5, 5, 5, 5});
  ASSERT_TRUE(image.ok);
  ASSERT_EQ(image.pixels.size(), 258u * 4);
  for (int i = 0; i < 128; ++i)
    EXPECT_EQ(Bytes(image.pixels.begin() + i * 4, image.pixels.begin() + i * 4 + 4),
              (Bytes{std::uint8_t(255 - i), 0, std::uint8_t(i), 0x80}));
  EXPECT_EQ(Bytes(image.pixels.begin() + 128 * 4, image.pixels.begin() + 129 * 4), (Bytes{3, 2, 1, 4}));
  EXPECT_EQ(Bytes(image.pixels.begin() + 129 * 4, image.pixels.end() - 4), repeat({7, 8, 9, 6}, 128));
  EXPECT_EQ(Bytes(image.pixels.end() - 4, image.pixels.end()), (Bytes{5, 5, 5, 5}));

  // A run of five over rows of two fills the rest of row 0, all of row 1 and
  // the start of row 2; the top-left-origin bit and a trailing footer change nothing.
  Loaded crossing = load(tgaHeader(10, 2, 3, 24, 0x20) + Bytes{0x00, 1, 1, 1, 0x84, 5, 6, 7} + Bytes(26, 0) +
                         Bytes{'T', 'R', 'U', 'E', 'V', 'I', 'S', 'I', 'O', 'N'});
  ASSERT_TRUE(crossing.ok);
  EXPECT_EQ(crossing.pixels, Bytes({1, 1, 1}) + repeat({7, 6, 5}, 5));
}

struct Refusal {
  const char* what;
  Bytes file;
  const char* text;
  const char* caption;
};

// Loading REFUSAL's file fails with its one message box, MB_OK.
void expectRefused(const Refusal& refusal) {
  SCOPED_TRACE(refusal.what);
  Loaded result = load(refusal.file);
  EXPECT_FALSE(result.ok);
  ASSERT_EQ(result.messages.size(), 1u);
  EXPECT_EQ(result.messages[0].text, refusal.text);
  EXPECT_EQ(result.messages[0].caption, refusal.caption);
  EXPECT_EQ(result.messages[0].style, 0u);  // MB_OK
}

TEST(TgaReader, RefusesEachBadFileWithItsMessage) {
  const Bytes valid24 = tgaHeader(10, 4, 1, 24);
  const std::vector<Refusal> refusals = {
      {"shorter than 12 bytes", Bytes{0, 0, 2, 0, 0}, "Could not read file header", "ERROR"},
      {"empty", Bytes{}, "Could not read file header", "ERROR"},
      {"ID length", Bytes{1, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 0, 0, 0},
       "TGA file be type 2 or type 10", "Invalid Image"},
      {"colour map", Bytes{0, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0, 0, 0, 0},
       "TGA file be type 2 or type 10", "Invalid Image"},
      {"X origin", Bytes{0, 0, 2, 0, 0, 0, 0, 0, 5, 0, 0, 0, 1, 0, 1, 0, 24, 0, 0, 0, 0},
       "TGA file be type 2 or type 10", "Invalid Image"},
      {"Y origin", Bytes{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 0, 1, 0, 24, 0, 0, 0, 0},
       "TGA file be type 2 or type 10", "Invalid Image"},
      {"type 1", tgaHeader(1, 1, 1, 24), "TGA file be type 2 or type 10", "Invalid Image"},
      {"type 3", tgaHeader(3, 1, 1, 24), "TGA file be type 2 or type 10", "Invalid Image"},
      {"type 9", tgaHeader(9, 1, 1, 24), "TGA file be type 2 or type 10", "Invalid Image"},
      {"type 11", tgaHeader(11, 1, 1, 24), "TGA file be type 2 or type 10", "Invalid Image"},
      {"12 bytes", prefix(tgaHeader(2, 1, 1, 24), 12), "Could not read info header", "ERROR"},
      {"17 bytes", prefix(tgaHeader(10, 1, 1, 24), 17), "Could not read info header", "ERROR"},
      {"16 bits", tgaHeader(2, 1, 1, 16) + Bytes{0, 0}, "Invalid texture information", "ERROR"},
      {"8 bits", tgaHeader(10, 1, 1, 8) + Bytes{0, 0}, "Invalid texture information", "ERROR"},
      {"width 0", tgaHeader(2, 0, 1, 24), "Invalid texture information", "ERROR"},
      {"height 0", tgaHeader(10, 1, 0, 32), "Invalid texture information", "ERROR"},
      {"over 2^31-1 bytes", tgaHeader(2, 65535, 65535, 32), "Invalid texture information", "ERROR"},
      {"just over 2^31-1 bytes", tgaHeader(10, 65535, 10923, 24), "Invalid texture information", "ERROR"},
      {"raw data short", tgaHeader(2, 2, 1, 24) + Bytes{1, 2, 3, 4, 5}, "Could not read image data", "ERROR"},
      {"ends at a packet boundary", valid24 + Bytes{0x81, 1, 2, 3}, "Could not read RLE header", "ERROR"},
      {"ends in a raw packet", valid24 + Bytes{0x81, 1, 2, 3, 0x01, 4, 5, 6, 7}, "Could not read image data", "ERROR"},
      {"ends before a run's pixel", valid24 + Bytes{0x81, 1, 2, 3, 0x81, 4}, "Could not read from file", "ERROR"},
      {"run overfills", valid24 + Bytes{0x84, 1, 2, 3}, "Too many pixels read", "ERROR"},
      {"raw packet overfills", valid24 + Bytes{0x81, 1, 2, 3, 0x02, 4, 5, 6, 7, 8, 9, 1, 2, 3}, "Too many pixels read",
       "ERROR"},
      {"file ends at the surplus pixel", valid24 + Bytes{0x81, 1, 2, 3, 0x02, 4, 5, 6, 7, 8, 9},
       "Could not read image data", "ERROR"},
  };
  for (const Refusal& refusal : refusals) expectRefused(refusal);
}

TEST(TgaReader, PacketAfterAFullImageIsNeverRead) {
  Loaded result = load(tgaHeader(10, 4, 1, 24) + Bytes{0x83, 1, 2, 3, 0x80});
  EXPECT_TRUE(result.ok);
}

TEST(TgaReader, MissingFileIsReported) {
  Vitrum::internal::nullMessages.clear();
  Vitrum::TGATEXTURE texture{};
  EXPECT_FALSE(Vitrum::LOADTGA(texture, "/nonexistent/vitrum/none.tga"));
  EXPECT_EQ(texture.IMAGEDATA, nullptr);
  ASSERT_EQ(Vitrum::internal::nullMessages.size(), 1u);
  EXPECT_EQ(Vitrum::internal::nullMessages[0].text, "Could not open texture file");
  EXPECT_EQ(Vitrum::internal::nullMessages[0].caption, "ERROR");
}

// The test runs with an allocator that refuses blocks over 256 MiB, so a
// header that made the reader allocate its image would report "Could not
// allocate memory for image" instead of the short read.
TEST(TgaReader, ShortFilesOfHugeImagesAreRefusedBeforeAllocating) {
  const Refusal refusals[] = {
      {"raw", tgaHeader(2, 65535, 8191, 32) + Bytes(22, 1), "Could not read image data", "ERROR"},
      {"RLE, ends between packets", tgaHeader(10, 65535, 8191, 32) + repeat({0xFF, 1, 2, 3, 4}, 4),
       "Could not read RLE header", "ERROR"},
      {"RLE, ends in a raw packet", tgaHeader(10, 65535, 8191, 32) + Bytes{0x7F, 1, 2, 3, 4, 5},
       "Could not read image data", "ERROR"},
      {"RLE, ends in a run", tgaHeader(10, 65535, 8191, 32) + Bytes{0x85, 1, 2}, "Could not read from file", "ERROR"},
  };
  for (const Refusal& refusal : refusals) expectRefused(refusal);
}

TEST(TgaReader, KeepsThePreviousImageBufferOutOfAFailedLoad) {
  Vitrum::TGATEXTURE texture{};
  std::uint8_t earlier[4];
  texture.IMAGEDATA = earlier;  // a buffer the caller still owns or already released
  const fs::path path = writeFile("short.tga", tgaHeader(2, 2, 2, 24));
  EXPECT_FALSE(Vitrum::LOADTGA(texture, path.c_str()));
  EXPECT_EQ(texture.IMAGEDATA, nullptr);
  EXPECT_EQ(texture.WIDTH, 2u);  // fields assigned before the failure keep the header's values
  fs::remove(path);
}

Bytes readAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return Bytes(std::istreambuf_iterator<char>(in), {});
}

TEST(TgaReader, MatchesIndependentEncodersPixelForPixel) {
  const fs::path dir = VITRUM_TGA_SAMPLES;
  std::ifstream manifest(dir / "manifest.txt");
  ASSERT_TRUE(manifest) << "no samples in " << dir;
  std::string line;
  int checked = 0;
  while (std::getline(manifest, line)) {
    std::istringstream fields(line);
    std::string name;
    std::uint32_t width = 0, height = 0, bpp = 0;
    fields >> name >> width >> height >> bpp;
    SCOPED_TRACE(name);
    Loaded result = load(readAll(dir / (name + ".tga")), name + ".tga");
    ASSERT_TRUE(result.ok);
    EXPECT_EQ(result.texture.WIDTH, width);
    EXPECT_EQ(result.texture.HEIGHT, height);
    EXPECT_EQ(result.texture.BPP, bpp);
    EXPECT_TRUE(result.pixels == readAll(dir / (name + ".rgb")));
    ++checked;
  }
  EXPECT_EQ(checked, 80);
}

}  // namespace
