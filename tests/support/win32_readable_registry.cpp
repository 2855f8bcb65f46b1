#include "tests/support/win32_readable_registry.h"

#include <windows.h>

namespace {

HKEY ToHkey(RegHandle handle) { return reinterpret_cast<HKEY>(handle); }

// A key opened for the tests' own reading, closed when it goes away.
class ReadKey {
 public:
  ReadKey(RegHandle root, const std::string& path, REGSAM access = KEY_READ) {
    if (RegOpenKeyExA(ToHkey(root), path.c_str(), 0, access, &key_) != ERROR_SUCCESS) {
      key_ = nullptr;
    }
  }
  ~ReadKey() {
    if (key_ != nullptr) {
      RegCloseKey(key_);
    }
  }
  ReadKey(const ReadKey&) = delete;
  ReadKey& operator=(const ReadKey&) = delete;
  ReadKey(ReadKey&&) = delete;
  ReadKey& operator=(ReadKey&&) = delete;
  HKEY get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

std::vector<std::string> EnumSubkeys(HKEY key) {
  std::vector<std::string> names;
  char name[256];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, length);
  }
  return names;
}

}  // namespace

RegStatus Win32ReadableRegistry::CreateKey(RegHandle base, const char* subKey, RegAccess access,
                                           RegHandle* result) {
  const RegStatus status = registry_.CreateKey(base, subKey, access, result);
  openHandles_ += status == ERROR_SUCCESS ? 1 : 0;
  return status;
}

RegStatus Win32ReadableRegistry::OpenKey(RegHandle base, const char* subKey, RegAccess access,
                                         RegHandle* result) {
  const RegStatus status = registry_.OpenKey(base, subKey, access, result);
  openHandles_ += status == ERROR_SUCCESS ? 1 : 0;
  return status;
}

RegStatus Win32ReadableRegistry::SetValue(RegHandle key, const char* name, RegValueType type,
                                          const std::uint8_t* data, std::uint32_t size) {
  return registry_.SetValue(key, name, type, data, size);
}

RegStatus Win32ReadableRegistry::FlushKey(RegHandle key) { return registry_.FlushKey(key); }

RegStatus Win32ReadableRegistry::CloseKey(RegHandle key) {
  const RegStatus status = registry_.CloseKey(key);
  openHandles_ -= status == ERROR_SUCCESS && openHandles_ > 0 ? 1 : 0;
  return status;
}

std::optional<StoredValue> Win32ReadableRegistry::ReadValue(RegHandle root, const std::string& path,
                                                            const std::string& name) {
  ReadKey key(root, path);
  DWORD type = 0;
  DWORD size = 0;
  if (key.get() == nullptr ||
      RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  StoredValue value{type, std::vector<std::uint8_t>(size)};
  if (RegQueryValueExA(key.get(), name.c_str(), nullptr, &type, value.bytes.data(), &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  value.bytes.resize(size);
  return value;
}

std::optional<std::vector<std::string>> Win32ReadableRegistry::SubkeyNames(
    RegHandle root, const std::string& path) {
  ReadKey key(root, path);
  if (key.get() == nullptr) {
    return std::nullopt;
  }
  return EnumSubkeys(key.get());
}

void Win32ReadableRegistry::Seed(RegHandle root, const std::string& path, const std::string& name,
                                 const StoredValue& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(ToHkey(root), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_ALL_ACCESS, nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExA(key, name.c_str(), 0, value.type, value.bytes.data(),
                   static_cast<DWORD>(value.bytes.size()));
    RegCloseKey(key);
  }
}

void Win32ReadableRegistry::DeleteTree(RegHandle root, const std::string& path) {
  DeleteRegistryTree(root, path);
}

bool DeleteRegistryTree(RegHandle root, const std::string& path) {
  {
    ReadKey key(root, path, KEY_READ);
    if (key.get() == nullptr) {
      return true;
    }
    for (const std::string& child : EnumSubkeys(key.get())) {
      std::string childPath = path;
      childPath += '\\';
      childPath += child;
      DeleteRegistryTree(root, childPath);
    }
  }
  RegDeleteKeyA(ToHkey(root), path.c_str());
  return ReadKey(root, path).get() == nullptr;
}
