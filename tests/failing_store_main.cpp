// A test build of the program whose registry refuses to store LANGDRIVER, to
// see the failure report for real. It is never shipped.

#include <windows.h>

#include "app/program.h"
#include "registry/win32_registry.h"
#include "tests/support/faulty_registry.h"

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  Win32Registry windows;
  FaultyRegistry registry(windows);
  registry.FailValue("LANGDRIVER", ERROR_ACCESS_DENIED);
  return RunProgram(registry);
}
