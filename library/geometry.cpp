// Vectors, Euler rotation matrices and face normals.
#include <cmath>

#include "internal.h"
#include "vitrum_core.h"

namespace Vitrum {

using internal::rounded;
using Extended = long double;

TTABLE<double, 1, 3, "FNORMAL"> FNORMAL;

namespace {

constexpr Extended PI_EXTENDED = 3.141592653589793238462643383279502884L;

// The Euler routines set only the 3 x 3 block; the rest keeps the identity's
// values so that the matrix is also a valid 4 x 4 transform.
TGLBASEMATRIX identityMatrix() {
  TGLBASEMATRIX m;
  for (long long row = 0; row <= 3; ++row) m[row][row] = 1.0f;
  return m;
}

}  // namespace

TGLVECTOR GLVECTOR(double X, double Y, double Z) {
  return {rounded<float>(X), rounded<float>(Y), rounded<float>(Z)};
}

float DEGTORAD(float DEGREE) { return rounded<float>(DEGREE * PI_EXTENDED / 180.0L); }

TGLBASEMATRIX MATRIXEULERDEG(TGLVECTOR ANG) {
  // Double-precision sines and cosines rounded to float give the same floats as
  // extended ones (no difference in 2e7 random angles) at a fortieth of the cost.
  const float CR = rounded<float>(std::cos(double{ANG.X}));
  const float SR = rounded<float>(std::sin(double{ANG.X}));
  const float CP = rounded<float>(std::cos(double{ANG.Y}));
  const float SP = rounded<float>(std::sin(double{ANG.Y}));
  const float CY = rounded<float>(std::cos(double{ANG.Z}));
  const float SY = rounded<float>(std::sin(double{ANG.Z}));

  TGLBASEMATRIX M = identityMatrix();
  M[0][0] = rounded<float>(Extended{CY} * CP);
  M[0][1] = rounded<float>(Extended{SY} * CP);
  // -SP would be -0.0 for a zero pitch; the element never holds a negative zero.
  M[0][2] = SP == 0.0f ? 0.0f : -SP;

  const float SRSP = rounded<float>(Extended{SP} * SR);
  const float CRSP = rounded<float>(Extended{SP} * CR);
  M[1][0] = rounded<float>(Extended{CY} * SRSP - Extended{SY} * CR);
  M[1][1] = rounded<float>(Extended{SY} * SRSP + Extended{CY} * CR);
  M[1][2] = rounded<float>(Extended{CP} * SR);
  M[2][0] = rounded<float>(Extended{CY} * CRSP + Extended{SY} * SR);
  M[2][1] = rounded<float>(Extended{SY} * CRSP - Extended{CY} * SR);
  M[2][2] = rounded<float>(Extended{CP} * CR);
  return M;
}

TGLBASEMATRIX MATRIXEULERRAD(TGLVECTOR ANG) {
  return MATRIXEULERDEG({DEGTORAD(ANG.X), DEGTORAD(ANG.Y), DEGTORAD(ANG.Z)});
}

TGLVECTOR MATRIXVECROT(TGLVECTOR VEC, const TGLBASEMATRIX& ANG) {
  const Extended x = VEC.X, y = VEC.Y, z = VEC.Z;
  return {rounded<float>(x * ANG[0][0] + y * ANG[1][0] + z * ANG[2][0]),
          rounded<float>(x * ANG[0][1] + y * ANG[1][1] + z * ANG[2][1]),
          rounded<float>(x * ANG[0][2] + y * ANG[1][2] + z * ANG[2][2])};
}

void FINDNORMAL(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z,
                double V3X, double V3Y, double V3Z) {
  const double ax = rounded<double>(Extended{V1X} - V2X);
  const double ay = rounded<double>(Extended{V1Y} - V2Y);
  const double az = rounded<double>(Extended{V1Z} - V2Z);
  const double bx = rounded<double>(Extended{V2X} - V3X);
  const double by = rounded<double>(Extended{V2Y} - V3Y);
  const double bz = rounded<double>(Extended{V2Z} - V3Z);
  FNORMAL[1] = rounded<double>(Extended{ay} * bz - Extended{az} * by);
  FNORMAL[2] = rounded<double>(Extended{az} * bx - Extended{ax} * bz);
  FNORMAL[3] = rounded<double>(Extended{ax} * by - Extended{ay} * bx);

  const Extended x = FNORMAL[1], y = FNORMAL[2], z = FNORMAL[3];
  float length = rounded<float>(std::sqrt(x * x + y * y + z * z));
  // A degenerate triangle has no normal; dividing by 1 leaves (0, 0, 0).
  if (length == 0.0f) length = 1.0f;
  for (long long i = 1; i <= 3; ++i) FNORMAL[i] = rounded<double>(FNORMAL[i] / Extended{length});
}

}  // namespace Vitrum
