#include "tests/support/registry_backends.h"

#include "tests/support/memory_registry.h"

std::vector<RegistryBackend> RegistryBackends() {
  return {{"Memory", [] { return std::unique_ptr<InspectableRegistry>(new MemoryRegistry()); }}};
}
