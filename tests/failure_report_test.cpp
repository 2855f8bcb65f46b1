// The report of an error that ends the run: what it says and when it is
// shown.

#include "app/failure_report.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <typeinfo>

#include "registry/registry_exception.h"
#include "tests/support/fake_failure_platform.h"

namespace outer::inner {
struct Failure {};
}  // namespace outer::inner

namespace {

const void* AddressAt(std::uintptr_t value) { return reinterpret_cast<const void*>(value); }

TEST(FormatFailureTextTest, FillsTheFormat) {
  struct Case {
    const char* name;
    ErrorDescription error;
    ModuleInfo module;
    const char* text;
  };
  const Case cases[] = {
      {"full stop added",
       {"ERegistryException", "Failed to set data for 'LANGDRIVER'", AddressAt(0x401A2C)},
       {"C:\\Tools\\engine-settings.exe", 0x400000},
       "Exception ERegistryException in module engine-settings.exe at 00001A2C.\r\n"
       "Failed to set data for 'LANGDRIVER'.\r\n"},
      {"full stop kept",
       {"EError", "Already stopped.", AddressAt(0x10000010)},
       {"D:\\a\\b.exe", 0x10000000},
       "Exception EError in module b.exe at 00000010.\r\nAlready stopped.\r\n"},
      {"empty message",
       {"int", "", AddressAt(0x400000)},
       {"prog.exe", 0x400000},
       "Exception int in module prog.exe at 00000000.\r\n\r\n"},
      {"hex digits upper case",
       {"E", "m", AddressAt(0x00ABCDEF + 0x400000)},
       {"C:\\x.exe", 0x400000},
       "Exception E in module x.exe at 00ABCDEF.\r\nm.\r\n"},
      {"percent signs copied as they are",
       {"E", "50% %s done", AddressAt(0x400001)},
       {"C:\\x.exe", 0x400000},
       "Exception E in module x.exe at 00000001.\r\n50% %s done.\r\n"},
      {"forward slashes too",
       {"E", "m.", AddressAt(0x400001)},
       {"/opt/prog/x.exe", 0x400000},
       "Exception E in module x.exe at 00000001.\r\nm.\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(FormatFailureText(c.error, c.module), c.text);
  }
}

TEST(ReadableTypeNameTest, NamesClassesAsTheSourceDoes) {
  struct Case {
    const char* mangled;
    const char* readable;
  };
  const Case cases[] = {
      {typeid(ERegistryException).name(), "ERegistryException"},
      {typeid(std::bad_alloc).name(), "std::bad_alloc"},
      {typeid(std::runtime_error).name(), "std::runtime_error"},
      {typeid(outer::inner::Failure).name(), "outer::inner::Failure"},
      {typeid(int).name(), "int"},
      {typeid(unsigned long long).name(), "unsigned long long"},
      // Anything else is shown as the compiler names it.
      {typeid(const char*).name(), typeid(const char*).name()},
      {"7Short", "7Short"},
      {"N3abc", "N3abc"},
      {"", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.mangled);
    EXPECT_EQ(ReadableTypeName(c.mangled), c.readable);
  }
}

template <typename Error>
ErrorDescription DescribeThrown(const Error& error) {
  try {
    throw error;
  } catch (...) {
    return DescribeCurrentException(AddressAt(0x1000));
  }
}

TEST(DescribeCurrentExceptionTest, NamesTheClassAndTakesTheMessage) {
  const ErrorDescription registry =
      DescribeThrown(ERegistryException("Failed to set data for 'X'", AddressAt(0x4321)));
  EXPECT_EQ(registry.className, "ERegistryException");
  EXPECT_EQ(registry.message, "Failed to set data for 'X'");
  EXPECT_EQ(registry.address, AddressAt(0x4321)) << "where it was raised";

  const ErrorDescription badAlloc = DescribeThrown(std::bad_alloc());
  EXPECT_EQ(badAlloc.className, "std::bad_alloc");
  EXPECT_EQ(badAlloc.message, "std::bad_alloc");
  EXPECT_EQ(badAlloc.address, AddressAt(0x1000)) << "where it surfaced";

  const ErrorDescription runtime = DescribeThrown(std::runtime_error("disk gone"));
  EXPECT_EQ(runtime.className, "std::runtime_error");
  EXPECT_EQ(runtime.message, "disk gone");

  const ErrorDescription number = DescribeThrown(42);
  EXPECT_EQ(number.className, "int");
  EXPECT_EQ(number.message, "");
}

TEST(ReportFailureTest, ShowsOneTaskModalErrorBoxAndReturnsExitCodeOne) {
  FakeFailurePlatform platform;
  const ErrorDescription error{"ERegistryException", "Failed", AddressAt(0x402000)};

  EXPECT_EQ(ReportFailure(error, platform), 1);

  ASSERT_EQ(platform.filterAddresses.size(), 1u);
  EXPECT_EQ(platform.filterAddresses[0], error.address);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].caption, "Application Error");
  EXPECT_EQ(platform.boxes[0].style, 0x2010u);  // MB_OK | MB_ICONERROR | MB_TASKMODAL
  EXPECT_EQ(
      platform.boxes[0].text,
      "Exception ERegistryException in module engine-settings.exe at 00001234.\r\nFailed.\r\n");
}

TEST(ReportFailureTest, LeavesTheErrorToTheSystemWhenTheFilterSaysSo) {
  FakeFailurePlatform platform;
  platform.filterAnswer = FilterAnswer::kContinueSearch;
  const ErrorDescription error{"ERegistryException", "Failed", AddressAt(0x402000)};

  try {
    ReportFailure(error, platform);
    FAIL() << "returned an exit code";
  } catch (const PassedToSystem& passed) {
    EXPECT_EQ(passed.address, error.address);
  }
  EXPECT_TRUE(platform.boxes.empty());
}

TEST(RunWithFailureReportTest, ReturnsTheRunsExitCodeWhenNothingEscapes) {
  FakeFailurePlatform platform;
  EXPECT_EQ(RunWithFailureReport([] { return 0; }, platform), 0);
  EXPECT_EQ(RunWithFailureReport([] { return 7; }, platform), 7);
  EXPECT_TRUE(platform.filterAddresses.empty());
  EXPECT_TRUE(platform.boxes.empty());
}

TEST(RunWithFailureReportTest, ReportsAnyEscapingError) {
  FakeFailurePlatform platform;
  const int exitCode = RunWithFailureReport([]() -> int { throw std::bad_alloc(); }, platform);

  EXPECT_EQ(exitCode, 1);
  ASSERT_EQ(platform.boxes.size(), 1u);
  EXPECT_EQ(platform.boxes[0].text,
            "Exception std::bad_alloc in module engine-settings.exe at 00001234.\r\n"
            "std::bad_alloc.\r\n");
  ASSERT_EQ(platform.filterAddresses.size(), 1u);
  EXPECT_NE(platform.filterAddresses[0], nullptr);
}

}  // namespace
