// Regions from bitmaps: a BMP file loaded with a palette for it, converted to
// 32 bits through GDI, and its non-key pixels turned into a region.
#include <cstddef>

#include "internal.h"
#include "vitrum.h"

namespace Vitrum {

namespace {

static_assert(sizeof(internal::ScanRect) == sizeof(RECT) && offsetof(RECT, bottom) == 12);
static_assert(sizeof(internal::ScanHeader) == sizeof(RGNDATAHEADER) &&
              offsetof(RGNDATAHEADER, nCount) == offsetof(internal::ScanHeader, count) &&
              offsetof(RGNDATAHEADER, rcBound) == offsetof(internal::ScanHeader, bound));

constexpr UINT kLoadFlags = LR_LOADFROMFILE | LR_CREATEDIBSECTION;

// A LOGPALETTE of 256 entries.
struct Palette256 {
  WORD palVersion;
  WORD palNumEntries;
  PALETTEENTRY palPalEntry[256];
};

// The palette of a bitmap with a colour table: its entries, black past the
// colours the table delivers.
HPALETTE tablePalette(HBITMAP bitmap) {
  const HDC MEMDC = CreateCompatibleDC(nullptr);
  const HGDIOBJ OLDBMP = SelectObject(MEMDC, bitmap);
  RGBQUAD table[256]{};
  GetDIBColorTable(MEMDC, 0, 256, table);
  Palette256 logical{0x300, 256, {}};
  for (int I = 0; I < 256; ++I)
    logical.palPalEntry[I] = {table[I].rgbRed, table[I].rgbGreen, table[I].rgbBlue, 0};
  const HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
  SelectObject(MEMDC, OLDBMP);
  DeleteDC(MEMDC);
  return palette;
}

// The rectangle buffer in movable global memory; each flushed batch becomes a
// region united into the result.
class GlobalRectangleBuffer final : public internal::RectangleBuffer {
 public:
  GlobalRectangleBuffer() = default;
  GlobalRectangleBuffer(const GlobalRectangleBuffer&) = delete;
  GlobalRectangleBuffer& operator=(const GlobalRectangleBuffer&) = delete;
  ~GlobalRectangleBuffer() {
    if (HDATA_) GlobalFree(HDATA_);
    if (result_) DeleteObject(result_);
  }

  internal::ScanHeader* resize(std::size_t bytes) override {
    if (!HDATA_) {
      HDATA_ = GlobalAlloc(GMEM_MOVEABLE, bytes);
    } else {
      GlobalUnlock(HDATA_);
      // A failed reallocation leaves the old block, which the destructor frees.
      const HGLOBAL grown = GlobalReAlloc(HDATA_, bytes, GMEM_MOVEABLE);
      if (!grown) return nullptr;
      HDATA_ = grown;
    }
    return HDATA_ ? static_cast<internal::ScanHeader*>(GlobalLock(HDATA_)) : nullptr;
  }

  void flush(const internal::ScanHeader* data, std::size_t bytes) override {
    const HRGN batch = ExtCreateRegion(nullptr, static_cast<DWORD>(bytes), reinterpret_cast<const RGNDATA*>(data));
    if (!result_) {
      result_ = batch;
    } else {
      CombineRgn(result_, result_, batch, RGN_OR);
      DeleteObject(batch);
    }
  }

  // Frees the buffer and hands the result over.
  HRGN finish() {
    GlobalFree(HDATA_);
    HDATA_ = nullptr;
    const HRGN result = result_;
    result_ = nullptr;
    return result;
  }

 private:
  HGLOBAL HDATA_ = nullptr;
  HRGN result_ = nullptr;
};

// The region of the key-free pixels of HBM32, a bottom-up 32-bit DIB section;
// 0 when the rectangle buffer cannot be had or the section's rows cannot be reached.
HRGN scanSection(HBITMAP HBM32, COLORREF TRANSCOLOR, BYTE TOLERANCE) {
  BITMAP BM32{};
  GetObjectA(HBM32, sizeof BM32, &BM32);
  const auto rows = internal::bottomUpRows(BM32.bmHeight, BM32.bmWidthBytes);
  if (!rows) return nullptr;
  const auto* const top = static_cast<const std::uint8_t*>(BM32.bmBits) + rows->topOffset;
  GlobalRectangleBuffer buffer;
  if (!internal::scanRegion(top, -rows->distance, BM32.bmWidth, BM32.bmHeight,
                            internal::keyRange(TRANSCOLOR, TOLERANCE), buffer))
    return nullptr;
  return buffer.finish();
}

}  // namespace

HBITMAP LOADBMPFROMFILE(const char* FILENAME, HPALETTE& PAL) {
  if (!internal::bmpPixelsReadable(FILENAME)) return nullptr;
  const auto BMP = static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), FILENAME, IMAGE_BITMAP, 0, 0, kLoadFlags));
  if (!BMP) return nullptr;
  BITMAP BM{};
  GetObjectA(BMP, sizeof BM, &BM);
  if (BM.bmBitsPixel * BM.bmPlanes <= 8) {
    PAL = tablePalette(BMP);
  } else {
    const HDC screen = GetDC(nullptr);
    PAL = CreateHalftonePalette(screen);
    ReleaseDC(nullptr, screen);
  }
  return BMP;
}

HRGN BITMAPTOREGION(const char* BMPNAME, COLORREF TRANSCOLOR, BYTE TOLERANCE) {
  HRGN result = nullptr;
  HPALETTE PAL = nullptr;
  const HBITMAP INBMP = LOADBMPFROMFILE(BMPNAME, PAL);
  if (!INBMP) return nullptr;
  if (const HDC MEMDC = CreateCompatibleDC(nullptr)) {
    BITMAP BM{};
    GetObjectA(INBMP, sizeof BM, &BM);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = BM.bmWidth;
    header.biHeight = BM.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    void* PBITS32 = nullptr;
    const HBITMAP HBM32 = CreateDIBSection(MEMDC, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS,
                                           &PBITS32, nullptr, 0);
    if (HBM32) {
      const HGDIOBJ HOLDOBJ = SelectObject(MEMDC, HBM32);
      if (const HDC TEMPDC = CreateCompatibleDC(nullptr)) {
        const HGDIOBJ HOLDOBJ1 = SelectObject(TEMPDC, INBMP);
        const HPALETTE OLDPAL = SelectPalette(TEMPDC, PAL, TRUE);
        RealizePalette(TEMPDC);
        BitBlt(MEMDC, 0, 0, BM.bmWidth, BM.bmHeight, TEMPDC, 0, 0, SRCCOPY);
        SelectPalette(TEMPDC, OLDPAL, FALSE);
        SelectObject(TEMPDC, HOLDOBJ1);
        DeleteDC(TEMPDC);
        // GDI may still hold the copy in its batch; the scan reads the section's memory directly.
        GdiFlush();
        result = scanSection(HBM32, TRANSCOLOR, TOLERANCE);
      }
      SelectObject(MEMDC, HOLDOBJ);
      DeleteObject(HBM32);
    }
    DeleteDC(MEMDC);
  }
  DeleteObject(PAL);
  DeleteObject(INBMP);
  return result;
}

}  // namespace Vitrum
