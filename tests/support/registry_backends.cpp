#include "tests/support/registry_backends.h"

#include "tests/support/memory_registry.h"
#ifdef _WIN32
#include "tests/support/win32_readable_registry.h"
#endif

std::vector<RegistryBackend> RegistryBackends() {
  return {
      {"Memory", [] { return std::unique_ptr<ReadableRegistry>(new MemoryRegistry()); }},
#ifdef _WIN32
      {"Windows", [] { return std::unique_ptr<ReadableRegistry>(new Win32ReadableRegistry()); }},
#endif
  };
}
