// The TGA reader on arbitrary bytes: the same decoding LOADTGA runs after its
// open, fed from an in-memory stream.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "internal.h"
#include "null_platform.h"
#include "vitrum_core.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;  // fmemopen refuses an empty buffer
  Vitrum::FTGA = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (!Vitrum::FTGA) return 0;
  Vitrum::TGATEXTURE texture{};
  const bool loaded = Vitrum::internal::readOpenTga(texture);
  if (loaded != (texture.IMAGEDATA != nullptr) || Vitrum::FTGA != nullptr) std::abort();
  if (loaded) {
    // Touch every byte the reader claims to have written.
    unsigned sum = 0;
    const std::size_t bytes = std::size_t{texture.BPP / 8} * texture.WIDTH * texture.HEIGHT;
    for (std::size_t i = 0; i < bytes; ++i) sum += texture.IMAGEDATA[i];
    if (sum == 0xFFFFFFFFu) std::abort();
    std::free(texture.IMAGEDATA);
  }
  Vitrum::internal::nullMessages.clear();
  return 0;
}
