// The BMP depth probe and the pixel-readability check on arbitrary bytes, through
// a file as they read one.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "internal.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // In memory where there is a tmpfs: a file on disk per input makes the run wait on I/O.
  static const std::string path = std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") +
                                  "/vitrum_fuzz_bmp_" + std::to_string(getpid()) + ".bmp";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  const std::int32_t depth = Vitrum::GETBMPDEPTH(path.c_str());
  // A depth comes only from a complete "BM" file with a header longer than 12 bytes.
  if (depth != 0 && (size < 54 || data[0] != 'B' || data[1] != 'M')) std::abort();
  if (depth < 0 || depth > 0xFFFF) std::abort();
  // Readable needs at least a core header and the pixel offset within the file.
  if (Vitrum::internal::bmpPixelsReadable(path.c_str()) &&
      (size < 26 || (std::uint32_t{data[10]} | data[11] << 8 | data[12] << 16 | std::uint32_t{data[13]} << 24) > size))
    std::abort();
  return 0;
}
