#include "registry/win32_registry.h"

#include <windows.h>

static_assert(reg::kErrorSuccess == ERROR_SUCCESS &&
              reg::kErrorAccessDenied == ERROR_ACCESS_DENIED &&
              reg::kErrorBadPathname == ERROR_BAD_PATHNAME &&
              reg::kErrorFileNotFound == ERROR_FILE_NOT_FOUND &&
              reg::kErrorInvalidHandle == ERROR_INVALID_HANDLE &&
              reg::kErrorChildMustBeVolatile == ERROR_CHILD_MUST_BE_VOLATILE);
static_assert(reg::kKeyAllAccess == KEY_ALL_ACCESS);
static_assert(reg::kRegSz == REG_SZ && reg::kRegDword == REG_DWORD);

namespace {

HKEY ToHkey(RegHandle handle) { return reinterpret_cast<HKEY>(handle); }

}  // namespace

RegStatus Win32Registry::CreateKey(RegHandle base, const char* subKey, RegAccess access,
                                   RegHandle* result) {
  HKEY key = nullptr;
  DWORD disposition = 0;  // created or opened: not looked at
  const LONG status = RegCreateKeyExA(ToHkey(base), subKey,
                                      0,        // reserved
                                      nullptr,  // no class
                                      REG_OPTION_NON_VOLATILE, access,
                                      nullptr,  // default security
                                      &key, &disposition);
  if (status == ERROR_SUCCESS) {
    *result = reinterpret_cast<RegHandle>(key);
  }
  return status;
}

RegStatus Win32Registry::OpenKey(RegHandle base, const char* subKey, RegAccess access,
                                 RegHandle* result) {
  HKEY key = nullptr;
  const LONG status = RegOpenKeyExA(ToHkey(base), subKey,
                                    0,  // options
                                    access, &key);
  if (status == ERROR_SUCCESS) {
    *result = reinterpret_cast<RegHandle>(key);
  }
  return status;
}

RegStatus Win32Registry::SetValue(RegHandle key, const char* name, RegValueType type,
                                  const std::uint8_t* data, std::uint32_t size) {
  return RegSetValueExA(ToHkey(key), name,
                        0,  // reserved
                        type, data, size);
}

RegStatus Win32Registry::FlushKey(RegHandle key) { return RegFlushKey(ToHkey(key)); }

RegStatus Win32Registry::CloseKey(RegHandle key) { return RegCloseKey(ToHkey(key)); }
