// The demo's scene: a textured floor with three bushes under one light, seen
// through the mouse-driven camera.
#pragma once

// The scene set-up, run once after the window exists: the 3D projection and
// default state, back-face culling, light 0, and the textures.
void OPENGL_SETUP();
// Loads the floor and the three foliage textures into their slots.
void OPENGL_CREATELIST();
// Draws one frame's scene into the back buffer (the caller swaps).
void OPENGL_DRAW();
// One textured two-sided quad; P1-P2 is the edge at t = 1, P3-P4 the edge at t = 0.
void QUAD(float X1, float Y1, float Z1, float X2, float Y2, float Z2, float X3, float Y3, float Z3, float X4, float Y4,
          float Z4);
