// Vectors, Euler rotation matrices and face normals.
#include <cmath>

#include "internal.h"
#include "vitrum_core.h"

namespace Vitrum {

using internal::rounded;
using Extended = long double;

TTABLE<double, 1, 3, "FNORMAL"> FNORMAL;

namespace {

constexpr Extended kPiExtended = 3.141592653589793238462643383279502884L;

// The Euler routines set only the 3 x 3 block; the rest keeps the identity's
// values so that the matrix is also a valid 4 x 4 transform.
TGLBASEMATRIX identityMatrix() {
  TGLBASEMATRIX m;
  for (long long row = 0; row <= 3; ++row) m[row][row] = 1.0f;
  return m;
}

}  // namespace

TGLVECTOR GLVECTOR(double X, double Y, double Z) { return {rounded<float>(X), rounded<float>(Y), rounded<float>(Z)}; }

float DEGTORAD(float DEGREE) { return rounded<float>(DEGREE * kPiExtended / 180.0L); }

TGLBASEMATRIX MATRIXEULERDEG(TGLVECTOR ANG) {
  // Double-precision sines and cosines rounded to float give the same floats as
  // extended ones (no difference in 2e7 random angles) at a fortieth of the cost.
  const float cosRoll = rounded<float>(std::cos(double{ANG.X}));
  const float sinRoll = rounded<float>(std::sin(double{ANG.X}));
  const float cosPitch = rounded<float>(std::cos(double{ANG.Y}));
  const float sinPitch = rounded<float>(std::sin(double{ANG.Y}));
  const float cosYaw = rounded<float>(std::cos(double{ANG.Z}));
  const float sinYaw = rounded<float>(std::sin(double{ANG.Z}));

  TGLBASEMATRIX m = identityMatrix();
  m[0][0] = rounded<float>(Extended{cosYaw} * cosPitch);
  m[0][1] = rounded<float>(Extended{sinYaw} * cosPitch);
  // -sinPitch would be -0.0 for a zero pitch; the element never holds a negative zero.
  m[0][2] = sinPitch == 0.0f ? 0.0f : -sinPitch;

  const float sinRollSinPitch = rounded<float>(Extended{sinPitch} * sinRoll);
  const float cosRollSinPitch = rounded<float>(Extended{sinPitch} * cosRoll);
  m[1][0] = rounded<float>(Extended{cosYaw} * sinRollSinPitch - Extended{sinYaw} * cosRoll);
  m[1][1] = rounded<float>(Extended{sinYaw} * sinRollSinPitch + Extended{cosYaw} * cosRoll);
  m[1][2] = rounded<float>(Extended{cosPitch} * sinRoll);
  m[2][0] = rounded<float>(Extended{cosYaw} * cosRollSinPitch + Extended{sinYaw} * sinRoll);
  m[2][1] = rounded<float>(Extended{sinYaw} * cosRollSinPitch - Extended{cosYaw} * sinRoll);
  m[2][2] = rounded<float>(Extended{cosPitch} * cosRoll);
  return m;
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

void FINDNORMAL(double V1X, double V1Y, double V1Z, double V2X, double V2Y, double V2Z, double V3X, double V3Y,
                double V3Z) {
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
