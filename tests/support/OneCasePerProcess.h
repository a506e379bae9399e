#pragma once

#include <gtest/gtest.h>

namespace vorlan::test {

// Some fixtures change process-wide state for good: they enter the extension (which installs its
// hooks into the runtime's classes), install hooks of their own or load libraries. Their cases
// run one per process (ctest starts each on its own), and a second such case in the same process
// would meet the first one's hooks and fail in confusing ways or crash. Called first in SetUp, this
// stops every such case after the first with a fatal failure saying how to run the program, so
// the case's body does not run.
inline void requireOneCasePerProcess() {
  static int cases = 0;
  if (++cases > 1) {
    GTEST_FAIL() << "this program runs one test case per process: run it through ctest or pick "
                    "one case with --gtest_filter";
  }
}

}  // namespace vorlan::test
