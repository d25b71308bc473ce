// The "IMAGEBUTTON" control: a push button drawn from three bitmaps and shaped
// like the first. Everything a button holds lives in its window properties, so
// the procedure serves any number of buttons.
#include <cstdint>
#include <string>

#include "vitrum.h"

namespace Vitrum {

namespace {

constexpr std::uintptr_t kNormal = 1, kHover = 2, kPressed = 3;
constexpr COLORREF kMagenta = 0x00FF00FF;
constexpr BYTE kMagentaTolerance = 1;
// The parent's frame the button assumes: border width, and border plus caption height.
constexpr int kParentBorder = 3, kParentTopFrame = 19;

std::uintptr_t state(HWND button) { return reinterpret_cast<std::uintptr_t>(GetPropA(button, HOVERMODE)); }

void setState(HWND button, std::uintptr_t value) { SetPropA(button, HOVERMODE, reinterpret_cast<HANDLE>(value)); }

void repaint(HWND button) { InvalidateRect(button, nullptr, FALSE); }

std::string pictureName(char letter) { return BMPTYPE + letter + ".BMP"; }

// Stores under PROPERTY a screen-compatible memory DC holding PICTURE with its
// PALETTE realised. Without a DC nothing would ever release them, so they go at once.
void storePicture(HWND button, const char* property, HBITMAP picture, HPALETTE palette) {
  const HDC dc = CreateCompatibleDC(nullptr);
  if (!dc) {
    DeleteObject(picture);
    DeleteObject(palette);
    return;
  }
  SelectObject(dc, picture);
  SelectPalette(dc, palette, FALSE);
  RealizePalette(dc);
  SetPropA(button, property, dc);
}

void loadPicture(HWND button, const char* property, char letter) {
  HPALETTE palette = nullptr;
  const HBITMAP picture = LOADBMPFROMFILE(pictureName(letter).c_str(), palette);
  storePicture(button, property, picture, palette);
}

// Deletes the memory DC under PROPERTY with the picture and palette selected into it.
void releasePicture(HWND button, const char* property) {
  if (const auto dc = static_cast<HDC>(GetPropA(button, property))) {
    // Once the DC is gone they are selected nowhere and can be deleted; for a
    // picture that never loaded these are the DC's stock objects, which
    // DeleteObject leaves alone.
    const HGDIOBJ picture = GetCurrentObject(dc, OBJ_BITMAP);
    const HGDIOBJ palette = GetCurrentObject(dc, OBJ_PAL);
    DeleteDC(dc);
    DeleteObject(picture);
    DeleteObject(palette);
  }
  RemovePropA(button, property);
}

void destroy(HWND button) {
  RemovePropA(button, HOVERMODE);
  if (const auto region = static_cast<HRGN>(GetPropA(button, BUTTONRGN))) DeleteObject(region);
  RemovePropA(button, BUTTONRGN);
  releasePicture(button, PRESSBMP);
  releasePicture(button, HOVERBMP);
  releasePicture(button, NORMALBMP);
}

void create(HWND button) {
  // Any program can post WM_CREATE again: the button is then made afresh, and
  // what the first creation made is released rather than left behind. Any of its
  // properties may be missing (a picture whose DC could not be made has none).
  destroy(button);
  const std::string normal = pictureName('N');
  HPALETTE palette = nullptr;
  const HBITMAP picture = LOADBMPFROMFILE(normal.c_str(), palette);
  BITMAP size{};
  const bool sized = GetObjectA(picture, sizeof size, &size) != 0;
  RECT buttonRect{}, parentRect{};
  GetWindowRect(button, &buttonRect);
  GetWindowRect(GetParent(button), &parentRect);
  if (!sized) {  // no normal picture: the button keeps the size it was created with
    size.bmWidth = buttonRect.right - buttonRect.left;
    size.bmHeight = buttonRect.bottom - buttonRect.top;
  }
  MoveWindow(button, buttonRect.left - parentRect.left - kParentBorder,
             buttonRect.top - parentRect.top - kParentTopFrame, size.bmWidth, size.bmHeight, FALSE);
  storePicture(button, NORMALBMP, picture, palette);
  loadPicture(button, HOVERBMP, 'H');
  loadPicture(button, PRESSBMP, 'P');
  setState(button, kNormal);
  const HRGN shape = BITMAPTOREGION(normal.c_str(), kMagenta, kMagentaTolerance);
  if (!shape) return;  // rectangular, and no hover tracking
  // The system takes the region over only when it accepts it.
  if (!SetWindowRgn(button, shape, FALSE)) DeleteObject(shape);
  SetPropA(button, BUTTONRGN, BITMAPTOREGION(normal.c_str(), kMagenta, kMagentaTolerance));
}

void paint(HWND button) {
  RECT rect{};
  GetWindowRect(button, &rect);
  const std::uintptr_t current = state(button);
  const char* property = current == kNormal    ? NORMALBMP
                         : current == kHover   ? HOVERBMP
                         : current == kPressed ? PRESSBMP
                                               : nullptr;
  const auto picture = property ? static_cast<HDC>(GetPropA(button, property)) : nullptr;
  PAINTSTRUCT paint;
  // Painting nothing still validates the window, or the request would come back forever.
  const HDC target = BeginPaint(button, &paint);
  if (picture) BitBlt(target, 0, 0, rect.right - rect.left, rect.bottom - rect.top, picture, 0, 0, SRCCOPY);
  EndPaint(button, &paint);
}

void mouseMove(HWND button, WPARAM keys, LPARAM position) {
  const auto region = static_cast<HRGN>(GetPropA(button, BUTTONRGN));
  const std::uintptr_t current = state(button);
  if (!region || !current) return;
  // Unsigned on purpose: left of or above the button (negative while captured) reads as far outside.
  const int x = LOWORD(position), y = HIWORD(position);
  if (PtInRegion(region, x, y)) {
    if (current != kNormal) return;
    setState(button, (keys & (MK_LBUTTON | MK_RBUTTON)) ? kPressed : kHover);
    SetCapture(button);
  } else {
    setState(button, kNormal);
    ReleaseCapture();
  }
  repaint(button);
}

}  // namespace

LRESULT CALLBACK HOVERBUTTONHANDLER(HWND WND, UINT IMSG, ::WPARAM WPARAM, ::LPARAM LPARAM) {
  switch (IMSG) {
    case WM_CREATE: create(WND); return 0;
    case WM_DESTROY: destroy(WND); return 0;
    case WM_PAINT: paint(WND); return 0;
    case WM_MOUSEMOVE: mouseMove(WND, WPARAM, LPARAM); return 0;
    case WM_LBUTTONDOWN:
      SetCapture(WND);
      setState(WND, kPressed);
      repaint(WND);
      return 0;
    case WM_LBUTTONUP:
      if (state(WND) == kPressed) PostMessageA(GetParent(WND), WM_COMMAND, static_cast<::WPARAM>(GetDlgCtrlID(WND)), 0);
      setState(WND, kNormal);
      ReleaseCapture();
      repaint(WND);
      return 0;
    default: return DefWindowProcA(WND, IMSG, WPARAM, LPARAM);
  }
}

}  // namespace Vitrum
