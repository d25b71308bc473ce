// Vitrum internals shared by the library's sources; not part of the interface.
// Platform-free: no <windows.h> here.
#pragma once

#include <cfloat>
#include <cstdint>
#include <string>

#include "vitrum_core.h"

namespace Vitrum::internal {

//== Platform services =========================================================
// Implemented once per platform: win32_platform.cpp, null_platform.cpp.

// Shows a modal message box with no owner and returns the button pressed.
std::int32_t platformMessageBox(const char* text, const char* caption, std::uint32_t style);

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
// Rules 1 to 3 of a mouse move: last position, left-button turn, right-button zoom.
void mouseMove(std::int32_t x, std::int32_t y);
// The free-look rule for cursor position (mx, my) and screen centre (cx, cy).
void freeLook(std::int32_t mx, std::int32_t my, std::int32_t cx, std::int32_t cy);
// The FPS update: computes the figure, steps FORCEFPS, sets FPSCOUNTSTR, clears
// FPSCOUNT and returns the new window title.
std::string fpsUpdate();

//== TGA reader (tga.cpp) ======================================================

// LOADTGA after the open: decodes the TGA file already open as FTGA (at its
// start) into TEXTURE, showing the reader's messages, and closes FTGA.
bool readOpenTga(TGATEXTURE& texture);

//== Float storage ============================================================
// Geometry and projection evaluate their expressions in extended precision and round
// only where the data model stores a 32- or 64-bit float, so that 32-bit (x87) and
// 64-bit (SSE) builds agree bit for bit.

// V rounded to T. Where FLT_EVAL_METHOD is not 0 (x87 code) a float or double
// may otherwise live on in an 80-bit register; a trip through memory rounds it.
template <class T>
inline T rounded(long double v) {
  if constexpr (FLT_EVAL_METHOD == 0) {
    return static_cast<T>(v);
  } else {
    volatile T stored = static_cast<T>(v);
    return stored;
  }
}

//== Vertex capture (vertex_capture.cpp) =======================================

// Edit mode's work for one vertex: advances GLVERT3FCOUNT up to GLVERT3FMAX,
// records (X, Y, Z) in that slot and returns the slot's transformed vertex. With
// no valid slot (count 0 or beyond the tables) it records nothing and returns
// (X, Y, Z) unchanged.
TGLVECTOR captureVertex(float X, float Y, float Z);

// GLVERTEX3F around the OpenGL call VERTEX (glVertex3f; a stand-in in the
// benchmark). Plain mode is the hot path of every frame: two flag tests and the call.
template <class VertexCall>
inline void wrappedVertex(float X, float Y, float Z, VertexCall vertex) {
  if (!GLVERT3FENABLEEDIT) {
    if (!GLVERT3FREMOVE) vertex(X, Y, Z);
    return;
  }
  const TGLVECTOR moved = captureVertex(X, Y, Z);
  if (!GLVERT3FREMOVE) vertex(moved.X, moved.Y, moved.Z);
}

}  // namespace Vitrum::internal
