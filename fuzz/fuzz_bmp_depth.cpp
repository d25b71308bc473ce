// The BMP depth probe on arbitrary bytes, through a file as it reads one.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "vitrum_core.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string path = "/tmp/vitrum_fuzz_bmp_" + std::to_string(getpid()) + ".bmp";
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  std::fwrite(data, 1, size, file);
  std::fclose(file);
  const std::int32_t depth = Vitrum::GETBMPDEPTH(path.c_str());
  // A depth comes only from a complete "BM" file with a header longer than 12 bytes.
  if (depth != 0 && (size < 54 || data[0] != 'B' || data[1] != 'M')) std::abort();
  if (depth < 0 || depth > 0xFFFF) std::abort();
  return 0;
}
