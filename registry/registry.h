#pragma once

#include <string>

#include "registry/registry_api.h"
#include "registry/unique_key.h"

// Access to one registry key at a time below a root key: open or create it by
// path, store string values in it, close it.
class TRegistry {
 public:
  explicit TRegistry(RegistryApi& api) : api_(api) {}
  ~TRegistry() { CloseKey(); }

  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  RegHandle RootKey() const { return rootKey_; }
  // A different root closes the current key. Root keys are predefined
  // handles and are never closed.
  void SetRootKey(RegHandle root);

  RegAccess Access() const { return access_; }
  void SetAccess(RegAccess access) { access_ = access; }

  // On, closing a key leaves flushing to the system.
  bool LazyWrite() const { return lazyWrite_; }
  void SetLazyWrite(bool lazyWrite) { lazyWrite_ = lazyWrite; }

  RegHandle CurrentKey() const { return currentKey_.get(); }
  // Path of the current key below the root, without a leading backslash;
  // empty while no key is open.
  const std::string& CurrentPath() const { return currentPath_; }

  // Opens key, creating missing keys when canCreate is set. A path that
  // begins with a backslash starts at the root key (that one backslash is
  // dropped); any other path starts at the current key, or at the root key
  // when none is open. On success the opened key becomes the current one and
  // the previous one is closed; on failure nothing changes and the system's
  // error code is dropped.
  bool OpenKey(const std::string& key, bool canCreate);

  // Stores value as a REG_SZ named name in the current key, replacing any
  // value of that name. Throws ERegistryException when it cannot be stored.
  void WriteString(const std::string& name, const std::string& value);

  void CloseKey();

  // Status of the last registry call that failed, ERROR_SUCCESS when none has.
  RegStatus LastError() const { return lastError_; }

 private:
  RegistryApi& api_;
  RegHandle rootKey_ = reg::kHkeyCurrentUser;
  RegAccess access_ = reg::kKeyAllAccess;
  bool lazyWrite_ = true;
  UniqueKey currentKey_;
  std::string currentPath_;
  RegStatus lastError_ = reg::kErrorSuccess;
};
