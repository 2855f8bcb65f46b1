#pragma once

#include "registry/win32_registry.h"
#include "tests/support/readable_registry.h"

// The Windows registry, with the handles opened through it counted and the
// means to read it back.
class Win32ReadableRegistry final : public ReadableRegistry {
 public:
  RegStatus CreateKey(RegHandle base, const char* subKey, RegAccess access,
                      RegHandle* result) override;
  RegStatus OpenKey(RegHandle base, const char* subKey, RegAccess access,
                    RegHandle* result) override;
  RegStatus SetValue(RegHandle key, const char* name, RegValueType type, const std::uint8_t* data,
                     std::uint32_t size) override;
  RegStatus FlushKey(RegHandle key) override;
  RegStatus CloseKey(RegHandle key) override;

  std::optional<StoredValue> ReadValue(RegHandle root, const std::string& path,
                                       const std::string& name) override;
  std::optional<std::vector<std::string>> SubkeyNames(RegHandle root,
                                                      const std::string& path) override;
  void Seed(RegHandle root, const std::string& path, const std::string& name,
            const StoredValue& value) override;
  void DeleteTree(RegHandle root, const std::string& path) override;
  std::size_t OpenHandleCount() const override { return openHandles_; }

 private:
  Win32Registry registry_;
  std::size_t openHandles_ = 0;
};

// Removes key path below root and everything below it; false when it is
// still there afterwards.
bool DeleteRegistryTree(RegHandle root, const std::string& path);
