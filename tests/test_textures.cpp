// Texture slots on real OpenGL under Wine: BMP files through GDI, TGA files
// through the reader, read back with glGetTexImage; the reader's refusals in
// real dialogs; slot numbers outside their tables.
//
// The first TGA load before any BMP probe needs a process where no probe ran:
// the "DISABLED_BeforeAnyBmpProbe" suite runs inside a child of its own.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "image_files.h"
#include "opengl_window.h"
#include "test_context.h"
#include "vitrum.h"
#include "win32_child.h"

using namespace Vitrum;
using vitrum_test::Bytes;
using vitrum_test::makeBmp;
using vitrum_test::runChild;
using vitrum_test::tgaHeader;
using vitrum_test::operator+;

namespace {

// A file left read-only by the locking test of an earlier run is written again.
std::string writeFile(const std::string& name, const Bytes& bytes) {
  SetFileAttributesA(name.c_str(), FILE_ATTRIBUTE_NORMAL);
  return vitrum_test::saveFile(name, bytes);
}

// The bound texture's image at LEVEL in FORMAT (GL_RGB or GL_RGBA), tightly packed.
Bytes textureImage(GLenum format, GLint level = 0) {
  GLint width = 0, height = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_HEIGHT, &height);
  Bytes pixels(static_cast<std::size_t>(width) * height * (format == GL_RGBA ? 4 : 3));
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  if (!pixels.empty()) glGetTexImage(GL_TEXTURE_2D, level, format, GL_UNSIGNED_BYTE, pixels.data());
  return pixels;
}

GLint levelWidth(GLint level) {
  GLint width = 0;
  glGetTexLevelParameteriv(GL_TEXTURE_2D, level, GL_TEXTURE_WIDTH, &width);
  return width;
}

GLint boundTexture() {
  GLint name = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &name);
  return name;
}

// Distinct values for every byte of an image, so that a wrong stride or a
// swapped channel shows.
Bytes pattern(std::size_t count, std::uint8_t seed) {
  Bytes bytes(count);
  for (std::size_t i = 0; i < count; ++i) bytes[i] = static_cast<std::uint8_t>(seed + i * 7);
  return bytes;
}

// B, G, R (, A) pixels to R, G, B (, A).
Bytes swapped(Bytes pixels, std::size_t bytesPerPixel) {
  for (std::size_t i = 0; i + 2 < pixels.size(); i += bytesPerPixel) std::swap(pixels[i], pixels[i + 2]);
  return pixels;
}

class OnOpenGL : public vitrum_test::OpenGLWindowTest {
 protected:
  static void SetUpTestSuite() { vitrum_test::openGLWindow("textures"); }
};
class DISABLED_BeforeAnyBmpProbe : public OnOpenGL {};

TEST_F(DISABLED_BeforeAnyBmpProbe, TgaLoadsWhileAnotherReaderDeniesWriting) {
  const Bytes bgr = pattern(2 * 2 * 3, 1);
  const std::string file = writeFile("vt_locked.tga", tgaHeader(2, 2, 2, 24) + bgr);
  SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
  HANDLE lock = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(lock, INVALID_HANDLE_VALUE);
  TEXTURELOADTGAID(file.c_str(), 10);
  CloseHandle(lock);
  ASSERT_NE(TEXTURETGA2[10].TEXID, 0u);
  EXPECT_EQ(TEXTURETGA2[10].IMAGEDATA, nullptr);
  EXPECT_EQ(textureImage(GL_RGB), swapped(bgr, 3));
}

TEST_F(OnOpenGL, TgaRowsOfAnyWidthUploadExactlyAndTheUnpackAlignmentIsRestored) {
  for (GLint alignment : {4, 8, 1}) {
    for (std::uint16_t width : {1, 3, 4, 5}) {
      const vitrum_test::Context trace(testing::Message() << "alignment " << alignment << ", width " << width);
      const Bytes bgr = pattern(std::size_t{width} * 3 * 3, static_cast<std::uint8_t>(width));
      glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
      TEXTURELOADTGAID(writeFile("vt_rows.tga", tgaHeader(2, width, 3, 24) + bgr).c_str(), 11);
      GLint after = 0;
      glGetIntegerv(GL_UNPACK_ALIGNMENT, &after);
      EXPECT_EQ(after, alignment);
      EXPECT_EQ(boundTexture(), static_cast<GLint>(TEXTURETGA2[11].TEXID));
      EXPECT_EQ(textureImage(GL_RGB), swapped(bgr, 3));
    }
  }
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

TEST_F(OnOpenGL, Rle32BitTgaKeepsItsAlpha) {
  // A run of three, then a raw packet of three, over rows of two.
  TEXTURELOADTGAID(writeFile("vt_rle.tga", tgaHeader(10, 2, 3, 32) + Bytes{0x82, 1, 2, 3, 4} +
                                               Bytes{0x02, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16})
                       .c_str(),
                   12);
  EXPECT_EQ(TEXTURETGA2[12].TYP, static_cast<std::uint32_t>(GL_RGBA));
  EXPECT_EQ(textureImage(GL_RGBA),
            (Bytes{3, 2, 1, 4, 3, 2, 1, 4, 3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16}));
}

TEST_F(OnOpenGL, Bmp24BitUploadsInRgbOrderAtAnyWidth) {
  for (int width : {1, 3, 5, 8}) {
    const vitrum_test::Context trace("width " + std::to_string(width));
    const Bytes bgr = pattern(static_cast<std::size_t>(width) * 2 * 3, static_cast<std::uint8_t>(width));
    TEXTURELOADID(writeFile("vt_24.bmp", makeBmp(width, 2, 24, bgr)).c_str(), 1);
    EXPECT_EQ(boundTexture(), static_cast<GLint>(TEXTUREID2[1]));
    // The bottom row comes first in the file and lands at t = 0.
    EXPECT_EQ(textureImage(GL_RGB), swapped(bgr, 3));
  }
}

TEST_F(OnOpenGL, Bmp32BitKeepsItsFourthByteAsAlpha) {
  for (std::uint32_t infoSize : {40u, 124u}) {
    const vitrum_test::Context trace("info header " + std::to_string(infoSize));
    const Bytes bgra = pattern(3 * 2 * 4, 40);
    TEXTURELOADID(writeFile("vt_32.bmp", makeBmp(3, 2, 32, bgra, infoSize)).c_str(), 2);
    EXPECT_EQ(textureImage(GL_RGBA), swapped(bgra, 4));
  }
}

TEST_F(OnOpenGL, BmpFilesOfOtherKindsGetAFreshNameWithoutImage) {
  const Bytes palette = pattern(256 * 4, 3);
  const Bytes plain = makeBmp(4, 2, 24, pattern(24, 0));
  const struct {
    const char* what;
    Bytes file;
  } files[] = {
      {"8-bit palette", makeBmp(4, 2, 8, pattern(8, 0), 40, palette)},
      {"12-byte core header", makeBmp(4, 2, 24, pattern(24, 0), 12)},
      {"not BM", Bytes{'P', 'K'} + Bytes(plain.begin() + 2, plain.end())},
      {"shorter than its headers", Bytes(plain.begin(), plain.begin() + 40)},
  };
  for (const auto& file : files) {
    const vitrum_test::Context trace(file.what);
    const GLuint before = TEXTUREID2[3];
    TEXTURELOADID(writeFile("vt_other.bmp", file.file).c_str(), 3);
    EXPECT_NE(TEXTUREID2[3], before);
    EXPECT_EQ(boundTexture(), static_cast<GLint>(TEXTUREID2[3]));
    EXPECT_EQ(levelWidth(0), 0);
  }
  TEXTURELOADID("vt_missing.bmp", 4);
  EXPECT_NE(TEXTUREID2[4], 0u);
  EXPECT_EQ(levelWidth(0), 0);
}

TEST_F(OnOpenGL, MipmapsAreBuiltExactlyForMipmapFiltersInTrueColours) {
  const Bytes bgra = Bytes{0x10, 0x80, 0xF0, 0x60};  // one colour over a 4 x 4 image
  Bytes tga = tgaHeader(2, 4, 4, 32), bmp32, bmp24;
  for (int i = 0; i < 16; ++i) tga = tga + bgra, bmp32 = bmp32 + bgra, bmp24 = bmp24 + Bytes{0x10, 0x80, 0xF0};
  const Bytes rgba{0xF0, 0x80, 0x10, 0x60};
  const Bytes rgb{0xF0, 0x80, 0x10};

  for (std::int32_t filter : {GL_LINEAR, GL_NEAREST, GL_LINEAR_MIPMAP_LINEAR, GL_NEAREST_MIPMAP_NEAREST}) {
    const vitrum_test::Context trace("filter " + std::to_string(filter));
    GL_MIN_FILTER = filter;
    const bool mipmaps = filter != GL_LINEAR && filter != GL_NEAREST;

    TEXTURELOADTGAID(writeFile("vt_mip.tga", tga).c_str(), 20);
    EXPECT_EQ(levelWidth(2), mipmaps ? 1 : 0);
    if (mipmaps) {
      EXPECT_EQ(textureImage(GL_RGBA, 2), rgba);
    }
    TEXTURELOADID(writeFile("vt_mip32.bmp", makeBmp(4, 4, 32, bmp32)).c_str(), 20);
    EXPECT_EQ(levelWidth(2), mipmaps ? 1 : 0);
    if (mipmaps) {
      EXPECT_EQ(textureImage(GL_RGBA, 2), rgba);
    }
    TEXTURELOADID(writeFile("vt_mip24.bmp", makeBmp(4, 4, 24, bmp24)).c_str(), 21);
    EXPECT_EQ(levelWidth(2), mipmaps ? 1 : 0);
    if (mipmaps) {
      EXPECT_EQ(textureImage(GL_RGB, 2), rgb);
    }
  }
  GL_MIN_FILTER = GL_LINEAR;
}

TEST_F(OnOpenGL, NewTexturesTakeTheLibraryFiltersAndRepeat) {
  GL_MIN_FILTER = GL_NEAREST;
  GL_MAG_FILTER = GL_NEAREST;
  TEXTURELOADTGAID(writeFile("vt_filter.tga", tgaHeader(2, 1, 1, 24) + Bytes{1, 2, 3}).c_str(), 30);
  TEXTURELOADID(writeFile("vt_filter.bmp", makeBmp(1, 1, 24, Bytes{1, 2, 3})).c_str(), 30);
  GL_MIN_FILTER = GL_LINEAR;
  GL_MAG_FILTER = GL_LINEAR;
  for (GLuint name : {TEXTURETGA2[30].TEXID, TEXTUREID2[30]}) {
    glBindTexture(GL_TEXTURE_2D, name);
    GLint value = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &value);
    EXPECT_EQ(value, GL_NEAREST);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, &value);
    EXPECT_EQ(value, GL_REPEAT);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, &value);
    EXPECT_EQ(value, GL_REPEAT);
  }
}

TEST_F(OnOpenGL, SlotsAreBoundBackByNumberAndReloadingKeepsTheEarlierTexture) {
  TEXTURESELECTID(400);
  EXPECT_EQ(boundTexture(), 0);
  TEXTURETGASELECTID(200);
  EXPECT_EQ(boundTexture(), 0);

  const std::string tga = writeFile("vt_twice.tga", tgaHeader(2, 1, 1, 24) + Bytes{1, 2, 3});
  const std::string bmp = writeFile("vt_select.bmp", makeBmp(1, 1, 24, Bytes{1, 2, 3}));
  const struct {
    const char* what;
    std::function<void()> load;
    GLuint& slot;
  } reloads[] = {{"TGA", [&] { TEXTURELOADTGAID(tga.c_str(), 40); }, TEXTURETGA2[40].TEXID},
                 {"BMP", [&] { TEXTURELOADID(bmp.c_str(), 40); }, TEXTUREID2[40]}};
  for (const auto& r : reloads) {
    const vitrum_test::Context trace(r.what);
    r.load();
    const GLuint first = r.slot;
    r.load();
    EXPECT_NE(r.slot, first);
    EXPECT_TRUE(glIsTexture(r.slot));
    EXPECT_TRUE(glIsTexture(first));  // an application may still draw with it
  }

  const GLuint second = TEXTURETGA2[40].TEXID;
  EXPECT_NE(TEXTUREID2[40], second);  // the two tables are independent
  glBindTexture(GL_TEXTURE_2D, 0);
  TEXTURETGASELECTID(40);
  EXPECT_EQ(boundTexture(), static_cast<GLint>(second));
  TEXTURESELECTID(40);
  EXPECT_EQ(boundTexture(), static_cast<GLint>(TEXTUREID2[40]));
}

// A process of its own, so that no BMP probe has switched the file-open mode yet.
VITRUM_CHILD_SCENARIO(before_any_bmp_probe) {
  int argc = 1;
  char name[] = "test_textures";
  char* argv[] = {name, nullptr};
  testing::InitGoogleTest(&argc, argv);
  vitrum_test::printContextsOnFailure();
  GTEST_FLAG_SET(filter, "DISABLED_BeforeAnyBmpProbe.*");
  GTEST_FLAG_SET(also_run_disabled_tests, true);
  return RUN_ALL_TESTS();
}

TEST(TextureSlots, FirstTgaLoadBeforeAnyBmpProbeWorksInAProcessOfItsOwn) {
  const auto child = runChild("before_any_bmp_probe", {}, 120000);
  EXPECT_EQ(child.exitCode, 0u) << child.output;
  // A filter that matched nothing would pass as well.
  EXPECT_NE(child.output.find("[  PASSED  ] 1 test."), std::string::npos) << child.output;
  EXPECT_TRUE(child.dialogs.empty());
}

// Each refusal of the reader, in the order its checks run, through the slots.
VITRUM_CHILD_SCENARIO(tga_refusals) {
  vitrum_test::openGLWindow("textures");
  TGATEXTURE texture{};
  LOADTGA(texture, ".");  // a directory cannot be opened as a file
  const Bytes rle = tgaHeader(10, 4, 1, 24);
  const Bytes files[] = {
      Bytes{0, 0, 2, 0, 0, 0},
      tgaHeader(3, 1, 1, 24) + Bytes{1, 2, 3},
      Bytes{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0},
      tgaHeader(2, 1, 1, 16) + Bytes{1, 2},
      tgaHeader(2, 2, 1, 24) + Bytes{1, 2, 3, 4, 5},
      rle + Bytes{0x81, 1, 2, 3},
      rle + Bytes{0x81, 1, 2, 3, 0x01, 4, 5, 6},
      rle + Bytes{0x81, 1, 2, 3, 0x81, 4, 5},
      rle + Bytes{0x84, 1, 2, 3},
  };
  TEXTURELOADTGAID("vt_no_such_file.tga", 5);  // missing: silently nothing
  for (const Bytes& file : files) TEXTURELOADTGAID(writeFile("vt_bad.tga", file).c_str(), 5);
  return TEXTURETGA2[5].TEXID == 0 && TEXTURETGA2[5].IMAGEDATA == nullptr ? 0 : 3;
}

TEST(TextureSlots, TgaRefusalsShowTheirMessagesInRealDialogs) {
  const auto child = runChild("tga_refusals");
  EXPECT_EQ(child.exitCode, 0u) << child.output;
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"ERROR", "Could not open texture file"},
      {"ERROR", "Could not read file header"},
      {"Invalid Image", "TGA file be type 2 or type 10"},
      {"ERROR", "Could not read info header"},
      {"ERROR", "Invalid texture information"},
      {"ERROR", "Could not read image data"},
      {"ERROR", "Could not read RLE header"},
      {"ERROR", "Could not read image data"},
      {"ERROR", "Could not read from file"},
      {"ERROR", "Too many pixels read"},
  };
  ASSERT_EQ(child.dialogs.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    EXPECT_EQ(child.dialogs[i].caption, expected[i].first) << i;
    EXPECT_EQ(child.dialogs[i].text, expected[i].second) << i;
  }
}

VITRUM_CHILD_SCENARIO(bmp_slot_501) {
  TEXTURELOADID("vt_missing.bmp", 501);
  return 0;
}
VITRUM_CHILD_SCENARIO(bmp_select_minus_1) {
  TEXTURESELECTID(-1);
  return 0;
}
VITRUM_CHILD_SCENARIO(tga_slot_201) {
  TEXTURELOADTGAID(writeFile("vt_slot.tga", tgaHeader(2, 1, 1, 24) + Bytes{1, 2, 3}).c_str(), 201);
  return 0;
}
VITRUM_CHILD_SCENARIO(tga_select_minus_1) {
  TEXTURETGASELECTID(-1);
  return 0;
}

TEST(TextureSlots, NumbersOutsideTheTablesEndTheProgramWithARunTimeError) {
  for (const char* scenario : {"bmp_slot_501", "bmp_select_minus_1", "tga_slot_201", "tga_select_minus_1"}) {
    const vitrum_test::Context trace(scenario);
    const auto child = runChild(scenario);
    EXPECT_EQ(child.exitCode, static_cast<DWORD>(RUNTIME_ERROR_STATUS));
    EXPECT_NE(child.output.find(std::string(scenario).rfind("bmp", 0) == 0 ? "TEXTUREID2" : "TEXTURETGA2"),
              std::string::npos)
        << child.output;
  }
}

}  // namespace
