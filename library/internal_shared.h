// Vitrum internals shared by the library and its extension (library_ext); part of
// neither interface and not installed. Platform-free: no <windows.h> here.
#pragma once

#include <cfloat>

namespace Vitrum::internal {

//== Float storage ============================================================
// Geometry, projection and the extension's fog coordinates evaluate their expressions
// in extended precision and round only where a result is kept as a 32- or 64-bit
// float (a variable, a table item, a return value), so that 32-bit (x87) and 64-bit
// (SSE) builds agree bit for bit.

// V rounded to T. Where FLT_EVAL_METHOD is not 0 (x87 code) a float or double
// may otherwise live on in an 80-bit register; a trip through memory rounds it.
template <class T>
inline T rounded(long double v) {
  if constexpr (FLT_EVAL_METHOD == 0) {
    return static_cast<T>(v);
  } else {
    volatile T stored = static_cast<T>(v);
    return stored;
  }
}

}  // namespace Vitrum::internal
