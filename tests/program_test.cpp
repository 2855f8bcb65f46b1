// The built program, started as a process against the real registry. These
// tests rewrite the database engine's keys under HKEY_LOCAL_MACHINE, so they
// run only under Wine, in the throw-away prefix scripts/test makes.

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "tests/support/win32_readable_registry.h"

namespace {

const RegHandle kMachine = reg::kHkeyLocalMachine;
constexpr char kBorland[] = "SOFTWARE\\Borland";
constexpr char kSettings[] = "SOFTWARE\\Borland\\Database Engine\\Settings";
constexpr char kInit[] = "SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT";
constexpr char kDialect[] =
    "SOFTWARE\\Borland\\Database Engine\\Settings\\Drivers\\IntrBase\\DB Open";
constexpr char kProgram[] = "engine-settings.exe";
constexpr char kFailingProgram[] = "engine-settings-failing-store.exe";

bool UnderWine() {
  HMODULE ntdll = GetModuleHandleA("ntdll.dll");
  return ntdll != nullptr && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

// The programs are built next to this one.
std::string Sibling(const char* name) {
  char path[MAX_PATH] = "";
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string dir(path);
  return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

// The program under test: ENGINE_SETTINGS_EXE names it, else the one built
// next to this one. Test builds are always next to this one.
std::string ProgramPath(const char* name) {
  const char* chosen = std::getenv("ENGINE_SETTINGS_EXE");
  return std::string(name) == kProgram && chosen != nullptr && *chosen != '\0' ? chosen
                                                                               : Sibling(name);
}

class Process {
 public:
  Process(const std::string& program, const std::string& arguments) {
    std::string commandLine = "\"" + ProgramPath(program.c_str()) + "\"" + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &info)) {
      CloseHandle(info.hThread);
      process_ = info.hProcess;
    }
  }
  ~Process() {
    if (process_ != nullptr) {
      CloseHandle(process_);
    }
  }
  Process(const Process&) = delete;
  Process& operator=(const Process&) = delete;
  Process(Process&&) = delete;
  Process& operator=(Process&&) = delete;

  bool Started() const { return process_ != nullptr; }
  DWORD ExitCode() {
    WaitForSingleObject(process_, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(process_, &code);
    return code;
  }

 private:
  HANDLE process_ = nullptr;
};

DWORD RunProgram(const char* program, const std::string& arguments = "") {
  Process process(program, arguments);
  EXPECT_TRUE(process.Started()) << program;
  return process.Started() ? process.ExitCode() : 0xFFFFFFFF;
}

class ProgramTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!UnderWine()) {
      GTEST_SKIP() << "changes HKEY_LOCAL_MACHINE: runs only in a Wine test prefix";
    }
  }

  void ExpectBothValues() {
    EXPECT_EQ(registry.ReadValue(kMachine, kInit, "LANGDRIVER"), StringValue("ANSISPAN"));
    EXPECT_EQ(registry.ReadValue(kMachine, kDialect, "SQLDIALECT"), StringValue("3"));
  }

  Win32ReadableRegistry registry;
};

// Wine reports the Windows version the test run asked for (in
// EXPECT_WINDOWS_VERSION, such as 5.1), so that the tests below meet it.
TEST(WindowsVersionTest, IsTheOneAskedFor) {
  using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
  auto getVersion = reinterpret_cast<RtlGetVersionFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
  ASSERT_NE(getVersion, nullptr);
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  ASSERT_EQ(getVersion(&version), 0);
  const std::string running =
      std::to_string(version.dwMajorVersion) + "." + std::to_string(version.dwMinorVersion);
  std::printf("running as Windows %s\n", running.c_str());
  const char* expected = std::getenv("EXPECT_WINDOWS_VERSION");
  if (expected != nullptr && *expected != '\0') {
    EXPECT_EQ(running, expected);
  }
}

// Runs first: on a new prefix, on the keys it comes with.
TEST_F(ProgramTest, StoresBothValuesAndLeavesTheOthersAlone) {
  if (!registry.ReadValue(kMachine, kInit, "SHAREDMEMLOCATION")) {
    // A new Wine prefix has this value; a prefix these tests ran in before
    // may have lost it.
    registry.Seed(kMachine, kInit, "SHAREDMEMLOCATION", StringValue("9000"));
  }
  const std::optional<StoredValue> shared =
      registry.ReadValue(kMachine, kInit, "SHAREDMEMLOCATION");

  for (const char* arguments : {"", " /S --force LANGDRIVER=X"}) {
    SCOPED_TRACE(std::string("arguments:") + arguments);
    EXPECT_EQ(RunProgram(kProgram, arguments), 0u);
    ExpectBothValues();
    EXPECT_EQ(registry.ReadValue(kMachine, kInit, "SHAREDMEMLOCATION"), shared);
  }
}

TEST_F(ProgramTest, CreatesMissingKeysWithTheLetterCaseOfTheFirstPath) {
  ASSERT_TRUE(DeleteRegistryTree(kMachine, kBorland));

  EXPECT_EQ(RunProgram(kProgram), 0u);

  ExpectBothValues();
  EXPECT_EQ(Sorted(registry.SubkeyNames(kMachine, kBorland)),
            std::vector<std::string>{"Database Engine"});
  EXPECT_EQ(Sorted(registry.SubkeyNames(kMachine, kSettings)),
            (std::vector<std::string>{"Drivers", "SYSTEM"}));
  EXPECT_EQ(Sorted(registry.SubkeyNames(kMachine, std::string(kSettings) + "\\Drivers")),
            std::vector<std::string>{"IntrBase"});
}

TEST_F(ProgramTest, ReplacesANumberOfTheSameName) {
  registry.Seed(kMachine, kDialect, "SQLDIALECT", DwordValue(1));
  EXPECT_EQ(RunProgram(kProgram), 0u);
  ExpectBothValues();
}

TEST_F(ProgramTest, SkipsAKeyItCannotCreateWithoutAWord) {
  ASSERT_TRUE(DeleteRegistryTree(kMachine, kBorland));
  // A key that lasts only as long as the registry service cannot have a
  // lasting sub-key, so INIT cannot be created below it.
  HKEY settings = nullptr;
  HKEY system = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kSettings, 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_ALL_ACCESS, nullptr, &settings, nullptr),
            ERROR_SUCCESS);
  ASSERT_EQ(RegCreateKeyExA(settings, "SYSTEM", 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS,
                            nullptr, &system, nullptr),
            ERROR_SUCCESS);
  RegCloseKey(system);
  RegCloseKey(settings);

  // Silent to users; the line it sends to the debugger output is checked
  // by the program_debug_output test, which runs this one with Wine's
  // debugstr channel on.
  EXPECT_EQ(RunProgram(kProgram), 0u);

  EXPECT_EQ(registry.SubkeyNames(kMachine, kInit), std::nullopt);
  EXPECT_EQ(registry.ReadValue(kMachine, kDialect, "SQLDIALECT"), StringValue("3"));
  EXPECT_TRUE(DeleteRegistryTree(kMachine, kBorland));
}

// Whether rva lies in a code section of the program's file.
bool IsCodeOffset(const std::string& program, std::uint32_t rva) {
  std::ifstream file(Sibling(program.c_str()), std::ios::binary);
  const std::vector<char> image((std::istreambuf_iterator<char>(file)),
                                std::istreambuf_iterator<char>());
  auto dword = [&](std::size_t at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i) v = v << 8 | static_cast<std::uint8_t>(image.at(at + i));
    return v;
  };
  auto word = [&](std::size_t at) { return dword(at) & 0xFFFF; };
  const std::size_t pe = dword(0x3C);
  const std::size_t sections = word(pe + 6);
  const std::size_t table = pe + 24 + word(pe + 20);
  for (std::size_t i = 0; i < sections; ++i) {
    const std::size_t header = table + i * 40;
    const std::uint32_t size = dword(header + 8);
    const std::uint32_t start = dword(header + 12);
    const std::uint32_t characteristics = dword(header + 36);
    if ((characteristics & IMAGE_SCN_CNT_CODE) != 0 && rva >= start && rva < start + size) {
      return true;
    }
  }
  return false;
}

struct Box {
  HWND window = nullptr;
  std::string text;
  std::vector<int> buttons;
};

BOOL CALLBACK CollectButton(HWND child, LPARAM found) {
  char className[32] = "";
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Button") == 0 && IsWindowVisible(child)) {
    reinterpret_cast<std::vector<int>*>(found)->push_back(GetDlgCtrlID(child));
  }
  return TRUE;
}

Box WaitForBox(const char* caption, DWORD timeoutMs) {
  Box box;
  const DWORD start = GetTickCount();
  while ((box.window = FindWindowA("#32770", caption)) == nullptr &&
         GetTickCount() - start < timeoutMs) {
    Sleep(200);
  }
  if (box.window == nullptr) {
    return box;
  }
  char text[1024] = "";
  GetDlgItemTextA(box.window, 0xFFFF, text, sizeof text);  // the box's message
  box.text = text;
  EnumChildWindows(box.window, CollectButton, reinterpret_cast<LPARAM>(&box.buttons));
  return box;
}

TEST_F(ProgramTest, ReportsAValueItCannotStoreAndStops) {
  ASSERT_TRUE(DeleteRegistryTree(kMachine, kBorland));
  Process process(kFailingProgram, "");
  ASSERT_TRUE(process.Started());

  const Box box = WaitForBox("Application Error", 10 * 60 * 1000);
  ASSERT_NE(box.window, nullptr) << "no report shown";
  EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
  std::smatch match;
  const std::regex format(
      "Exception ERegistryException in module engine-settings-failing-store\\.exe at "
      "([0-9A-F]{8})\\.\r\nFailed to set data for 'LANGDRIVER'\\.\r\n");
  ASSERT_TRUE(std::regex_match(box.text, match, format)) << box.text;
  EXPECT_TRUE(IsCodeOffset(kFailingProgram, std::stoul(match[1].str(), nullptr, 16)))
      << "offset " << match[1] << " is not in the program's code";

  PostMessageA(box.window, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(process.ExitCode(), 1u);

  EXPECT_EQ(registry.ReadValue(kMachine, kInit, "LANGDRIVER"), std::nullopt);
  EXPECT_EQ(registry.SubkeyNames(kMachine, std::string(kSettings) + "\\Drivers"), std::nullopt)
      << "the second setting was attempted";
}

// Login scripts may start the program on many sessions at once.
TEST_F(ProgramTest, ManyCopiesAtOnceLeaveExactlyTheTwoValues) {
  ASSERT_TRUE(DeleteRegistryTree(kMachine, kBorland));
  constexpr std::size_t kCopies = 20;
  std::vector<std::unique_ptr<Process>> copies;
  for (std::size_t i = 0; i < kCopies; ++i) {
    copies.push_back(std::make_unique<Process>(kProgram, ""));
    ASSERT_TRUE(copies.back()->Started()) << "copy " << i;
  }
  for (std::size_t i = 0; i < kCopies; ++i) {
    EXPECT_EQ(copies[i]->ExitCode(), 0u) << "copy " << i;
  }

  ExpectBothValues();
  EXPECT_EQ(Sorted(registry.SubkeyNames(kMachine, kBorland)),
            std::vector<std::string>{"Database Engine"});
  EXPECT_EQ(Sorted(registry.SubkeyNames(kMachine, kSettings)),
            (std::vector<std::string>{"Drivers", "SYSTEM"}));
  EXPECT_EQ(Sorted(registry.SubkeyNames(kMachine, kInit)), std::vector<std::string>{});
}

}  // namespace
