#pragma once

#include "registry/registry_api.h"

// The whole run on Windows, against the given registry: the engine settings,
// and the failure report should an error escape. Returns the exit code.
int RunProgram(RegistryApi& registry);
