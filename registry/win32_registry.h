#pragma once

#include "registry/registry_api.h"

// The registry calls made on the Windows registry itself (advapi32). Keys are
// opened with no registry-view flag, so a 32-bit build works in the 32-bit
// view on 64-bit Windows.
class Win32Registry final : public RegistryApi {
 public:
  RegStatus CreateKey(RegHandle base, const char* subKey, RegAccess access,
                      RegHandle* result) override;
  RegStatus OpenKey(RegHandle base, const char* subKey, RegAccess access,
                    RegHandle* result) override;
  RegStatus SetValue(RegHandle key, const char* name, RegValueType type, const std::uint8_t* data,
                     std::uint32_t size) override;
  RegStatus FlushKey(RegHandle key) override;
  RegStatus CloseKey(RegHandle key) override;
};
