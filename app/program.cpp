#include "app/program.h"

#include "app/engine_settings.h"
#include "app/failure_report.h"
#include "app/win32_diagnostics.h"
#include "app/win32_failure_platform.h"

int RunProgram(RegistryApi& registry) {
  Win32FailurePlatform platform;
  Win32Diagnostics diagnostics;
  return RunWithFailureReport(
      [&registry, &diagnostics] { return ApplyEngineSettings(registry, diagnostics); }, platform);
}
