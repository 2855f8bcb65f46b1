// WriteRegistryString: the calls it makes, and what it does when the
// registry refuses a key or a value.

#include "registry/write_registry_string.h"

#include <gtest/gtest.h>

#include "registry/registry_exception.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_diagnostics.h"

namespace {

using Op = FaultyRegistry::Op;

constexpr char kPath[] = "\\Software\\Vendor\\Product";
constexpr char kStrippedPath[] = "Software\\Vendor\\Product";

class WriteRegistryStringTest : public ::testing::Test {
 protected:
  MemoryRegistry memory;
  FaultyRegistry api{memory};
};

TEST_F(WriteRegistryStringTest, CreatesTheKeyStoresTheStringAndClosesWithoutFlushing) {
  WriteRegistryString(api, reg::kHkeyLocalMachine, kPath, "Name", "data");

  const std::vector<FaultyRegistry::Call>& calls = api.Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].op, Op::kCreate);
  EXPECT_EQ(calls[0].key, reg::kHkeyLocalMachine);
  EXPECT_EQ(calls[0].text, kStrippedPath);
  EXPECT_EQ(calls[0].access, reg::kKeyAllAccess);
  EXPECT_EQ(calls[1].op, Op::kSet);
  EXPECT_EQ(calls[1].text, "Name");
  EXPECT_EQ(calls[1].type, reg::kRegSz);
  EXPECT_EQ(calls[1].data, StringValue("data").bytes);
  EXPECT_EQ(calls[2].op, Op::kClose);
  EXPECT_EQ(calls[2].key, calls[1].key);
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
  EXPECT_EQ(memory.ReadValue(reg::kHkeyLocalMachine, kStrippedPath, "Name"), StringValue("data"));
}

TEST_F(WriteRegistryStringTest, KeyThatCannotBeOpenedIsPassedOverQuietly) {
  for (const RegStatus status :
       {reg::kErrorAccessDenied, reg::kErrorBadPathname, reg::kErrorChildMustBeVolatile}) {
    SCOPED_TRACE("status " + std::to_string(status));
    MemoryRegistry fresh;
    FaultyRegistry refusing(fresh);
    refusing.FailKey(kStrippedPath, status);

    EXPECT_NO_THROW(WriteRegistryString(refusing, reg::kHkeyLocalMachine, kPath, "Name", "data"));

    EXPECT_TRUE(refusing.CallsOf(Op::kSet).empty()) << "stored without a key";
    EXPECT_TRUE(refusing.CallsOf(Op::kClose).empty()) << "closed a key it never had";
    EXPECT_FALSE(fresh.SubkeyNames(reg::kHkeyLocalMachine, "Software"));
    EXPECT_EQ(fresh.OpenHandleCount(), 0u);
  }
}

TEST_F(WriteRegistryStringTest, ValueThatCannotBeStoredThrowsAfterTheKeyIsClosed) {
  api.FailValue("LANGDRIVER", reg::kErrorAccessDenied);

  try {
    WriteRegistryString(api, reg::kHkeyLocalMachine, kPath, "LANGDRIVER", "ANSISPAN");
    FAIL() << "no error raised";
  } catch (const ERegistryException& e) {
    EXPECT_STREQ(e.what(), "Failed to set data for 'LANGDRIVER'");
    EXPECT_NE(e.RaiseAddress(), nullptr);
    // By the time the error reaches the caller its key is closed.
    EXPECT_EQ(memory.OpenHandleCount(), 0u);
    ASSERT_FALSE(api.Calls().empty());
    EXPECT_EQ(api.Calls().back().op, Op::kClose);
    EXPECT_TRUE(api.CallsOf(Op::kFlush).empty());
  }
  EXPECT_EQ(memory.ReadValue(reg::kHkeyLocalMachine, kStrippedPath, "LANGDRIVER"), std::nullopt);
}

TEST_F(WriteRegistryStringTest, MessageNamesTheValueAsGiven) {
  for (const char* name : {"SQLDIALECT", "", "100%s sure", "Name with 'quotes'"}) {
    SCOPED_TRACE(name);
    MemoryRegistry fresh;
    FaultyRegistry refusing(fresh);
    refusing.FailValue(name, reg::kErrorAccessDenied);
    try {
      WriteRegistryString(refusing, reg::kHkeyLocalMachine, kPath, name, "x");
      ADD_FAILURE() << "no error raised";
    } catch (const ERegistryException& e) {
      EXPECT_EQ(std::string(e.what()), std::string("Failed to set data for '") + name + "'");
    }
  }
}

TEST_F(WriteRegistryStringTest, TellsDiagnosticsOneLineForEachFailure) {
  struct Case {
    const char* name;
    const char* refusedKey;
    const char* refusedValue;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {"stored", nullptr, nullptr, {}},
      {"key refused",
       kStrippedPath,
       nullptr,
       {"engine-settings: skipped key '\\Software\\Vendor\\Product': text of 5"}},
      {"value refused",
       nullptr,
       "LANGDRIVER",
       {"engine-settings: could not store 'LANGDRIVER' in 'Software\\Vendor\\Product': text of 5"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MemoryRegistry fresh;
    FaultyRegistry registry(fresh);
    if (c.refusedKey != nullptr) {
      registry.FailKey(c.refusedKey, reg::kErrorAccessDenied);
    }
    if (c.refusedValue != nullptr) {
      registry.FailValue(c.refusedValue, reg::kErrorAccessDenied);
    }
    RecordingDiagnostics diagnostics;
    try {
      WriteRegistryString(registry, reg::kHkeyLocalMachine, kPath, "LANGDRIVER", "ANSISPAN",
                          diagnostics);
    } catch (const ERegistryException&) {
      EXPECT_NE(c.refusedValue, nullptr) << "raised with the value stored";
    }
    EXPECT_EQ(diagnostics.lines, c.lines);
    EXPECT_EQ(fresh.OpenHandleCount(), 0u);
  }
}

}  // namespace
