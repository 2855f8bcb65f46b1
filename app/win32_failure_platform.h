#pragma once

#include <cstdint>

#include "app/failure_report.h"

// The exception code under which an error that ends the run is offered to the
// unhandled-exception filter and, when the filter declines it, raised to the
// system (and to any debugger).
constexpr std::uint32_t kUnhandledErrorCode = 0xE0455354;

class Win32FailurePlatform final : public FailurePlatform {
 public:
  ModuleInfo ModuleOf(const void* address) override;
  FilterAnswer AskUnhandledExceptionFilter(const void* address) override;
  void ShowMessageBox(const std::string& text, const char* caption, std::uint32_t style) override;
  [[noreturn]] void PassToSystem(const void* address) override;
};
