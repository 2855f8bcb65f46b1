#pragma once

#include <utility>

#include "registry/registry_api.h"

// Sole owner of one open key handle: move-only, closed when it goes away.
class UniqueKey {
 public:
  UniqueKey() = default;
  UniqueKey(RegistryApi& api, RegHandle handle) : api_(&api), handle_(handle) {}
  ~UniqueKey() { reset(); }

  UniqueKey(const UniqueKey&) = delete;
  UniqueKey& operator=(const UniqueKey&) = delete;
  UniqueKey(UniqueKey&& other) noexcept
      : api_(other.api_), handle_(std::exchange(other.handle_, reg::kNoKey)) {}
  UniqueKey& operator=(UniqueKey&& other) noexcept {
    if (this != &other) {
      reset();
      api_ = other.api_;
      handle_ = std::exchange(other.handle_, reg::kNoKey);
    }
    return *this;
  }

  RegHandle get() const { return handle_; }
  explicit operator bool() const { return handle_ != reg::kNoKey; }

  void reset() {
    if (handle_ != reg::kNoKey) {
      api_->CloseKey(std::exchange(handle_, reg::kNoKey));
    }
  }

 private:
  RegistryApi* api_ = nullptr;
  RegHandle handle_ = reg::kNoKey;
};
