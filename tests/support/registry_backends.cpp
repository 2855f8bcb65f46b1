#include "tests/support/registry_backends.h"

#include "tests/support/memory_registry.h"
#ifdef _WIN32
#include "tests/support/win32_inspectable_registry.h"
#endif

std::vector<RegistryBackend> RegistryBackends() {
  return {
      {"Memory", [] { return std::unique_ptr<InspectableRegistry>(new MemoryRegistry()); }},
#ifdef _WIN32
      {"Windows",
       [] { return std::unique_ptr<InspectableRegistry>(new Win32InspectableRegistry()); }},
#endif
  };
}
