// Vitrum internals shared by the library's sources; not part of the interface.
// Platform-free: no <windows.h> here.
#pragma once

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

}  // namespace Vitrum::internal
