// Run-time errors of the fixed tables and of checked integer arithmetic.
#include "vitrum_core.h"

#include <cstdio>
#include <cstdlib>

namespace Vitrum {

void RANGEERROR(const char* TABLE, long long INDEX, long long LO, long long HI) {
  std::fprintf(stderr, "Vitrum: run-time error: index %lld of %s is outside its bounds %lld..%lld\n", INDEX,
               TABLE ? TABLE : "(table)", LO, HI);
  std::fflush(stderr);
  std::exit(RUNTIME_ERROR_STATUS);
}

void RUNTIMEERROR(const char* WHAT) {
  std::fprintf(stderr, "Vitrum: run-time error: %s\n", WHAT);
  std::fflush(stderr);
  std::exit(RUNTIME_ERROR_STATUS);
}

}  // namespace Vitrum
