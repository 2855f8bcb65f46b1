#include "app/win32_failure_platform.h"

#include <windows.h>

static_assert(kFailureBoxStyle == (MB_OK | MB_ICONERROR | MB_TASKMODAL));

ModuleInfo Win32FailurePlatform::ModuleOf(const void* address) {
  HMODULE module = nullptr;
  if (!GetModuleHandleExA(
          GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
          static_cast<LPCSTR>(address), &module)) {
    module = GetModuleHandleA(nullptr);  // the executable
  }
  char path[MAX_PATH] = "";
  const DWORD length = GetModuleFileNameA(module, path, sizeof path);
  return {std::string(path, length < sizeof path ? length : 0),
          reinterpret_cast<std::uintptr_t>(module)};
}

FilterAnswer Win32FailurePlatform::AskUnhandledExceptionFilter(const void* address) {
  EXCEPTION_RECORD record{};
  record.ExceptionCode = kUnhandledErrorCode;
  record.ExceptionFlags = EXCEPTION_NONCONTINUABLE;
  record.ExceptionAddress = const_cast<void*>(address);
  CONTEXT context{};
  RtlCaptureContext(&context);
  EXCEPTION_POINTERS pointers{&record, &context};
  return UnhandledExceptionFilter(&pointers) == EXCEPTION_CONTINUE_SEARCH
             ? FilterAnswer::kContinueSearch
             : FilterAnswer::kExecuteHandler;
}

void Win32FailurePlatform::ShowMessageBox(const std::string& text, const char* caption,
                                          std::uint32_t style) {
  // user32 is loaded only here: a normal run never needs it.
  using MessageBoxAFn = int(WINAPI*)(HWND, LPCSTR, LPCSTR, UINT);
  HMODULE user32 = LoadLibraryA("user32.dll");
  if (user32 == nullptr) {
    return;
  }
  auto messageBox = reinterpret_cast<MessageBoxAFn>(
      reinterpret_cast<void*>(GetProcAddress(user32, "MessageBoxA")));
  if (messageBox != nullptr) {
    messageBox(nullptr,  // no owner window
               text.c_str(), caption, style);
  }
  FreeLibrary(user32);
}

void Win32FailurePlatform::PassToSystem(const void* /*address*/) {
  RaiseException(kUnhandledErrorCode, EXCEPTION_NONCONTINUABLE,
                 0,  // no arguments
                 nullptr);
  // A non-continuable exception does not come back; should a debugger force
  // it to, end the process all the same.
  ExitProcess(kUnhandledErrorCode);
}
