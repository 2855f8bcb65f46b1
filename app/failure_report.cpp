#include "app/failure_report.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstring>
#include <exception>
#include <iterator>
#include <typeinfo>

#include "registry/registry_exception.h"

namespace {

constexpr char kFailureFormat[] = "Exception %s in module %s at %p.\r\n%s%s\r\n";

// Reads an Itanium ABI source name ("<length><identifier>") at text.
bool ReadSourceName(const char*& text, std::string& name) {
  std::size_t length = 0;
  while (*text >= '0' && *text <= '9') {
    length = length * 10 + static_cast<std::size_t>(*text++ - '0');
  }
  if (length == 0 || std::strlen(text) < length) {
    return false;
  }
  name.append(text, length);
  text += length;
  return true;
}

}  // namespace

std::string ReadableTypeName(const char* mangled) {
  static constexpr struct {
    char code;
    const char* name;
  } kBuiltins[] = {{'v', "void"},
                   {'b', "bool"},
                   {'c', "char"},
                   {'a', "signed char"},
                   {'h', "unsigned char"},
                   {'s', "short"},
                   {'t', "unsigned short"},
                   {'i', "int"},
                   {'j', "unsigned int"},
                   {'l', "long"},
                   {'m', "unsigned long"},
                   {'x', "long long"},
                   {'y', "unsigned long long"},
                   {'f', "float"},
                   {'d', "double"},
                   {'e', "long double"}};
  if (mangled[0] != '\0' && mangled[1] == '\0') {
    const auto* builtin = std::find_if(std::begin(kBuiltins), std::end(kBuiltins),
                                       [&](const auto& b) { return b.code == mangled[0]; });
    if (builtin != std::end(kBuiltins)) {
      return builtin->name;
    }
  }
  // Class names, also in namespaces: "<name>", "St<name>", "N[St]<name>...E".
  const char* text = mangled;
  const bool nested = *text == 'N';
  text += nested ? 1 : 0;
  std::string name;
  if (text[0] == 'S' && text[1] == 't') {
    name = "std::";
    text += 2;
  }
  do {
    if (!ReadSourceName(text, name)) {
      return mangled;  // not a plain class name: shown as the compiler names it
    }
    if (nested && *text != 'E') {
      name += "::";
    }
  } while (nested && *text != 'E');
  text += nested ? 1 : 0;
  return *text == '\0' ? name : std::string(mangled);
}

namespace {

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
  const std::type_info* type = abi::__cxa_current_exception_type();
  error.className = type != nullptr ? ReadableTypeName(type->name()) : "Exception";
  error.address = fallbackAddress;
  try {
    // Only ever called inside a catch block, so there is an error to rethrow.
    // cppcheck-suppress rethrowNoCurrentException
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
  const std::uintptr_t offset =
      reinterpret_cast<std::uintptr_t>(error.address) - module.loadAddress;
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
