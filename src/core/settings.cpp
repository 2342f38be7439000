#include "core/settings.h"

namespace core {

TSettings::TSettings()
    : SL_Exclude_WindowClass{L"1:MSTaskListWClass", L"1:MSTaskSwWClass", L"1:Shell_TrayWnd",
                             L"1:Start", L"1:TrayNotifyWnd", L"1:TrayButton"},
      SL_Exclude_AppFileName{L"1:SystemSettings.exe", L"1:calc.exe", L"1:CalculatorApp.exe"},
      SL_Exclude_AppFileName2{L"1:SystemSettings.exe", L"1:calc.exe", L"1:CalculatorApp.exe"} {}

}  // namespace core
