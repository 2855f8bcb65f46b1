#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/failure_report.h"

// Thrown by FakeFailurePlatform where the real platform would leave the error
// to the system and never return.
struct PassedToSystem {
  const void* address;
};

// Records what the report does instead of doing it.
class FakeFailurePlatform final : public FailurePlatform {
 public:
  struct Box {
    std::string text;
    std::string caption;
    std::uint32_t style;
  };

  static constexpr char kModulePath[] = "C:\\Program Files\\Engine Tools\\engine-settings.exe";
  static constexpr std::uintptr_t kOffset = 0x1234;

  FilterAnswer filterAnswer = FilterAnswer::kExecuteHandler;
  std::vector<const void*> filterAddresses;
  std::vector<Box> boxes;

  // The module seems to load kOffset bytes below whatever address it is
  // asked about, so every report says "at 00001234".
  ModuleInfo ModuleOf(const void* address) override {
    return {kModulePath, reinterpret_cast<std::uintptr_t>(address) - kOffset};
  }
  FilterAnswer AskUnhandledExceptionFilter(const void* address) override {
    filterAddresses.push_back(address);
    return filterAnswer;
  }
  void ShowMessageBox(const std::string& text, const char* caption, std::uint32_t style) override {
    boxes.push_back({text, caption, style});
  }
  [[noreturn]] void PassToSystem(const void* address) override { throw PassedToSystem{address}; }
};
