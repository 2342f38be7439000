#pragma once
// State of the main window's controlling side that other windows share.
#include "indicators/desktop_border.h"
#include "indicators/lang_info.h"
#include "indicators/lang_info_caret.h"
#include "indicators/lang_info_mouse.h"
#include "ui/component.h"

namespace monitor {

class TfMain;

inline TfMain* fMain = nullptr;  // owned by the application object
inline ui::Owned<indicators::TfLangInfo> fLangInfo;
inline ui::Owned<indicators::TfLangInfoMouse> fLangInfoMouse;
inline ui::Owned<indicators::TfLangInfoCaret> fLangInfoCaret;
// The border lines along the primary monitor's work area and around the taskbar.
inline ui::Owned<indicators::TfDesktopBorder> fWorkareaBorderL;
inline ui::Owned<indicators::TfDesktopBorder> fWorkareaBorderR;
inline ui::Owned<indicators::TfDesktopBorder> fWorkareaBorderT;
inline ui::Owned<indicators::TfDesktopBorder> fWorkareaBorderB;
inline ui::Owned<indicators::TfDesktopBorder> fTaskbarBorderL;
inline ui::Owned<indicators::TfDesktopBorder> fTaskbarBorderR;
inline ui::Owned<indicators::TfDesktopBorder> fTaskbarBorderT;
inline ui::Owned<indicators::TfDesktopBorder> fTaskbarBorderB;

inline bool IsFirstShowDone = false;

inline constexpr wchar_t kAutorunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr wchar_t kProgramVersion[] = L"v.2025.03.16";

}  // namespace monitor
