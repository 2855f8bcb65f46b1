#include "app/engine_settings.h"

#include "registry/write_registry_string.h"

int ApplyEngineSettings(RegistryApi& api, Diagnostics& diagnostics) {
  for (const EngineSetting& setting : kEngineSettings) {
    WriteRegistryString(api, reg::kHkeyLocalMachine, setting.keyPath, setting.valueName,
                        setting.data, diagnostics);
  }
  return 0;
}

int ApplyEngineSettings(RegistryApi& api) {
  NoDiagnostics quiet;
  return ApplyEngineSettings(api, quiet);
}
