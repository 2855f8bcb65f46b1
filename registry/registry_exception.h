#pragma once

#include <stdexcept>
#include <string>

// Raised when a value cannot be stored in a key that was opened.
class ERegistryException : public std::runtime_error {
 public:
  ERegistryException(const std::string& message, const void* raiseAddress)
      : std::runtime_error(message), raiseAddress_(raiseAddress) {}

  // Address of the code that raised it.
  const void* RaiseAddress() const noexcept { return raiseAddress_; }

 private:
  const void* raiseAddress_;
};
