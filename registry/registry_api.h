#pragma once

#include <cstdint>

// The five registry calls the program makes, behind an interface so that the
// same code runs against the Windows registry and against an in-memory one in
// tests. Types and constants carry their Win32 meaning and values.

using RegHandle = std::uintptr_t;    // an HKEY's value
using RegStatus = std::int32_t;      // the LONG a Reg* call returns
using RegAccess = std::uint32_t;     // REGSAM
using RegValueType = std::uint32_t;  // REG_SZ, REG_DWORD, ...

namespace reg {

// Predefined root handles are sign-extended 32-bit values, as windows.h
// defines them: ((HKEY)(ULONG_PTR)((LONG)0x80000002)).
constexpr RegHandle PredefinedRoot(std::uint32_t value) {
  return static_cast<RegHandle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

constexpr RegHandle kNoKey = 0;
constexpr RegHandle kHkeyClassesRoot = PredefinedRoot(0x80000000u);
constexpr RegHandle kHkeyCurrentUser = PredefinedRoot(0x80000001u);
constexpr RegHandle kHkeyLocalMachine = PredefinedRoot(0x80000002u);
constexpr RegHandle kHkeyUsers = PredefinedRoot(0x80000003u);

constexpr RegStatus kErrorSuccess = 0;
constexpr RegStatus kErrorFileNotFound = 2;
constexpr RegStatus kErrorAccessDenied = 5;
constexpr RegStatus kErrorInvalidHandle = 6;
constexpr RegStatus kErrorBadPathname = 161;
constexpr RegStatus kErrorChildMustBeVolatile = 1021;

constexpr RegAccess kKeyAllAccess = 0xF003F;

constexpr RegValueType kRegSz = 1;
constexpr RegValueType kRegDword = 4;

}  // namespace reg

class RegistryApi {
 public:
  virtual ~RegistryApi() = default;

  // RegCreateKeyExA: creates every missing key on subKey below base and opens
  // the last one.
  virtual RegStatus CreateKey(RegHandle base, const char* subKey, RegAccess access,
                              RegHandle* result) = 0;
  // RegOpenKeyExA: opens an existing key.
  virtual RegStatus OpenKey(RegHandle base, const char* subKey, RegAccess access,
                            RegHandle* result) = 0;
  // RegSetValueExA: size counts every byte of data, a string's terminating
  // zero included.
  virtual RegStatus SetValue(RegHandle key, const char* name, RegValueType type,
                             const std::uint8_t* data, std::uint32_t size) = 0;
  virtual RegStatus FlushKey(RegHandle key) = 0;
  virtual RegStatus CloseKey(RegHandle key) = 0;

 protected:
  RegistryApi() = default;
  RegistryApi(const RegistryApi&) = default;
  RegistryApi& operator=(const RegistryApi&) = default;
};
