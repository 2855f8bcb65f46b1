#include "tests/support/faulty_registry.h"

#include <algorithm>

#include "tests/support/registry_names.h"

const FaultyRegistry::Fault* FaultyRegistry::Find(const std::vector<Fault>& faults,
                                                  const char* name) {
  const auto fault = std::find_if(faults.begin(), faults.end(),
                                  [&](const Fault& f) { return SameName(f.name, NameText(name)); });
  return fault == faults.end() ? nullptr : &*fault;
}

std::vector<FaultyRegistry::Call> FaultyRegistry::CallsOf(Op op) const {
  std::vector<Call> found;
  for (const Call& call : calls_) {
    if (call.op == op) {
      found.push_back(call);
    }
  }
  return found;
}

RegStatus FaultyRegistry::KeyCall(Op op, RegHandle base, const char* subKey, RegAccess access,
                                  RegHandle* result) {
  const Fault* fault = Find(keyFaults_, subKey);
  RegStatus status = reg::kErrorSuccess;
  if (fault != nullptr) {
    status = fault->status;
  } else if (op == Op::kCreate) {
    status = inner_.CreateKey(base, subKey, access, result);
  } else {
    status = inner_.OpenKey(base, subKey, access, result);
  }
  calls_.push_back({op, base, NameText(subKey), access, 0, {}, status});
  return status;
}

RegStatus FaultyRegistry::CreateKey(RegHandle base, const char* subKey, RegAccess access,
                                    RegHandle* result) {
  return KeyCall(Op::kCreate, base, subKey, access, result);
}

RegStatus FaultyRegistry::OpenKey(RegHandle base, const char* subKey, RegAccess access,
                                  RegHandle* result) {
  return KeyCall(Op::kOpen, base, subKey, access, result);
}

RegStatus FaultyRegistry::SetValue(RegHandle key, const char* name, RegValueType type,
                                   const std::uint8_t* data, std::uint32_t size) {
  const Fault* fault = Find(valueFaults_, name);
  const RegStatus status =
      fault != nullptr ? fault->status : inner_.SetValue(key, name, type, data, size);
  calls_.push_back({Op::kSet, key, NameText(name), 0, type,
                    std::vector<std::uint8_t>(data, data + size), status});
  return status;
}

RegStatus FaultyRegistry::FlushKey(RegHandle key) {
  const RegStatus status = inner_.FlushKey(key);
  calls_.push_back({Op::kFlush, key, {}, 0, 0, {}, status});
  return status;
}

RegStatus FaultyRegistry::CloseKey(RegHandle key) {
  const RegStatus status = inner_.CloseKey(key);
  calls_.push_back({Op::kClose, key, {}, 0, 0, {}, status});
  return status;
}
