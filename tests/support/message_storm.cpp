#include "message_storm.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <thread>

namespace vitrum_test {
namespace {

// System messages whose parameters are plain numbers (or handles that are only
// compared or validated), so that default processing copes with any value.
constexpr UINT kValueMessages[] = {
    WM_NULL,          WM_MOVE,        WM_ENABLE,         WM_CANCELMODE,    WM_CHAR,           WM_DEADCHAR,
    WM_MOUSEWHEEL,    WM_MOUSEHWHEEL, WM_MBUTTONDOWN,    WM_MBUTTONUP,     WM_MBUTTONDBLCLK,  WM_LBUTTONDBLCLK,
    WM_RBUTTONDBLCLK, WM_XBUTTONDOWN, WM_XBUTTONUP,      WM_NCHITTEST,     WM_NCMOUSEMOVE,    WM_MOUSEACTIVATE,
    WM_TIMECHANGE,    WM_FONTCHANGE,  WM_SYSCOLORCHANGE, WM_DISPLAYCHANGE, WM_CAPTURECHANGED, WM_ERASEBKGND,
    WM_NCACTIVATE,    WM_ACTIVATE,    WM_SETFOCUS,       WM_KILLFOCUS,     WM_ACTIVATEAPP,    WM_GETDLGCODE,
    WM_APPCOMMAND,    WM_HOTKEY,
};

std::atomic<unsigned> progress{0};
std::atomic<std::uint32_t> watchedSeed{0};
std::atomic<UINT> lastMessage{0};
std::atomic<WPARAM> lastWparam{0};
std::atomic<LPARAM> lastLparam{0};

// Default processing opens the system menu for a context menu on the caption,
// and a right-button release sends such a context menu for its point.
bool opensSystemMenu(HWND target, const StormMessage& m) {
  POINT at{static_cast<short>(LOWORD(m.lparam)), static_cast<short>(HIWORD(m.lparam))};
  if (m.message == WM_RBUTTONUP) ClientToScreen(target, &at);
  else if (m.message != WM_CONTEXTMENU) return false;
  const LRESULT hit = SendMessageA(target, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
  return hit == HTCAPTION || hit == HTSYSMENU;
}

}  // namespace

MessageStorm::MessageStorm(std::uint32_t seed, std::vector<UINT> handled)
    : seed_(seed), handled_(std::move(handled)), random_(seed) {}

std::uint32_t MessageStorm::bits(int count) {
  return static_cast<std::uint32_t>(random_() & (count >= 32 ? 0xFFFFFFFFu : (1u << count) - 1));
}

// Mostly inside a window, otherwise anywhere in the 16-bit range of each coordinate.
LPARAM MessageStorm::point() {
  if (bits(2) != 0) return MAKELPARAM(bits(16) % 900, bits(16) % 700);
  return static_cast<LPARAM>(bits(32));
}

StormMessage MessageStorm::draw(HWND target) {
  StormMessage m{};
  m.posted = bits(1) != 0;
  if (bits(1) != 0 || handled_.empty()) {
    switch (bits(2)) {
      case 0: m.message = WM_USER + bits(16) % (WM_APP - WM_USER); break;
      case 1: m.message = WM_APP + bits(16) % (0xC000 - WM_APP); break;
      case 2: m.message = 0xC000 + bits(14); break;
      default: m.message = kValueMessages[bits(16) % std::size(kValueMessages)]; break;
    }
    m.wparam = static_cast<WPARAM>(bits(32));
    m.lparam = static_cast<LPARAM>(bits(32));
    return m;
  }
  m.message = handled_[bits(16) % handled_.size()];
  switch (m.message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      switch (bits(2)) {
        case 0: m.wparam = bits(8); break;
        case 1: m.wparam = bits(16); break;
        case 2: m.wparam = ~WPARAM{0} - bits(4); break;
        default: m.wparam = 500 + bits(2); break;
      }
      m.lparam = static_cast<LPARAM>(bits(32));
      // Escape closes; F10 pressed and released enters the menu mode.
      if (m.wparam == VK_ESCAPE || m.wparam == VK_F10) m.wparam = 'A';
      return m;
    case WM_SIZE: {
      const std::uint32_t sizes[] = {0, 1, bits(10), bits(16), 0xFFFF};
      m.wparam = bits(2) ? bits(3) % 5 : bits(32);
      m.lparam = MAKELPARAM(sizes[bits(8) % 5], sizes[bits(8) % 5]);
      return m;
    }
    case WM_TIMER:
      // A non-zero LPARAM would be called as a timer procedure by the dispatch.
      m.wparam = bits(1) ? bits(2) : bits(32);
      m.lparam = 0;
      return m;
    case WM_CONTEXTMENU:
      m.wparam = bits(1) ? reinterpret_cast<WPARAM>(target) : bits(32);
      m.lparam = bits(3) ? point() : -1;
      return m;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
      m.wparam = bits(2) ? bits(7) : bits(32);
      m.lparam = point();
      return m;
    default:
      m.wparam = static_cast<WPARAM>(bits(32));
      m.lparam = static_cast<LPARAM>(bits(32));
      return m;
  }
}

StormMessage MessageStorm::next(HWND target) {
  StormMessage m = draw(target);
  while (opensSystemMenu(target, m)) m = draw(target);
  return m;
}

std::uint32_t stormSeed() {
  const char* given = std::getenv("VITRUM_STORM_SEED");
  const std::uint32_t seed =
      given ? static_cast<std::uint32_t>(std::strtoul(given, nullptr, 0)) : std::random_device{}();
  std::printf("message storm seed %lu (replay with VITRUM_STORM_SEED=%lu)\n", static_cast<unsigned long>(seed),
              static_cast<unsigned long>(seed));
  std::fflush(stdout);
  return seed;
}

unsigned stormLength() {
  const char* given = std::getenv("VITRUM_STORM_MESSAGES");
  const unsigned long length = given ? std::strtoul(given, nullptr, 10) : 0;
  return length > 0 ? static_cast<unsigned>(length) : 100000;
}

StormCounts runStorm(HWND target, MessageStorm& storm, unsigned count, unsigned frameEvery,
                     const std::function<void(const StormMessage&)>& check, const std::function<void()>& drawFrame) {
  watchedSeed = storm.seed();
  std::atomic<bool> done{false};
  // A hang (a modal loop, a lost wake-up) must fail with its seed, not time out silently.
  std::thread watchdog([&done] {
    unsigned seen = progress;
    for (int idle = 0; !done; Sleep(100)) {
      if (progress != seen) seen = progress, idle = 0;
      else if (++idle == 200) {
        std::fprintf(stderr, "message storm stalled: seed %lu, message 0x%X (%llx, %llx)\n",
                     static_cast<unsigned long>(watchedSeed.load()), lastMessage.load(),
                     static_cast<unsigned long long>(lastWparam.load()),
                     static_cast<unsigned long long>(lastLparam.load()));
        std::fflush(stderr);
        ExitProcess(3);
      }
    }
  });
  StormCounts counts;
  for (unsigned i = 0; i < count; ++i) {
    const StormMessage m = storm.next(target);
    lastMessage = m.message, lastWparam = m.wparam, lastLparam = m.lparam;
    if (m.posted && PostMessageA(target, m.message, m.wparam, m.lparam)) {
      ++counts.posted;
      // Bounded: in free look every handled move re-centres the cursor, which
      // Wine answers with another move; posted messages come first anyway.
      pumpQueue(20);
    } else {
      SendMessageA(target, m.message, m.wparam, m.lparam);
      ++counts.sent;
    }
    check(m);
    if (frameEvery && i % frameEvery == 0) {
      drawFrame();
      ++counts.frames;
    }
    ++progress;
  }
  done = true;
  watchdog.join();
  return counts;
}

}  // namespace vitrum_test
