// The end-to-end test program's entry: sets up the Wine prefix for quick window handling, then
// runs the tests.
#include <gtest/gtest.h>

#include "tests/e2e/Driver.h"

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  UseUnmanagedWineWindows();
  return RUN_ALL_TESTS();
}
