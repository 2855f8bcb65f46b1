#include "registry/write_registry_string.h"

#include "registry/registry.h"

void WriteRegistryString(RegistryApi& api, RegHandle root, const std::string& keyPath,
                         const std::string& valueName, const std::string& data) {
  TRegistry registry(api);
  registry.SetRootKey(root);
  if (registry.OpenKey(keyPath, true)) {
    registry.WriteString(valueName, data);
  }
  registry.CloseKey();
}
