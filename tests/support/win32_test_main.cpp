// main() of the Windows test programs: child scenarios first, then GoogleTest.
#include <gtest/gtest.h>

#include "test_context.h"
#include "win32_child.h"

int main(int argc, char** argv) {
  int exitCode = 0;
  if (vitrum_test::runScenarioFromCommandLine(argc, argv, exitCode)) return exitCode;
  testing::InitGoogleTest(&argc, argv);
  vitrum_test::printContextsOnFailure();
  return RUN_ALL_TESTS();
}
