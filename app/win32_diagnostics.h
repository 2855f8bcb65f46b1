#pragma once

#include "registry/diagnostics.h"

// Lines go to the debugger output (OutputDebugStringA), error texts come
// from the system (FormatMessageA).
class Win32Diagnostics final : public Diagnostics {
 public:
  void Line(const std::string& text) override;
  std::string ErrorText(RegStatus status) override;
};
