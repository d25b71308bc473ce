// Multitexture and volume-fog aware immediate-mode wrappers.
#include <cstdint>
#include <initializer_list>

#include "internal_shared.h"
#include "vitrum_ext1.h"

namespace Vitrum_Ext1 {

using Vitrum::internal::rounded;

std::int32_t GL_NUM_MULTI_TEXTURE = 0;
bool GLAUTOMULTITEXTUREONOFF = false;
GLfloat GL_VOLUME_FOG_DEPTH = 0.0f;
GLfloat GL_VOLUME_FOG_OFFSET = 0.0f;
GLfloat GL_VOLUME_FOG_X = 0.0f;
GLfloat GL_VOLUME_FOG_Y = 0.0f;
GLfloat GL_VOLUME_FOG_Z = 0.0f;
bool GLAUTOVOLUMEFOGONOFF = false;
bool GLSTOPVOLUMEFOGDEPTH = true;
bool GLRESETVOLUMEFOGDEPTH = false;

TGLMULTITEXCOORD2F GLMULTITEXCOORD2F = nullptr;
TGLFOGCOORDFEXT GLFOGCOORDFEXT = nullptr;

namespace {

constexpr GLenum kTexture0 = 0x84C0;

// The first of NAMES that the current context offers. Some Windows drivers return
// 1, 2, 3 or -1 instead of null for a name they lack.
PROC entryPoint(std::initializer_list<const char*> names) {
  for (const char* name : names) {
    const PROC proc = wglGetProcAddress(name);
    const auto value = reinterpret_cast<std::intptr_t>(proc);
    if (value != 0 && value != 1 && value != 2 && value != 3 && value != -1) return proc;
  }
  return nullptr;
}

// Through void(*)(), the one function type GCC lets any other convert to silently.
template <class Function>
Function as(PROC proc) {
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

}  // namespace

void LOADEXTENSIONENTRYPOINTS() {
  // Multitexturing by its core name first, which an implementation older than it
  // lacks; the fog coordinate by the extension's name first, the core one after.
  GLMULTITEXCOORD2F = as<TGLMULTITEXCOORD2F>(entryPoint({"glMultiTexCoord2f", "glMultiTexCoord2fARB"}));
  GLFOGCOORDFEXT = as<TGLFOGCOORDFEXT>(entryPoint({"glFogCoordfEXT", "glFogCoordf"}));
}

void GLTEXCOORD2F(GLfloat S, GLfloat T) {
  if (GL_NUM_MULTI_TEXTURE > GL_MAX_MULTI_TEXTURE) GL_NUM_MULTI_TEXTURE = GL_MAX_MULTI_TEXTURE;
  if (GLAUTOMULTITEXTUREONOFF && GLMULTITEXCOORD2F) {
    // The clamp keeps kTexture0 + i far from overflowing; units the implementation
    // lacks are its own GL errors.
    for (std::int32_t i = 1; i <= GL_NUM_MULTI_TEXTURE; ++i)
      GLMULTITEXCOORD2F(kTexture0 + static_cast<GLenum>(i), S, T);
  }
  glTexCoord2f(S, T);
}

void GENVOLUMEFOGCOORD(GLfloat HEIGHT, GLfloat DEPTH) {
  const GLfloat h = rounded<GLfloat>(HEIGHT - GL_VOLUME_FOG_OFFSET);
  // Written so that a NaN fails the test and gives 0.
  const GLfloat fogY = DEPTH >= h ? rounded<GLfloat>(DEPTH - h) : 0.0f;
  if (GLFOGCOORDFEXT) GLFOGCOORDFEXT(fogY);
}

void SETVOLUMEFOGOFFSET(GLfloat Y) { GL_VOLUME_FOG_OFFSET = Y; }

void GLVERTEX3F(GLfloat X, GLfloat Y, GLfloat Z) {
  if (GLAUTOVOLUMEFOGONOFF) {
    if (GL_VOLUME_FOG_X != 0.0f) GENVOLUMEFOGCOORD(rounded<GLfloat>(GL_VOLUME_FOG_X * X), GL_VOLUME_FOG_DEPTH);
    if (GL_VOLUME_FOG_Y != 0.0f) GENVOLUMEFOGCOORD(rounded<GLfloat>(GL_VOLUME_FOG_Y * Y), GL_VOLUME_FOG_DEPTH);
    if (GL_VOLUME_FOG_Z != 0.0f) GENVOLUMEFOGCOORD(rounded<GLfloat>(GL_VOLUME_FOG_Z * Z), GL_VOLUME_FOG_DEPTH);
  }
  Vitrum::GLVERTEX3F(X, Y, Z);
}

void GLTRANSLATEF(GLfloat X, GLfloat Y, GLfloat Z) {
  if (GLAUTOVOLUMEFOGONOFF && GLSTOPVOLUMEFOGDEPTH) {
    if (GLRESETVOLUMEFOGDEPTH) {
      if (GL_VOLUME_FOG_X != 0.0f) SETVOLUMEFOGOFFSET(-X);
      if (GL_VOLUME_FOG_Y != 0.0f) SETVOLUMEFOGOFFSET(-Y);
      if (GL_VOLUME_FOG_Z != 0.0f) SETVOLUMEFOGOFFSET(-Z);
    } else {
      SETVOLUMEFOGOFFSET(0.0f);
    }
  }
  glTranslatef(X, Y, Z);
}

void LINEFREE(GLfloat TX1, GLfloat TY1, GLfloat TX2, GLfloat TY2, GLfloat X1, GLfloat Y1, GLfloat Z1, GLfloat X2,
              GLfloat Y2, GLfloat Z2, bool TEXTURE) {
  if (TEXTURE) GLTEXCOORD2F(TX1, TY1);
  GLVERTEX3F(X1, Y1, Z1);
  if (TEXTURE) GLTEXCOORD2F(TX2, TY2);
  GLVERTEX3F(X2, Y2, Z2);
}

}  // namespace Vitrum_Ext1
