#pragma once
// The keyboard maker's desktop software, which the LED library needs running: looking for its
// process and its installer's, and starting it.
#include <functional>

namespace backlight {

inline constexpr wchar_t kLGHubPath[] = L"C:\\Program Files\\LGHUB\\lghub.exe";

// Counts the look (LGHubCheckCount), then tells whether "lghub.exe" runs.
bool IsLGHubRunning();
// Whether "lghub_installer.exe" runs; not counted.
bool IsLGHubInstallerRunning();
// Starts the software minimised when it is installed and its installer does not run, and then
// notes that in LGHubStarted; `wait` is the caller's wait in milliseconds.
void StartLGHub(const std::function<void(unsigned)>& wait);

}  // namespace backlight
