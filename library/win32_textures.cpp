// Texture slots: BMP files through GDI and TGA files through LOADTGA, uploaded
// to OpenGL 2D textures.
#include <cstdlib>
#include <optional>

#include <GL/glu.h>

#include "internal.h"
#include "vitrum.h"

namespace Vitrum {

TTABLE<GLuint, 0, 500, "TEXTUREID2"> TEXTUREID2;
TTABLE<TGATEXTURE, 0, 200, "TEXTURETGA2"> TEXTURETGA2;
std::int32_t GL_MIN_FILTER = GL_LINEAR;
std::int32_t GL_MAG_FILTER = GL_LINEAR;

namespace {

constexpr GLenum kGlBgra = 0x80E1;  // GL_BGRA: OpenGL 1.2, beyond Windows' gl.h
constexpr UINT kBmpLoadFlags = LR_LOADFROMFILE | LR_LOADTRANSPARENT | LR_CREATEDIBSECTION;

bool isMipmapFilter(std::int32_t filter) {
  return filter == GL_NEAREST_MIPMAP_NEAREST || filter == GL_LINEAR_MIPMAP_NEAREST ||
         filter == GL_NEAREST_MIPMAP_LINEAR || filter == GL_LINEAR_MIPMAP_LINEAR;
}

bool fileExists(const char* name) {
  const DWORD attributes = GetFileAttributesA(name);
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// A load into an occupied slot leaves the texture it replaces alive until the
// context ends: the application may have kept that name and still draw with it.
// One that reloads often deletes the old name itself.
void newTextureName(GLuint& slot) { glGenTextures(1, &slot); }

void setTextureParameters() {
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_MIN_FILTER);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_MAG_FILTER);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
}

// TGA rows are tightly packed; unless they happen to fit the caller's unpack
// alignment, OpenGL would read them at a wider stride and past the image's end.
class TightRowUnpack {
 public:
  explicit TightRowUnpack(GLsizei rowBytes) {
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previous_);
    changed_ = previous_ > 0 && rowBytes % previous_ != 0;
    if (changed_) glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
  }
  ~TightRowUnpack() {
    if (changed_) glPixelStorei(GL_UNPACK_ALIGNMENT, previous_);
  }
  TightRowUnpack(const TightRowUnpack&) = delete;
  TightRowUnpack& operator=(const TightRowUnpack&) = delete;

 private:
  GLint previous_ = 4;
  bool changed_ = false;
};

// A BMP file as GDI loaded it into a DIB section, deleted with this object:
// the upload reads the section's pixels in place.
class BmpSection {
 public:
  explicit BmpSection(const char* name) : bitmap_(load(name)) {}
  ~BmpSection() {
    if (bitmap_) DeleteObject(bitmap_);
  }
  BmpSection(const BmpSection&) = delete;
  BmpSection& operator=(const BmpSection&) = delete;

  // The section's description when GDI loaded pixels at DEPTH bits. A file
  // the probe accepts but GDI cannot load, or loads at another depth than its
  // header says, or one that lacks its pixels, has none we may touch.
  std::optional<BITMAP> pixels(std::int32_t depth) const {
    BITMAP info{};
    if (!bitmap_ || !GetObjectA(bitmap_, sizeof info, &info) || !info.bmBits || info.bmBitsPixel != depth)
      return std::nullopt;
    return info;
  }

 private:
  // Nothing is loaded from a file whose pixels the probe finds out of reach.
  static HBITMAP load(const char* name) {
    if (!internal::bmpPixelsReadable(name)) return nullptr;
    return static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), name, IMAGE_BITMAP, 0, 0, kBmpLoadFlags));
  }

  HBITMAP bitmap_;
};

// The pixels of SECTION in the order the upload gives OpenGL: 24-bit rows
// have their blue and red exchanged for GL_RGB, 32-bit ones stay BGRA.
std::optional<BITMAP> decodeBmp(const BmpSection& section, std::int32_t depth) {
  const std::optional<BITMAP> pixels = section.pixels(depth);
  if (pixels && depth == 24)
    for (LONG row = 0; row < pixels->bmHeight; ++row)
      SWAPRGB(static_cast<std::uint8_t*>(pixels->bmBits) + static_cast<std::ptrdiff_t>(row) * pixels->bmWidthBytes,
              pixels->bmWidth);
  return pixels;
}

// Into the bound texture; pictures of other depths than 24 and 32 bits leave it empty.
void uploadBmp(const BITMAP& pixels) {
  const std::int32_t depth = pixels.bmBitsPixel;
  if (depth == 24)
    glTexImage2D(GL_TEXTURE_2D, 0, 3, pixels.bmWidth, pixels.bmHeight, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.bmBits);
  else if (depth == 32)
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, pixels.bmWidth, pixels.bmHeight, 0, kGlBgra, GL_UNSIGNED_BYTE,
                 pixels.bmBits);
  else return;
  if (isMipmapFilter(GL_MIN_FILTER)) ADDMIPMAPSTEXTURE(depth, pixels.bmWidth, pixels.bmHeight, pixels.bmBits);
}

}  // namespace

void ADDMIPMAPSTEXTURE(std::int32_t FORMAT, std::int32_t WIDTH, std::int32_t HEIGHT, const void* BITS) {
  if (FORMAT == 24) gluBuild2DMipmaps(GL_TEXTURE_2D, 3, WIDTH, HEIGHT, GL_RGB, GL_UNSIGNED_BYTE, BITS);
  else if (FORMAT == 32) gluBuild2DMipmaps(GL_TEXTURE_2D, 4, WIDTH, HEIGHT, kGlBgra, GL_UNSIGNED_BYTE, BITS);
}

void TEXTURELOADID(const char* BMPFILE, std::int32_t NUM) {
  GLuint& slot = TEXTUREID2[NUM];
  const std::int32_t depth = GETBMPDEPTH(BMPFILE);
  std::optional<BmpSection> section;
  std::optional<BITMAP> pixels;
  if (depth != 0) pixels = decodeBmp(section.emplace(BMPFILE), depth);

  glEnable(GL_TEXTURE_2D);
  newTextureName(slot);
  glBindTexture(GL_TEXTURE_2D, slot);
  glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
  glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
  glPixelStorei(GL_UNPACK_SKIP_ROWS, 0);
  glPixelStorei(GL_UNPACK_SKIP_PIXELS, 0);
  setTextureParameters();
  if (pixels) uploadBmp(*pixels);
}

void TEXTURESELECTID(std::int32_t NUM) { glBindTexture(GL_TEXTURE_2D, TEXTUREID2[NUM]); }

void TEXTURELOADTGAID(const char* TGAFILE, std::int32_t NUM) {
  if (!fileExists(TGAFILE)) return;
  TGATEXTURE& slot = TEXTURETGA2[NUM];
  if (!LOADTGA(slot, TGAFILE)) return;
  glEnable(GL_TEXTURE_2D);
  newTextureName(slot.TEXID);
  glBindTexture(GL_TEXTURE_2D, slot.TEXID);
  const auto width = static_cast<GLsizei>(slot.WIDTH), height = static_cast<GLsizei>(slot.HEIGHT);
  const auto components = static_cast<GLint>(slot.BPP / 8);
  {
    const TightRowUnpack unpack(width * components);
    glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, slot.TYP, GL_UNSIGNED_BYTE, slot.IMAGEDATA);
    setTextureParameters();
    if (isMipmapFilter(GL_MIN_FILTER))
      gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, slot.TYP, GL_UNSIGNED_BYTE, slot.IMAGEDATA);
  }
  std::free(slot.IMAGEDATA);
  slot.IMAGEDATA = nullptr;
}

void TEXTURETGASELECTID(std::int32_t NUM) { glBindTexture(GL_TEXTURE_2D, TEXTURETGA2[NUM].TEXID); }

}  // namespace Vitrum
