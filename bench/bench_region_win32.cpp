// BITMAPTOREGION end to end on the region benchmark's pictures, written as
// 24-bit BMP files, and where its time goes: loading the file with its palette
// (LOADBMPFROMFILE), the conversion to a 32-bit section (CreateDIBSection and a
// palette-aware BitBlt), the scan of the section's pixels, and building the
// region from the scan's batches (ExtCreateRegion and CombineRgn). Each stage is
// timed on its own, as BITMAPTOREGION does it.
//
// Usage: bench_region_win32 [REPEATS [PICTURE [SIDE]]]   (run it in a scratch
// directory: the pictures are written there). Pictures of more than a million
// runs are timed end to end only when named with their side.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "image_files.h"
#include "region_bench.h"
#include "region_reference.h"
#include "vitrum.h"

namespace {

using vitrum_bench::Picture;
constexpr COLORREF kMagenta = RGB(255, 0, 255);
constexpr std::size_t kLongRuns = 1000000;

std::string writeBmp(const Picture& p) {
  vitrum_test::Bytes rows;  // bottom row first, blue, green, red
  rows.reserve(static_cast<std::size_t>(p.side) * p.side * 3);
  for (int y = p.side - 1; y >= 0; --y)
    for (int x = 0; x < p.side; ++x) {
      const std::uint32_t c = p.words[static_cast<std::size_t>(y) * p.side + x];
      rows.insert(rows.end(), {std::uint8_t(c), std::uint8_t(c >> 8), std::uint8_t(c >> 16)});
    }
  const std::string name = std::string("bench_") + p.name + "_" + std::to_string(p.side) + ".bmp";
  return vitrum_test::saveFile(name, vitrum_test::makeBmp(p.side, p.side, 24, rows));
}

// The picture converted as BITMAPTOREGION converts it, held for the later stages.
struct Section {
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = nullptr;
  HGDIOBJ old = nullptr;
  BITMAP bm{};
  ~Section() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
};

void convert(HBITMAP picture, HPALETTE palette, Section& section) {
  BITMAP bm{};
  GetObjectA(picture, sizeof bm, &bm);
  BITMAPINFOHEADER header{sizeof header, bm.bmWidth, bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  section.bitmap =
      CreateDIBSection(section.dc, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  section.old = SelectObject(section.dc, section.bitmap);
  HDC source = CreateCompatibleDC(nullptr);
  HGDIOBJ oldSource = SelectObject(source, picture);
  HPALETTE oldPalette = SelectPalette(source, palette, TRUE);
  RealizePalette(source);
  BitBlt(section.dc, 0, 0, bm.bmWidth, bm.bmHeight, source, 0, 0, SRCCOPY);
  SelectPalette(source, oldPalette, FALSE);
  SelectObject(source, oldSource);
  DeleteDC(source);
  GdiFlush();
  GetObjectA(section.bitmap, sizeof section.bm, &section.bm);
}

template <class Buffer>
void scan(const Section& s, Buffer& buffer) {
  const std::ptrdiff_t row = s.bm.bmWidthBytes;
  const auto* top = static_cast<const std::uint8_t*>(s.bm.bmBits) + (s.bm.bmHeight - 1) * row;
  Vitrum::internal::scanRegion(top, -row, s.bm.bmWidth, s.bm.bmHeight, Vitrum::internal::keyRange(kMagenta, 1), buffer);
}

// The region of the recorded batches, each made and united as BITMAPTOREGION does.
HRGN build(const vitrum_test::RecordingBuffer& batches) {
  std::vector<std::uint8_t> data(sizeof(RGNDATAHEADER) + 2000 * sizeof(RECT));
  auto* rgn = reinterpret_cast<RGNDATA*>(data.data());
  HRGN result = nullptr;
  for (std::size_t i = 0; i < batches.batches.size(); ++i) {
    const auto& batch = batches.batches[i];
    const auto& b = batches.bounds[i];
    rgn->rdh = {
        sizeof(RGNDATAHEADER), RDH_RECTANGLES, static_cast<DWORD>(batch.size()), 0, {b.left, b.top, b.right, b.bottom}};
    std::memcpy(rgn->Buffer, batch.data(), batch.size() * sizeof(RECT));
    HRGN part = ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), rgn);
    if (!result) {
      result = part;
    } else {
      CombineRgn(result, result, part, RGN_OR);
      DeleteObject(part);
    }
  }
  return result;
}

}  // namespace

int main(int argc, char** argv) {
  const int repeats = argc > 1 ? std::atoi(argv[1]) : 3;
  std::printf("%-8s %5s %9s %11s %10s %10s %10s %10s\n", "picture", "side", "runs", "BITMAPTO..", "load", "convert",
              "scan", "region");
  for (const char* name : {"solid", "sprite", "text", "checker"}) {
    for (int side : {512, 2048, 4096}) {
      if ((argc > 2 && std::string(argv[2]) != name) || (argc > 3 && std::atoi(argv[3]) != side)) continue;
      const std::string file = writeBmp(vitrum_bench::make(name, side));
      HPALETTE palette = nullptr;
      const double load = vitrum_bench::bestMilliseconds(repeats, [&] {
        DeleteObject(Vitrum::LOADBMPFROMFILE(file.c_str(), palette));
        DeleteObject(palette);
      });
      HBITMAP picture = Vitrum::LOADBMPFROMFILE(file.c_str(), palette);
      const double conversion = vitrum_bench::bestMilliseconds(repeats, [&] {
        Section section;
        convert(picture, palette, section);
      });
      Section section;
      convert(picture, palette, section);
      vitrum_bench::CountingBuffer counted;
      const double scanning = vitrum_bench::bestMilliseconds(repeats, [&] {
        counted.rectangles = 0;
        scan(section, counted);
      });
      vitrum_test::RecordingBuffer recorded;
      scan(section, recorded);
      // Each batch is united with all before it, so building grows with the
      // square of the runs: past kLongRuns it takes minutes, and runs only when asked for.
      if (counted.rectangles > kLongRuns && argc <= 3) {
        std::printf("%-8s %5d %9zu %11s %8.1fms %8.1fms %8.1fms %10s\n", name, side, counted.rectangles, "-", load,
                    conversion, scanning, "-");
      } else {
        const double building = vitrum_bench::bestMilliseconds(repeats, [&] { DeleteObject(build(recorded)); });
        const double total = vitrum_bench::bestMilliseconds(
            repeats, [&] { DeleteObject(Vitrum::BITMAPTOREGION(file.c_str(), kMagenta, 1)); });
        std::printf("%-8s %5d %9zu %9.1fms %8.1fms %8.1fms %8.1fms %8.1fms\n", name, side, counted.rectangles, total,
                    load, conversion, scanning, building);
      }
      std::fflush(stdout);
      DeleteObject(picture);
      DeleteObject(palette);
      DeleteFileA(file.c_str());
    }
  }
  return 0;
}
