// The TGA reader: type 2 and type 10 true-colour files into R, G, B (, A) pixels.
#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "internal.h"
#include "vitrum_core.h"

namespace Vitrum {

std::FILE* FTGA = nullptr;
TTGAHEADER TGAHEADER;
TTGA TGA;
const TTABLE<std::uint8_t, 0, 11, "UTGACOMPARE"> UTGACOMPARE{{0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0}};
const TTABLE<std::uint8_t, 0, 11, "CTGACOMPARE"> CTGACOMPARE{{0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0}};

namespace {

constexpr std::uint32_t kGlRgb = 0x1907;
constexpr std::uint32_t kGlRgba = 0x1908;
constexpr std::uint32_t kMbOk = 0;
constexpr std::uint64_t kLargestImage = 0x7FFFFFFF;  // IMAGESIZE and the raw read are 32-bit signed

bool fail(const char* text, const char* caption = "ERROR") {
  internal::platformMessageBox(text, caption, kMbOk);
  return false;
}

// Bytes from the current position of FILE to its end, or -1 when the stream
// cannot tell (then the decoders find the end by reading).
long long bytesLeft(std::FILE* file) {
  const long here = std::ftell(file);
  if (here < 0) return -1;
  long long left = -1;
  if (std::fseek(file, 0, SEEK_END) == 0) {
    const long end = std::ftell(file);
    if (end >= here) left = end - here;
  }
  std::fseek(file, here, SEEK_SET);
  return left;
}

// Block-buffered reading of FTGA: packets are one to a few hundred bytes, and a
// stdio call per packet would cost more than decoding it.
class PacketReader {
 public:
  explicit PacketReader(std::FILE* file) : file_(file) {}

  // Makes COUNT bytes (at most one packet's worth) contiguous at data(); false
  // when the file ends, or fails, before all of them.
  bool ensure(std::size_t count) {
    if (end_ - pos_ >= count) return true;
    std::memmove(buffer_, buffer_ + pos_, end_ - pos_);
    end_ -= pos_;
    pos_ = 0;
    while (end_ < count) {
      const std::size_t got = std::fread(buffer_ + end_, 1, sizeof buffer_ - end_, file_);
      if (got == 0) return false;
      end_ += got;
    }
    return true;
  }
  const std::uint8_t* data() const { return buffer_ + pos_; }
  void consume(std::size_t count) { pos_ += count; }

 private:
  std::FILE* file_;
  std::size_t pos_ = 0, end_ = 0;
  std::uint8_t buffer_[32768];
};

// Writes COUNT pixels from B, G, R (, A) at SRC to R, G, B (, A) at DST.
template <std::uint32_t Bytes>
void swizzle(std::uint8_t* dst, const std::uint8_t* src, std::uint32_t count) {
  for (std::uint32_t i = 0; i < count; ++i, dst += Bytes, src += Bytes) {
    dst[0] = src[2];
    dst[1] = src[1];
    dst[2] = src[0];
    if constexpr (Bytes == 4) dst[3] = src[3];
  }
}

// B, G, R (, A) to R, G, B (, A) in place over SIZE bytes; a constant stride
// lets the compiler vectorise the loop.
template <std::uint32_t Bytes>
void swapRedBlue(std::uint8_t* pixels, std::size_t size) {
  for (std::size_t i = 0; i < size; i += Bytes) std::swap(pixels[i], pixels[i + 2]);
}

// Writes COUNT copies of the B, G, R (, A) pixel at SRC to DST as R, G, B (, A).
template <std::uint32_t Bytes>
void fill(std::uint8_t* dst, const std::uint8_t* src, std::uint32_t count) {
  std::uint8_t pixel[Bytes];
  swizzle<Bytes>(pixel, src, 1);
  for (std::uint32_t i = 0; i < count; ++i, dst += Bytes) std::memcpy(dst, pixel, Bytes);
}

// Runs the packet stream of a type 10 image of PIXELCOUNT pixels. With STORE
// the pixels go to OUT; without, the stream is only checked, which tells
// what a short file's decoding would report without allocating the image.
// Returns null when the image was filled, else the failure's message.
template <std::uint32_t Bytes, bool Store>
const char* decodePackets(PacketReader& in, std::uint8_t* out, std::uint32_t pixelCount) {
  std::uint32_t currentPixel = 0;
  while (currentPixel < pixelCount) {
    if (!in.ensure(1)) return "Could not read RLE header";
    const std::uint8_t chunkHeader = *in.data();
    in.consume(1);
    const std::uint32_t count = (chunkHeader & 0x7Fu) + 1;
    const std::uint32_t room = pixelCount - currentPixel;
    const std::uint32_t stored = std::min(count, room);
    if (chunkHeader < 128) {
      if (!in.ensure(std::size_t{stored} * Bytes)) return "Could not read image data";
      if constexpr (Store) swizzle<Bytes>(out + std::size_t{currentPixel} * Bytes, in.data(), stored);
      in.consume(std::size_t{stored} * Bytes);
      // The first surplus pixel is still read before the overflow is reported.
      if (count > room) return in.ensure(Bytes) ? "Too many pixels read" : "Could not read image data";
    } else {
      if (!in.ensure(Bytes)) return "Could not read from file";
      if constexpr (Store) fill<Bytes>(out + std::size_t{currentPixel} * Bytes, in.data(), stored);
      in.consume(Bytes);
      if (count > room) return "Too many pixels read";
    }
    currentPixel += stored;
  }
  return nullptr;
}

template <bool Store>
const char* decodePackets(PacketReader& in, std::uint8_t* out, std::uint32_t pixelCount, std::uint32_t bytesPerPixel) {
  return bytesPerPixel == 3 ? decodePackets<3, Store>(in, out, pixelCount)
                            : decodePackets<4, Store>(in, out, pixelCount);
}

// The header step both decoders share: bytes 12 to 17, the checks, the sizes.
bool readInfoHeader(TGATEXTURE& texture) {
  if (std::fread(TGA.HEADER.data(), 1, TGA.HEADER.size(), FTGA) != TGA.HEADER.size())
    return fail("Could not read info header");
  texture.WIDTH = TGA.HEADER[1] * 256u + TGA.HEADER[0];
  texture.HEIGHT = TGA.HEADER[3] * 256u + TGA.HEADER[2];
  texture.BPP = TGA.HEADER[4];
  TGA.WIDTH = texture.WIDTH;
  TGA.HEIGH = texture.HEIGHT;
  TGA.BPP = texture.BPP;
  const std::uint64_t imageSize = std::uint64_t{texture.BPP / 8} * texture.WIDTH * texture.HEIGHT;
  if (texture.WIDTH == 0 || texture.HEIGHT == 0 || (texture.BPP != 24 && texture.BPP != 32) ||
      imageSize > kLargestImage)
    return fail("Invalid texture information");
  texture.TYP = texture.BPP == 24 ? kGlRgb : kGlRgba;
  TGA.BYTESPERPIXEL = texture.BPP / 8;
  TGA.IMAGESIZE = static_cast<std::uint32_t>(imageSize);
  return true;
}

bool allocateImage(TGATEXTURE& texture) {
  texture.IMAGEDATA = static_cast<std::uint8_t*>(std::malloc(TGA.IMAGESIZE));
  return texture.IMAGEDATA ? true : fail("Could not allocate memory for image");
}

bool releaseAndFail(TGATEXTURE& texture, const char* text) {
  std::free(texture.IMAGEDATA);
  texture.IMAGEDATA = nullptr;
  return fail(text);
}

bool loadUncompressed(TGATEXTURE& texture) {
  if (!readInfoHeader(texture)) return false;
  const long long left = bytesLeft(FTGA);
  if (left >= 0 && left < TGA.IMAGESIZE) return fail("Could not read image data");
  if (!allocateImage(texture)) return false;
  if (std::fread(texture.IMAGEDATA, 1, TGA.IMAGESIZE, FTGA) != TGA.IMAGESIZE)
    return releaseAndFail(texture, "Could not read image data");
  if (TGA.BYTESPERPIXEL == 3) swapRedBlue<3>(texture.IMAGEDATA, TGA.IMAGESIZE);
  else swapRedBlue<4>(texture.IMAGEDATA, TGA.IMAGESIZE);
  return true;
}

// The failure a type 10 stream of PIXELCOUNT pixels meets when the file is too
// short to fill the image even with the longest runs, found by a first pass
// that decodes without storing, so that no image is allocated for it. Null
// when the file is long enough, or grew while it was measured; the stream is
// then where it was.
const char* shortStreamFailure(std::uint32_t pixelCount) {
  const std::uint64_t shortestStream = (pixelCount + 127ull) / 128 * (1 + TGA.BYTESPERPIXEL);
  const long long left = bytesLeft(FTGA);
  if (left < 0 || static_cast<std::uint64_t>(left) >= shortestStream) return nullptr;
  const long start = std::ftell(FTGA);
  PacketReader dryRun(FTGA);
  const char* failure = decodePackets<false>(dryRun, nullptr, pixelCount, TGA.BYTESPERPIXEL);
  if (!failure) std::fseek(FTGA, start, SEEK_SET);
  return failure;
}

bool loadCompressed(TGATEXTURE& texture) {
  if (!readInfoHeader(texture)) return false;
  const std::uint32_t pixelCount = texture.WIDTH * texture.HEIGHT;
  if (const char* failure = shortStreamFailure(pixelCount)) return fail(failure);
  if (!allocateImage(texture)) return false;
  PacketReader in(FTGA);
  if (const char* failure = decodePackets<true>(in, texture.IMAGEDATA, pixelCount, TGA.BYTESPERPIXEL))
    return releaseAndFail(texture, failure);
  return true;
}

}  // namespace

namespace internal {

bool readOpenTga(TGATEXTURE& texture) {
  bool loaded = false;
  if (std::fread(TGAHEADER.HEADER.data(), 1, TGAHEADER.HEADER.size(), FTGA) != TGAHEADER.HEADER.size())
    fail("Could not read file header");
  else if (std::equal(TGAHEADER.HEADER.data(), TGAHEADER.HEADER.data() + 12, UTGACOMPARE.data()))
    loaded = loadUncompressed(texture);
  else if (std::equal(TGAHEADER.HEADER.data(), TGAHEADER.HEADER.data() + 12, CTGACOMPARE.data()))
    loaded = loadCompressed(texture);
  else fail("TGA file be type 2 or type 10", "Invalid Image");
  std::fclose(FTGA);
  FTGA = nullptr;
  return loaded;
}

}  // namespace internal

bool LOADTGA(TGATEXTURE& TEXTURE, const char* FILENAME) {
  TEXTURE.IMAGEDATA = nullptr;
  // Read-only, so that textures in write-protected places load too.
  FTGA = std::fopen(FILENAME, "rb");
  if (!FTGA) return fail("Could not open texture file");
  return internal::readOpenTga(TEXTURE);
}

}  // namespace Vitrum
