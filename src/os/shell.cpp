#include "os/shell.h"

#include <cstdlib>

namespace os {
namespace {
Shell* g_shell = nullptr;
}

Shell& Shl() {
  if (g_shell == nullptr) {
    // A program error, never a user's: nothing can go on without the seam.
    std::abort();
  }
  return *g_shell;
}

void SetShell(Shell* shell) noexcept { g_shell = shell; }

}  // namespace os
