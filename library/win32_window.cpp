// Window creation and the OpenGL context.
#include "vitrum.h"

// commctrl.h needs the types of <windows.h>, which vitrum.h includes.
#include <commctrl.h>

#include <cstdlib>

namespace Vitrum {

HWND HWINDOW = nullptr;
HDC DCWINDOW = nullptr;
HGLRC RCWINDOW = nullptr;
HWND HSTATUS = nullptr;
HWND AWND = nullptr;
WNDCLASSEXA WINDOWCLASSEX{};
TGETINPUTCOMMAND GETINPUTCOMMAND = nullptr;
std::int32_t PIXEL_FORMAT_FLAGS = 0;
std::int32_t CREATE_WINDOW_FLAGS = 0;

namespace {

// A captioned pop-up window without a sizing frame or maximise box.
constexpr DWORD kWindowedStyle =
    WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kFullscreenStyle = WS_POPUP | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_BORDER | WS_SYSMENU;
static_assert(kWindowedStyle == 0x96CA0000 && kFullscreenStyle == 0x96880000);
constexpr DWORD kPixelFormatBase =
    PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER | PFD_GENERIC_FORMAT | PFD_GENERIC_ACCELERATED;
static_assert(kPixelFormatBase == 0x1065);
constexpr UINT kStatusBarId = 30482;

// The system cursor of each cursor kind; FILECURSOR (7) is loaded from a file.
const LPCSTR kSystemCursors[17] = {nullptr,     IDC_ARROW, IDC_IBEAM,    IDC_WAIT,        IDC_CROSS,  IDC_UPARROW,
                                   IDC_SIZE,    nullptr,   IDC_SIZENWSE, IDC_SIZENESW,    IDC_SIZEWE, IDC_SIZENS,
                                   IDC_SIZEALL, IDC_NO,    IDC_HAND,     IDC_APPSTARTING, IDC_HELP};

HCURSOR classCursor() {
  if (SETTYPECURSOR == FILECURSOR) return CURSORFILE ? LoadCursorFromFileA(CURSORFILE) : nullptr;
  if (SETTYPECURSOR < ARROW || SETTYPECURSOR > HELP) return nullptr;
  return LoadCursorA(nullptr, kSystemCursors[SETTYPECURSOR]);
}

HICON classIcon() {
  if (SETTYPEICON == GENERIC) return LoadIconA(nullptr, IDI_APPLICATION);
  // The icon file goes through the cursor-file loader, which reads .ico files too.
  if (SETTYPEICON == FILEICON) return ICONFILE ? reinterpret_cast<HICON>(LoadCursorFromFileA(ICONFILE)) : nullptr;
  return nullptr;
}

// The show command the process was started with; a process started without
// STARTF_USESHOWWINDOW has no show command (its wShowWindow is 0, SW_HIDE).
int startupShowCommand() {
  STARTUPINFOA info{};
  info.cb = sizeof info;
  GetStartupInfoA(&info);
  return (info.dwFlags & STARTF_USESHOWWINDOW) ? info.wShowWindow : SW_SHOWDEFAULT;
}

// BITS goes into one-byte fields of the pixel-format request: a value that does
// not fit is a run-time error, never silently cut to its low byte.
void requireBitsInRange(std::int32_t bits, const char* message) {
  if (bits < 0 || bits > 255) RUNTIMEERROR(message);
}

}  // namespace

void OGLWINDOWSETTING(std::int32_t TYPECURSOR, const char* CURFILE, std::int32_t TYPEICON, const char* ICOFILE) {
  if (MOUSEFREE) {
    START = GetTickCount();
    SetCursorPos(WIDTH / 2, HEIGHT / 2);
  }
  FOGONOFF = true;
  SETTYPECURSOR = TYPECURSOR;
  CURSORFILE = CURFILE;
  SETTYPEICON = TYPEICON;
  ICONFILE = ICOFILE;
  // Acts only when a context is current; without one OpenGL ignores the calls.
  OBJNULL = glGenLists(1);
  glNewList(OBJNULL, GL_COMPILE);
  glEndList();
  GLVERT3FREMOVE = false;
  GLVERT3FENABLEEDIT = false;
}

bool WINDOWREGISTER() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA windowClass{};
  windowClass.style = CS_HREDRAW | CS_VREDRAW;
  windowClass.lpfnWndProc = GLWNDPROC;
  windowClass.hInstance = instance;
  windowClass.hIcon = classIcon();
  windowClass.hCursor = classCursor();
  windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  windowClass.lpszClassName = "GLWindow";
  const bool registered = RegisterClassA(&windowClass) != 0;

  if (!GetClassInfoExA(nullptr, SZHOVERCLASS, &WINDOWCLASSEX)) {
    WINDOWCLASSEX = WNDCLASSEXA{};
    WINDOWCLASSEX.cbSize = sizeof(WNDCLASSEXA);
    WINDOWCLASSEX.lpfnWndProc = HOVERBUTTONHANDLER;
    WINDOWCLASSEX.hInstance = instance;
    WINDOWCLASSEX.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
    WINDOWCLASSEX.hIconSm = WINDOWCLASSEX.hIcon;
    WINDOWCLASSEX.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    WINDOWCLASSEX.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    WINDOWCLASSEX.lpszClassName = SZHOVERCLASS;
    RegisterClassExA(&WINDOWCLASSEX);
  }
  return registered;
}

HWND WINDOWCREATE(const char* PCAPPLICATIONNAME) {
  DWORD style = kWindowedStyle | static_cast<DWORD>(CREATE_WINDOW_FLAGS);
  if (FULLSCREEN) {
    WIDTH = GetSystemMetrics(SM_CXSCREEN);
    HEIGHT = GetSystemMetrics(SM_CYSCREEN);
    style = kFullscreenStyle;
  }
  // CW_USEDEFAULT places a pop-up window at the screen's top-left corner.
  const HWND window = CreateWindowExA(0, "GLWindow", PCAPPLICATIONNAME, style, CW_USEDEFAULT, CW_USEDEFAULT, WIDTH,
                                      HEIGHT, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
  if (window) {
    ShowWindow(window, startupShowCommand());
    UpdateWindow(window);
  }
  return window;
}

bool WINDOWINIT(HWND HPARENT) {
  requireBitsInRange(BITS, "WINDOWINIT: BITS outside 0..255");
  FUNCTIONERROR = 0;
  DCWINDOW = GetDC(HPARENT);
  const BYTE bits = static_cast<BYTE>(BITS);
  PIXELFORMATDESCRIPTOR pfd{};
  pfd.nSize = sizeof pfd;
  pfd.nVersion = 1;
  pfd.dwFlags = static_cast<DWORD>(PIXEL_FORMAT_FLAGS) | kPixelFormatBase;
  pfd.iPixelType = PFD_TYPE_RGBA;
  pfd.cColorBits = bits;
  pfd.cAlphaBits = bits;
  pfd.cAccumBits = bits;
  pfd.cDepthBits = bits;
  pfd.cStencilBits = bits;
  pfd.cAuxBuffers = bits;
  pfd.iLayerType = PFD_OVERLAY_PLANE;  // as the library always asked, not PFD_MAIN_PLANE
  IFORMAT = ChoosePixelFormat(DCWINDOW, &pfd);
  if (IFORMAT == 0) FUNCTIONERROR = 1;
  SetPixelFormat(DCWINDOW, IFORMAT, &pfd);
  RCWINDOW = wglCreateContext(DCWINDOW);
  if (!RCWINDOW) FUNCTIONERROR = 2;
  wglMakeCurrent(DCWINDOW, RCWINDOW);
  return FUNCTIONERROR == 0;
}

HWND CREATESTATUSBAR(HWND PARENT) {
  static constexpr char text[] = "Percorso file";
  for (long long i = TFILENAME::LOW; i <= TFILENAME::HIGH; ++i)
    FILENAME[i] = i < static_cast<long long>(sizeof text) ? text[i] : '\0';
  // Without a manifest comctl32 registers its classes when loaded, but comctl32 6
  // (an application with a common-controls manifest) only on this call.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  AWND = CreateStatusWindowA(WS_CHILD | WS_VISIBLE, FILENAME.data(), PARENT, kStatusBarId);
  if (AWND) {
    for (std::int32_t i = 1; i <= MAXSTATUSITEM; ++i) EDGES[i] = STATUSITEM[i];
    SendMessageA(AWND, SB_SETPARTS, static_cast<WPARAM>(MAXSTATUSITEM), reinterpret_cast<LPARAM>(EDGES.data()));
  }
  return AWND;
}

bool CREATEOGLWINDOW(const char* APPNAME, std::int32_t APPWIDTH, std::int32_t APPHEIGHT, std::int32_t APPBITS,
                     bool APPFULLSCREEN) {
  requireBitsInRange(APPBITS, "CREATEOGLWINDOW: BITS outside 0..255");
  SETTITLENAME = APPNAME;
  WIDTH = APPWIDTH;
  HEIGHT = APPHEIGHT;
  BITS = APPBITS;
  FULLSCREEN = APPFULLSCREEN;
  if (!WINDOWREGISTER()) THROWERROR("Errore di registro per la rispettiva applicazione!");
  HWINDOW = WINDOWCREATE(APPNAME);
  if (SHOWMENUBAR && CREATEMENUBAR) CREATEMENUBAR();
  if (SHOWSTATUSBAR) HSTATUS = CREATESTATUSBAR(HWINDOW);
  if (!HWINDOW) THROWERROR("Impossibile creare la finestra per la rispettiva applicazione!");
  if (!WINDOWINIT(HWINDOW)) THROWERROR("la rispettiva applicazione non \xE8 stata inizilizata!");
  return true;
}

void DELETEOGLWINDOW() {
  wglMakeCurrent(DCWINDOW, nullptr);
  wglDeleteContext(RCWINDOW);
  ReleaseDC(HWINDOW, DCWINDOW);
  DestroyWindow(HWINDOW);
}

void THROWERROR(const char* PCERRORMESSAGE) {
  // A quit message left by a destroyed window would close the box unseen.
  MSG quit;
  PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
  MessageBoxA(nullptr, PCERRORMESSAGE, "Error", MB_OK);
  std::exit(1);
}

}  // namespace Vitrum
