// What WriteRegistryString leaves in the registry, case by case. The same
// table runs against every registry the build can reach, so the in-memory
// registry the other tests rely on is held to the real one's behaviour.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/write_registry_string.h"
#include "tests/support/readable_registry.h"
#include "tests/support/registry_backends.h"

namespace {

// Every case works below this key of HKEY_CURRENT_USER, cleared first.
// A '~' in a path of the table stands for it.
constexpr char kScratch[] = "Software\\EngineSettingsTests";

struct Seed {
  const char* path;
  const char* name;
  StoredValue value;
};
struct Write {
  const char* keyPath;
  const char* valueName;
  const char* data;
};
struct ExpectValue {
  const char* path;
  const char* name;
  StoredValue value;
};
struct ExpectKeys {
  const char* path;
  std::optional<std::vector<std::string>> subkeys;  // nullopt: the key must not exist
};

struct Scenario {
  const char* name;
  std::vector<Seed> seeds;
  std::vector<Write> writes;
  std::vector<ExpectValue> values;
  std::vector<ExpectKeys> keys;
};

const Scenario kScenarios[] = {
    {"CreatesEveryMissingKey",
     {},
     {{"\\~\\A\\B\\C", "Value", "abc"}},
     {{"A\\B\\C", "Value", StringValue("abc")}},
     {{"", {{"A"}}}, {"A", {{"B"}}}, {"A\\B", {{"C"}}}, {"A\\B\\C", {{}}}}},
    {"KeyNamesKeepTheLetterCaseOfTheCallThatCreatedThem",
     {},
     {{"\\~\\Database Engine\\Settings\\SYSTEM\\INIT", "LANGDRIVER", "ANSISPAN"},
      {"\\~\\DataBase Engine\\Settings\\Drivers\\IntrBase\\DB Open", "SQLDIALECT", "3"}},
     {{"Database Engine\\Settings\\SYSTEM\\INIT", "LANGDRIVER", StringValue("ANSISPAN")},
      {"DATABASE ENGINE\\settings\\Drivers\\IntrBase\\DB Open", "SQLDIALECT", StringValue("3")}},
     {{"", {{"Database Engine"}}},
      {"Database Engine", {{"Settings"}}},
      {"Database Engine\\Settings", {{"Drivers", "SYSTEM"}}},
      {"Database Engine\\Settings\\Drivers", {{"IntrBase"}}},
      {"Database Engine\\Settings\\Drivers\\IntrBase", {{"DB Open"}}}}},
    {"ReplacesANumberWithAString",
     {{"Replace", "Value", DwordValue(7)}},
     {{"\\~\\Replace", "Value", "text"}},
     {{"Replace", "Value", StringValue("text")}},
     {}},
    {"ReplacesLongerStringData",
     {{"Replace", "Value", StringValue("a longer old value")}},
     {{"\\~\\Replace", "Value", "new"}},
     {{"Replace", "Value", StringValue("new")}},
     {}},
    {"ValueNamesIgnoreLetterCase",
     {{"Names", "SqlDialect", StringValue("1")}},
     {{"\\~\\Names", "SQLDIALECT", "3"}},
     {{"Names", "sqldialect", StringValue("3")}},
     {}},
    {"StoresEmptyDataAsTheTerminatingZeroAlone",
     {},
     {{"\\~\\Empty", "Value", ""}},
     {{"Empty", "Value", StoredValue{reg::kRegSz, {0}}}},
     {}},
    {"EmptyValueNameSetsTheDefaultValue",
     {},
     {{"\\~\\Default", "", "data"}},
     {{"Default", "", StringValue("data")}},
     {}},
    {"SecondLeadingBackslashIsRefusedQuietly",
     {},
     {{"\\\\~\\Twice", "Value", "x"}},
     {},
     {{"Twice", std::nullopt}}},
    {"PathWithoutLeadingBackslashStartsAtTheRoot",
     {},
     {{"~\\Relative", "Value", "x"}},
     {{"Relative", "Value", StringValue("x")}},
     {}},
    {"WritingTheSameDataAgainChangesNothing",
     {},
     {{"\\~\\Again", "Value", "same"}, {"\\~\\Again", "Value", "same"}},
     {{"Again", "Value", StringValue("same")}},
     {{"", {{"Again"}}}}},
};

void PrintTo(const Scenario& scenario, std::ostream* os) { *os << scenario.name; }

std::string Expand(const std::string& path) {
  std::string expanded;
  for (char c : path) {
    if (c == '~') {
      expanded += kScratch;
    } else {
      expanded += c;
    }
  }
  return expanded;
}

std::string Below(const std::string& path) {
  return path.empty() ? std::string(kScratch) : std::string(kScratch) + "\\" + path;
}

std::string Describe(const StoredValue& value) {
  std::string text =
      "type " + std::to_string(value.type) + ", " + std::to_string(value.bytes.size()) + " bytes:";
  for (std::uint8_t byte : value.bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    text += ' ';
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

class RegistryScenarioTest
    : public ::testing::TestWithParam<std::tuple<RegistryBackend, Scenario>> {};

TEST_P(RegistryScenarioTest, LeavesTheExpectedKeysAndValues) {
  const RegistryBackend& backend = std::get<0>(GetParam());
  const Scenario& scenario = std::get<1>(GetParam());
  std::unique_ptr<ReadableRegistry> registry = backend.make();
  const RegHandle root = reg::kHkeyCurrentUser;
  registry->DeleteTree(root, kScratch);

  for (const Seed& seed : scenario.seeds) {
    registry->Seed(root, Below(seed.path), seed.name, seed.value);
  }
  for (const Write& write : scenario.writes) {
    SCOPED_TRACE(std::string("writing ") + write.valueName + " under " + write.keyPath);
    EXPECT_NO_THROW(
        WriteRegistryString(*registry, root, Expand(write.keyPath), write.valueName, write.data));
  }

  EXPECT_EQ(registry->OpenHandleCount(), 0u) << "a key handle was left open";
  for (const ExpectValue& expected : scenario.values) {
    SCOPED_TRACE(std::string("value '") + expected.name + "' under " + expected.path);
    const std::optional<StoredValue> stored =
        registry->ReadValue(root, Below(expected.path), expected.name);
    ASSERT_TRUE(stored.has_value()) << "not stored";
    EXPECT_EQ(Describe(*stored), Describe(expected.value));
  }
  for (const ExpectKeys& expected : scenario.keys) {
    SCOPED_TRACE(std::string("sub-keys of ") + Below(expected.path));
    std::optional<std::vector<std::string>> subkeys =
        registry->SubkeyNames(root, Below(expected.path));
    if (subkeys.has_value()) {
      std::sort(subkeys->begin(), subkeys->end());
    }
    EXPECT_EQ(subkeys, expected.subkeys);
  }
  registry->DeleteTree(root, kScratch);
}

INSTANTIATE_TEST_SUITE_P(Registries, RegistryScenarioTest,
                         ::testing::Combine(::testing::ValuesIn(RegistryBackends()),
                                            ::testing::ValuesIn(kScenarios)),
                         [](const ::testing::TestParamInfo<RegistryScenarioTest::ParamType>& info) {
                           return std::string(std::get<0>(info.param).name) + "_" +
                                  std::get<1>(info.param).name;
                         });

}  // namespace
