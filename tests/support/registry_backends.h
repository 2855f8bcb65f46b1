#pragma once

#include <memory>
#include <ostream>
#include <vector>

#include "tests/support/readable_registry.h"

// A registry that tests can run against, made fresh for each test.
struct RegistryBackend {
  const char* name;
  std::unique_ptr<ReadableRegistry> (*make)();
};

inline void PrintTo(const RegistryBackend& backend, std::ostream* os) { *os << backend.name; }

// Every registry this build can reach.
std::vector<RegistryBackend> RegistryBackends();
