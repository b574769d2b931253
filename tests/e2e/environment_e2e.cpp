// Every end-to-end test starts from a machine without the program's
// settings: one test's exit would otherwise hand its intervals, click
// mode and hotkeys to the next.
#include <gtest/gtest.h>

#include "tests/e2e/driver.h"

namespace {

class CleanSettings final : public ::testing::Environment {
 public:
  void SetUp() override { e2e::DeleteSettings(); }
  void TearDown() override { e2e::DeleteSettings(); }
};

// Registered before main runs the tests; GoogleTest owns it from here.
[[maybe_unused]] ::testing::Environment* const kCleanSettings = ::testing::AddGlobalTestEnvironment(new CleanSettings);

}  // namespace
