// Vitrum_Ext1: the extension module of Vitrum.
//
// Immediate-mode wrappers that can copy every texture coordinate to further
// texture units and give every vertex a layered ("volume") fog coordinate, and a
// generator of simple bush models drawn through them.
//
// With every setting at its initial value the wrappers behave exactly like
// glTexCoord2f, Vitrum::GLVERTEX3F and glTranslatef. To use the extension effects,
// obtain the entry points once the window's OpenGL context is current, then turn
// the switches on:
//
//     Vitrum::CREATEOGLWINDOW("My demo", 800, 600, 32, false);
//     Vitrum_Ext1::LOADEXTENSIONENTRYPOINTS();
//     Vitrum_Ext1::GL_NUM_MULTI_TEXTURE = 1;
//     Vitrum_Ext1::GLAUTOMULTITEXTUREONOFF = Vitrum_Ext1::GLMULTITEXCOORD2F != nullptr;
//
// Enabling OpenGL fog with the fog coordinate as its source is the application's
// part; this module only supplies the coordinates. A switch that is on while its
// entry point is null skips that extension call and changes nothing else.
//
// Sections (grep for "//== "): settings, entry points, wrappers, bush generator.
#pragma once

#include <cstdint>

#include <windows.h>
#include <GL/gl.h>

#include "vitrum.h"

namespace Vitrum_Ext1 {

//== Settings ==================================================================
//
// Written by the application; only GLTEXCOORD2F (the clamp of GL_NUM_MULTI_TEXTURE)
// and SETVOLUMEFOGOFFSET (GL_VOLUME_FOG_OFFSET) write them back.

// Upper bound of GL_NUM_MULTI_TEXTURE: the enumerant of GL_TEXTURE31, not a count.
inline constexpr std::int32_t GL_MAX_MULTI_TEXTURE = 0x84DF;

extern std::int32_t GL_NUM_MULTI_TEXTURE;  // units after unit 0 that receive each texture coordinate (0)
extern bool GLAUTOMULTITEXTUREONOFF;       // copy texture coordinates to those units (false)
extern GLfloat GL_VOLUME_FOG_DEPTH;        // thickness of the fog layer (0)
extern GLfloat GL_VOLUME_FOG_OFFSET;       // reference height subtracted before the layer test (0)
extern GLfloat GL_VOLUME_FOG_X;            // weight of a vertex's X as fog height; 0: axis unused (0)
extern GLfloat GL_VOLUME_FOG_Y;            // the same for Y (0)
extern GLfloat GL_VOLUME_FOG_Z;            // the same for Z (0)
extern bool GLAUTOVOLUMEFOGONOFF;          // fog coordinate per vertex; translations move the offset (false)
extern bool GLSTOPVOLUMEFOGDEPTH;          // when false, GLTRANSLATEF leaves the offset alone (true)
extern bool GLRESETVOLUMEFOGDEPTH;         // GLTRANSLATEF's offset: negated translation (true) or 0 (false)

//== Entry points ==============================================================

using TGLMULTITEXCOORD2F = void(APIENTRY*)(GLenum TARGET, GLfloat S, GLfloat T);
using TGLFOGCOORDFEXT = void(APIENTRY*)(GLfloat COORD);

extern TGLMULTITEXCOORD2F GLMULTITEXCOORD2F;  // glMultiTexCoord2f (or ...ARB), or null (null at start)
extern TGLFOGCOORDFEXT GLFOGCOORDFEXT;        // glFogCoordfEXT (or glFogCoordf), or null (null at start)

// Fetches both entry points from the current OpenGL context with wglGetProcAddress;
// each is null when the implementation lacks it. Needs a current context.
void LOADEXTENSIONENTRYPOINTS();

//== Wrappers ==================================================================

// glTexCoord2f(S, T), preceded when switched on by glMultiTexCoord2f(GL_TEXTURE1 ..
// GL_TEXTURE0 + GL_NUM_MULTI_TEXTURE, S, T) in ascending order. First clamps
// GL_NUM_MULTI_TEXTURE to GL_MAX_MULTI_TEXTURE, switch or not.
void GLTEXCOORD2F(GLfloat S, GLfloat T);
// Vitrum::GLVERTEX3F(X, Y, Z), preceded when fog is on by one GENVOLUMEFOGCOORD per
// axis of non-zero weight, in the order X, Y, Z (weight times coordinate as height).
void GLVERTEX3F(GLfloat X, GLfloat Y, GLfloat Z);
// glTranslatef(X, Y, Z). When fog is on and GLSTOPVOLUMEFOGDEPTH is set, first
// replaces the offset: by the negated translation along each axis of non-zero
// weight (the last one wins) under GLRESETVOLUMEFOGDEPTH, by 0 otherwise.
void GLTRANSLATEF(GLfloat X, GLfloat Y, GLfloat Z);
// One edge: vertex (X1, Y1, Z1) then (X2, Y2, Z2) through GLVERTEX3F, each preceded
// by its texture coordinate (TX1, TY1), (TX2, TY2) through GLTEXCOORD2F when TEXTURE.
void LINEFREE(GLfloat TX1, GLfloat TY1, GLfloat TX2, GLfloat TY2, GLfloat X1, GLfloat Y1, GLfloat Z1, GLfloat X2,
              GLfloat Y2, GLfloat Z2, bool TEXTURE);
// glFogCoordfEXT of the depth of HEIGHT - GL_VOLUME_FOG_OFFSET below the top of a
// layer DEPTH thick: DEPTH - h when h <= DEPTH, else 0 (also for NaN).
void GENVOLUMEFOGCOORD(GLfloat HEIGHT, GLfloat DEPTH);
// GL_VOLUME_FOG_OFFSET := Y.
void SETVOLUMEFOGOFFSET(GLfloat Y);

//== Bush generator ============================================================

// Draws a bush of eighteen two-sided textured 4 x 4 planes standing on the origin,
// scaled by SIZE (4 * SIZE tall), with the bound texture and the alpha test. Call it
// outside a begin/end pair. Leaves the modelview matrix as it was and two-sided
// lighting off, culling on, alpha test and blending off, depth writes on.
void GENFASTBRUSH(GLfloat SIZE);

}  // namespace Vitrum_Ext1
