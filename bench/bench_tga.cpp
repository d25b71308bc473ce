// TGA decoding from file to pixels: LOADTGA against stb_image's stbi_load (same
// files, same output layout) and against the floor of the job, reading the file
// and exchanging red and blue once. Prints the ratios of one run side by side.
//
// Usage: bench_tga [DIRECTORY]   (where the 2048 x 2048 sample files are written)
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <utility>
#include <vector>

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#include <stb/stb_image.h>

#include "vitrum_core.h"

namespace {

using Bytes = std::vector<std::uint8_t>;
constexpr int kSide = 2048;
constexpr int kRepeats = 7;

// Photo-like pixels: smooth noisy shading with flat patches, so that run-length
// encoding gives both raw and run packets.
Bytes photo(int bytesPerPixel) {
  std::mt19937 random(2048);
  Bytes pixels(static_cast<std::size_t>(kSide) * kSide * bytesPerPixel);
  for (int y = 0; y < kSide; ++y) {
    for (int x = 0; x < kSide; ++x) {
      std::uint8_t* p = &pixels[(static_cast<std::size_t>(y) * kSide + x) * bytesPerPixel];
      const bool flat = ((x / 96) + (y / 64)) % 3 == 0;
      const auto noise = static_cast<std::uint8_t>(random() % 8);
      for (int c = 0; c < bytesPerPixel; ++c)
        p[c] = flat ? static_cast<std::uint8_t>(40 * c + 30)
                    : static_cast<std::uint8_t>((x * (c + 1) / 9 + y / 7 + noise) & 0xFF);
    }
  }
  return pixels;
}

// Packets as a typical encoder writes them: runs of two or more equal pixels,
// everything else in raw packets, neither longer than 128 pixels.
Bytes encodeRle(const Bytes& pixels, int bpp) {
  Bytes out;
  const std::size_t count = pixels.size() / bpp;
  auto same = [&](std::size_t a, std::size_t b) { return std::memcmp(&pixels[a * bpp], &pixels[b * bpp], bpp) == 0; };
  for (std::size_t i = 0; i < count;) {
    std::size_t run = 1;
    while (i + run < count && run < 128 && same(i, i + run)) ++run;
    if (run > 1) {
      out.push_back(static_cast<std::uint8_t>(127 + run));
      out.insert(out.end(), &pixels[i * bpp], &pixels[i * bpp] + bpp);
      i += run;
      continue;
    }
    std::size_t raw = 1;
    while (i + raw < count && raw < 128 && !(i + raw + 1 < count && same(i + raw, i + raw + 1))) ++raw;
    out.push_back(static_cast<std::uint8_t>(raw - 1));
    out.insert(out.end(), &pixels[i * bpp], &pixels[(i + raw) * bpp]);
    i += raw;
  }
  return out;
}

std::string writeSample(const std::filesystem::path& dir, int bits, bool rle) {
  const int bpp = bits / 8;
  const Bytes pixels = photo(bpp);
  // Top-left origin, so that stb_image keeps the rows in file order as LOADTGA does.
  // clang-format off
  Bytes file{0, 0, static_cast<std::uint8_t>(rle ? 10 : 2), 0, 0, 0, 0, 0, 0, 0, 0, 0,
             kSide & 0xFF, kSide >> 8, kSide & 0xFF, kSide >> 8, static_cast<std::uint8_t>(bits),
             static_cast<std::uint8_t>(0x20 | (bits == 32 ? 8 : 0))};
  // clang-format on
  const Bytes data = rle ? encodeRle(pixels, bpp) : pixels;
  file.insert(file.end(), data.begin(), data.end());
  const std::string path = (dir / ("bench_" + std::to_string(bits) + (rle ? "_rle" : "_raw") + ".tga")).string();
  std::FILE* out = std::fopen(path.c_str(), "wb");
  std::fwrite(file.data(), 1, file.size(), out);
  std::fclose(out);
  return path;
}

template <class F>
double bestMilliseconds(F&& run) {
  double best = 1e30;
  for (int i = 0; i < kRepeats; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

template <int Bytes>
void swapRedBlue(std::uint8_t* pixels, std::size_t size) {
  for (std::size_t i = 0; i < size; i += Bytes) std::swap(pixels[i], pixels[i + 2]);
}

// The floor: the whole file read into memory and red and blue exchanged once
// over an image's worth of pixels.
void floorJob(const std::string& path, int bpp) {
  std::FILE* in = std::fopen(path.c_str(), "rb");
  std::fseek(in, 0, SEEK_END);
  const long size = std::ftell(in);
  std::fseek(in, 0, SEEK_SET);
  const std::size_t imageSize = static_cast<std::size_t>(kSide) * kSide * bpp;
  auto* buffer = static_cast<std::uint8_t*>(std::malloc(std::max<std::size_t>(size, imageSize)));
  if (std::fread(buffer, 1, static_cast<std::size_t>(size), in) != static_cast<std::size_t>(size)) std::abort();
  std::fclose(in);
  if (bpp == 3) swapRedBlue<3>(buffer, imageSize);
  else swapRedBlue<4>(buffer, imageSize);
  std::free(buffer);
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path dir = argc > 1 ? argv[1] : std::filesystem::temp_directory_path();
  std::printf("%-14s %10s %10s %10s %14s %14s\n", "file", "LOADTGA", "stbi_load", "floor", "stb/LOADTGA",
              "LOADTGA/floor");
  for (const bool rle : {false, true}) {
    for (const int bits : {24, 32}) {
      const std::string path = writeSample(dir, bits, rle);
      const int bpp = bits / 8;
      Vitrum::TGATEXTURE texture{};
      int w = 0, h = 0, n = 0;
      // The two decoders must agree before their times mean anything.
      if (!Vitrum::LOADTGA(texture, path.c_str())) return 1;
      stbi_uc* reference = stbi_load(path.c_str(), &w, &h, &n, bpp);
      if (!reference || std::memcmp(reference, texture.IMAGEDATA, static_cast<std::size_t>(kSide) * kSide * bpp) != 0) {
        std::fprintf(stderr, "%s: LOADTGA and stb_image disagree\n", path.c_str());
        return 1;
      }
      stbi_image_free(reference);
      std::free(texture.IMAGEDATA);

      const double ours = bestMilliseconds([&] {
        Vitrum::LOADTGA(texture, path.c_str());
        std::free(texture.IMAGEDATA);
      });
      const double stb = bestMilliseconds([&] { stbi_image_free(stbi_load(path.c_str(), &w, &h, &n, bpp)); });
      const double floor = bestMilliseconds([&] { floorJob(path, bpp); });
      std::printf("%-14s %8.2fms %8.2fms %8.2fms %13.2fx %13.2fx\n",
                  (std::to_string(bits) + (rle ? "-bit RLE" : "-bit raw")).c_str(), ours, stb, floor, stb / ours,
                  ours / floor);
      std::filesystem::remove(path);
    }
  }
  return 0;
}
