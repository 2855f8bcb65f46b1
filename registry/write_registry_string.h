#pragma once

#include <string>

#include "registry/diagnostics.h"
#include "registry/registry_api.h"

// Stores data as the string value valueName of the key keyPath below root,
// creating the key and any missing key above it. A key that cannot be opened
// or created is passed over without a word; a value that cannot be stored
// throws ERegistryException. Every handle is closed before it returns or
// throws. Either failure is also told to diagnostics, in one line with the
// system's error text.
void WriteRegistryString(RegistryApi& api, RegHandle root, const std::string& keyPath,
                         const std::string& valueName, const std::string& data,
                         Diagnostics& diagnostics);

// The same, telling nobody.
void WriteRegistryString(RegistryApi& api, RegHandle root, const std::string& keyPath,
                         const std::string& valueName, const std::string& data);
