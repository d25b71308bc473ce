// Vitrum: a framework library for small real-time OpenGL programs on Windows.
//
// One window with an OpenGL context, a window procedure that turns keyboard and
// mouse messages into global input state, a one-message pump, projection and
// render-state set-ups, vector and matrix helpers, immediate-mode wrappers that
// can record and reshape geometry, and BMP/TGA texture slots.
//
// The library is plain procedures over public globals: an application configures
// it by writing globals before calling it and reads its state back the same way.
// Everything runs on the thread that created the window.
//
// A program uses it in this order:
//
//     Vitrum::OGLWINDOWSETTING(Vitrum::ARROW, "", Vitrum::GENERIC, "");
//     Vitrum::CREATEOGLWINDOW("My demo", 800, 600, 32, false);
//     do {
//       glClear(GL_COLOR_BUFFER_BIT);
//       Vitrum::SETGLMSG();                 // at most one window message
//       /* draw */
//       SwapBuffers(Vitrum::DCWINDOW);
//     } while (Vitrum::ACTIVE);             // cleared by Escape and the close box
//     Vitrum::DELETEOGLWINDOW();
//
// Texts are 8-bit strings in the Windows ANSI code page (1252).
// Sections (grep for "//== "): window and context, window procedure and pump,
// texture slots.
#pragma once

#include <windows.h>
#include <GL/gl.h>

#include "vitrum_core.h"

namespace Vitrum {

//== Window and context ========================================================

extern HWND HWINDOW;   // the main window
extern HDC DCWINDOW;   // its device context; pass it to SwapBuffers each frame
extern HGLRC RCWINDOW; // the OpenGL rendering context
extern HWND HSTATUS;   // the status bar as stored by CREATEOGLWINDOW
extern HWND AWND;      // the status bar as created by CREATESTATUSBAR
extern WNDCLASSEXA WINDOWCLASSEX;  // the class record of "IMAGEBUTTON"

// Handler of WM_COMMAND when SHOWMENUBAR is set; its result is ignored.
using TGETINPUTCOMMAND = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
extern TGETINPUTCOMMAND GETINPUTCOMMAND;

// Chooses the cursor and icon of the window class (kinds above; file names are
// kept, not copied). In free-look mode also centres the cursor on the screen.
void OGLWINDOWSETTING(std::int32_t TYPECURSOR, const char* CURFILE, std::int32_t TYPEICON,
                      const char* ICOFILE);
// Registers the classes, opens the window, adds menu and status bar when asked,
// and makes an OpenGL context current. Every failure shows a message box
// (caption "Error") and ends the process with status 1; returns true otherwise.
bool CREATEOGLWINDOW(const char* APPNAME, std::int32_t APPWIDTH, std::int32_t APPHEIGHT,
                     std::int32_t APPBITS, bool APPFULLSCREEN);
// Releases the context and the device context and destroys the window.
void DELETEOGLWINDOW();
// Step of CREATEOGLWINDOW: registers "GLWindow" (and "IMAGEBUTTON" when absent);
// true when "GLWindow" was registered.
bool WINDOWREGISTER();
// Step of CREATEOGLWINDOW: creates and shows the window; 0 on failure.
HWND WINDOWCREATE(const char* PCAPPLICATIONNAME);
// Step of CREATEOGLWINDOW: pixel format and rendering context on HPARENT's DC;
// true when both were obtained (see FUNCTIONERROR).
bool WINDOWINIT(HWND HPARENT);
// Step of CREATEOGLWINDOW: the status bar with STATUSITEM's parts; 0 on failure.
HWND CREATESTATUSBAR(HWND PARENT);
// Shows PCERRORMESSAGE in a message box captioned "Error" and ends the process
// with exit status 1.
[[noreturn]] void THROWERROR(const char* PCERRORMESSAGE);

//== Window procedure and message pump =========================================

extern POINT MPOS;  // cursor position in screen coordinates (free-look mode)
extern MSG MSG_;    // the message buffer of SETGLMSG

// The window procedure of "GLWindow": keeps ACTIVE, the key table, the mouse
// state and the FPS title.
LRESULT CALLBACK GLWNDPROC(HWND WINDOW, UINT AMESSAGE, WPARAM WPARAM, LPARAM LPARAM);
// Handles at most one waiting message of the thread; returns at once when none waits.
void SETGLMSG();

//== Texture slots =============================================================
//
// BMP and TGA files made into OpenGL 2D textures and bound again by slot number.
// Everything here but the probe and SWAPRGB needs the window's OpenGL context.

extern TTABLE<GLuint, 0, 500> TEXTUREID2;      // BMP slots: texture names, 0 until loaded
extern TTABLE<TGATEXTURE, 0, 200> TEXTURETGA2;  // TGA slots: TEXID and the image's sizes
extern std::int32_t GL_MIN_FILTER;  // minifying filter of new textures (GL_LINEAR); a mipmap filter adds mipmaps
extern std::int32_t GL_MAG_FILTER;  // magnifying filter of new textures (GL_LINEAR)

// Loads the BMP file BMPFILE through GDI into BMP slot NUM (0..500). Files of
// 24 and 32 bits get an image (32-bit: the fourth byte is alpha); any other
// file, or a missing one, leaves the new texture without an image.
void TEXTURELOADID(const char* BMPFILE, std::int32_t NUM);
// Binds the texture of BMP slot NUM (0..500).
void TEXTURESELECTID(std::int32_t NUM);
// Loads the TGA file TGAFILE into TGA slot NUM (0..200) with LOADTGA. A missing
// file is ignored; a file LOADTGA refuses shows its message and leaves the slot as it was.
void TEXTURELOADTGAID(const char* TGAFILE, std::int32_t NUM);
// Binds the texture of TGA slot NUM (0..200).
void TEXTURETGASELECTID(std::int32_t NUM);
// Builds the mipmaps of the bound texture from BITS: FORMAT 24 as R, G, B,
// FORMAT 32 as B, G, R, A pixels; other formats do nothing.
void ADDMIPMAPSTEXTURE(std::int32_t FORMAT, std::int32_t WIDTH, std::int32_t HEIGHT, const void* BITS);

}  // namespace Vitrum
