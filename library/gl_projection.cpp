// The 3D perspective and 2D overlay set-ups with the library's default state.
#include <GL/glu.h>

#include <cstdint>
#include <limits>

#include "internal.h"
#include "vitrum.h"

namespace Vitrum {

using internal::rounded;

float OFFX = 0.0f;
float OFFY = 0.0f;

namespace {

// A minimised window reports a 0 x 0 client area; the size-dependent steps would
// divide by zero, so they are skipped and the last viewport and projection stay.
bool hasClientArea() { return WIDTH != 0 && HEIGHT != 0; }

std::int32_t checkedOverlayInt(long long value) {
  if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
    RUNTIMEERROR("integer overflow in OPENGL_I2D");
  return static_cast<std::int32_t>(value);
}

void clearColor(double a, double r, double g, double b) {
  glClearColor(static_cast<GLfloat>(r), static_cast<GLfloat>(g), static_cast<GLfloat>(b), static_cast<GLfloat>(a));
}

}  // namespace

void OPENGL_INIT(double DEPTH, double A, double R, double G, double B) {
  clearColor(A, R, G, B);
  if (hasClientArea()) {
    glViewport(0, 0, WIDTH, HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, rounded<double>(static_cast<long double>(WIDTH) / HEIGHT), 0.1, DEPTH);
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearDepth(DEPTH);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glColor4f(1.0f, 1.0f, 1.0f, 0.5f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_AUTO_NORMAL);
  glEnable(GL_NORMALIZE);
}

void OPENGL_I2D(double A, double R, double G, double B) {
  const bool sized = hasClientArea();
  if (sized) {
    // An integer quotient on purpose: every landscape window gets the same anchors.
    const std::int32_t q = checkedOverlayInt(static_cast<long long>(HEIGHT) / WIDTH);
    OFFX = rounded<float>(q - 2.05L);
    OFFY = rounded<float>(q - 1.45L);
  }
  clearColor(A, R, G, B);
  if (sized) {
    glViewport(0, 0, WIDTH, HEIGHT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    const long double top = checkedOverlayInt(2LL * HEIGHT);
    const long double bottom = checkedOverlayInt(-2LL * HEIGHT);
    glOrtho(-2.0, 2.0, rounded<double>(bottom / WIDTH), rounded<double>(top / WIDTH), -2.0, 2.0);
  }
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_NORMALIZE);
}

}  // namespace Vitrum
