#include "app/win32_diagnostics.h"

#include <windows.h>

void Win32Diagnostics::Line(const std::string& text) { OutputDebugStringA((text + "\n").c_str()); }

std::string Win32Diagnostics::ErrorText(RegStatus status) {
  char text[512] = "";
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                nullptr,  // the system's message table
                                static_cast<DWORD>(status),
                                0,  // the user's language
                                text, sizeof text,
                                nullptr);  // no inserts
  while (length > 0 &&
         (text[length - 1] == '\r' || text[length - 1] == '\n' || text[length - 1] == ' ')) {
    --length;
  }
  const std::string code = "error " + std::to_string(status);
  return length == 0 ? code : std::string(text, length) + " (" + code + ")";
}
