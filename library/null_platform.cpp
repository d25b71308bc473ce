// Platform services of the native build, which has no windows: a message box
// becomes a line on stderr (and a record for the tests), answered with OK.
#include <cstdio>

#include "internal.h"
#include "null_platform.h"

namespace Vitrum::internal {

std::vector<NullMessage> nullMessages;

std::int32_t platformMessageBox(const char* text, const char* caption, std::uint32_t style) {
  nullMessages.push_back({text, caption, style});
  std::fprintf(stderr, "[%s] %s\n", caption, text);
  return 1;  // IDOK
}

}  // namespace Vitrum::internal
