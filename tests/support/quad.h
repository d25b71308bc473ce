// A quad through the library's immediate-mode wrappers rather than OpenGL's own
// calls, so that the vertex capture switches act on it as on a program's geometry.
#pragma once

#include "vitrum.h"

namespace vitrum_test {

inline void quad(const Vitrum::TGLVECTOR (&corners)[4]) {
  Vitrum::GLBEGIN(GL_QUADS);
  for (const Vitrum::TGLVECTOR& corner : corners) Vitrum::GLVERTEX3F(corner.X, corner.Y, corner.Z);
  Vitrum::GLEND();
}

}  // namespace vitrum_test
