// The native build's stand-ins for platform services, readable by its tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Vitrum::internal {

struct NullMessage {
  std::string text, caption;
  std::uint32_t style;
};
// Every message box "shown" so far, oldest first.
extern std::vector<NullMessage> nullMessages;

}  // namespace Vitrum::internal
