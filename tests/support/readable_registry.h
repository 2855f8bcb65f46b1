#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "registry/registry_api.h"

struct StoredValue {
  RegValueType type = 0;
  std::vector<std::uint8_t> bytes;

  bool operator==(const StoredValue& other) const {
    return type == other.type && bytes == other.bytes;
  }
};

// A registry the tests can look into as well as write through. Paths are
// below a root key and have no leading backslash.
class ReadableRegistry : public RegistryApi {
 public:
  virtual std::optional<StoredValue> ReadValue(RegHandle root, const std::string& path,
                                               const std::string& name) = 0;
  // Names of the sub-keys of path as stored, in no particular order; nullopt
  // when the key does not exist.
  virtual std::optional<std::vector<std::string>> SubkeyNames(RegHandle root,
                                                              const std::string& path) = 0;
  // Stores a value directly, creating its key, to set up a case.
  virtual void Seed(RegHandle root, const std::string& path, const std::string& name,
                    const StoredValue& value) = 0;
  // Removes path and everything below it, if it exists.
  virtual void DeleteTree(RegHandle root, const std::string& path) = 0;
  // Handles opened through this object and not closed yet.
  virtual std::size_t OpenHandleCount() const = 0;
};

// Sub-key names in order, for comparing; none when the key is missing.
inline std::vector<std::string> Sorted(const std::optional<std::vector<std::string>>& names) {
  std::vector<std::string> sorted = names.value_or(std::vector<std::string>{});
  std::sort(sorted.begin(), sorted.end());
  return sorted;
}

inline StoredValue StringValue(const std::string& text) {
  StoredValue value{reg::kRegSz, std::vector<std::uint8_t>(text.begin(), text.end())};
  value.bytes.push_back(0);
  return value;
}

inline StoredValue DwordValue(std::uint32_t number) {
  return StoredValue{
      reg::kRegDword,
      {static_cast<std::uint8_t>(number), static_cast<std::uint8_t>(number >> 8),
       static_cast<std::uint8_t>(number >> 16), static_cast<std::uint8_t>(number >> 24)}};
}
