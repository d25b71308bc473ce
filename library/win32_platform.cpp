// Platform services of the Win32 build.
#include "internal.h"
#include "vitrum.h"

namespace Vitrum::internal {

std::int32_t platformMessageBox(const char* text, const char* caption, std::uint32_t style) {
  return MessageBoxA(nullptr, text, caption, style);
}

}  // namespace Vitrum::internal
