#include "app/failure_report.h"

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <typeinfo>

#include "registry/registry_exception.h"

namespace {

constexpr char kFailureFormat[] = "Exception %s in module %s at %p.\r\n%s%s\r\n";

std::string ReadableTypeName(const std::type_info* type) {
  if (type == nullptr) {
    return "Exception";
  }
  int status = 0;
  char* demangled = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
  std::string name = (status == 0 && demangled != nullptr) ? demangled : type->name();
  std::free(demangled);
  return name;
}

std::string BaseName(const std::string& path) {
  const std::string::size_type slash = path.find_last_of("\\/:");
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Eight upper-case hexadecimal digits, as %p prints a 32-bit address.
std::string Hex8(std::uintptr_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text(8, '0');
  for (int i = 7; i >= 0; --i) {
    text[static_cast<std::string::size_type>(i)] = kDigits[value & 0xFu];
    value >>= 4;
  }
  return text;
}

}  // namespace

ErrorDescription DescribeCurrentException(const void* fallbackAddress) {
  ErrorDescription error;
  error.className = ReadableTypeName(abi::__cxa_current_exception_type());
  error.address = fallbackAddress;
  try {
    throw;
  } catch (const ERegistryException& e) {
    error.message = e.what();
    error.address = e.RaiseAddress();
  } catch (const std::exception& e) {
    error.message = e.what();
  } catch (...) {
  }
  return error;
}

std::string FormatFailureText(const ErrorDescription& error, const ModuleInfo& module) {
  const std::uintptr_t offset = reinterpret_cast<std::uintptr_t>(error.address) - module.loadAddress;
  const bool addFullStop = !error.message.empty() && error.message.back() != '.';
  const std::string fields[] = {error.className, BaseName(module.fileName), Hex8(offset),
                                error.message, addFullStop ? "." : ""};

  std::string text;
  std::size_t next = 0;
  for (const char* p = kFailureFormat; *p != '\0'; ++p) {
    if (p[0] == '%' && (p[1] == 's' || p[1] == 'p')) {
      text += fields[next++];
      ++p;
    } else {
      text += *p;
    }
  }
  return text;
}

int ReportFailure(const ErrorDescription& error, FailurePlatform& platform) {
  if (platform.AskUnhandledExceptionFilter(error.address) == FilterAnswer::kContinueSearch) {
    platform.PassToSystem(error.address);
  }
  const ModuleInfo module = platform.ModuleOf(error.address);
  platform.ShowMessageBox(FormatFailureText(error, module), kFailureCaption, kFailureBoxStyle);
  return kFailureExitCode;
}
