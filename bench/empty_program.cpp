// The floor for the benchmark: a 32-bit GUI program that does nothing, built
// by the same toolchain and flags as engine-settings.exe.
#include <windows.h>

int WINAPI WinMain(HINSTANCE /*instance*/, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int /*show*/) {
  return 0;
}
