#pragma once

#include <cstdint>
#include <string>

#include "registry/code_address.h"

// What the report says about the error that ended the run.
struct ErrorDescription {
  std::string className;
  std::string message;
  const void* address = nullptr;  // code that raised it
};

struct ModuleInfo {
  std::string fileName;  // may include a directory
  std::uintptr_t loadAddress = 0;
};

// The unhandled-exception filter's verdict.
enum class FilterAnswer { kExecuteHandler, kContinueSearch };

constexpr char kFailureCaption[] = "Application Error";
// MB_OK (0: an OK button alone) | MB_ICONERROR | MB_TASKMODAL
constexpr std::uint32_t kFailureBoxStyle = 0x00000010u | 0x00002000u;
constexpr int kFailureExitCode = 1;

// What the report needs from the operating system.
class FailurePlatform {
 public:
  virtual ~FailurePlatform() = default;
  // The module whose code contains address.
  virtual ModuleInfo ModuleOf(const void* address) = 0;
  // Offers the error to the system's unhandled-exception filter first.
  virtual FilterAnswer AskUnhandledExceptionFilter(const void* address) = 0;
  // An ownerless message box.
  virtual void ShowMessageBox(const std::string& text, const char* caption,
                              std::uint32_t style) = 0;
  // Leaves the error to the system (and to a debugger, when one is
  // attached), which ends the process.
  [[noreturn]] virtual void PassToSystem(const void* address) = 0;

 protected:
  FailurePlatform() = default;
  FailurePlatform(const FailurePlatform&) = default;
  FailurePlatform& operator=(const FailurePlatform&) = default;
};

// Describes the exception being handled; call it only inside a catch block.
// fallbackAddress stands in for errors that do not know where they were
// raised.
ErrorDescription DescribeCurrentException(const void* fallbackAddress);

// The source-code name of a class (also in namespaces) or built-in type from
// its compiler name (std::type_info::name()), or that name as it is.
std::string ReadableTypeName(const char* mangled);

// "Exception <class> in module <file> at <offset>.\r\n<message>[.]\r\n"
std::string FormatFailureText(const ErrorDescription& error, const ModuleInfo& module);

// Offers the error to the filter and, when the program's handler is to run,
// shows the report. Returns the exit code that follows it.
int ReportFailure(const ErrorDescription& error, FailurePlatform& platform);

// Runs run() and returns its exit code; an error that escapes it ends the run
// through the report instead.
template <typename Run>
int RunWithFailureReport(Run&& run, FailurePlatform& platform) {
  ErrorDescription error;
  try {
    return run();
  } catch (...) {
    error = DescribeCurrentException(CallerAddress());
  }
  return ReportFailure(error, platform);
}
