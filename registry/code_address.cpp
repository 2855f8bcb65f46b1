#include "registry/code_address.h"

// Kept out of line so that the return address belongs to the caller.
__attribute__((noinline)) const void* CallerAddress() {
  return __builtin_extract_return_addr(__builtin_return_address(0));
}
