// The vertex capture buffer: per-slot recording and reshaping of vertices.
#include "internal.h"
#include "vitrum_core.h"

namespace Vitrum {

TGLVERTEX3F GLBASEVERTEX3F{};
bool GLVERT3FENABLEEDIT = false;
bool GLVERT3FREMOVE = false;

namespace internal {

TGLVECTOR captureVertex(float x, float y, float z) {
  TGLVERTEX3F& base = GLBASEVERTEX3F;
  // The count never passes the cap, so once it is reached every further vertex
  // lands in the last slot again.
  if (base.GLVERT3FCOUNT < base.GLVERT3FMAX) ++base.GLVERT3FCOUNT;
  const std::int32_t n = base.GLVERT3FCOUNT;
  if (n < 1 || n > VERTEX_SLOTS) return {x, y, z};

  base.GLVERT3FOFFSET[n] = {x, y, z};
  TGLVECTOR& scale = base.GLVERT3FTMPSCALE[n];
  if (scale.X == 0.0f && scale.Y == 0.0f && scale.Z == 0.0f) scale = {1.0f, 1.0f, 1.0f};
  const TGLVECTOR& move = base.GLVERT3FTMP[n];
  const TGLVECTOR& offset = base.GLVERT3FTMPPOSROT[n];

  TGLVECTOR& vertex = base.GLVERT3F[n];
  vertex = {rounded<float>(static_cast<long double>(scale.X) * x + move.X),
            rounded<float>(static_cast<long double>(scale.Y) * y + move.Y),
            rounded<float>(static_cast<long double>(scale.Z) * z + move.Z)};
  const TGLVECTOR beforeRotation{rounded<float>(static_cast<long double>(offset.X) + vertex.X),
                                 rounded<float>(static_cast<long double>(offset.Y) + vertex.Y),
                                 rounded<float>(static_cast<long double>(offset.Z) + vertex.Z)};
  vertex = MATRIXVECROT(beforeRotation, MATRIXEULERRAD(base.GLVERT3FTMPROTATE[n]));
  return vertex;
}

}  // namespace internal
}  // namespace Vitrum
