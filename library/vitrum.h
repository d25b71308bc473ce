// Vitrum: a framework library for small real-time OpenGL programs on Windows.
//
// One window with an OpenGL context, a window procedure that turns keyboard and
// mouse messages into global input state, a one-message pump, projection and
// render-state set-ups, vector and matrix helpers, immediate-mode wrappers that
// can record and reshape geometry, BMP/TGA texture slots, window regions from
// bitmaps and a self-drawn image button.
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
// Sections (grep for "//== "): window and context, window procedure and message
// pump, mouse navigation, projection, render state and lights, immediate-mode
// wrappers, texture slots, regions and image buttons.
#pragma once

#include <windows.h>
#include <GL/gl.h>

#include "vitrum_core.h"

namespace Vitrum {

//== Window and context ========================================================

// Cursor kinds for OGLWINDOWSETTING.
inline constexpr std::int32_t ARROW = 1;         // IDC_ARROW
inline constexpr std::int32_t IBEAM = 2;         // IDC_IBEAM
inline constexpr std::int32_t WAIT = 3;          // IDC_WAIT
inline constexpr std::int32_t CROSS = 4;         // IDC_CROSS
inline constexpr std::int32_t UPARROW = 5;       // IDC_UPARROW
inline constexpr std::int32_t SIZE = 6;          // IDC_SIZE
inline constexpr std::int32_t FILECURSOR = 7;    // loaded from CURSORFILE
inline constexpr std::int32_t SIZENWSE = 8;      // IDC_SIZENWSE
inline constexpr std::int32_t SIZENESW = 9;      // IDC_SIZENESW
inline constexpr std::int32_t SIZEWE = 10;       // IDC_SIZEWE
inline constexpr std::int32_t SIZENS = 11;       // IDC_SIZENS
inline constexpr std::int32_t SIZEALL = 12;      // IDC_SIZEALL
inline constexpr std::int32_t NOCURSOR = 13;     // IDC_NO
inline constexpr std::int32_t HAND = 14;         // IDC_HAND
inline constexpr std::int32_t APPSTARTING = 15;  // IDC_APPSTARTING
inline constexpr std::int32_t HELP = 16;         // IDC_HELP
// Icon kinds for OGLWINDOWSETTING.
inline constexpr std::int32_t GENERIC = 1;   // IDI_APPLICATION
inline constexpr std::int32_t FILEICON = 2;  // loaded from ICONFILE
// A window style offered to applications; the library does not use it.
inline constexpr std::int32_t WS_TOOLS = 0x52CF1800;
// Pixel-format flags offered for PIXEL_FORMAT_FLAGS (double buffer, stereo,
// draw to window, OpenGL, DirectDraw); the library does not use them itself.
inline constexpr std::int32_t VITRUM_ACCELERATION = 0x2027;
extern std::int32_t PIXEL_FORMAT_FLAGS;   // extra pixel-format flags (non-negative)
extern std::int32_t CREATE_WINDOW_FLAGS;  // extra window styles for windowed mode (non-negative)

extern HWND HWINDOW;               // the main window
extern HDC DCWINDOW;               // its device context; pass it to SwapBuffers each frame
extern HGLRC RCWINDOW;             // the OpenGL rendering context
extern HWND HSTATUS;               // the status bar as stored by CREATEOGLWINDOW
extern HWND AWND;                  // the status bar as created by CREATESTATUSBAR
extern WNDCLASSEXA WINDOWCLASSEX;  // the class record of "IMAGEBUTTON"

// Handler of WM_COMMAND when SHOWMENUBAR is set; its result is ignored.
using TGETINPUTCOMMAND = LRESULT(CALLBACK*)(HWND, UINT, WPARAM, LPARAM);
extern TGETINPUTCOMMAND GETINPUTCOMMAND;

// Chooses the cursor and icon of the window class (kinds above; file names are
// kept, not copied). In free-look mode also puts the cursor at (WIDTH / 2,
// HEIGHT / 2) on the screen, the point free look brings it back to.
void OGLWINDOWSETTING(std::int32_t TYPECURSOR, const char* CURFILE, std::int32_t TYPEICON, const char* ICOFILE);
// Registers the classes, opens the window, adds menu and status bar when asked,
// and makes an OpenGL context current. Every failure shows a message box
// (caption "Error") and ends the process with status 1; returns true otherwise.
bool CREATEOGLWINDOW(const char* APPNAME, std::int32_t APPWIDTH, std::int32_t APPHEIGHT, std::int32_t APPBITS,
                     bool APPFULLSCREEN);
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

inline constexpr std::int32_t FPS_TIMER = 1;  // timer id the FPS update answers to
extern POINT MPOS;                            // cursor position in screen coordinates (free-look mode)
extern MSG MSG_;                              // the message buffer of SETGLMSG

// The window procedure of "GLWindow": keeps ACTIVE, the key table, the mouse
// state and the FPS title.
LRESULT CALLBACK GLWNDPROC(HWND WINDOW, UINT AMESSAGE, WPARAM WPARAM, LPARAM LPARAM);
// Handles at most one waiting message of the thread; returns at once when none waits.
void SETGLMSG();

//== Mouse navigation ==========================================================

// Modes of SETGLMOUSEMOVE: the axis of the distance and the axes of the two turns.
inline constexpr std::int32_t GL_M0 = 0;  // move (0, 0, -DEPTH); XROT about X, YROT about Y
inline constexpr std::int32_t GL_MX = 1;  // move (0, -DEPTH, 0); XROT about X, YROT about Z
inline constexpr std::int32_t GL_MY = 2;  // move (-DEPTH, 0, 0); XROT about -Z, YROT about Y
inline constexpr std::int32_t GL_MZ = 3;  // move (0, 0, -DEPTH); XROT about Y, YROT about X
// Declared with the modes; the library does not use them.
inline constexpr std::int32_t GL_ML = 1;
inline constexpr std::int32_t GL_MR = 2;
inline constexpr std::int32_t GL_MOFF = 3;

// A point of three 32-bit floats.
using TGLVERTEX = TGLVECTOR;
extern TGLVERTEX MY;  // the translation applied by the last SETGLMOUSEMOVE

// Sets the mouse speed factor MSPEED to SPEED and, for one of the four modes,
// multiplies the current matrix by the mouse-driven camera: the move by DEPTH,
// then the turns by XROT and YROT. Call it once per frame after loading the matrix.
void SETGLMOUSEMOVE(std::int32_t XYZ, std::int32_t SPEED);

//== Projection ================================================================
//
// Both set-ups read the client size from WIDTH and HEIGHT, replace the projection,
// reset the modelview matrix and leave GL_MODELVIEW current; call them again after
// a resize. While WIDTH or HEIGHT is 0 (a minimised window) the viewport and the
// projection stay as they were.

extern float OFFX, OFFY;  // anchors for 2D overlay items, set by OPENGL_I2D (0 until then)

// Viewport, 45-degree perspective from 0.1 to DEPTH, clear colour (A, R, G, B),
// and the default state: depth test (GL_LEQUAL; clear depth DEPTH, clamped to 1),
// white at half alpha, blend function (GL_SRC_ALPHA, GL_ONE), local-viewer light
// model, nicest hints, automatic normals and normalisation.
void OPENGL_INIT(double DEPTH, double A, double R, double G, double B);
// Viewport, orthographic overlay 4 units wide with square pixels and depths -2..2,
// clear colour (A, R, G, B), depth test (GL_LEQUAL) and normalisation; sets OFFX, OFFY.
void OPENGL_I2D(double A, double R, double G, double B);

//== Render state and lights ===================================================
//
// Fixed switches of OpenGL state; none of them saves or restores the caller's.

// Light numbers beyond GL_LIGHT7, for implementations that have them.
inline constexpr GLenum GL_EXTRA_LIGHT0 = GL_LIGHT0 + 8;
inline constexpr GLenum GL_EXTRA_LIGHT1 = GL_LIGHT0 + 9;
inline constexpr GLenum GL_EXTRA_LIGHT2 = GL_LIGHT0 + 10;
inline constexpr GLenum GL_EXTRA_LIGHT3 = GL_LIGHT0 + 11;
inline constexpr GLenum GL_EXTRA_LIGHT4 = GL_LIGHT0 + 12;
inline constexpr GLenum GL_EXTRA_LIGHT5 = GL_LIGHT0 + 13;
inline constexpr GLenum GL_EXTRA_LIGHT6 = GL_LIGHT0 + 14;
inline constexpr GLenum GL_EXTRA_LIGHT7 = GL_LIGHT0 + 15;

extern TTABLE<GLfloat, 0, 3, "AMBIENTLIGHT"> AMBIENTLIGHT;    // ambient colour SETGLLIGHT gives (0.5, 0.5, 0.5, 1)
extern TTABLE<GLfloat, 0, 3, "DIFFUSELIGHT"> DIFFUSELIGHT;    // diffuse colour SETGLLIGHT gives (1, 1, 1, 1)
extern TTABLE<GLfloat, 0, 3, "SPECULARLIGHT"> SPECULARLIGHT;  // specular colour SETGLLIGHT gives (1, 1, 1, 1)
extern TTABLE<GLfloat, 0, 3, "LIGHTPOSITION"> LIGHTPOSITION;  // the last light position handed to OpenGL (X, Y, Z, W)
// glLightfv reads each of them as four floats.
static_assert(sizeof(AMBIENTLIGHT) == 16 && sizeof(DIFFUSELIGHT) == 16 && sizeof(SPECULARLIGHT) == 16 &&
              sizeof(LIGHTPOSITION) == 16);

// Two-sided lighting on.
void TWOSIDEON();
// Two-sided lighting off.
void TWOSIDEOFF();
// Culls back faces; counter-clockwise faces are front faces.
void SETGLREFRACTIVE();
// Alpha test on: fragments with alpha 0.4 or less are discarded.
void SETGLSPRITE();
// Alpha test and blending off, depth writes on.
void SETGLSPRITEOFF();
// Enables lighting and light NLIGHT with the colours above, at (L0, L1, L2, L3)
// in the current modelview's coordinates (L3 = 0: directional).
void SETGLLIGHT(GLenum NLIGHT, GLfloat L0, GLfloat L1, GLfloat L2, GLfloat L3);
// Moves light NLIGHT to (LX, LY, LZ, LVAL) (LVAL = 0: directional). A SIZE other
// than 0 also draws a point of that size at (LX, LY, LZ) through the wrappers below.
void PUTGLPOINTLIGHT(GLenum NLIGHT, GLfloat SIZE, GLfloat LX, GLfloat LY, GLfloat LZ, GLfloat LVAL);

//== Immediate-mode wrappers ===================================================
//
// glBegin, glVertex3f and glEnd, obeying GLVERT3FREMOVE (no OpenGL output) and
// GLVERT3FENABLEEDIT (record and reshape every vertex; see "Vertex capture" in
// vitrum_core.h). With both off they behave exactly like the OpenGL calls.

// glBegin(MODE); also refreshes the slot cap GLVERT3FMAX from GLVERT3FSETNUM.
void GLBEGIN(GLenum MODE);
// glVertex3f, of the slot's transformed vertex in edit mode.
void GLVERTEX3F(GLfloat X, GLfloat Y, GLfloat Z);
// glEnd.
void GLEND();

//== Texture slots =============================================================
//
// BMP and TGA files made into OpenGL 2D textures and bound again by slot number.
// Everything here but the probe and SWAPRGB needs the window's OpenGL context.
// A load into an occupied slot gives it a new texture; the earlier one lives on
// until the context ends, unless the application deletes its name.

extern TTABLE<GLuint, 0, 500, "TEXTUREID2"> TEXTUREID2;        // BMP slots: texture names, 0 until loaded
extern TTABLE<TGATEXTURE, 0, 200, "TEXTURETGA2"> TEXTURETGA2;  // TGA slots: TEXID and the image's sizes
static_assert(sizeof(TEXTUREID2) == 501 * sizeof(GLuint) && sizeof(TEXTURETGA2) == 201 * sizeof(TGATEXTURE));
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

//== Regions and image buttons =================================================
//
// Shaped windows: a region of the pixels of a BMP file that are not the key
// colour, and the "IMAGEBUTTON" control built on it. Neither reports errors:
// failures give 0 handles.

// Loads the BMP file FILENAME as a DIB section at its own size and depth, and
// a palette for drawing it in PAL: the file's colour table (for 8 bits per pixel
// or fewer) or the halftone palette. The caller owns and deletes both. Returns 0,
// leaving PAL untouched, when the file cannot be loaded.
HBITMAP LOADBMPFROMFILE(const char* FILENAME, HPALETTE& PAL);
// The region of the pixels of the BMP file BMPNAME whose colour lies outside the
// key range: per channel from TRANSCOLOR's value up to that value + TOLERANCE
// (at most 255). In picture coordinates, (0, 0) the top-left pixel; the caller
// owns it (SetWindowRgn takes it over). 0 on failure; an all-key picture gives
// an empty region.
HRGN BITMAPTOREGION(const char* BMPNAME, COLORREF TRANSCOLOR, BYTE TOLERANCE);

// Class name of the image button.
inline constexpr const char* SZHOVERCLASS = "IMAGEBUTTON";
// The "IMAGEBUTTON" control keeps all its state in window properties under these names.
inline constexpr const char* NORMALBMP = "NORMALBITMAP";       // memory DC holding the normal picture
inline constexpr const char* HOVERBMP = "HOVERBITMAP";         // memory DC holding the hover picture
inline constexpr const char* PRESSBMP = "PRESSBITMAP";         // memory DC holding the pressed picture
inline constexpr const char* BUTTONRGN = "HOVERBUTTONREGION";  // region for the pointer's hit test
inline constexpr const char* HOVERMODE = "HOVERMODEBYTE";      // state: 1 normal, 2 hover, 3 pressed

// The window procedure of "IMAGEBUTTON", registered by WINDOWREGISTER. Create a
// button as a child window (its identifier the control identifier) after setting
// BMPTYPE: it takes the size of its normal picture, keeps its place in a parent
// with a 3-pixel border and a 19-pixel top frame, is shaped by the picture's
// non-magenta (0xFF00FF) pixels, shows the hover and pressed pictures under the
// pointer, and posts WM_COMMAND (WPARAM the identifier, LPARAM 0) to its parent
// when a press ends over it. Destroying it frees all it made.
LRESULT CALLBACK HOVERBUTTONHANDLER(HWND WND, UINT IMSG, WPARAM WPARAM, LPARAM LPARAM);

}  // namespace Vitrum
