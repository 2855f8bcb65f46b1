// The in-memory registry's own rules, where the tests above rely on them and
// the shared scenarios do not reach.

#include "tests/support/memory_registry.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryRegistryTest, CountsHandlesUntilTheyAreClosed) {
  MemoryRegistry registry;
  RegHandle first = reg::kNoKey;
  RegHandle second = reg::kNoKey;
  ASSERT_EQ(registry.CreateKey(reg::kHkeyLocalMachine, "A", reg::kKeyAllAccess, &first), 0);
  ASSERT_EQ(registry.OpenKey(reg::kHkeyLocalMachine, "a", reg::kKeyAllAccess, &second), 0);
  EXPECT_NE(first, second);
  EXPECT_EQ(registry.OpenHandleCount(), 2u);

  EXPECT_EQ(registry.CloseKey(first), 0);
  EXPECT_EQ(registry.CloseKey(first), reg::kErrorInvalidHandle);
  EXPECT_EQ(registry.SetValue(first, "V", reg::kRegSz, nullptr, 0), reg::kErrorInvalidHandle);
  EXPECT_EQ(registry.OpenHandleCount(), 1u);
  EXPECT_EQ(registry.CloseKey(second), 0);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST(MemoryRegistryTest, RootsAreNotCountedAndNeverClosed) {
  MemoryRegistry registry;
  EXPECT_EQ(registry.CloseKey(reg::kHkeyLocalMachine), 0);
  RegHandle key = reg::kNoKey;
  EXPECT_EQ(registry.CreateKey(reg::kHkeyLocalMachine, "A", reg::kKeyAllAccess, &key), 0);
  EXPECT_EQ(registry.CloseKey(key), 0);
  EXPECT_EQ(registry.OpenHandleCount(), 0u);
}

TEST(MemoryRegistryTest, RefusesPathsTheRegistryRefuses) {
  struct Case {
    const char* path;
    bool create;
    RegStatus status;
  };
  const Case cases[] = {
      {"\\A", true, reg::kErrorBadPathname},
      {"\\A", false, reg::kErrorBadPathname},
      {"A\\\\B", true, reg::kErrorBadPathname},
      {"Missing", false, reg::kErrorFileNotFound},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path);
    MemoryRegistry registry;
    RegHandle key = reg::kNoKey;
    const RegStatus status =
        c.create ? registry.CreateKey(reg::kHkeyLocalMachine, c.path, reg::kKeyAllAccess, &key)
                 : registry.OpenKey(reg::kHkeyLocalMachine, c.path, reg::kKeyAllAccess, &key);
    EXPECT_EQ(status, c.status);
    EXPECT_EQ(key, reg::kNoKey);
    EXPECT_EQ(registry.SubkeyNames(reg::kHkeyLocalMachine, ""), std::vector<std::string>{});
  }
}

TEST(MemoryRegistryTest, RootsAreSeparateTrees) {
  MemoryRegistry registry;
  registry.Seed(reg::kHkeyLocalMachine, "Software\\A", "V", StringValue("x"));
  EXPECT_FALSE(registry.ReadValue(reg::kHkeyCurrentUser, "Software\\A", "V"));
  EXPECT_TRUE(registry.ReadValue(reg::kHkeyLocalMachine, "SOFTWARE\\a", "v"));
}

TEST(MemoryRegistryTest, UnknownBaseHandleIsInvalid) {
  MemoryRegistry registry;
  RegHandle key = reg::kNoKey;
  EXPECT_EQ(registry.CreateKey(0x4242, "A", reg::kKeyAllAccess, &key), reg::kErrorInvalidHandle);
}

}  // namespace
