#pragma once

namespace vitrum_bench {

// Keeps the vertices it is given observable, like the driver would.
extern float sink;
void vertexStandIn(float x, float y, float z);

}  // namespace vitrum_bench
