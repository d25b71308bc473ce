// Test support: seeded random streams of window messages, sent and posted to
// one window procedure as any program on the desktop could, interleaved with
// frames drawn through the library.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <random>
#include <vector>

#include "message_pump.h"

namespace vitrum_test {

struct StormMessage {
  UINT message;
  WPARAM wparam;
  LPARAM lparam;
  bool posted;
};

// Draws messages: half from HANDLED (the procedure's own messages, with
// parameters over their whole ranges: coordinates across 16 bits, key codes
// 0..65535 and beyond, zero and huge sizes, any timer id or command), half
// from the application and registered ranges and from system messages whose
// parameters are plain values. Left out, to be tested on their own: messages
// that close or destroy the window or end the session, Escape, and what default
// processing turns into a modal loop (system menu, moving, F10's menu mode).
// System messages carrying pointers are left out as well: default processing
// would follow them whatever the procedure does.
class MessageStorm {
 public:
  MessageStorm(std::uint32_t seed, std::vector<UINT> handled);
  // The next message for TARGET (whose caption the system-menu check needs).
  StormMessage next(HWND target);
  std::uint32_t seed() const { return seed_; }

 private:
  StormMessage draw(HWND target);
  std::uint32_t bits(int count);
  LPARAM point();

  std::uint32_t seed_;
  std::vector<UINT> handled_;
  std::mt19937 random_;
};

// The storm's seed: VITRUM_STORM_SEED when set (to replay a failure), else a
// fresh one. Printed either way.
std::uint32_t stormSeed();

// How many messages a storm sends: VITRUM_STORM_MESSAGES when set (a short storm
// for runs that only show a test stands alone), else 100000.
unsigned stormLength();

struct StormCounts {
  unsigned sent = 0, posted = 0, frames = 0;
};

// Sends or posts COUNT messages of STORM to TARGET, pumping with SETGLMSG after
// each posted one, calling CHECK after each message and DRAW_FRAME every
// FRAME_EVERY messages. A storm that stops making progress ends the process
// with the seed and the last message printed.
StormCounts runStorm(HWND target, MessageStorm& storm, unsigned count, unsigned frameEvery,
                     const std::function<void(const StormMessage&)>& check, const std::function<void()>& drawFrame);

}  // namespace vitrum_test
