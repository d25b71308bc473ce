// Prints the unit normal of a counter-clockwise triangle in the XY plane through
// the C++ runtime, which is what ties a program to MinGW's DLLs unless the
// package links it in.
#include <iostream>

#include "vitrum_ext1.h"  // and through it vitrum.h

int main() {
  Vitrum::FINDNORMAL(0, 0, 0, 1, 0, 0, 0, 1, 0);
  std::cout << Vitrum::FNORMAL[1] << ' ' << Vitrum::FNORMAL[2] << ' ' << Vitrum::FNORMAL[3] << '\n';
  return 0;
}
