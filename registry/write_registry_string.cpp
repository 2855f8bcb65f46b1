#include "registry/write_registry_string.h"

#include "registry/registry.h"
#include "registry/registry_exception.h"

void WriteRegistryString(RegistryApi& api, RegHandle root, const std::string& keyPath,
                         const std::string& valueName, const std::string& data,
                         Diagnostics& diagnostics) {
  TRegistry registry(api);
  registry.SetRootKey(root);
  if (!registry.OpenKey(keyPath, true)) {
    diagnostics.Line("engine-settings: skipped key '" + keyPath +
                     "': " + diagnostics.ErrorText(registry.LastError()));
    return;
  }
  try {
    registry.WriteString(valueName, data);
  } catch (const ERegistryException&) {
    diagnostics.Line("engine-settings: could not store '" + valueName + "' in '" +
                     registry.CurrentPath() + "': " + diagnostics.ErrorText(registry.LastError()));
    throw;
  }
  registry.CloseKey();
}

void WriteRegistryString(RegistryApi& api, RegHandle root, const std::string& keyPath,
                         const std::string& valueName, const std::string& data) {
  NoDiagnostics quiet;
  WriteRegistryString(api, root, keyPath, valueName, data, quiet);
}
