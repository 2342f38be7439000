#pragma once
// Every option of the program, as plain public fields named after their keys in the settings
// file, with their defaults. Readers use the fields directly, so a change takes effect at the
// next monitoring pass or paint.
#include <memory>
#include <string>

#include "core/json.h"
#include "core/string_list.h"
#include "os/types.h"

namespace core {

using os::TColor;
class SettingsWindows;

class TSettings {
 public:
  TSettings();
  TSettings(const TSettings&) = delete;
  TSettings& operator=(const TSettings&) = delete;

  // The settings file (see settings_file.cpp). Both raise os::Error. A file that cannot be
  // opened or is no JSON object changes nothing; a value in it that cannot be read costs that
  // value alone: Load reads every other one, then raises an error that names each refused value.
  void Save(const std::wstring& fileName, SettingsWindows& windows);
  void Load(const std::wstring& fileName, SettingsWindows& windows);

  // The runtime filter lists FilterWindowClass and FilterAppFileName (mouse indicator) and
  // FilterAppFileName2 (caret indicator): the upper-cased names of the enabled exclusion entries,
  // empty while the list's switch is off.
  void BuildFilterLists() const;
  void BuildFilterList2() const;

  // From now on Save raises instead of writing fileName: for a file that could not be read and
  // of which no copy could be made, so that no save destroys the user's only copy.
  void RefuseToReplace(const std::wstring& fileName);

  // Load keeps the main window's place within this many pixels of the origin: far beyond any
  // screen, and far enough from the int limits that the window code can add sizes to it.
  static constexpr int kMaxWindowPlace = 1'000'000;

  // --- Transfer between the fields and the settings pages of the main window. They reach the
  // pages through fMain and are defined with the pages (settings_window/). Each fill runs under
  // its page's guard flag, so that the page's handlers stay quiet.
  void WriteToUIDesktopIndicator();
  void WriteToUIDesktopBorder();
  void WriteToUIMouseIndicator();
  void WriteToUIExcludeList();
  void WriteToUISystemTray();
  void WriteToUICaretIndicator();
  void WriteToUIExcludeList2();
  void WriteToUIRGBLighting();
  // Every filled page and every list tree back into the fields.
  void ReadFromUI();

  // The document of the last Load or Save.
  std::shared_ptr<Json> JSON;

  // Desktop indicator
  int BorderWidth = 2;
  bool IsShowTime = true;
  bool IsShowDate = true;
  bool IsShowDesktopIndicator = true;
  TColor Panel_Time_Font_Color = 0x93DB70;
  TColor Panel_Time_Color = 0x000000;
  TColor Panel_Date_Font_Color = 0x93DB70;
  TColor Panel_Date_Color = 0x000000;
  TColor Color_Led_Off = 0x808080;
  TColor Color_Led_On = 0x00FF00;
  TColor Color_Main_Font = 0xFFFFFF;
  TColor Color_Main_Background = 0xCC6600;
  bool IsColorsByLang = false;
  bool IsTransparent = true;
  int TransparentValue = 200;

  // Desktop border
  int DesktopBorderWidth = 2;
  bool IsShowWorkareaBorder = false;
  bool ShowWorkareaBorder_L = true;
  bool ShowWorkareaBorder_R = true;
  bool ShowWorkareaBorder_T = true;
  bool ShowWorkareaBorder_B = true;
  bool IsShowTaskbarBorder = false;
  bool ShowTaskbarBorder_L = true;
  bool ShowTaskbarBorder_R = true;
  bool ShowTaskbarBorder_T = true;
  bool ShowTaskbarBorder_B = true;
  TStringList SL_Lang_DesktopBorder_Color;
  TStringList SL_Lang_Color_Font;
  TStringList SL_Lang_Color_Background;

  // Mouse indicator
  bool MouseIndicator_IsShow = true;
  bool MouseIndicator_IsAutoHide = true;
  int MouseIndicator_AutoHideSec = 3;
  bool MouseIndicator_IsShowTime = false;
  bool MouseIndicator_IsShowCapsNum = false;
  bool MouseIndicator_IsWindowInfo = false;
  TColor MouseIndicator_Color_Led_Off = 0x808080;
  TColor MouseIndicator_Color_Led_On = 0x00FF00;
  TColor MouseIndicator_Color_Main_Font = 0x000000;
  TColor MouseIndicator_Color_Main_Background = 0xE1FFFF;
  TColor MouseIndicator_Panel_Time_Font_Color = 0x93DB70;
  TColor MouseIndicator_Panel_Time_Color = 0x000000;
  bool MouseIndicator_IsColorsByLang = false;
  bool MouseIndicator_IsTransparent = true;
  int MouseIndicator_TransparentValue = 220;
  TStringList MouseIndicator_SL_Lang_Color_Font;
  TStringList MouseIndicator_SL_Lang_Color_Background;

  // Mouse indicator exclusions
  bool IsDontShowByWindowClass = true;
  bool IsDontShowByApplicationFilename = true;
  TStringList SL_Exclude_WindowClass;
  TStringList SL_Exclude_AppFileName;

  // Notification-area icons
  bool SystemTrayIndicator_IsShowCapsLockIndicator = true;
  bool SystemTrayIndicator_IsShowNumLockIndicator = true;
  int SystemTrayIndicator_CapsLockIndicatorMode = 1;
  int SystemTrayIndicator_NumLockIndicatorMode = 4;

  // Caret indicator
  bool CaretIndicator_IsShow = true;
  bool CaretIndicator_IsShowCapsNum = true;
  bool CaretIndicator_IsAutoHide = true;
  int CaretIndicator_AutoHideSec = 3;
  bool CaretIndicator_IsTransparent = true;
  int CaretIndicator_TransparentValue = 220;
  int CaretIndicator_Positon = 1;  // the key is spelled so in the settings file
  bool CaretIndicator_IsDrawBlackBorder = true;
  TColor CaretIndicator_Color_Main_Font = 0x000000;
  TColor CaretIndicator_Color_Main_Background = 0xFFFFFF;
  bool CaretIndicator_IsColorsByLang = true;
  TStringList CaretIndicator_SL_Lang_Color_Font;
  TStringList CaretIndicator_SL_Lang_Color_Background;
  bool IsDontShowByApplicationFilename2 = true;
  TStringList SL_Exclude_AppFileName2;

  // Keyboard backlight
  bool IsChangeRGB_KeyboardLogitech = false;
  TStringList SL_Lang_RGB_Color;

 private:
  std::wstring m_fileNotToReplace;
};

}  // namespace core
