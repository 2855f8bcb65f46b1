#include <windows.h>

#include "app/program.h"
#include "registry/win32_registry.h"

// Arguments are ignored: everything the program does is fixed.
int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  Win32Registry registry;
  return RunProgram(registry);
}
