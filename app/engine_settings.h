#pragma once

#include "registry/diagnostics.h"
#include "registry/registry_api.h"

// One value of the database engine's machine-wide configuration.
struct EngineSetting {
  const char* keyPath;  // from the root key, hence the leading backslash
  const char* valueName;
  const char* data;
};

// The settings, in the order they are applied, all below HKEY_LOCAL_MACHINE.
// The two paths spell their shared keys differently; the registry compares
// key names without regard to case, so both land under the same engine key.
inline constexpr EngineSetting kEngineSettings[] = {
    // The engine's default language driver.
    {"\\SOFTWARE\\Borland\\Database Engine\\Settings\\SYSTEM\\INIT", "LANGDRIVER", "ANSISPAN"},
    // The SQL dialect of the engine's IntrBase driver, stored as text.
    {"\\Software\\Borland\\DataBase Engine\\Settings\\Drivers\\IntrBase\\DB Open", "SQLDIALECT",
     "3"},
};

// Stores every setting in order. A setting whose key cannot be opened is
// skipped; a value that cannot be stored throws ERegistryException and the
// settings after it are not attempted. Either is told to diagnostics.
// Returns the exit code of a normal run.
int ApplyEngineSettings(RegistryApi& api, Diagnostics& diagnostics);
int ApplyEngineSettings(RegistryApi& api);
