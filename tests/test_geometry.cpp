// Vectors, Euler matrices, face normals and the vertex capture transform. Runs
// natively under the sanitizers and as 32- and 64-bit Windows programs, where
// the bit-exact cases check the x87 and SSE builds against the same values.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <span>

#include "internal.h"
#include "vitrum_core.h"

using namespace Vitrum;

namespace {

constexpr double kDegree = std::numbers::pi / 180;

std::uint32_t bits(float f) { return std::bit_cast<std::uint32_t>(f); }

// Rz(z) Ry(y) Rx(x) v in double precision, angles in radians: the rotation the
// Euler routines are meant to produce, written independently of them.
void rotateReference(const double v[3], double x, double y, double z, double out[3]) {
  const double a[3] = {v[0], std::cos(x) * v[1] - std::sin(x) * v[2], std::sin(x) * v[1] + std::cos(x) * v[2]};
  const double b[3] = {std::cos(y) * a[0] + std::sin(y) * a[2], a[1], -std::sin(y) * a[0] + std::cos(y) * a[2]};
  out[0] = std::cos(z) * b[0] - std::sin(z) * b[1];
  out[1] = std::sin(z) * b[0] + std::cos(z) * b[1];
  out[2] = b[2];
}

void expectVector(TGLVECTOR v, float x, float y, float z) {
  EXPECT_EQ(bits(v.X), bits(x)) << v.X << " != " << x;
  EXPECT_EQ(bits(v.Y), bits(y)) << v.Y << " != " << y;
  EXPECT_EQ(bits(v.Z), bits(z)) << v.Z << " != " << z;
}

void expectNear(TGLVECTOR v, double x, double y, double z, double tolerance = 1e-6) {
  EXPECT_NEAR(v.X, x, tolerance);
  EXPECT_NEAR(v.Y, y, tolerance);
  EXPECT_NEAR(v.Z, z, tolerance);
}

}  // namespace

TEST(Geometry, ConversionsRoundToFloatOnce) {
  EXPECT_EQ(bits(DEGTORAD(180.0f)), 0x40490FDBu);  // 3.1415927
  EXPECT_EQ(bits(DEGTORAD(0.0f)), 0u);
  EXPECT_EQ(bits(DEGTORAD(90.0f)), bits(1.57079637f));
  EXPECT_EQ(bits(DEGTORAD(-360.0f)), bits(-6.28318548f));
  expectVector(GLVECTOR(0.1, 0.2, 0.3), 0.1f, 0.2f, 0.3f);
  EXPECT_EQ(PIDIV180, 0.017453292519943296);
}

TEST(Geometry, ZeroAnglesGiveIdentityWithPositiveZeros) {
  const TGLBASEMATRIX m = MATRIXEULERDEG({0.0f, 0.0f, 0.0f});
  for (long long row = 0; row <= 3; ++row)
    for (long long col = 0; col <= 3; ++col)
      EXPECT_EQ(bits(m[row][col]), bits(row == col ? 1.0f : 0.0f)) << row << "," << col;
}

TEST(Geometry, QuarterTurnsAboutEachAxis) {
  // Pi/2 is rounded to a float before the cosine, which leaves -4.371139e-8.
  const TGLVECTOR yaw = MATRIXVECROT({1.0f, 0.0f, 0.0f}, MATRIXEULERRAD({0.0f, 0.0f, 90.0f}));
  expectVector(yaw, std::bit_cast<float>(0xB33BBD2Eu), 1.0f, 0.0f);
  expectNear(MATRIXVECROT({0.0f, 1.0f, 0.0f}, MATRIXEULERRAD({90.0f, 0.0f, 0.0f})), 0, 0, 1);
  expectNear(MATRIXVECROT({1.0f, 0.0f, 0.0f}, MATRIXEULERRAD({0.0f, 90.0f, 0.0f})), 0, 0, -1);
  // The suffixes are not the units: degrees given to MATRIXEULERDEG are radians.
  expectNear(MATRIXVECROT({1.0f, 0.0f, 0.0f}, MATRIXEULERDEG({0.0f, 0.0f, 90.0f})), std::cos(90.0), std::sin(90.0), 0);
}

TEST(Geometry, EulerMatrixRotatesRollThenPitchThenYaw) {
  std::mt19937 random(7);
  std::uniform_real_distribution<float> angle(-400.0f, 400.0f), coordinate(-10.0f, 10.0f);
  for (int i = 0; i < 200; ++i) {
    const TGLVECTOR ang{angle(random), angle(random), angle(random)};
    const TGLVECTOR v{coordinate(random), coordinate(random), coordinate(random)};
    const TGLBASEMATRIX m = MATRIXEULERRAD(ang);
    const double in[3] = {v.X, v.Y, v.Z};
    double expected[3];
    rotateReference(in, ang.X * kDegree, ang.Y * kDegree, ang.Z * kDegree, expected);
    expectNear(MATRIXVECROT(v, m), expected[0], expected[1], expected[2], 2e-5);
    for (long long k = 0; k <= 2; ++k) {
      EXPECT_EQ(m[3][k], 0.0f);
      EXPECT_EQ(m[k][3], 0.0f);
    }
    EXPECT_EQ(m[3][3], 1.0f);
  }
}

TEST(Geometry, FindNormalGivesUnitNormalOrZero) {
  FINDNORMAL(0, 0, 0, 2, 0, 0, 2, 3, 0);
  EXPECT_EQ(FNORMAL[1], 0.0);
  EXPECT_EQ(FNORMAL[2], 0.0);
  EXPECT_EQ(FNORMAL[3], 1.0);

  FINDNORMAL(0, 0, 0, 0, 3, 0, 2, 3, 0);  // clockwise seen from +Z
  EXPECT_EQ(FNORMAL[3], -1.0);

  FINDNORMAL(1, 2, 3, -4, 0.5, 2, 0.25, 7, -1);
  const double length = std::sqrt(FNORMAL[1] * FNORMAL[1] + FNORMAL[2] * FNORMAL[2] + FNORMAL[3] * FNORMAL[3]);
  EXPECT_NEAR(length, 1.0, 1e-7);

  for (const double spread : {0.0, 1.0}) {  // coincident, then collinear points
    FINDNORMAL(1, 1, 1, 1 + spread, 1 + spread, 1 + spread, 1 + 2 * spread, 1 + 2 * spread, 1 + 2 * spread);
    EXPECT_EQ(std::bit_cast<std::uint64_t>(FNORMAL[1]), 0u) << spread;
    EXPECT_EQ(FNORMAL[2], 0.0);
    EXPECT_EQ(FNORMAL[3], 0.0);
  }
}

class VertexCapture : public testing::Test {
 protected:
  TGLVERTEX3F& base = GLBASEVERTEX3F;

  void SetUp() override {
    for (std::span<TGLVECTOR> table : tables()) std::fill(table.begin(), table.end(), TGLVECTOR{});
    base.GLVERT3FCOUNT = 0;
    base.GLVERT3FMAX = 0;
    base.GLVERT3FSETNUM = 0;
  }

  std::array<std::span<TGLVECTOR>, 6> tables() {
    return {base.GLVERT3F.ITEMS,          base.GLVERT3FTMP.ITEMS,      base.GLVERT3FTMPROTATE.ITEMS,
            base.GLVERT3FTMPPOSROT.ITEMS, base.GLVERT3FTMPSCALE.ITEMS, base.GLVERT3FOFFSET.ITEMS};
  }

  bool tablesAreZero() {
    for (std::span<TGLVECTOR> table : tables()) {
      for (const TGLVECTOR& v : table) {
        if (v.X != 0.0f || v.Y != 0.0f || v.Z != 0.0f) return false;
      }
    }
    return true;
  }
};

TEST_F(VertexCapture, FillsSlotsUpToTheCapThenReusesTheLast) {
  base.GLVERT3FMAX = 4;
  const TGLVECTOR in[5] = {{1, 2, 3}, {-4, 5, 6}, {7, -8, 9}, {0.5f, 0.25f, -1}, {9, 9, 9}};
  for (int k = 0; k < 4; ++k) {
    expectVector(internal::captureVertex(in[k].X, in[k].Y, in[k].Z), in[k].X, in[k].Y, in[k].Z);
    EXPECT_EQ(base.GLVERT3FCOUNT, k + 1);
  }
  for (long long slot = 1; slot <= 4; ++slot) {
    expectVector(base.GLVERT3F[slot], in[slot - 1].X, in[slot - 1].Y, in[slot - 1].Z);
    expectVector(base.GLVERT3FOFFSET[slot], in[slot - 1].X, in[slot - 1].Y, in[slot - 1].Z);
    expectVector(base.GLVERT3FTMPSCALE[slot], 1, 1, 1);
  }
  expectVector(base.GLVERT3FTMPSCALE[5], 0, 0, 0);

  internal::captureVertex(9, 9, 9);
  EXPECT_EQ(base.GLVERT3FCOUNT, 4);
  expectVector(base.GLVERT3F[4], 9, 9, 9);
  expectVector(base.GLVERT3FOFFSET[4], 9, 9, 9);
  expectVector(base.GLVERT3F[5], 0, 0, 0);
}

TEST_F(VertexCapture, ScalesAndTranslatesBeforeRotatingAboutTheOrigin) {
  base.GLVERT3FMAX = 10;
  base.GLVERT3FTMPROTATE[1] = {0, 0, 90};
  expectVector(internal::captureVertex(1, 0, 0), std::bit_cast<float>(0xB33BBD2Eu), 1, 0);

  base.GLVERT3FTMPSCALE[2] = {2, 2, 2};
  base.GLVERT3FTMP[2] = {1, 0, 0};
  base.GLVERT3FTMPPOSROT[2] = {0, 1, 0};
  expectVector(internal::captureVertex(1, 1, 1), 3, 3, 2);
  expectVector(base.GLVERT3FOFFSET[2], 1, 1, 1);

  // A partly zero scale is a real scale: X collapses onto the translation.
  base.GLVERT3FTMPSCALE[3] = {0, 1, 1};
  base.GLVERT3FTMP[3] = {5, 0, 0};
  expectVector(internal::captureVertex(7, 2, 3), 5, 2, 3);
  expectVector(base.GLVERT3FTMPSCALE[3], 0, 1, 1);

  // Both translations move the vertex before the turn, so it swings round the origin.
  base.GLVERT3FTMP[4] = {1, 0, 0};
  base.GLVERT3FTMPPOSROT[4] = {1, 0, 0};
  base.GLVERT3FTMPROTATE[4] = {0, 0, 180};
  expectNear(internal::captureVertex(0, 0, 0), -2, 0, 0);
}

TEST_F(VertexCapture, MatchesTheComposedTransform) {
  std::mt19937 random(11);
  std::uniform_real_distribution<float> value(-5.0f, 5.0f), angle(-180.0f, 180.0f);
  base.GLVERT3FMAX = 300;
  for (long long slot = 1; slot <= 300; ++slot) {
    base.GLVERT3FTMPSCALE[slot] = {value(random), value(random), value(random)};
    base.GLVERT3FTMP[slot] = {value(random), value(random), value(random)};
    base.GLVERT3FTMPPOSROT[slot] = {value(random), value(random), value(random)};
    base.GLVERT3FTMPROTATE[slot] = {angle(random), angle(random), angle(random)};
    const TGLVECTOR s = base.GLVERT3FTMPSCALE[slot], t = base.GLVERT3FTMP[slot], p = base.GLVERT3FTMPPOSROT[slot],
                    a = base.GLVERT3FTMPROTATE[slot];
    const TGLVECTOR v{value(random), value(random), value(random)};
    const double moved[3] = {double{s.X} * v.X + t.X + p.X, double{s.Y} * v.Y + t.Y + p.Y,
                             double{s.Z} * v.Z + t.Z + p.Z};
    double expected[3];
    rotateReference(moved, a.X * kDegree, a.Y * kDegree, a.Z * kDegree, expected);
    const TGLVECTOR got = internal::captureVertex(v.X, v.Y, v.Z);
    expectNear(got, expected[0], expected[1], expected[2], 1e-4);
    expectVector(base.GLVERT3F[slot], got.X, got.Y, got.Z);
  }
}

TEST_F(VertexCapture, WithoutAValidSlotForwardsUnchangedAndRecordsNothing) {
  internal::captureVertex(1, 2, 3);  // cap 0: the count stays at 0, which is no slot
  EXPECT_EQ(base.GLVERT3FCOUNT, 0);
  expectVector(internal::captureVertex(1, 2, 3), 1, 2, 3);

  base.GLVERT3FCOUNT = VERTEX_SLOTS;
  base.GLVERT3FMAX = VERTEX_SLOTS + 5;
  expectVector(internal::captureVertex(4, 5, 6), 4, 5, 6);
  EXPECT_EQ(base.GLVERT3FCOUNT, VERTEX_SLOTS + 1);

  base.GLVERT3FCOUNT = -3;
  base.GLVERT3FMAX = 4;
  expectVector(internal::captureVertex(7, 8, 9), 7, 8, 9);
  EXPECT_TRUE(tablesAreZero());

  base.GLVERT3FCOUNT = VERTEX_SLOTS - 1;
  base.GLVERT3FMAX = VERTEX_SLOTS;
  internal::captureVertex(1, 1, 1);
  internal::captureVertex(2, 2, 2);
  EXPECT_EQ(base.GLVERT3FCOUNT, VERTEX_SLOTS);
  expectVector(base.GLVERT3FOFFSET[VERTEX_SLOTS], 2, 2, 2);
}
