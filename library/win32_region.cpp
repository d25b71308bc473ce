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
  const HDC memDc = CreateCompatibleDC(nullptr);
  const HGDIOBJ oldBitmap = SelectObject(memDc, bitmap);
  RGBQUAD table[256]{};
  GetDIBColorTable(memDc, 0, 256, table);
  Palette256 logical{0x300, 256, {}};
  for (int i = 0; i < 256; ++i) logical.palPalEntry[i] = {table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue, 0};
  const HPALETTE palette = CreatePalette(reinterpret_cast<const LOGPALETTE*>(&logical));
  SelectObject(memDc, oldBitmap);
  DeleteDC(memDc);
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
    if (data_) GlobalFree(data_);
    if (result_) DeleteObject(result_);
  }

  internal::ScanHeader* resize(std::size_t bytes) override {
    if (!data_) {
      data_ = GlobalAlloc(GMEM_MOVEABLE, bytes);
    } else {
      GlobalUnlock(data_);
      // A failed reallocation leaves the old block, which the destructor frees.
      const HGLOBAL grown = GlobalReAlloc(data_, bytes, GMEM_MOVEABLE);
      if (!grown) return nullptr;
      data_ = grown;
    }
    return data_ ? static_cast<internal::ScanHeader*>(GlobalLock(data_)) : nullptr;
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
    GlobalFree(data_);
    data_ = nullptr;
    const HRGN result = result_;
    result_ = nullptr;
    return result;
  }

 private:
  HGLOBAL data_ = nullptr;
  HRGN result_ = nullptr;
};

// A memory device context compatible with the screen, deleted with this object.
class MemoryDc {
 public:
  MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
  ~MemoryDc() {
    if (dc_) DeleteDC(dc_);
  }
  MemoryDc(const MemoryDc&) = delete;
  MemoryDc& operator=(const MemoryDc&) = delete;

  explicit operator bool() const { return dc_ != nullptr; }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A GDI object, deleted with this object.
class OwnedObject {
 public:
  explicit OwnedObject(HGDIOBJ object) : object_(object) {}
  ~OwnedObject() { DeleteObject(object_); }
  OwnedObject(const OwnedObject&) = delete;
  OwnedObject& operator=(const OwnedObject&) = delete;

 private:
  HGDIOBJ object_;
};

// OBJECT selected into DC, and the object it replaced selected again with
// the end of this one.
class Selection {
 public:
  Selection(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
  ~Selection() { SelectObject(dc_, previous_); }
  Selection(const Selection&) = delete;
  Selection& operator=(const Selection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

// PALETTE selected into DC as a background palette and realised, and the one
// it replaced selected again with the end of this one.
class RealizedPalette {
 public:
  RealizedPalette(HDC dc, HPALETTE palette) : dc_(dc), previous_(SelectPalette(dc, palette, TRUE)) {
    RealizePalette(dc);
  }
  ~RealizedPalette() { SelectPalette(dc_, previous_, FALSE); }
  RealizedPalette(const RealizedPalette&) = delete;
  RealizedPalette& operator=(const RealizedPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE previous_;
};

// The 32-bit DIB section of WIDTH x HEIGHT pixels, bottom-up; null when GDI
// cannot make it.
HBITMAP section32(HDC dc, LONG width, LONG height) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof header;
  header.biWidth = width;
  header.biHeight = height;
  header.biPlanes = 1;
  header.biBitCount = 32;
  header.biCompression = BI_RGB;
  void* bits = nullptr;
  return CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
}

// Copies PICTURE through PALETTE into the bitmap selected into TARGET, so
// that a picture with a colour table comes out in its own colours; false
// when there is no device context to copy from.
bool copyThroughPalette(HDC target, HBITMAP picture, HPALETTE palette, LONG width, LONG height) {
  const MemoryDc pictureDc;
  if (!pictureDc) return false;
  const Selection selected(pictureDc.get(), picture);
  const RealizedPalette realized(pictureDc.get(), palette);
  BitBlt(target, 0, 0, width, height, pictureDc.get(), 0, 0, SRCCOPY);
  return true;
}

// The region of the key-free pixels of a bottom-up 32-bit DIB section;
// 0 when the rectangle buffer cannot be had or the section's rows cannot be reached.
HRGN scanSection(HBITMAP section, COLORREF transColor, BYTE tolerance) {
  BITMAP info{};
  GetObjectA(section, sizeof info, &info);
  const auto rows = internal::bottomUpRows(info.bmHeight, info.bmWidthBytes);
  if (!rows) return nullptr;
  const auto* const top = static_cast<const std::uint8_t*>(info.bmBits) + rows->topOffset;
  GlobalRectangleBuffer buffer;
  if (!internal::scanRegion(top, -rows->distance, info.bmWidth, info.bmHeight,
                            internal::keyRange(transColor, tolerance), buffer))
    return nullptr;
  return buffer.finish();
}

}  // namespace

HBITMAP LOADBMPFROMFILE(const char* FILENAME, HPALETTE& PAL) {
  if (!internal::bmpPixelsReadable(FILENAME)) return nullptr;
  const auto bitmap =
      static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), FILENAME, IMAGE_BITMAP, 0, 0, kLoadFlags));
  if (!bitmap) return nullptr;
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  if (info.bmBitsPixel * info.bmPlanes <= 8) {
    PAL = tablePalette(bitmap);
  } else {
    const HDC screen = GetDC(nullptr);
    PAL = CreateHalftonePalette(screen);
    ReleaseDC(nullptr, screen);
  }
  return bitmap;
}

HRGN BITMAPTOREGION(const char* BMPNAME, COLORREF TRANSCOLOR, BYTE TOLERANCE) {
  HPALETTE palette = nullptr;
  const HBITMAP picture = LOADBMPFROMFILE(BMPNAME, palette);
  if (!picture) return nullptr;
  const OwnedObject ownPicture(picture), ownPalette(palette);
  const MemoryDc memDc;
  if (!memDc) return nullptr;
  BITMAP info{};
  GetObjectA(picture, sizeof info, &info);
  const HBITMAP section = section32(memDc.get(), info.bmWidth, info.bmHeight);
  if (!section) return nullptr;
  const OwnedObject ownSection(section);
  const Selection selected(memDc.get(), section);
  if (!copyThroughPalette(memDc.get(), picture, palette, info.bmWidth, info.bmHeight)) return nullptr;
  // GDI may still hold the copy in its batch; the scan reads the section's memory directly.
  GdiFlush();
  return scanSection(section, TRANSCOLOR, TOLERANCE);
}

}  // namespace Vitrum
