#include "start_to_window.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "e2e/program_run.h"

namespace bench {

double StartToWindowMs(int runs) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    e2e::ProgramRun run(true);
    // A settings file with a placed window, desktop indicator and border lines: the start reads
    // and applies it before the window shows.
    run.WriteFile("Settings/settings.json",
                  R"({"MainWindow":{"Left":140,"Top":90,"MinimizedOnStart":false},)"
                  R"("DesktopIndicator":{"Top":300,"Left":250,"IsShowDate":false},)"
                  R"("DesktopBorder":{"IsShowWorkareaBorder":true,"IsShowTaskbarBorder":true}})");
    // Start waits for the taskbar too: waited for here, that wait is not in the figure.
    e2e::WaitForTaskbar();
    const auto start = std::chrono::steady_clock::now();
    run.Start();
    const HWND window = run.WaitForMainWindow(60'000);
    const auto end = std::chrono::steady_clock::now();
    run.Kill();
    if (window == nullptr) return -1;
    times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace bench
