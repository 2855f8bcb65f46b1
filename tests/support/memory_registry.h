#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/readable_registry.h"

// The Windows registry's behaviour, in memory: key and value names compare
// without regard to case and keep the case of the call that created them;
// creating a path creates every missing key on it; a sub-key path that begins
// with a backslash is refused; an empty value name is the key's default
// value; a value of any type is replaced.
class MemoryRegistry final : public ReadableRegistry {
 public:
  MemoryRegistry();
  ~MemoryRegistry() override;

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
  std::size_t OpenHandleCount() const override { return handles_.size(); }

 private:
  struct Key;
  Key* KeyOf(RegHandle handle) const;
  RegStatus Walk(RegHandle base, const char* subKey, bool create, Key** found);
  RegHandle NewHandle(Key* key);
  RegStatus OpenHandle(RegHandle base, const char* subKey, bool create, RegHandle* result);

  std::map<RegHandle, std::unique_ptr<Key>> roots_;
  std::map<RegHandle, Key*> handles_;
  RegHandle nextHandle_ = 0x100;
};
