// A stand-in for glVertex3f, in its own file so that the compiler cannot inline
// it into the benchmark loops: it costs a call, as the real one does.
#include "gl_stand_in.h"

namespace vitrum_bench {

float sink = 0.0f;

void vertexStandIn(float x, float y, float z) { sink += x + y + z; }

}  // namespace vitrum_bench
