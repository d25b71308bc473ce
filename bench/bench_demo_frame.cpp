// The library's cost per demo frame: the demo's frame drawn through the library
// and through a hand-written copy that makes the identical OpenGL calls directly,
// side by side in one program, in interleaved rounds. Prints both frame rates
// and their ratio.
//
//     bench_demo_frame.exe [ROUNDS [FRAMES]]   run in the demo's directory
//     bench_demo_frame.exe --check             one hand-written frame between
//                                              trace markers, for gl-trace-check
#include <GL/glu.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "scene.h"
#include "vitrum.h"

namespace {

// ---- The hand-written copy ---------------------------------------------------

void quad(GLfloat x1, GLfloat y1, GLfloat z1, GLfloat x2, GLfloat y2, GLfloat z2, GLfloat x3, GLfloat y3, GLfloat z3,
          GLfloat x4, GLfloat y4, GLfloat z4) {
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glDisable(GL_CULL_FACE);
  glBegin(GL_QUADS);
  glNormal3f(-0.0f, 1, 0);  // every quad of the scene is a square in the XZ plane
  glTexCoord2f(1, 1);
  glVertex3f(x2, y2, z2);
  glTexCoord2f(0, 1);
  glVertex3f(x1, y1, z1);
  glTexCoord2f(0, 0);
  glVertex3f(x3, y3, z3);
  glTexCoord2f(1, 0);
  glVertex3f(x4, y4, z4);
  glEnd();
  glEnable(GL_CULL_FACE);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
}

void square() { quad(-2, 0, -2, 2, 0, -2, -2, 0, 2, 2, 0, 2); }

void blade(GLfloat tilt, GLfloat side, bool turned) {
  glPushMatrix();
  if (turned) glRotatef(90, 0, 1, 0);
  glRotatef(tilt, side, 0, 0);
  glTranslatef(0, 2, 0);
  glRotatef(90, 1, 0, 0);
  square();
  glPopMatrix();
}

void fan(GLfloat tilt) {
  blade(tilt, 1, false);
  blade(tilt, -1, false);
  blade(tilt, 1, true);
  blade(tilt, -1, true);
}

void bush(GLfloat size) {
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 1);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.4f);
  glPushMatrix();
  glScalef(size, size, size);
  glPushMatrix();
  glTranslatef(0, 2, 0);
  glRotatef(90, 1, 0, 0);
  square();
  glRotatef(90, 0, 0, 1);
  square();
  glPopMatrix();
  fan(25);
  glPushMatrix();
  glRotatef(45, 0, 1, 0);
  fan(25);
  glPopMatrix();
  fan(50);
  glPushMatrix();
  glRotatef(45, 0, 1, 0);
  fan(70);
  glPopMatrix();
  glPopMatrix();
  glDepthMask(GL_TRUE);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
}

void placedBush(GLuint texture, GLfloat x, GLfloat z, GLfloat size) {
  glBindTexture(GL_TEXTURE_2D, texture);
  glPushMatrix();
  glTranslatef(x, 0, z);
  bush(size);
  glPopMatrix();
}

void handFrame() {
  const GLsizei w = Vitrum::WIDTH, h = Vitrum::HEIGHT;
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glClearColor(0, 0, 0, 0);
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(-2, 2, -2.0 * h / w, 2.0 * h / w, -2, 2);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glEnable(GL_NORMALIZE);
  glClearColor(0, 0, 0, 0);
  glViewport(0, 0, w, h);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45, static_cast<double>(w) / h, 0.1, 100);
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glClearDepth(100);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glColor4f(1, 1, 1, 0.5f);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE);
  glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, 1);
  glHint(GL_LINE_SMOOTH_HINT, GL_NICEST);
  glHint(GL_POLYGON_SMOOTH_HINT, GL_NICEST);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
  glEnable(GL_AUTO_NORMAL);
  glEnable(GL_NORMALIZE);
  glTranslatef(0, -1, -30);
  glRotatef(45, 1, 0, 0);
  glTranslatef(0, 0, -Vitrum::DEPTH);
  glRotatef(Vitrum::XROT, 1, 0, 0);
  glRotatef(Vitrum::YROT, 0, 1, 0);
  static const GLfloat light[4] = {-5, 20, 30, 0.1f};
  glLightfv(GL_LIGHT0, GL_POSITION, light);
  glBindTexture(GL_TEXTURE_2D, Vitrum::TEXTUREID2[0]);
  quad(-10, 0, -10, 10, 0, -10, -10, 0, 10, 10, 0, 10);
  placedBush(Vitrum::TEXTURETGA2[0].TEXID, -2.4f, -4, 1);
  placedBush(Vitrum::TEXTURETGA2[1].TEXID, 3, 0, 1.35f);
  placedBush(Vitrum::TEXTURETGA2[2].TEXID, -1, 3, 1.2f);
}

// ---- Timing --------------------------------------------------------------------

double now() {
  LARGE_INTEGER count, frequency;
  QueryPerformanceCounter(&count);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Seconds for FRAMES frames of DRAW, each cleared, drawn and swapped as the demo does.
double timeFrames(void (*draw)(), int frames) {
  const double start = now();
  for (int i = 0; i < frames; ++i) {
    glClear(GL_COLOR_BUFFER_BIT);
    draw();
    SwapBuffers(Vitrum::DCWINDOW);
  }
  glFinish();
  return now() - start;
}

}  // namespace

int main(int argc, char** argv) {
  Vitrum::CREATEOGLWINDOW("bench_demo_frame", 800, 600, 32, false);
  // The same size whatever the window decorations, as the trace expects.
  Vitrum::GLRESIZEWINDOW(800, 600);
  if (argc > 1 && std::strcmp(argv[1], "--check") == 0) {
    glIsList(0xC0DE0001u);
    OPENGL_SETUP();
    glIsList(0xC0DE0002u);
    handFrame();
    glIsList(0xC0DE0003u);
    return 0;
  }
  const int rounds = argc > 1 ? std::atoi(argv[1]) : 10;
  const int frames = argc > 2 ? std::atoi(argv[2]) : 100;
  OPENGL_SETUP();
  timeFrames(OPENGL_DRAW, frames / 4);  // warm-up
  timeFrames(handFrame, frames / 4);
  // Paired rounds: the median of their ratios shrugs off a busy moment of the machine.
  double library = 0, hand = 0;
  std::vector<double> ratios;
  for (int round = 0; round < rounds; ++round) {
    // Alternating which goes first cancels any advantage of the first place.
    double l, h;
    if (round % 2 == 0) {
      l = timeFrames(OPENGL_DRAW, frames);
      h = timeFrames(handFrame, frames);
    } else {
      h = timeFrames(handFrame, frames);
      l = timeFrames(OPENGL_DRAW, frames);
    }
    library += l;
    hand += h;
    ratios.push_back(h / l);
  }
  std::sort(ratios.begin(), ratios.end());
  const double total = static_cast<double>(rounds) * frames;
  std::printf("%d rounds of %d frames each, 800 x 600, interleaved\n", rounds, frames);
  std::printf("library:      %8.1f frames/s\n", total / library);
  std::printf("hand-written: %8.1f frames/s\n", total / hand);
  std::printf("frame rate ratio library / hand-written: %.3f overall, %.3f median of rounds\n", hand / library,
              ratios[ratios.size() / 2]);
  Vitrum::DELETEOGLWINDOW();
  return 0;
}
