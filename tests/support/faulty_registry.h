#pragma once

#include <string>
#include <vector>

#include "registry/registry_api.h"

// Passes every call on to another registry, records it, and fails the ones a
// test chooses with the status code it chooses: key creation or opening by
// sub-key path, value stores by value name (names compare without regard to
// case, as the registry's do).
class FaultyRegistry : public RegistryApi {
 public:
  enum class Op { kCreate, kOpen, kSet, kFlush, kClose };

  struct Call {
    Op op;
    RegHandle key;                   // the base key, or the key itself
    std::string text;                // sub-key path or value name; empty for flush and close
    RegAccess access;                // create and open
    RegValueType type;               // set
    std::vector<std::uint8_t> data;  // set
    RegStatus status;
  };

  explicit FaultyRegistry(RegistryApi& inner) : inner_(inner) {}

  void FailKey(const std::string& subKey, RegStatus status) {
    keyFaults_.push_back({subKey, status});
  }
  void FailValue(const std::string& name, RegStatus status) {
    valueFaults_.push_back({name, status});
  }

  const std::vector<Call>& Calls() const { return calls_; }
  std::vector<Call> CallsOf(Op op) const;

  RegStatus CreateKey(RegHandle base, const char* subKey, RegAccess access,
                      RegHandle* result) override;
  RegStatus OpenKey(RegHandle base, const char* subKey, RegAccess access,
                    RegHandle* result) override;
  RegStatus SetValue(RegHandle key, const char* name, RegValueType type, const std::uint8_t* data,
                     std::uint32_t size) override;
  RegStatus FlushKey(RegHandle key) override;
  RegStatus CloseKey(RegHandle key) override;

 private:
  struct Fault {
    std::string name;
    RegStatus status;
  };
  static const Fault* Find(const std::vector<Fault>& faults, const char* name);
  RegStatus KeyCall(Op op, RegHandle base, const char* subKey, RegAccess access, RegHandle* result);

  RegistryApi& inner_;
  std::vector<Fault> keyFaults_;
  std::vector<Fault> valueFaults_;
  std::vector<Call> calls_;
};
