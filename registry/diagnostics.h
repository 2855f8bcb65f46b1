#pragma once

#include <string>

#include "registry/registry_api.h"

// Where the program says, for whoever watches the debugger output, why a
// setting was skipped or could not be stored. Users see nothing of it.
class Diagnostics {
 public:
  virtual ~Diagnostics() = default;
  // One line of debugger output.
  virtual void Line(const std::string& text) = 0;
  // The system's text for a registry status code.
  virtual std::string ErrorText(RegStatus status) = 0;

 protected:
  Diagnostics() = default;
  Diagnostics(const Diagnostics&) = default;
  Diagnostics& operator=(const Diagnostics&) = default;
};

// Says nothing.
class NoDiagnostics final : public Diagnostics {
 public:
  void Line(const std::string& /*text*/) override {}
  std::string ErrorText(RegStatus /*status*/) override { return {}; }
};
