// The program's run: both engine settings, in order, and how each way it can
// end looks to the administrator (registry contents, message box, exit code).

#include "app/engine_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <new>
#include <optional>

#include "app/failure_report.h"
#include "tests/support/fake_failure_platform.h"
#include "tests/support/faulty_registry.h"
#include "tests/support/memory_registry.h"
#include "tests/support/recording_diagnostics.h"

namespace {

using Op = FaultyRegistry::Op;

constexpr char kLanguagePath[] = "SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT";
constexpr char kDialectPath[] =
    "Software\\Borland\\DataBase Engine\\Settings\\Drivers\\IntrBase\\DB Open";

struct RunCase {
  const char* name;
  std::vector<const char*> refusedKeys;
  std::vector<const char*> refusedValues;
  int exitCode;
  bool languageStored;
  bool dialectAttempted;
  bool dialectStored;
  const char* report;  // nullptr: nothing shown
  std::size_t diagnosticLines;
};

const RunCase kRunCases[] = {
    {"BothStored", {}, {}, 0, true, true, true, nullptr, 0},
    {"FirstKeyRefusedSecondStored", {kLanguagePath}, {}, 0, false, true, true, nullptr, 1},
    {"SecondKeyRefusedFirstStored", {kDialectPath}, {}, 0, true, true, false, nullptr, 1},
    {"BothKeysRefused", {kLanguagePath, kDialectPath}, {}, 0, false, true, false, nullptr, 2},
    {"FirstValueRefused",
     {},
     {"LANGDRIVER"},
     1,
     false,
     false,
     false,
     "Exception ERegistryException in module engine-settings.exe at 00001234.\r\n"
     "Failed to set data for 'LANGDRIVER'.\r\n",
     1},
    {"SecondValueRefused",
     {},
     {"SQLDIALECT"},
     1,
     true,
     true,
     false,
     "Exception ERegistryException in module engine-settings.exe at 00001234.\r\n"
     "Failed to set data for 'SQLDIALECT'.\r\n",
     1},
};

void PrintTo(const RunCase& run, std::ostream* os) { *os << run.name; }

class EngineSettingsRunTest : public ::testing::TestWithParam<RunCase> {};

TEST_P(EngineSettingsRunTest, EndsAsTheAdministratorExpects) {
  const RunCase& run = GetParam();
  MemoryRegistry memory;
  FaultyRegistry api(memory);
  for (const char* key : run.refusedKeys) {
    api.FailKey(key, reg::kErrorAccessDenied);
  }
  for (const char* value : run.refusedValues) {
    api.FailValue(value, reg::kErrorAccessDenied);
  }
  FakeFailurePlatform platform;
  RecordingDiagnostics diagnostics;

  const int exitCode =
      RunWithFailureReport([&] { return ApplyEngineSettings(api, diagnostics); }, platform);

  EXPECT_EQ(exitCode, run.exitCode);
  EXPECT_EQ(diagnostics.lines.size(), run.diagnosticLines);
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
  EXPECT_EQ(
      memory.ReadValue(reg::kHkeyLocalMachine, kLanguagePath, "LANGDRIVER"),
      run.languageStored ? std::optional<StoredValue>(StringValue("ANSISPAN")) : std::nullopt);
  EXPECT_EQ(memory.ReadValue(reg::kHkeyLocalMachine, kDialectPath, "SQLDIALECT"),
            run.dialectStored ? std::optional<StoredValue>(StringValue("3")) : std::nullopt);
  const std::vector<FaultyRegistry::Call> creates = api.CallsOf(Op::kCreate);
  const bool dialectAttempted =
      std::any_of(creates.begin(), creates.end(),
                  [](const FaultyRegistry::Call& c) { return c.text == kDialectPath; });
  EXPECT_EQ(dialectAttempted, run.dialectAttempted);
  for (const FaultyRegistry::Call& create : creates) {
    EXPECT_EQ(create.key, reg::kHkeyLocalMachine);
  }

  if (run.report == nullptr) {
    EXPECT_TRUE(platform.boxes.empty());
  } else {
    ASSERT_EQ(platform.boxes.size(), 1u);
    EXPECT_EQ(platform.boxes[0].text, run.report);
    EXPECT_EQ(platform.boxes[0].caption, "Application Error");
    EXPECT_EQ(platform.boxes[0].style, kFailureBoxStyle);
  }
}

INSTANTIATE_TEST_SUITE_P(Runs, EngineSettingsRunTest, ::testing::ValuesIn(kRunCases),
                         [](const ::testing::TestParamInfo<RunCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(EngineSettingsTest, BothSettingsShareOneEngineKeyNamedByTheFirstPath) {
  MemoryRegistry registry;
  ASSERT_EQ(ApplyEngineSettings(registry), 0);

  EXPECT_EQ(Sorted(registry.SubkeyNames(reg::kHkeyLocalMachine, "")),
            std::vector<std::string>{"SOFTWARE"});
  EXPECT_EQ(Sorted(registry.SubkeyNames(reg::kHkeyLocalMachine, "Software\\Borland")),
            std::vector<std::string>{"Database Engine"});
  EXPECT_EQ(Sorted(registry.SubkeyNames(reg::kHkeyLocalMachine,
                                        "Software\\Borland\\Database Engine\\Settings")),
            (std::vector<std::string>{"Drivers", "SYSTEM"}));
  EXPECT_EQ(registry.ReadValue(reg::kHkeyLocalMachine, kLanguagePath, "LANGDRIVER")->bytes.size(),
            9u);
  EXPECT_EQ(registry.ReadValue(reg::kHkeyLocalMachine, kDialectPath, "SQLDIALECT")->bytes.size(),
            2u);
}

TEST(EngineSettingsTest, LeavesOtherValuesAloneAndReplacesItsOwn) {
  MemoryRegistry registry;
  registry.Seed(reg::kHkeyLocalMachine, kLanguagePath, "SHAREDMEMLOCATION",
                StringValue("0x5BDE0000"));
  registry.Seed(reg::kHkeyLocalMachine, kDialectPath, "SQLDIALECT", DwordValue(1));

  ASSERT_EQ(ApplyEngineSettings(registry), 0);
  ASSERT_EQ(ApplyEngineSettings(registry), 0);

  EXPECT_EQ(registry.ReadValue(reg::kHkeyLocalMachine, kLanguagePath, "SHAREDMEMLOCATION"),
            StringValue("0x5BDE0000"));
  EXPECT_EQ(registry.ReadValue(reg::kHkeyLocalMachine, kLanguagePath, "LANGDRIVER"),
            StringValue("ANSISPAN"));
  EXPECT_EQ(registry.ReadValue(reg::kHkeyLocalMachine, kDialectPath, "SQLDIALECT"),
            StringValue("3"));
}

TEST(EngineSettingsTest, FilterThatContinuesTheSearchGetsNoBoxAndNoExitCode) {
  MemoryRegistry memory;
  FaultyRegistry api(memory);
  api.FailValue("LANGDRIVER", reg::kErrorAccessDenied);
  FakeFailurePlatform platform;
  platform.filterAnswer = FilterAnswer::kContinueSearch;

  EXPECT_THROW(RunWithFailureReport([&] { return ApplyEngineSettings(api); }, platform),
               PassedToSystem);
  EXPECT_TRUE(platform.boxes.empty());
  EXPECT_EQ(memory.OpenHandleCount(), 0u);
}

// A registry that runs out of memory, to reach the report with an error
// that is not the registry's own.
class ExhaustedRegistry final : public RegistryApi {
 public:
  RegStatus CreateKey(RegHandle, const char*, RegAccess, RegHandle*) override {
    throw std::bad_alloc();
  }
  RegStatus OpenKey(RegHandle, const char*, RegAccess, RegHandle*) override {
    throw std::bad_alloc();
  }
  RegStatus SetValue(RegHandle, const char*, RegValueType, const std::uint8_t*,
                     std::uint32_t) override {
    return reg::kErrorSuccess;
  }
  RegStatus FlushKey(RegHandle) override { return reg::kErrorSuccess; }
  RegStatus CloseKey(RegHandle) override { return reg::kErrorSuccess; }
};

TEST(EngineSettingsTest, AnyOtherErrorGoesThroughTheSameReport) {
  ExhaustedRegistry api;
  FakeFailurePlatform platform;

  EXPECT_EQ(RunWithFailureReport([&] { return ApplyEngineSettings(api); }, platform), 1);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text,
            "Exception std::bad_alloc in module engine-settings.exe at 00001234.\r\n"
            "std::bad_alloc.\r\n");
}

}  // namespace
