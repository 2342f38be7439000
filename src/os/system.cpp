#include "os/system.h"

#include <cstdlib>

namespace os {
namespace {
System* g_system = nullptr;
}

System& Sys() {
  if (g_system == nullptr) {
    // A program error, never a user's: nothing can go on without the seam.
    std::abort();
  }
  return *g_system;
}

void SetSystem(System* system) noexcept { g_system = system; }

}  // namespace os
