// The vertex capture buffer: per-slot recording and reshaping of vertices.
#include "vitrum_core.h"

namespace Vitrum {

bool GLVERT3FENABLEEDIT = false;
bool GLVERT3FREMOVE = false;

}  // namespace Vitrum
