// Vitrum: the platform-free half of the library's interface.
//
// What the code that builds without <windows.h> or OpenGL headers works with, so
// that it runs natively on Linux under the sanitizers and fuzzers too; what only
// the Win32 code uses is in vitrum.h. Programs include "vitrum.h", which includes
// this file; the names live in namespace Vitrum.
//
// Sections (grep for "//== "):
//   fixed tables and run-time errors, window and input state, FPS title state,
//   vectors and matrices, vertex capture, TGA images, regions and image buttons.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <type_traits>

#include "vitrum_version.h"

namespace Vitrum {

//== Fixed tables and run-time errors ==========================================
//
// Every table of the library keeps its declared bounds and checks each index.
// An index outside them ends the program with a run-time error: a message on
// stderr naming the table, the index and the bounds, and exit status 201.
// So does integer arithmetic that leaves its range: a mouse coordinate difference,
// an FPS product or figure or an OPENGL_I2D extent beyond 32 bits, BITS outside 0..255.

// Exit status of a run-time error (index out of bounds or integer overflow).
inline constexpr int RUNTIME_ERROR_STATUS = 201;

// Ends the program: TABLE[INDEX] lies outside LO..HI.
[[noreturn]] void RANGEERROR(const char* TABLE, long long INDEX, long long LO, long long HI);
// Ends the program with a run-time error described by WHAT (an integer overflow,
// or a division by zero such as an FPS interval of 0).
[[noreturn]] void RUNTIMEERROR(const char* WHAT);

// The name a table reports in its run-time error, carried by the table's type.
// A literal type with public members only, so that it can be a template argument:
// TTABLE<TLONGBOOL, 0, 500, "SETKEY">.
struct TTABLENAME {
  static constexpr std::size_t CAPACITY = 32;  // bytes, the terminating zero included
  char TEXT[CAPACITY];

  template <std::size_t N>
  constexpr TTABLENAME(const char (&NAME)[N]) : TEXT{} {
    static_assert(N <= CAPACITY, "a table name has at most 31 characters");
    for (std::size_t I = 0; I < N; ++I) TEXT[I] = NAME[I];
  }
};

// A table indexed LO..HI (inclusive), checked on every access. It holds its items
// and nothing else, so it has the size and layout of the array T[HI - LO + 1]
// (a table of tables is a two-dimensional array), and it is an aggregate whose
// items start at zero: TTABLE<float, 0, 3, "AMBIENTLIGHT"> AMBIENTLIGHT{{0.5f, 0.5f, 0.5f, 1}}.
template <class T, long long LO, long long HI, TTABLENAME NAME>
struct TTABLE {
  static_assert(LO <= HI);
  static constexpr long long LOW = LO;
  static constexpr long long HIGH = HI;
  static constexpr std::size_t COUNT = static_cast<std::size_t>(HI - LO + 1);
  using TITEM = T;

  T ITEMS[COUNT]{};

  constexpr T& operator[](long long INDEX) {
    if (INDEX < LO || INDEX > HI) RANGEERROR(NAME.TEXT, INDEX, LO, HI);
    return ITEMS[INDEX - LO];
  }
  constexpr const T& operator[](long long INDEX) const {
    if (INDEX < LO || INDEX > HI) RANGEERROR(NAME.TEXT, INDEX, LO, HI);
    return ITEMS[INDEX - LO];
  }
  constexpr T* data() { return ITEMS; }
  constexpr const T* data() const { return ITEMS; }
  static constexpr std::size_t size() { return COUNT; }
};

// 32-bit Boolean whose true value has all bits set.
using TLONGBOOL = std::int32_t;
inline constexpr TLONGBOOL LONGTRUE = -1;
inline constexpr TLONGBOOL LONGFALSE = 0;

// A file name: 261 characters holding a zero-terminated text.
using TFILENAME = TTABLE<char, 0, 260, "TFILENAME">;
static_assert(sizeof(TFILENAME) == 261 && std::is_aggregate_v<TFILENAME>);

//== Window and input state ====================================================

extern std::int32_t SETTYPECURSOR;  // cursor kind of the class "GLWindow"
extern std::int32_t SETTYPEICON;    // icon kind of the class "GLWindow"
extern const char* CURSORFILE;      // cursor file for FILECURSOR (caller's text, not copied)
extern const char* ICONFILE;        // icon file for FILEICON (caller's text, not copied)
extern const char* SETTITLENAME;    // the application name: window title and FPS title prefix
extern std::int32_t WIDTH;          // client width in pixels (requested size until the first WM_SIZE)
extern std::int32_t HEIGHT;         // client height in pixels
extern std::int32_t BITS;           // requested colour depth, 0..255; also the alpha/depth/... request
extern bool FULLSCREEN;             // screen-sized window when true
extern bool ACTIVE;                 // true from WM_CREATE to WM_DESTROY: the frame loop's run flag
extern void (*CREATEMENUBAR)();     // builds the menu bar when SHOWMENUBAR is set (skipped while null)
extern void (*CREATEMOUSEMENU)();   // context-menu callback when SHOWMENUBAR is set (skipped while null)
extern bool SHOWMENUBAR;            // enables the menu callbacks
extern bool SHOWSTATUSBAR;          // enables the status bar
extern TFILENAME FILENAME;          // the status bar's initial text
extern TTABLE<std::int32_t, 1, 20, "STATUSITEM"> STATUSITEM;             // right edges of the status bar parts
extern TTABLE<std::int32_t, 1, 20, "EDGES"> EDGES;                       // the copy handed to the status bar
extern std::int32_t MAXSTATUSITEM;                                       // number of status bar parts, 0..20
static_assert(sizeof(STATUSITEM) == 20 * 4 && sizeof(EDGES) == 20 * 4);  // SB_SETPARTS reads EDGES as int[]
extern const char* VITRUMVERSION;   // "1.0": VITRUM_VERSION_MAJOR "." VITRUM_VERSION_MINOR
extern std::uint32_t OBJNULL;       // an empty display list made by OGLWINDOWSETTING
extern bool FOGONOFF;               // set by OGLWINDOWSETTING; read by nobody in the library
extern std::uint32_t START;         // tick count taken by OGLWINDOWSETTING in free-look mode
extern std::int32_t FUNCTIONERROR;  // WINDOWINIT's outcome: 0 ok, 1 no pixel format, 2 no context
extern std::int32_t IFORMAT;        // the pixel format chosen by WINDOWINIT

// Stores a new client size in WIDTH and HEIGHT (called on WM_SIZE); sets no viewport.
void GLRESIZEWINDOW(std::int32_t W, std::int32_t H);

// Input state kept by the window procedure; the application polls it each frame.
extern TTABLE<TLONGBOOL, 0, 500, "SETKEY"> SETKEY;  // by virtual-key code: pressed (LONGTRUE) or not
static_assert(sizeof(TLONGBOOL) == 4 && sizeof(SETKEY) == 501 * 4);
extern std::int32_t SETMX, SETMY;             // client position of the last left press (0 after release)
extern std::int32_t SETOMX, SETOMY;           // client position of the last mouse move
extern bool LEFTMOUSEDOWN, LEFTMOUSEDOWN2;    // left button held
extern bool RIGHTMOUSEDOWN, RIGHTMOUSEDOWN2;  // right button held
extern bool MOUSEFREE;                        // free-look mode; set by the application, cleared by any key-up
extern std::int32_t XCOORD, YCOORD;           // anchor of the left-button drag
extern std::int32_t ZCOORD;                   // anchor of the right-button drag (y only)
extern float XROT, YROT;                      // view angles in degrees, driven by the mouse
extern float XROT2, YROT2;                    // a second pair under the same rules, for the application
extern float DEPTH;                           // viewing distance, driven by the right-button drag
extern float DEPTH2;                          // a second distance under the same rule
extern std::int32_t MSPEED;                   // mouse speed factor, set by SETGLMOUSEMOVE (0 until then)

//== FPS title state ===========================================================

inline constexpr std::int32_t FPS_INTERVAL = 5000;    // default measuring interval, ms
inline constexpr std::int32_t FPS_ONE_SECOND = 1000;  // ms per second
extern bool VIEWFPS;                                  // enables the FPS title update
extern std::int32_t FPSCOUNT;                         // frames counted in the current interval
extern std::string FPSCOUNTSTR;                       // the last figure as decimal text
extern std::int32_t ADDINTERVALFPS;                   // measuring interval in ms (the timer's period, not 0)
extern std::int32_t FORCEFPS;                         // multiplier applied to the figure
extern std::int32_t ADDFORCEFPS;                      // target figure FORCEFPS is stepped towards when above 1

//== Vectors and matrices ======================================================

// A point, a direction or an angle triple (X roll, Y pitch, Z yaw).
struct TGLVECTOR {
  float X, Y, Z;
};
// A 4 x 4 matrix indexed [row][column]; the rotation routines use the 3 x 3 block.
// Its rows lie one after another, so &M[0][0] is the 16 floats OpenGL's
// glLoadMatrixf reads (column by column, so OpenGL sees the transpose).
using TGLBASEMATRIX = TTABLE<TTABLE<float, 0, 3, "TGLBASEMATRIX row">, 0, 3, "TGLBASEMATRIX">;
// Row 1 begins 16 bytes in: the table holds only its rows, and a row only its floats.
static_assert(sizeof(TGLBASEMATRIX) == 64 && offsetof(TGLBASEMATRIX, ITEMS) == 0 &&
              sizeof(TGLBASEMATRIX::TITEM) == 16 && offsetof(TGLBASEMATRIX::TITEM, ITEMS) == 0 &&
              std::is_standard_layout_v<TGLBASEMATRIX>);

inline constexpr double PIDIV180 = 0.017453292519943296;  // pi / 180, for applications

extern TTABLE<double, 1, 3, "FNORMAL"> FNORMAL;  // the unit normal left by the last FINDNORMAL

// (X, Y, Z) rounded to 32-bit floats.
TGLVECTOR GLVECTOR(double X, double Y, double Z);
// DEGREE in radians.
float DEGTORAD(float DEGREE);
// The rotation matrix of the Euler angles ANG, in radians: roll about X, then
// pitch about Y, then yaw about Z (the name's suffix is not its unit).
TGLBASEMATRIX MATRIXEULERDEG(TGLVECTOR ANG);
// MATRIXEULERDEG of the Euler angles ANG given in degrees.
TGLBASEMATRIX MATRIXEULERRAD(TGLVECTOR ANG);
// VEC rotated by ANG: the row vector VEC times ANG's 3 x 3 block.
TGLVECTOR MATRIXVECROT(TGLVECTOR VEC, const TGLBASEMATRIX& ANG);
// Stores in FNORMAL the unit normal of the triangle V1, V2, V3 (facing the side
// from which they run counter-clockwise); (0, 0, 0) for a degenerate triangle.
void FINDNORMAL(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z, double V3X, double V3Y,
                double V3Z);

//== Vertex capture ============================================================
//
// In edit mode every vertex passed to GLVERTEX3F is recorded in the next slot of
// GLBASEVERTEX3F and drawn as Rz(yaw) Ry(pitch) Rx(roll) (S * v + T + P), where S,
// T, P and the angles are the slot's own GLVERT3FTMPSCALE, GLVERT3FTMP,
// GLVERT3FTMPPOSROT and GLVERT3FTMPROTATE (degrees). A zero scale counts as unset
// and becomes (1, 1, 1) when its slot is used.

inline constexpr std::int32_t VERTEX_SLOTS = 10000;  // slots 1..VERTEX_SLOTS
template <TTABLENAME NAME>
using TVERTEXTABLE = TTABLE<TGLVECTOR, 1, VERTEX_SLOTS, NAME>;

struct TGLVERTEX3F {
  TVERTEXTABLE<"GLVERT3F"> GLVERT3F;                    // the slot's last transformed vertex
  TVERTEXTABLE<"GLVERT3FTMP"> GLVERT3FTMP;              // translation, added after scaling
  TVERTEXTABLE<"GLVERT3FTMPROTATE"> GLVERT3FTMPROTATE;  // Euler angles in degrees: X roll, Y pitch, Z yaw
  TVERTEXTABLE<"GLVERT3FTMPPOSROT"> GLVERT3FTMPPOSROT;  // offset added just before the rotation
  TVERTEXTABLE<"GLVERT3FTMPSCALE"> GLVERT3FTMPSCALE;    // scale factors; (0, 0, 0) stands for unset
  TVERTEXTABLE<"GLVERT3FOFFSET"> GLVERT3FOFFSET;        // the untransformed vertex last passed
  std::int32_t GLVERT3FCOUNT;                           // the last slot written; set it back to re-send geometry
  std::int32_t GLVERT3FMAX;                             // highest slot the count reaches; GLBEGIN copies GLVERT3FSETNUM
  std::int32_t GLVERT3FSETNUM;                          // the cap chosen by the application, 1..VERTEX_SLOTS
};
static_assert(sizeof(TGLVECTOR) == 12 && sizeof(TGLVERTEX3F) == 6 * VERTEX_SLOTS * 12 + 3 * 4);

// Per-slot marks for applications; the library neither reads nor writes them.
struct TGLFINDVERTEX3F {
  TTABLE<bool, 1, VERTEX_SLOTS, "GLVERT3FFINDV3FFORTRANSLATE"> GLVERT3FFINDV3FFORTRANSLATE;
  TTABLE<bool, 1, VERTEX_SLOTS, "GLVERT3FFINDV3FFORROTATE"> GLVERT3FFINDV3FFORROTATE;
  TTABLE<bool, 1, VERTEX_SLOTS, "GLVERT3FFINDV3FFORSCALE"> GLVERT3FFINDV3FFORSCALE;
};
static_assert(sizeof(TGLFINDVERTEX3F) == 3 * VERTEX_SLOTS * sizeof(bool));

extern TGLVERTEX3F GLBASEVERTEX3F;  // the capture tables, zero at start
extern bool GLVERT3FENABLEEDIT;     // edit mode: record and transform every vertex per slot
extern bool GLVERT3FREMOVE;         // when true, GLBEGIN/GLVERTEX3F/GLEND issue no OpenGL calls

//== TGA images ================================================================
//
// The TGA reader: uncompressed (type 2) and run-length encoded (type 10)
// true-colour files of 24 or 32 bits per pixel, decoded to R, G, B (, A) bytes.

// A decoded image. LOADTGA allocates IMAGEDATA with std::malloc; its caller owns
// it and releases it with std::free.
struct TGATEXTURE {
  std::uint8_t* IMAGEDATA;  // WIDTH x HEIGHT pixels, rows in file order
  std::uint32_t BPP;        // 24 or 32
  std::uint32_t WIDTH;      // 1..65535
  std::uint32_t HEIGHT;     // 1..65535
  std::uint32_t TEXID;      // OpenGL texture name, set by the texture slots
  std::uint32_t TYP;        // GL_RGB (0x1907) for 24 bits, GL_RGBA (0x1908) for 32
};
using PTEXTURE = TGATEXTURE*;

// The first 12 bytes of a TGA file.
struct TTGAHEADER {
  TTABLE<std::uint8_t, 0, 11, "TGAHEADER.HEADER"> HEADER;
};
static_assert(sizeof(TTGAHEADER) == 12);

// File bytes 12 to 17 and the sizes derived from them.
struct TTGA {
  TTABLE<std::uint8_t, 0, 5, "TGA.HEADER"> HEADER;
  std::uint32_t BYTESPERPIXEL;  // BPP / 8
  std::uint32_t IMAGESIZE;      // BYTESPERPIXEL x WIDTH x HEIGHT
  std::uint32_t TYP;            // unused by the reader
  std::uint32_t HEIGH;          // image height
  std::uint32_t WIDTH;          // image width
  std::uint32_t BPP;            // bits per pixel
};
static_assert(offsetof(TTGA, BYTESPERPIXEL) == 8 && sizeof(TTGA) == 32);  // 6 bytes, then aligned numbers

extern std::FILE* FTGA;       // the file being read; null between loads
extern TTGAHEADER TGAHEADER;  // first 12 bytes of the last file read
extern TTGA TGA;              // bytes 12 to 17 of the last file read, and its sizes
extern const TTABLE<std::uint8_t, 0, 11, "UTGACOMPARE"> UTGACOMPARE;  // signature of a type 2 file
extern const TTABLE<std::uint8_t, 0, 11, "CTGACOMPARE"> CTGACOMPARE;  // signature of a type 10 file

// Decodes the TGA file FILENAME into TEXTURE (WIDTH, HEIGHT, BPP, TYP, IMAGEDATA).
// On failure shows a message box (caption "ERROR", or "Invalid Image" for a file
// of another type), leaves IMAGEDATA null and returns false. The file is opened
// read-only and is closed again in every case.
bool LOADTGA(TGATEXTURE& TEXTURE, const char* FILENAME);

// Bits per pixel of the BMP file BMPFILE from its headers; 0 when the file is
// missing, unreadable, shorter than its headers, not "BM" or has a 12-byte header.
std::int32_t GETBMPDEPTH(const char* BMPFILE);
// Exchanges the first and third byte of SIZE consecutive 3-byte pixels at DATA.
void SWAPRGB(std::uint8_t* DATA, std::int32_t SIZE);

//== Regions and image buttons =================================================

// Prefix of the pictures of image buttons created from now on: each button loads
// BMPTYPE + "N.BMP" (normal), + "H.BMP" (hover) and + "P.BMP" (pressed). Empty at start.
extern std::string BMPTYPE;

// Rectangles the region buffer of BITMAPTOREGION starts with and grows by.
inline constexpr std::int32_t ALLOC_UNIT = 100;

}  // namespace Vitrum
