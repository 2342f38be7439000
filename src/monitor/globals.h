#pragma once
// State of the main window's controlling side that other windows share.
#include <atomic>

#include "indicators/lang_info.h"
#include "ui/component.h"

namespace monitor {

class TfMain;

inline TfMain* fMain = nullptr;  // owned by the application object
inline ui::Owned<indicators::TfLangInfo> fLangInfo;

inline bool IsFirstShowDone = false;

// The keyboard backlight library's state, also written by its background task.
inline std::atomic<bool> IsLedSdkLoaded{false};
inline std::atomic<bool> IsLedSdkInitialized{false};
inline std::atomic<bool> IsLedSdkInitRunning{false};

inline constexpr wchar_t kAutorunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kProgramVersion[] = L"v.2025.03.16";

}  // namespace monitor
