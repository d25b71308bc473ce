// Scenario markers for gl-trace-check: a call that changes no state and shows up
// in the trace as glIsList(list = 3235774464 + N).
#pragma once

#include <windows.h>
#include <GL/gl.h>

namespace vitrum_test {

inline void glTraceMarker(unsigned scenario) { glIsList(0xC0DE0000u + scenario); }

}  // namespace vitrum_test
