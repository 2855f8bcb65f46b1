// TRegistry: its defaults, how OpenKey resolves paths, and when keys are
// closed and flushed.

#include "registry/registry.h"

#include <gtest/gtest.h>

#include "registry/registry_exception.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/memory_registry.h"

namespace {

using Op = FaultyRegistry::Op;

class TRegistryTest : public ::testing::Test {
 protected:
  MemoryRegistry memory;
  FaultyRegistry api{memory};
};

TEST_F(TRegistryTest, StartsAtTheCurrentUserWithFullAccessLazyWriteAndNoKey) {
  TRegistry registry(api);
  EXPECT_EQ(registry.RootKey(), reg::kHkeyCurrentUser);
  EXPECT_EQ(registry.Access(), 0xF003Fu);
  EXPECT_TRUE(registry.LazyWrite());
  EXPECT_EQ(registry.CurrentKey(), reg::kNoKey);
  EXPECT_EQ(registry.CurrentPath(), "");
  EXPECT_TRUE(api.Calls().empty());
}

TEST_F(TRegistryTest, AbsolutePathIsCreatedBelowTheRootWithoutItsBackslash) {
  TRegistry registry(api);
  registry.SetRootKey(reg::kHkeyLocalMachine);
  ASSERT_TRUE(registry.OpenKey("\\Software\\Vendor\\Product", true));

  ASSERT_EQ(api.Calls().size(), 1u);
  const FaultyRegistry::Call& create = api.Calls()[0];
  EXPECT_EQ(create.op, Op::kCreate);
  EXPECT_EQ(create.key, reg::kHkeyLocalMachine);
  EXPECT_EQ(create.text, "Software\\Vendor\\Product");
  EXPECT_EQ(create.access, reg::kKeyAllAccess);
  EXPECT_NE(registry.CurrentKey(), reg::kNoKey);
  EXPECT_EQ(registry.CurrentPath(), "Software\\Vendor\\Product");
  EXPECT_TRUE(memory.SubkeyNames(reg::kHkeyLocalMachine, "Software\\Vendor\\Product"));
}

TEST_F(TRegistryTest, RelativePathStartsAtTheCurrentKeyAndExtendsItsPath) {
  TRegistry registry(api);
  ASSERT_TRUE(registry.OpenKey("\\Software\\Vendor", true));
  const RegHandle parent = registry.CurrentKey();

  ASSERT_TRUE(registry.OpenKey("Product\\Options", true));

  EXPECT_EQ(api.Calls()[1].op, Op::kCreate);
  EXPECT_EQ(api.Calls()[1].key, parent);
  EXPECT_EQ(api.Calls()[1].text, "Product\\Options");
  EXPECT_EQ(registry.CurrentPath(), "Software\\Vendor\\Product\\Options");
  EXPECT_TRUE(memory.SubkeyNames(reg::kHkeyCurrentUser, "Software\\Vendor\\Product\\Options"));
  // The parent was closed once the child was open.
  EXPECT_EQ(api.Calls()[2].op, Op::kClose);
  EXPECT_EQ(api.Calls()[2].key, parent);
  EXPECT_EQ(memory.OpenHandleCount(), 1u);
}

TEST_F(TRegistryTest, RelativePathWithNoKeyOpenStartsAtTheRoot) {
  TRegistry registry(api);
  ASSERT_TRUE(registry.OpenKey("Software\\Vendor", true));
  EXPECT_EQ(api.Calls()[0].key, reg::kHkeyCurrentUser);
  EXPECT_EQ(registry.CurrentPath(), "Software\\Vendor");
}

TEST_F(TRegistryTest, AbsolutePathIgnoresTheCurrentKey) {
  TRegistry registry(api);
  ASSERT_TRUE(registry.OpenKey("\\Software\\Vendor", true));
  ASSERT_TRUE(registry.OpenKey("\\Software\\Other", true));
  EXPECT_EQ(api.Calls()[1].key, reg::kHkeyCurrentUser);
  EXPECT_EQ(registry.CurrentPath(), "Software\\Other");
}

TEST_F(TRegistryTest, EmptyRelativePathReopensTheCurrentKeyAndKeepsItsPath) {
  TRegistry registry(api);
  ASSERT_TRUE(registry.OpenKey("\\Software\\Vendor", true));
  ASSERT_TRUE(registry.OpenKey("", true));
  // Nothing to create, so the key is opened rather than created.
  EXPECT_EQ(api.Calls()[1].op, Op::kOpen);
  EXPECT_EQ(registry.CurrentPath(), "Software\\Vendor");
}

TEST_F(TRegistryTest, WithoutCreationAMissingKeyIsNotOpenedAndTheCurrentOneStays) {
  TRegistry registry(api);
  ASSERT_TRUE(registry.OpenKey("\\Software\\Vendor", true));
  const RegHandle current = registry.CurrentKey();

  EXPECT_FALSE(registry.OpenKey("\\Software\\Missing", false));

  EXPECT_EQ(api.Calls().back().op, Op::kOpen);
  EXPECT_EQ(api.Calls().back().status, reg::kErrorFileNotFound);
  EXPECT_FALSE(memory.SubkeyNames(reg::kHkeyCurrentUser, "Software\\Missing"));
  EXPECT_EQ(registry.CurrentKey(), current);
  EXPECT_EQ(registry.CurrentPath(), "Software\\Vendor");
}

TEST_F(TRegistryTest, RefusedCreationLeavesNoKeyOpen) {
  api.FailKey("Software\\Locked", reg::kErrorAccessDenied);
  TRegistry registry(api);
  EXPECT_FALSE(registry.OpenKey("\\Software\\Locked", true));
  EXPECT_EQ(registry.CurrentKey(), reg::kNoKey);
  EXPECT_EQ(registry.CurrentPath(), "");
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

TEST_F(TRegistryTest, CloseKeyFlushesOnlyWhenLazyWriteIsOff) {
  for (const bool lazyWrite : {true, false}) {
    SCOPED_TRACE(lazyWrite ? "lazy write on" : "lazy write off");
    FaultyRegistry calls(memory);
    TRegistry registry(calls);
    registry.SetLazyWrite(lazyWrite);
    ASSERT_TRUE(registry.OpenKey("\\Software\\Vendor", true));
    const RegHandle key = registry.CurrentKey();

    registry.CloseKey();

    EXPECT_EQ(calls.CallsOf(Op::kFlush).size(), lazyWrite ? 0u : 1u);
    ASSERT_EQ(calls.CallsOf(Op::kClose).size(), 1u);
    EXPECT_EQ(calls.CallsOf(Op::kClose)[0].key, key);
    EXPECT_EQ(calls.Calls().back().op, Op::kClose) << "flushed after closing";
    EXPECT_EQ(registry.CurrentKey(), reg::kNoKey);
    EXPECT_EQ(registry.CurrentPath(), "");
    EXPECT_EQ(memory.OpenHandleCount(), 0u);
  }
}

TEST_F(TRegistryTest, ClosingWithNoKeyOpenDoesNothing) {
  TRegistry registry(api);
  registry.CloseKey();
  registry.CloseKey();
  EXPECT_TRUE(api.Calls().empty());
}

TEST_F(TRegistryTest, ChangingTheRootClosesTheCurrentKeyButNeverTheRoot) {
  TRegistry registry(api);
  registry.SetRootKey(reg::kHkeyCurrentUser);  // the same root: nothing to close
  ASSERT_TRUE(registry.OpenKey("\\Software\\Vendor", true));
  registry.SetRootKey(reg::kHkeyCurrentUser);
  EXPECT_NE(registry.CurrentKey(), reg::kNoKey);

  registry.SetRootKey(reg::kHkeyLocalMachine);

  EXPECT_EQ(registry.RootKey(), reg::kHkeyLocalMachine);
  EXPECT_EQ(registry.CurrentKey(), reg::kNoKey);
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
  for (const FaultyRegistry::Call& call : api.CallsOf(Op::kClose)) {
    EXPECT_NE(call.key, reg::kHkeyCurrentUser);
    EXPECT_NE(call.key, reg::kHkeyLocalMachine);
  }
}

TEST_F(TRegistryTest, DestructionClosesTheCurrentKey) {
  {
    TRegistry registry(api);
    ASSERT_TRUE(registry.OpenKey("\\Software\\Vendor", true));
    ASSERT_TRUE(registry.OpenKey("Product", true));
    EXPECT_EQ(memory.OpenHandleCount(), 1u);
  }
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

TEST_F(TRegistryTest, WriteStringStoresRegSzCountingTheTerminatingZero) {
  TRegistry registry(api);
  ASSERT_TRUE(registry.OpenKey("\\Software\\Vendor", true));
  registry.WriteString("LANGDRIVER", "ANSISPAN");

  const FaultyRegistry::Call set = api.CallsOf(Op::kSet).at(0);
  EXPECT_EQ(set.key, registry.CurrentKey());
  EXPECT_EQ(set.type, reg::kRegSz);
  EXPECT_EQ(set.data.size(), 9u);
  EXPECT_EQ(set.data, StringValue("ANSISPAN").bytes);
}

TEST_F(TRegistryTest, WriteStringWithNoKeyOpenThrows) {
  TRegistry registry(api);
  EXPECT_THROW(registry.WriteString("Value", "data"), ERegistryException);
}

}  // namespace
