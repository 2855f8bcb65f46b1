#include "app/engine_settings.h"

#include "registry/write_registry_string.h"

int ApplyEngineSettings(RegistryApi& api) {
  for (const EngineSetting& setting : kEngineSettings) {
    WriteRegistryString(api, reg::kHkeyLocalMachine, setting.keyPath, setting.valueName,
                        setting.data);
  }
  return 0;
}
