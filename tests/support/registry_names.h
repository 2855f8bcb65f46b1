#pragma once

#include <algorithm>
#include <cctype>
#include <string>

// Registry key and value names compare without regard to letter case.
inline bool SameName(const std::string& a, const std::string& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::toupper(static_cast<unsigned char>(x)) ==
                  std::toupper(static_cast<unsigned char>(y));
         });
}

// A name passed to a registry call, where null stands for the empty name.
inline std::string NameText(const char* name) { return name == nullptr ? std::string() : name; }
