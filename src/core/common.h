#pragma once
// Program-wide state that every subsystem shares, and the helpers all windows call.
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "core/json.h"
#include "core/settings.h"
#include "core/string_list.h"
#include "os/types.h"

namespace core {

// Folders and files, decided once by the main block (all with a trailing backslash).
inline std::wstring PathProgram;
inline std::wstring PathWorkSpace;
inline std::wstring PathSettings;
inline std::wstring FileSettings;
inline std::wstring PathLog;
inline std::wstring FileLog;  // the program writes no log
inline std::wstring PathWindows;
inline std::wstring PathSystem;

inline bool IsStarting = false;
inline int ScreenDPI = 0;  // taken once when the main window is created
inline std::unique_ptr<TSettings> Settings;
inline bool IsCreatingIndicators = false;
inline bool IsEnabled_AllIndicator = false;
inline bool IsEnabled_MouseIndicator = false;

// Page guards: true only while a settings page is being filled from Settings.
inline bool IsFillingDesktopIndicator = false;
inline bool IsFillingDesktopBorder = false;
inline bool IsFillingSystemTray = false;
inline bool IsFillingMouseIndicator = false;
inline bool IsFillingExcludeList = false;
inline bool IsFillingCaretIndicator = false;
inline bool IsFillingExcludeList2 = false;
inline bool IsFillingRGBLighting = false;

// The active UI text table and its language name.
inline std::unique_ptr<Json> LangTable;
inline std::wstring CurrentLanguageName;

// Upper-cased names of the enabled exclusion entries.
inline std::unique_ptr<TStringList> FilterWindowClass;
inline std::unique_ptr<TStringList> FilterAppFileName;
inline std::unique_ptr<TStringList> FilterAppFileName2;

// Shared with the keyboard backlight's background task.
inline std::atomic<int> LGHubCheckCount{0};
inline std::atomic<bool> LGHubStarted{false};

// Performance-counter readings.
inline std::int64_t PerfFrequency = 0;
inline std::int64_t NowStamp = 0;
inline std::int64_t LastPassStamp = 0;
inline std::int64_t LastToggleStamp = 0;

inline os::Point LastCaretPoint;
inline int CaretX = 0;
inline int CaretY = 0;

// A pixel size given for 96 DPI, for the screen's DPI: MulDiv(value, ScreenDPI, 96), rounded to
// the nearest, a half away from zero. 0 before ScreenDPI is taken.
int Scale(int value);

// Text number `number` of the active UI text table; empty when absent or when no table is loaded.
std::wstring GetLangText(int number);

// A special folder of the system (CSIDL), without a trailing backslash; empty when it fails.
std::wstring GetFolderPath(int csidl);

}  // namespace core
