// Vitrum internals shared by the library's own sources; not part of the interface.
// Platform-free: no <windows.h> here. What the extension uses too is in
// internal_shared.h.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "internal_shared.h"
#include "vitrum_core.h"

namespace Vitrum::internal {

//== Platform services =========================================================
// Implemented once per platform: win32_platform.cpp, null_platform.cpp.

// Shows a modal message box with no owner and returns the button pressed.
std::int32_t platformMessageBox(const char* text, const char* caption, std::uint32_t style);

//== BMP files (bmp.cpp) =======================================================

// Whether the BMP file NAME holds all the pixel bytes its headers describe, in
// an encoding GDI decodes (none, RLE8, RLE4, bitfields). GDI reads a file's
// pixels where its headers say, past the end of the file when they lie (under
// Wine an offset past the end ends the process), and makes a bitmap of nothing
// from an unknown encoding; the library hands GDI no file that fails this.
bool bmpPixelsReadable(const char* name);

//== Input rules (input.cpp) ===================================================
// The arithmetic of the window procedure's mouse and FPS rules.

// Client coordinates packed in a mouse message's LPARAM, each a signed 16-bit number.
inline std::int32_t lowCoordinate(std::uintptr_t lparam) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>(lparam & 0xFFFF));
}
inline std::int32_t highCoordinate(std::uintptr_t lparam) {
  return static_cast<std::int16_t>(static_cast<std::uint16_t>((lparam >> 16) & 0xFFFF));
}

void leftButtonDown(std::int32_t x, std::int32_t y);
void leftButtonUp();
void rightButtonDown(std::int32_t y);
void rightButtonUp();
// A mouse move: keeps the position, turns both angle pairs while the left button
// is held and changes both distances while the right one is (not in free-look mode).
void mouseMove(std::int32_t x, std::int32_t y);
// The free-look rule for cursor position (mx, my) and the point (cx, cy) the
// cursor is brought back to, both in screen coordinates.
void freeLook(std::int32_t mx, std::int32_t my, std::int32_t cx, std::int32_t cy);
// The FPS update: computes the figure, steps FORCEFPS, sets FPSCOUNTSTR, clears
// FPSCOUNT and returns the new window title.
std::string fpsUpdate();

//== TGA reader (tga.cpp) ======================================================

// LOADTGA after the open: decodes the TGA file already open as FTGA (at its
// start) into TEXTURE, showing the reader's messages, and closes FTGA.
bool readOpenTga(TGATEXTURE& texture);

//== Region scan (region_scan.cpp) ============================================
// The pixel scan behind window regions: 32-bit pixel rows in, batches of
// one-pixel-high rectangles out, in the layout the platform's region builder takes.

// A rectangle, right and bottom exclusive; laid out as the platform's RECT.
struct ScanRect {
  std::int32_t left, top, right, bottom;
  friend bool operator==(const ScanRect&, const ScanRect&) = default;
};
// The header in front of the rectangles; laid out as the platform's RGNDATAHEADER.
struct ScanHeader {
  std::uint32_t size;        // 32
  std::uint32_t type;        // 1: a list of rectangles
  std::uint32_t count;       // rectangles in the buffer
  std::uint32_t regionSize;  // 0
  ScanRect bound;            // bounding rectangle of those rectangles
};
inline constexpr std::uint32_t kScanBatchLimit = 2000;  // rectangles handed over at most at once

// The colours counted as the key: per channel from the key's value up to
// value + tolerance, clamped to 255. A pixel word is 0x00RRGGBB.
struct KeyRange {
  std::uint32_t red, green, blue;              // low bounds
  std::uint32_t redSpan, greenSpan, blueSpan;  // high bound - low bound
};
// The range of the COLORREF TRANSCOLOR (0x00BBGGRR) and TOLERANCE.
KeyRange keyRange(std::uint32_t transColor, std::uint8_t tolerance);
inline bool isKeyColour(std::uint32_t pixel, const KeyRange& key) {
  // Unsigned differences wrap below the low bound, so one comparison tests both bounds.
  return ((pixel >> 16 & 0xFF) - key.red <= key.redSpan) & ((pixel >> 8 & 0xFF) - key.green <= key.greenSpan) &
         ((pixel & 0xFF) - key.blue <= key.blueSpan);
}

// The rectangle buffer's memory and the region it builds, kept by the platform.
class RectangleBuffer {
 public:
  // Makes the buffer BYTES long, keeping what it holds (the first call allocates
  // it); returns its start, or null when the memory cannot be had.
  virtual ScanHeader* resize(std::size_t bytes) = 0;
  // Turns the buffer of BYTES bytes (its header counts the rectangles that
  // matter) into a region and unites it with the result so far.
  virtual void flush(const ScanHeader* data, std::size_t bytes) = 0;

 protected:
  ~RectangleBuffer() = default;
};

// Where the rows of a bottom-up picture lie: HEIGHT rows of WIDTHBYTES each,
// raised to a multiple of 4, the top row last in memory.
struct BottomUpRows {
  std::ptrdiff_t distance;   // from one row to the next
  std::ptrdiff_t topOffset;  // from the start of the pixels to the top row
};
// Nothing when either lies beyond a pointer difference, as it can in a 32-bit
// process that is large-address aware and holds a section past 2 GiB.
std::optional<BottomUpRows> bottomUpRows(std::int32_t height, std::int32_t widthBytes);

// Scans HEIGHT rows of WIDTH pixel words, the top row at TOP and each next row
// ROWSTEP bytes further on (negative for a bottom-up picture). Adds one rectangle
// per run of pixels outside KEY, rows top first and runs left to right, in batches:
// the buffer starts with room for 100 and grows by 100, and at 2000 rectangles
// (and once at the end, even when empty) it is flushed and emptied. False when
// the buffer could not be allocated or grown; the scan then stops.
bool scanRegion(const std::uint8_t* top, std::ptrdiff_t rowStep, std::int32_t width, std::int32_t height,
                const KeyRange& key, RectangleBuffer& buffer);

//== Vertex capture (vertex_capture.cpp) =======================================

// Edit mode's work for one vertex: advances GLVERT3FCOUNT up to GLVERT3FMAX,
// records (X, Y, Z) in that slot and returns the slot's transformed vertex. With
// no valid slot (count 0 or beyond the tables) it records nothing and returns
// (X, Y, Z) unchanged.
TGLVECTOR captureVertex(float x, float y, float z);

// GLVERTEX3F around the OpenGL call VERTEX (glVertex3f; a stand-in in the
// benchmark). Plain mode is the hot path of every frame: two flag tests and the call.
template <class VertexCall>
inline void wrappedVertex(float x, float y, float z, VertexCall vertex) {
  if (!GLVERT3FENABLEEDIT) {
    if (!GLVERT3FREMOVE) vertex(x, y, z);
    return;
  }
  const TGLVECTOR moved = captureVertex(x, y, z);
  if (!GLVERT3FREMOVE) vertex(moved.X, moved.Y, moved.Z);
}

}  // namespace Vitrum::internal
