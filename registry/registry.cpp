#include "registry/registry.h"

#include <cstdint>
#include <utility>

#include "registry/code_address.h"
#include "registry/registry_exception.h"

namespace {

constexpr char kSetDataFailedFormat[] = "Failed to set data for '%s'";

std::string FormatWithName(const std::string& format, const std::string& name) {
  std::string text = format;
  const std::string::size_type at = text.find("%s");
  if (at != std::string::npos) {
    text.replace(at, 2, name);
  }
  return text;
}

}  // namespace

void TRegistry::SetRootKey(RegHandle root) {
  if (root != rootKey_) {
    CloseKey();
    rootKey_ = root;
  }
}

bool TRegistry::OpenKey(const std::string& key, bool canCreate) {
  std::string path = key;
  const bool relative = path.empty() || path.front() != '\\';
  if (!relative) {
    path.erase(0, 1);
  }
  const bool fromCurrentKey = relative && currentKey_;
  const RegHandle base = fromCurrentKey ? currentKey_.get() : rootKey_;

  RegHandle opened = reg::kNoKey;
  const RegStatus status = (canCreate && !path.empty())
                               ? api_.CreateKey(base, path.c_str(), access_, &opened)
                               : api_.OpenKey(base, path.c_str(), access_, &opened);
  if (status != reg::kErrorSuccess) {
    lastError_ = status;
    return false;
  }
  UniqueKey newKey(api_, opened);

  std::string newPath;
  if (!fromCurrentKey) {
    newPath = std::move(path);
  } else if (path.empty()) {
    newPath = currentPath_;  // a fresh handle to the same key
  } else {
    newPath = currentPath_ + '\\' + path;
  }
  CloseKey();
  currentKey_ = std::move(newKey);
  currentPath_ = std::move(newPath);
  return true;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  // A REG_SZ is stored with its terminating zero, so the size counts it.
  const RegStatus status = api_.SetValue(currentKey_.get(), name.c_str(), reg::kRegSz,
                                         reinterpret_cast<const std::uint8_t*>(value.c_str()),
                                         static_cast<std::uint32_t>(value.size() + 1));
  if (status != reg::kErrorSuccess) {
    lastError_ = status;
    throw ERegistryException(FormatWithName(kSetDataFailedFormat, name), CallerAddress());
  }
}

void TRegistry::CloseKey() {
  if (currentKey_) {
    if (!lazyWrite_) {
      api_.FlushKey(currentKey_.get());
    }
    currentKey_.reset();
    currentPath_.clear();
  }
}
