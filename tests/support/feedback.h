// Test support: what OpenGL produced while a drawing ran, read back in feedback
// mode: the primitives after transformation, clipping and lighting, in window
// coordinates (quads come back as two triangles).
#pragma once

#include <gtest/gtest.h>
#include <windows.h>
#include <GL/gl.h>

#include <algorithm>
#include <array>
#include <cstddef>
#include <functional>
#include <vector>

namespace vitrum_test {

// The feedback buffer's values while DRAW ran, vertices of TYPE (GL_3D,
// GL_3D_COLOR_TEXTURE, ...); a buffer of CAPACITY values that overflows fails the test.
inline std::vector<GLfloat> feedbackValues(GLenum type, const std::function<void()>& draw, GLint capacity = 4096) {
  std::vector<GLfloat> buffer(static_cast<std::size_t>(capacity));
  glFeedbackBuffer(capacity, type, buffer.data());
  glRenderMode(GL_FEEDBACK);
  draw();
  const GLint size = glRenderMode(GL_RENDER);
  EXPECT_GE(size, 0) << "the feedback buffer of " << capacity << " values overflowed";
  buffer.resize(static_cast<std::size_t>(size < 0 ? 0 : size));
  return buffer;
}

// A point, line, polygon or pixel operation with its vertices of N values each.
template <std::size_t N>
struct FeedbackPrimitive {
  GLenum token;
  std::vector<std::array<GLfloat, N>> vertices;
};

// The primitives OpenGL produced while DRAW ran, vertices of TYPE with N values
// each (3 for GL_3D, 11 for GL_3D_COLOR_TEXTURE in RGBA mode).
template <std::size_t N>
std::vector<FeedbackPrimitive<N>> feedback(GLenum type, const std::function<void()>& draw, GLint capacity = 4096) {
  const std::vector<GLfloat> values = feedbackValues(type, draw, capacity);
  std::vector<FeedbackPrimitive<N>> primitives;
  for (std::size_t i = 0; i < values.size();) {
    const auto token = static_cast<GLenum>(values[i++]);
    if (token == GL_PASS_THROUGH_TOKEN) {
      ++i;
      continue;
    }
    std::size_t count = 1;
    if (token == GL_POLYGON_TOKEN) count = static_cast<std::size_t>(values[i++]);
    else if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) count = 2;
    FeedbackPrimitive<N>& primitive = primitives.emplace_back(FeedbackPrimitive<N>{token, {}});
    for (std::size_t k = 0; k < count && i + N <= values.size(); ++k, i += N) {
      std::array<GLfloat, N>& vertex = primitive.vertices.emplace_back();
      std::copy_n(values.begin() + static_cast<std::ptrdiff_t>(i), N, vertex.begin());
    }
  }
  return primitives;
}

}  // namespace vitrum_test
