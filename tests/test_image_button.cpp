// The image button on a real captioned parent window under Wine: its creation,
// its states and clicks driven by messages and by real pointer input on the
// virtual display, its painting read back as pixels, and its teardown.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image_files.h"
#include "live_objects.h"
#include "message_storm.h"
#include "test_context.h"
#include "vitrum.h"

using namespace Vitrum;
using vitrum_test::Bytes;

namespace {

constexpr int kId = 77, kWidth = 40, kHeight = 20;
constexpr COLORREF kNormal = RGB(200, 0, 0), kHover = RGB(0, 200, 0), kPressed = RGB(0, 0, 200);

std::vector<std::pair<WPARAM, LPARAM>> commands;  // WM_COMMAND as the parent received them

LRESULT CALLBACK parentProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_COMMAND) commands.emplace_back(wparam, lparam);
  return DefWindowProcA(window, message, wparam, lparam);
}

// A 40 x 20 picture of one colour with a magenta triangle cut from each corner.
void writePicture(const std::string& name, COLORREF colour) {
  Bytes rows;
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      const int dx = std::min(x, kWidth - 1 - x), dy = std::min(y, kHeight - 1 - y);
      const COLORREF c = dx + dy < 5 ? RGB(255, 0, 255) : colour;
      rows.insert(rows.end(), {GetBValue(c), GetGValue(c), GetRValue(c)});
    }
  vitrum_test::saveFile(name, vitrum_test::makeBmp(kWidth, kHeight, 24, rows));
}

std::uintptr_t state(HWND button) { return reinterpret_cast<std::uintptr_t>(GetPropA(button, HOVERMODE)); }

class ImageButton : public testing::Test {
 protected:
  static inline HWND parent = nullptr;

  static void SetUpTestSuite() {
    WINDOWREGISTER();
    WNDCLASSA parentClass{};
    parentClass.lpfnWndProc = parentProc;
    parentClass.hInstance = GetModuleHandleA(nullptr);
    parentClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    parentClass.lpszClassName = "VitrumButtonParent";
    RegisterClassA(&parentClass);
    parent =
        CreateWindowExA(0, "VitrumButtonParent", "Image buttons", WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                        100, 100, 300, 200, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    writePicture("btnN.BMP", kNormal);
    writePicture("btnH.BMP", kHover);
    writePicture("btnP.BMP", kPressed);
  }
  static void TearDownTestSuite() { DestroyWindow(parent); }

  void SetUp() override {
    BMPTYPE = "btn";
    SetForegroundWindow(parent);
    vitrum_test::pumpQueue();
    commands.clear();
  }

  static HWND create(int x = 10, int y = 10) {
    return CreateWindowExA(0, SZHOVERCLASS, "", WS_CHILD | WS_VISIBLE, x, y, 5, 5, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kId)), GetModuleHandleA(nullptr), nullptr);
  }
};

TEST_F(ImageButton, TakesItsPicturesSizeAndShapeFromBmpTypeFiles) {
  HWND button = create();
  ASSERT_NE(button, nullptr);
  RECT rect, parentRect;
  GetWindowRect(button, &rect);
  GetWindowRect(parent, &parentRect);
  POINT client{0, 0};
  ClientToScreen(parent, &client);
  // Placed for a 3-pixel border and a 19-pixel top frame, whatever the parent's real frame.
  EXPECT_EQ(rect.left - client.x, 10 + (client.x - parentRect.left) - 3);
  EXPECT_EQ(rect.top - client.y, 10 + (client.y - parentRect.top) - 19);
  EXPECT_EQ(rect.right - rect.left, kWidth);
  EXPECT_EQ(rect.bottom - rect.top, kHeight);
  EXPECT_EQ(state(button), 1u);
  const struct {
    const char* property;
    COLORREF colour;
  } pictures[] = {{NORMALBMP, kNormal}, {HOVERBMP, kHover}, {PRESSBMP, kPressed}};
  for (const auto& p : pictures) EXPECT_EQ(GetPixel(static_cast<HDC>(GetPropA(button, p.property)), 20, 10), p.colour);

  HRGN hitTest = static_cast<HRGN>(GetPropA(button, BUTTONRGN));
  HRGN shape = CreateRectRgn(0, 0, 0, 0), file = BITMAPTOREGION("btnN.BMP", RGB(255, 0, 255), 1);
  ASSERT_EQ(GetWindowRgn(button, shape), COMPLEXREGION);
  EXPECT_TRUE(EqualRgn(shape, file));
  EXPECT_TRUE(EqualRgn(hitTest, file));
  EXPECT_NE(shape, hitTest);
  DeleteObject(shape);
  DeleteObject(file);
  DestroyWindow(button);
}

TEST_F(ImageButton, MessagesMoveItBetweenStatesAndAPressReleasedOverItClicks) {
  // Each step a message: I move inside, C onto a cut-away corner, O off to the left
  // (x reads as 65531), o off above with the left button held; L and R inside with
  // the left or right button held; D and U left press and release, d and u the right's.
  const struct {
    const char* steps;
    std::uintptr_t finalState;
    std::size_t clicks;
  } cases[] = {{"DU", 1, 1}, {"DoU", 1, 0},  {"DoLU", 1, 1}, {"I", 2, 0},  {"IC", 1, 0},
               {"IU", 1, 0}, {"dIuU", 1, 0}, {"R", 3, 0},    {"DI", 3, 0}, {"DOI", 2, 0}};
  for (const auto& c : cases) {
    const vitrum_test::Context trace(c.steps);
    HWND button = create();
    commands.clear();
    for (const char* step = c.steps; *step; ++step) {
      const std::string kinds = "ICOLRoDUdu";
      // clang-format off
      const struct {
        UINT message;
        WPARAM keys;
        int x, y;
      } m[] = {{WM_MOUSEMOVE, 0, 20, 10},           {WM_MOUSEMOVE, 0, 1, 1},
               {WM_MOUSEMOVE, 0, -5, 10},           {WM_MOUSEMOVE, MK_LBUTTON, 20, 10},
               {WM_MOUSEMOVE, MK_RBUTTON, 20, 10},  {WM_MOUSEMOVE, MK_LBUTTON, 20, -3},
               {WM_LBUTTONDOWN, MK_LBUTTON, 20, 10}, {WM_LBUTTONUP, 0, 20, 10},
               {WM_RBUTTONDOWN, MK_RBUTTON, 20, 10}, {WM_RBUTTONUP, 0, 20, 10}};
      // clang-format on
      const auto& message = m[kinds.find(*step)];
      SendMessageA(button, message.message, message.keys, MAKELPARAM(message.x, message.y));
    }
    EXPECT_EQ(state(button), c.finalState);
    vitrum_test::pumpQueue();
    ASSERT_EQ(commands.size(), c.clicks);
    for (const auto& command : commands) EXPECT_EQ(command, (std::pair<WPARAM, LPARAM>{kId, 0}));
    DestroyWindow(button);
  }
}

// Real pointer input, in screen coordinates.
void pointer(DWORD flags, POINT at = {-1, -1}) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  if (at.x >= 0) {
    input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
    flags |= MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  }
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof input);
  vitrum_test::pumpQueue(10000, 150);
}

TEST_F(ImageButton, RealPointerHoversPaintsAndClicks) {
  HWND button = create();
  vitrum_test::pumpQueue(10000, 100);
  RECT rect;
  GetWindowRect(button, &rect);
  const POINT centre{rect.left + 20, rect.top + 10}, corner{rect.left, rect.top},
      away{rect.left + 20, rect.bottom + 30};
  const auto shown = [button] {
    HDC dc = GetDC(button);
    const COLORREF colour = GetPixel(dc, 20, 10);
    ReleaseDC(button, dc);
    return colour;
  };
  pointer(0, away);
  pointer(0, centre);
  EXPECT_EQ(state(button), 2u);
  EXPECT_EQ(shown(), kHover);
  pointer(MOUSEEVENTF_LEFTDOWN);
  EXPECT_EQ(shown(), kPressed);
  pointer(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(commands.size(), 1u);
  pointer(0, corner);  // inside the rectangle, outside the shape
  EXPECT_EQ(state(button), 1u);
  EXPECT_EQ(shown(), kNormal);

  pointer(0, centre);
  pointer(MOUSEEVENTF_LEFTDOWN);
  pointer(0, away);
  pointer(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(commands.size(), 1u);  // released off the button
  pointer(0, centre);
  pointer(MOUSEEVENTF_LEFTDOWN);
  pointer(0, away);
  pointer(0, centre);
  pointer(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(commands.size(), 2u);  // dragged back in before the release
  for (const auto& command : commands) EXPECT_EQ(command, (std::pair<WPARAM, LPARAM>{kId, 0}));
  pointer(0, away);
  DestroyWindow(button);
}

TEST_F(ImageButton, SurvivesASeededMessageStormLeakingNothingAndStillClicks) {
  HWND button = create();
  RECT placed;
  GetWindowRect(button, &placed);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&placed), 2);
  const HRGN shape = BITMAPTOREGION("btnN.BMP", RGB(255, 0, 255), 1);
  const auto before = vitrum_test::liveObjects();
  // Weighted by repeats: a creation loads five pictures, so it comes once in 61
  // to keep the storm short (about 800 creations); mouse moves, which drive the
  // states, come most.
  std::vector<UINT> handledMessages{WM_CREATE};
  for (const auto& [message, repeats] :
       {std::pair<UINT, int>{WM_PAINT, 12}, {WM_LBUTTONDOWN, 12}, {WM_LBUTTONUP, 12}, {WM_MOUSEMOVE, 24}})
    handledMessages.insert(handledMessages.end(), repeats, message);
  vitrum_test::MessageStorm storm(vitrum_test::stormSeed(), handledMessages);
  // The state each message must leave, by the button's rules, and the clicks it must report.
  std::uintptr_t expected = 1;
  std::size_t clicks = 0;
  unsigned handled = 0;
  std::string broken;
  const auto check = [&](const vitrum_test::StormMessage& m) {
    ++handled;
    if (m.message == WM_CREATE) expected = 1;
    else if (m.message == WM_LBUTTONDOWN) expected = 3;
    else if (m.message == WM_LBUTTONUP) clicks += expected == 3, expected = 1;
    else if (m.message == WM_MOUSEMOVE && !PtInRegion(shape, LOWORD(m.lparam), HIWORD(m.lparam))) expected = 1;
    else if (m.message == WM_MOUSEMOVE && expected == 1) expected = (m.wparam & (MK_LBUTTON | MK_RBUTTON)) ? 3 : 2;
    if (!broken.empty()) return;
    if (!IsWindow(button)) broken = "the button is gone";
    else if (state(button) != expected)
      broken = "state " + std::to_string(state(button)) + ", not " + std::to_string(expected);
    else if (m.message == WM_CREATE && !(GetPropA(button, BUTTONRGN) && GetPropA(button, NORMALBMP) &&
                                         GetPropA(button, HOVERBMP) && GetPropA(button, PRESSBMP)))
      broken = "a property is missing after creation";
    if (!broken.empty())
      broken += " after message " + std::to_string(handled) + " (0x" + std::to_string(m.message) + ")";
  };
  const auto drawFrame = [] {
    RedrawWindow(parent, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  };
  const unsigned length = vitrum_test::stormLength();
  const auto counts = vitrum_test::runStorm(button, storm, length, 100, check, drawFrame);
  vitrum_test::pumpQueue();
  const auto after = vitrum_test::liveObjects();
  std::printf("messages survived: %u sent, %u posted, %u frames drawn; %zu clicks; before: %s; after: %s\n",
              counts.sent, counts.posted, counts.frames, clicks, vitrum_test::describe(before).c_str(),
              vitrum_test::describe(after).c_str());
  EXPECT_EQ(broken, "") << "seed " << storm.seed();
  EXPECT_EQ(counts.sent + counts.posted, length);
  EXPECT_EQ(commands.size(), clicks);
  EXPECT_EQ(after.gdiObjects, before.gdiObjects);
  EXPECT_EQ(after.windows, before.windows);
  DeleteObject(shape);

  // Each creation places the button by the assumed frame, so the storm's moved it: back to
  // where it was made, and a real click still reports once.
  SendMessageA(button, WM_LBUTTONUP, 0, 0);
  MoveWindow(button, placed.left, placed.top, kWidth, kHeight, TRUE);
  vitrum_test::pumpQueue();
  commands.clear();
  RECT rect;
  GetWindowRect(button, &rect);
  const POINT centre{rect.left + 20, rect.top + 10}, away{rect.left + 20, rect.bottom + 30};
  pointer(0, away);
  pointer(0, centre);
  pointer(MOUSEEVENTF_LEFTDOWN);
  pointer(MOUSEEVENTF_LEFTUP);
  EXPECT_EQ(commands, (std::vector<std::pair<WPARAM, LPARAM>>{{kId, 0}}));
  pointer(0, away);
  DestroyWindow(button);
}

BOOL CALLBACK countProperty(HWND, LPSTR, HANDLE, ULONG_PTR count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST_F(ImageButton, DestroyingRemovesItsPropertiesAndFreesEveryObjectItMade) {
  HDC probe = CreateCompatibleDC(nullptr);
  const HGDIOBJ stockBitmap = GetCurrentObject(probe, OBJ_BITMAP), stockPalette = GetStockObject(DEFAULT_PALETTE);
  DeleteDC(probe);
  HRGN windowRegion = CreateRectRgn(0, 0, 0, 0);
  for (const char* type : {"btn", "vb_missing"}) {
    const vitrum_test::Context trace(type);
    BMPTYPE = type;
    for (int cycle = 0; cycle < 100; ++cycle) {
      HWND button = create();
      std::vector<HGDIOBJ> made;
      if (HGDIOBJ region = GetPropA(button, BUTTONRGN)) made.push_back(region);
      for (const char* property : {NORMALBMP, HOVERBMP, PRESSBMP}) {
        const auto dc = static_cast<HDC>(GetPropA(button, property));
        ASSERT_NE(dc, nullptr);
        made.push_back(dc);
        for (HGDIOBJ selected : {GetCurrentObject(dc, OBJ_BITMAP), GetCurrentObject(dc, OBJ_PAL)})
          if (selected != stockBitmap && selected != stockPalette) made.push_back(selected);
      }
      ASSERT_EQ(made.size(), BMPTYPE == "btn" ? 10u : 3u);
      if (BMPTYPE != "btn") {  // no pictures: rectangular, at the size it was created with
        RECT rect;
        GetWindowRect(button, &rect);
        EXPECT_EQ(rect.right - rect.left, 5);
        EXPECT_EQ(GetWindowRgn(button, windowRegion), ERROR);
      }
      SendMessageA(button, WM_DESTROY, 0, 0);
      int properties = 0;
      EnumPropsExA(button, countProperty, reinterpret_cast<LPARAM>(&properties));
      EXPECT_EQ(properties, 0);
      for (HGDIOBJ object : made) EXPECT_EQ(GetObjectType(object), 0u);
      DestroyWindow(button);
    }
  }
  DeleteObject(windowRegion);
}

TEST_F(ImageButton, ARepeatedCreationReleasesWhatTheFirstMadeAlsoWithoutANormalPicture) {
  HWND button = create();
  const auto held = vitrum_test::liveObjects();
  // As when the normal picture's memory DC could not be made: no property for it.
  const auto normal = static_cast<HDC>(RemovePropA(button, NORMALBMP));
  const HGDIOBJ picture = GetCurrentObject(normal, OBJ_BITMAP), palette = GetCurrentObject(normal, OBJ_PAL);
  DeleteDC(normal);
  DeleteObject(picture);
  DeleteObject(palette);
  SendMessageA(button, WM_CREATE, 0, 0);
  EXPECT_EQ(vitrum_test::liveObjects().gdiObjects, held.gdiObjects);
  DestroyWindow(button);
}

TEST_F(ImageButton, APaintRequestInAStateWithoutPictureIsStillAnswered) {
  HWND button = create();
  SetPropA(button, HOVERMODE, reinterpret_cast<HANDLE>(9));
  InvalidateRect(button, nullptr, FALSE);
  UpdateWindow(button);
  EXPECT_FALSE(GetUpdateRect(button, nullptr, FALSE));
  DestroyWindow(button);
}

}  // namespace
