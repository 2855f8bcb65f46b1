#pragma once

#include <string>
#include <vector>

#include "registry/diagnostics.h"

// Keeps the lines; the error text names the status code.
class RecordingDiagnostics final : public Diagnostics {
 public:
  std::vector<std::string> lines;

  void Line(const std::string& text) override { lines.push_back(text); }
  std::string ErrorText(RegStatus status) override { return "text of " + std::to_string(status); }
};
