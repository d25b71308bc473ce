// The cost per vertex of the capture wrapper: plain mode against the bare call,
// edit mode against the floor of its own arithmetic (six sines and cosines and
// one 3 x 3 product, inline). Native, with a stand-in for glVertex3f.
#include <benchmark/benchmark.h>

#include <cmath>

#include "gl_stand_in.h"
#include "internal.h"
#include "vitrum_core.h"

using namespace Vitrum;
using vitrum_bench::vertexStandIn;

namespace {

constexpr int kFrame = 1024;  // vertices per frame; the count goes back to 0 each frame

float coordinate(int i) { return static_cast<float>(i % 97) * 0.125f - 6.0f; }

void prepareSlots(bool rotated) {
  GLBASEVERTEX3F.GLVERT3FSETNUM = kFrame;
  GLBASEVERTEX3F.GLVERT3FMAX = kFrame;
  GLBASEVERTEX3F.GLVERT3FCOUNT = 0;
  for (long long slot = 1; slot <= kFrame; ++slot) {
    const float a = static_cast<float>(slot % 360);
    GLBASEVERTEX3F.GLVERT3FTMPSCALE[slot] = {1.5f, 1.5f, 1.5f};
    GLBASEVERTEX3F.GLVERT3FTMP[slot] = {0.25f, 0.5f, 0.75f};
    GLBASEVERTEX3F.GLVERT3FTMPROTATE[slot] = rotated ? TGLVECTOR{a, a * 0.5f, a * 0.25f} : TGLVECTOR{};
  }
}

void BM_BareCall(benchmark::State& state) {
  for (auto _ : state)
    for (int i = 0; i < kFrame; ++i) vertexStandIn(coordinate(i), 1.0f, 2.0f);
  state.SetItemsProcessed(state.iterations() * kFrame);
}
BENCHMARK(BM_BareCall);

void BM_PlainMode(benchmark::State& state) {
  GLVERT3FENABLEEDIT = false;
  GLVERT3FREMOVE = false;
  for (auto _ : state)
    for (int i = 0; i < kFrame; ++i) internal::wrappedVertex(coordinate(i), 1.0f, 2.0f, vertexStandIn);
  state.SetItemsProcessed(state.iterations() * kFrame);
}
BENCHMARK(BM_PlainMode);

void BM_EditMode(benchmark::State& state) {
  prepareSlots(true);
  GLVERT3FENABLEEDIT = true;
  GLVERT3FREMOVE = false;
  for (auto _ : state) {
    GLBASEVERTEX3F.GLVERT3FCOUNT = 0;
    for (int i = 0; i < kFrame; ++i) internal::wrappedVertex(coordinate(i), 1.0f, 2.0f, vertexStandIn);
  }
  GLVERT3FENABLEEDIT = false;
  state.SetItemsProcessed(state.iterations() * kFrame);
}
BENCHMARK(BM_EditMode);

// The same per-vertex arithmetic with nothing around it: angles from a table,
// the six sines and cosines at the precision the library uses, the matrix
// block and the product, straight to the call.
template <class Real>
void arithmeticFloor(benchmark::State& state) {
  prepareSlots(true);
  const auto& angles = GLBASEVERTEX3F.GLVERT3FTMPROTATE;
  constexpr Real degree = static_cast<Real>(3.141592653589793238462643383279502884L / 180);
  for (auto _ : state) {
    for (int i = 0; i < kFrame; ++i) {
      const TGLVECTOR a = angles.data()[i];
      const float cr = static_cast<float>(std::cos(a.X * degree)), sr = static_cast<float>(std::sin(a.X * degree));
      const float cp = static_cast<float>(std::cos(a.Y * degree)), sp = static_cast<float>(std::sin(a.Y * degree));
      const float cy = static_cast<float>(std::cos(a.Z * degree)), sy = static_cast<float>(std::sin(a.Z * degree));
      const float x = coordinate(i) * 1.5f + 0.25f, y = 1.0f * 1.5f + 0.5f, z = 2.0f * 1.5f + 0.75f;
      const float srsp = sp * sr, crsp = sp * cr;
      vertexStandIn(x * cy * cp + y * (cy * srsp - sy * cr) + z * (cy * crsp + sy * sr),
                    x * sy * cp + y * (sy * srsp + cy * cr) + z * (sy * crsp - cy * sr),
                    -x * sp + y * cp * sr + z * cp * cr);
    }
  }
  state.SetItemsProcessed(state.iterations() * kFrame);
}
// Double-precision sines and cosines, as the library computes them.
void BM_EditArithmeticFloor(benchmark::State& state) { arithmeticFloor<double>(state); }
BENCHMARK(BM_EditArithmeticFloor);
// For comparison: the same arithmetic with single-precision sines and cosines.
void BM_EditArithmeticFloorSinglePrecision(benchmark::State& state) { arithmeticFloor<float>(state); }
BENCHMARK(BM_EditArithmeticFloorSinglePrecision);

}  // namespace

BENCHMARK_MAIN();
