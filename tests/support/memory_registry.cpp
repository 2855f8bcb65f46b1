#include "tests/support/memory_registry.h"

#include <algorithm>

#include "tests/support/registry_names.h"

struct MemoryRegistry::Key {
  std::string name;
  std::vector<std::unique_ptr<Key>> children;
  std::vector<std::pair<std::string, StoredValue>> values;
};

namespace {

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string::size_type start = 0;
  while (start < path.size()) {
    std::string::size_type end = path.find('\\', start);
    if (end == std::string::npos) {
      end = path.size();
    }
    parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

}  // namespace

MemoryRegistry::MemoryRegistry() {
  for (RegHandle root :
       {reg::kHkeyClassesRoot, reg::kHkeyCurrentUser, reg::kHkeyLocalMachine, reg::kHkeyUsers}) {
    roots_[root] = std::make_unique<Key>();
  }
}

MemoryRegistry::~MemoryRegistry() = default;

MemoryRegistry::Key* MemoryRegistry::KeyOf(RegHandle handle) const {
  if (auto root = roots_.find(handle); root != roots_.end()) {
    return root->second.get();
  }
  auto open = handles_.find(handle);
  return open == handles_.end() ? nullptr : open->second;
}

RegStatus MemoryRegistry::Walk(RegHandle base, const char* subKey, bool create, Key** found) {
  Key* key = KeyOf(base);
  if (key == nullptr) {
    return reg::kErrorInvalidHandle;
  }
  const std::string path = NameText(subKey);
  if (!path.empty() && path.front() == '\\') {
    return reg::kErrorBadPathname;
  }
  const std::vector<std::string> parts = SplitPath(path);
  if (std::find(parts.begin(), parts.end(), std::string()) != parts.end()) {
    return reg::kErrorBadPathname;  // refused before anything is created
  }
  for (const std::string& part : parts) {
    auto child =
        std::find_if(key->children.begin(), key->children.end(),
                     [&](const std::unique_ptr<Key>& k) { return SameName(k->name, part); });
    if (child != key->children.end()) {
      key = child->get();
    } else if (create) {
      key->children.push_back(std::make_unique<Key>());
      key->children.back()->name = part;
      key = key->children.back().get();
    } else {
      return reg::kErrorFileNotFound;
    }
  }
  *found = key;
  return reg::kErrorSuccess;
}

RegHandle MemoryRegistry::NewHandle(Key* key) {
  const RegHandle handle = nextHandle_;
  nextHandle_ += 4;
  handles_[handle] = key;
  return handle;
}

RegStatus MemoryRegistry::OpenHandle(RegHandle base, const char* subKey, bool create,
                                     RegHandle* result) {
  Key* key = nullptr;
  const RegStatus status = Walk(base, subKey, create, &key);
  if (status == reg::kErrorSuccess) {
    *result = NewHandle(key);
  }
  return status;
}

RegStatus MemoryRegistry::CreateKey(RegHandle base, const char* subKey, RegAccess /*access*/,
                                    RegHandle* result) {
  return OpenHandle(base, subKey, true, result);
}

RegStatus MemoryRegistry::OpenKey(RegHandle base, const char* subKey, RegAccess /*access*/,
                                  RegHandle* result) {
  return OpenHandle(base, subKey, false, result);
}

RegStatus MemoryRegistry::SetValue(RegHandle handle, const char* name, RegValueType type,
                                   const std::uint8_t* data, std::uint32_t size) {
  Key* key = KeyOf(handle);
  if (key == nullptr) {
    return reg::kErrorInvalidHandle;
  }
  const std::string valueName = NameText(name);
  StoredValue value{type, std::vector<std::uint8_t>(data, data + size)};
  auto existing = std::find_if(key->values.begin(), key->values.end(),
                               [&](const auto& v) { return SameName(v.first, valueName); });
  if (existing != key->values.end()) {
    existing->second = std::move(value);
  } else {
    key->values.emplace_back(valueName, std::move(value));
  }
  return reg::kErrorSuccess;
}

RegStatus MemoryRegistry::FlushKey(RegHandle handle) {
  return KeyOf(handle) == nullptr ? reg::kErrorInvalidHandle : reg::kErrorSuccess;
}

RegStatus MemoryRegistry::CloseKey(RegHandle handle) {
  if (roots_.count(handle) != 0) {
    return reg::kErrorSuccess;
  }
  return handles_.erase(handle) == 0 ? reg::kErrorInvalidHandle : reg::kErrorSuccess;
}

std::optional<StoredValue> MemoryRegistry::ReadValue(RegHandle root, const std::string& path,
                                                     const std::string& name) {
  Key* key = nullptr;
  if (Walk(root, path.c_str(), false, &key) != reg::kErrorSuccess) {
    return std::nullopt;
  }
  for (const auto& value : key->values) {
    if (SameName(value.first, name)) {
      return value.second;
    }
  }
  return std::nullopt;
}

std::optional<std::vector<std::string>> MemoryRegistry::SubkeyNames(RegHandle root,
                                                                    const std::string& path) {
  Key* key = nullptr;
  if (Walk(root, path.c_str(), false, &key) != reg::kErrorSuccess) {
    return std::nullopt;
  }
  std::vector<std::string> names;
  for (const auto& child : key->children) {
    names.push_back(child->name);
  }
  return names;
}

void MemoryRegistry::Seed(RegHandle root, const std::string& path, const std::string& name,
                          const StoredValue& value) {
  RegHandle handle = reg::kNoKey;
  if (CreateKey(root, path.c_str(), reg::kKeyAllAccess, &handle) == reg::kErrorSuccess) {
    SetValue(handle, name.c_str(), value.type, value.bytes.data(),
             static_cast<std::uint32_t>(value.bytes.size()));
    CloseKey(handle);
  }
}

void MemoryRegistry::DeleteTree(RegHandle root, const std::string& path) {
  const std::string::size_type slash = path.rfind('\\');
  const std::string parentPath = slash == std::string::npos ? std::string() : path.substr(0, slash);
  const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
  Key* parent = nullptr;
  if (name.empty() || Walk(root, parentPath.c_str(), false, &parent) != reg::kErrorSuccess) {
    return;
  }
  auto& children = parent->children;
  children.erase(
      std::remove_if(children.begin(), children.end(),
                     [&](const std::unique_ptr<Key>& k) { return SameName(k->name, name); }),
      children.end());
}
