// The settings file: sections and keys in the order Save writes and Load reads them.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/color_text.h"
#include "core/file_io.h"
#include "core/settings.h"
#include "core/settings_json_writer.h"
#include "core/settings_windows.h"
#include "os/error.h"
#include "os/system.h"
#include "os/text.h"

namespace core {
namespace {

enum class Kind { Integer, Boolean, Color, List, MainLeft, MainTop, Switch, IndicatorTop, IndicatorLeft };

// The values an integer key is held to when it is read: the number box's range on its page,
// for a key whose value outside it makes the program unusable.
struct Range {
  int low = std::numeric_limits<int>::min();
  int high = std::numeric_limits<int>::max();
};

struct Key {
  const char* name;
  Kind kind;
  int TSettings::*integer = nullptr;  // Integer and Color (a TColor is an int)
  bool TSettings::*boolean = nullptr;
  TStringList TSettings::*list = nullptr;
  MinimizeSwitch minimizeSwitch = MinimizeSwitch::OnStart;
  bool clampsAfter = false;  // the desktop indicator's clamps run right after this key
  Range held{};
};

struct Section {
  const char* name;
  std::vector<Key> keys;
};

Key I(const char* name, int TSettings::*f, bool clampsAfter = false) {
  Key k{name, Kind::Integer};
  k.integer = f;
  k.clampsAfter = clampsAfter;
  return k;
}
Key I(const char* name, int TSettings::*f, Range held) {
  Key k = I(name, f);
  k.held = held;
  return k;
}
Key B(const char* name, bool TSettings::*f) {
  Key k{name, Kind::Boolean};
  k.boolean = f;
  return k;
}
Key C(const char* name, TColor TSettings::*f) {
  Key k{name, Kind::Color};
  k.integer = f;
  return k;
}
Key L(const char* name, TStringList TSettings::*f) {
  Key k{name, Kind::List};
  k.list = f;
  return k;
}
Key W(const char* name, Kind kind) { return Key{name, kind}; }
Key S(const char* name, MinimizeSwitch which) {
  Key k{name, Kind::Switch};
  k.minimizeSwitch = which;
  return k;
}

using T = TSettings;

// The border windows are this thick, at 96 DPI: a hand-edited 2147483647 made them cover the
// whole desktop and the taskbar, so that neither the settings nor the tray menu could be reached
// to undo it, while the program took a whole core.
constexpr Range kDesktopBorderWidths{1, 8};

const std::vector<Section>& Layout() {
  static const std::vector<Section> sections = {
      {"MainWindow",
       {W("Left", Kind::MainLeft), W("Top", Kind::MainTop),
        S("MinimizedOnStart", MinimizeSwitch::OnStart),
        S("MinimizedOnClose", MinimizeSwitch::OnClose),
        S("MinimizedToTray", MinimizeSwitch::ToTray), S("MinimizedOnEsc", MinimizeSwitch::OnEsc)}},
      {"DesktopIndicator",
       {W("Top", Kind::IndicatorTop), W("Left", Kind::IndicatorLeft),
        I("BorderWidth", &T::BorderWidth), C("Panel_Time_Font_Color", &T::Panel_Time_Font_Color),
        C("Panel_Time_Color", &T::Panel_Time_Color),
        C("Panel_Date_Font_Color", &T::Panel_Date_Font_Color),
        C("Panel_Date_Color", &T::Panel_Date_Color), C("Color_Led_Off", &T::Color_Led_Off),
        C("Color_Led_On", &T::Color_Led_On),
        B("IsShowDesktopIndicator", &T::IsShowDesktopIndicator), B("IsShowTime", &T::IsShowTime),
        B("IsShowDate", &T::IsShowDate), B("IsTransparent", &T::IsTransparent),
        I("TransparentValue", &T::TransparentValue, true),
        C("Color_Main_Font", &T::Color_Main_Font),
        C("Color_Main_Background", &T::Color_Main_Background),
        B("IsColorsByLang", &T::IsColorsByLang), L("SL_Lang_Color_Font", &T::SL_Lang_Color_Font),
        L("SL_Lang_Color_Background", &T::SL_Lang_Color_Background)}},
      {"DesktopBorder",
       {I("DesktopBorderWidth", &T::DesktopBorderWidth, kDesktopBorderWidths),
        B("IsShowWorkareaBorder", &T::IsShowWorkareaBorder),
        B("ShowWorkareaBorder_L", &T::ShowWorkareaBorder_L),
        B("ShowWorkareaBorder_R", &T::ShowWorkareaBorder_R),
        B("ShowWorkareaBorder_T", &T::ShowWorkareaBorder_T),
        B("ShowWorkareaBorder_B", &T::ShowWorkareaBorder_B),
        B("IsShowTaskbarBorder", &T::IsShowTaskbarBorder),
        B("ShowTaskbarBorder_L", &T::ShowTaskbarBorder_L),
        B("ShowTaskbarBorder_R", &T::ShowTaskbarBorder_R),
        B("ShowTaskbarBorder_T", &T::ShowTaskbarBorder_T),
        B("ShowTaskbarBorder_B", &T::ShowTaskbarBorder_B),
        L("SL_Lang_DesktopBorder_Color", &T::SL_Lang_DesktopBorder_Color)}},
      {"MouseIndicator",
       {B("MouseIndicator_IsShow", &T::MouseIndicator_IsShow),
        B("MouseIndicator_IsAutoHide", &T::MouseIndicator_IsAutoHide),
        I("MouseIndicator_AutoHideSec", &T::MouseIndicator_AutoHideSec),
        B("MouseIndicator_IsTransparent", &T::MouseIndicator_IsTransparent),
        I("MouseIndicator_TransparentValue", &T::MouseIndicator_TransparentValue),
        B("MouseIndicator_IsWindowInfo", &T::MouseIndicator_IsWindowInfo),
        B("MouseIndicator_IsShowTime", &T::MouseIndicator_IsShowTime),
        B("MouseIndicator_IsShowCapsNum", &T::MouseIndicator_IsShowCapsNum),
        C("MouseIndicator_Panel_Time_Font_Color", &T::MouseIndicator_Panel_Time_Font_Color),
        C("MouseIndicator_Panel_Time_Color", &T::MouseIndicator_Panel_Time_Color),
        C("MouseIndicator_Color_Led_Off", &T::MouseIndicator_Color_Led_Off),
        C("MouseIndicator_Color_Led_On", &T::MouseIndicator_Color_Led_On),
        C("MouseIndicator_Color_Main_Font", &T::MouseIndicator_Color_Main_Font),
        C("MouseIndicator_Color_Main_Background", &T::MouseIndicator_Color_Main_Background),
        B("MouseIndicator_IsColorsByLang", &T::MouseIndicator_IsColorsByLang),
        L("MouseIndicator_SL_Lang_Color_Font", &T::MouseIndicator_SL_Lang_Color_Font),
        L("MouseIndicator_SL_Lang_Color_Background", &T::MouseIndicator_SL_Lang_Color_Background)}},
      {"Exclude_WindowClass",
       {B("IsDontShowByWindowClass", &T::IsDontShowByWindowClass),
        L("SL_Exclude_WindowClass", &T::SL_Exclude_WindowClass)}},
      {"Exclude_AppFileName",
       {B("IsDontShowByApplicationFilename", &T::IsDontShowByApplicationFilename),
        L("SL_Exclude_AppFileName", &T::SL_Exclude_AppFileName)}},
      {"SystemTrayIndicator",
       {B("SystemTrayIndicator_IsShowCapsLockIndicator",
          &T::SystemTrayIndicator_IsShowCapsLockIndicator),
        B("SystemTrayIndicator_IsShowNumLockIndicator",
          &T::SystemTrayIndicator_IsShowNumLockIndicator),
        I("SystemTrayIndicator_CapsLockIndicatorMode",
          &T::SystemTrayIndicator_CapsLockIndicatorMode),
        I("SystemTrayIndicator_NumLockIndicatorMode", &T::SystemTrayIndicator_NumLockIndicatorMode)}},
      {"CaretIndicator",
       {B("CaretIndicator_IsShow", &T::CaretIndicator_IsShow),
        B("CaretIndicator_IsShowCapsNum", &T::CaretIndicator_IsShowCapsNum),
        B("CaretIndicator_IsDrawBlackBorder", &T::CaretIndicator_IsDrawBlackBorder),
        B("CaretIndicator_IsAutoHide", &T::CaretIndicator_IsAutoHide),
        I("CaretIndicator_AutoHideSec", &T::CaretIndicator_AutoHideSec),
        B("CaretIndicator_IsTransparent", &T::CaretIndicator_IsTransparent),
        I("CaretIndicator_TransparentValue", &T::CaretIndicator_TransparentValue),
        I("CaretIndicator_Positon", &T::CaretIndicator_Positon),
        B("CaretIndicator_IsColorsByLang", &T::CaretIndicator_IsColorsByLang),
        C("CaretIndicator_Color_Main_Font", &T::CaretIndicator_Color_Main_Font),
        C("CaretIndicator_Color_Main_Background", &T::CaretIndicator_Color_Main_Background),
        L("CaretIndicator_SL_Lang_Color_Font", &T::CaretIndicator_SL_Lang_Color_Font),
        L("CaretIndicator_SL_Lang_Color_Background", &T::CaretIndicator_SL_Lang_Color_Background)}},
      {"Exclude_AppFileName2",
       {B("IsDontShowByApplicationFilename2", &T::IsDontShowByApplicationFilename2),
        L("SL_Exclude_AppFileName2", &T::SL_Exclude_AppFileName2)}},
      {"RGB_Lighting",
       {B("IsChangeRGB_KeyboardLogitech", &T::IsChangeRGB_KeyboardLogitech),
        L("SL_Lang_RGB_Color", &T::SL_Lang_RGB_Color)}},
  };
  return sections;
}

// --- Reading one value. The file holds each key with its table type; other types are converted
// where that is unambiguous, and anything else is an error like a bad colour text.

[[noreturn]] void WrongType(const char* what) {
  throw os::Error(L"the value is not " + os::Utf8ToWide(what) + L".");
}

int ReadInteger(const Json& v) {
  constexpr std::int64_t lo = std::numeric_limits<int>::min();
  constexpr std::int64_t hi = std::numeric_limits<int>::max();
  if (v.is_boolean()) return v.get<bool>() ? 1 : 0;
  // Each number kind is tested in its own type: a number above the signed 64-bit range arrives
  // as unsigned and would read as a negative one through int64.
  if (v.is_number_unsigned()) {
    const std::uint64_t u = v.get<std::uint64_t>();
    if (u <= static_cast<std::uint64_t>(hi)) return static_cast<int>(u);
    WrongType("an integer in range");
  }
  if (v.is_number_integer()) {
    const std::int64_t n = v.get<std::int64_t>();
    if (lo <= n && n <= hi) return static_cast<int>(n);
    WrongType("an integer in range");
  }
  if (v.is_number_float()) {
    const double d = v.get<double>();
    if (std::isfinite(d) && d >= static_cast<double>(lo) && d <= static_cast<double>(hi)) {
      return static_cast<int>(d);
    }
    WrongType("an integer in range");
  }
  if (v.is_string()) {
    const std::string s = v.get<std::string>();
    std::size_t used = 0;
    try {
      const long long n = std::stoll(s, &used, 10);
      if (used == s.size() && n >= lo && n <= hi) return static_cast<int>(n);
    } catch (const std::exception&) {
    }
  }
  WrongType("an integer");
}

bool ReadBoolean(const Json& v) {
  if (v.is_boolean()) return v.get<bool>();
  if (v.is_number()) return v.get<double>() != 0;
  if (v.is_string()) {
    const std::string s = v.get<std::string>();
    if (os::EqualsIgnoreAsciiCase(s, "true")) return true;
    if (os::EqualsIgnoreAsciiCase(s, "false")) return false;
  }
  WrongType("true or false");
}

std::wstring ReadText(const Json& v) {
  if (v.is_object() || v.is_array() || v.is_null()) WrongType("a text");
  return os::Utf8ToWide(JsonAsText(v));
}

// A value's kind in the words of the message that refuses it.
std::wstring WhatItHolds(const Json& v) {
  if (v.is_object()) return L"an object";
  if (v.is_array()) return L"a list";
  if (v.is_string()) return L"a text";
  if (v.is_number()) return L"a number";
  if (v.is_boolean()) return L"true or false";
  return L"null";
}

// The lines of a list key. A member that is no text is no line: a number taken as its digits
// would be a line nobody wrote, and a nested list or object would be walked recursively. Such a
// member is refused on its own, in `refused`, and the lines around it are kept.
TStringList ReadList(const Json& v, std::vector<std::wstring>& refused) {
  if (!v.is_array()) WrongType("a list");
  TStringList list;
  std::size_t position = 0;
  for (const auto& element : v) {
    ++position;
    if (element.is_string()) {
      list.push_back(os::Utf8ToWide(JsonAsText(element)));
    } else {
      refused.push_back(L"member " + std::to_wstring(position) + L" holds " +
                        WhatItHolds(element) + L" where a text belongs; it was left out.");
    }
  }
  return list;
}

// A window place far beyond any screen, held where Left + Width and the like still fit an int.
int WindowPlace(int v) {
  return std::clamp(v, -TSettings::kMaxWindowPlace, TSettings::kMaxWindowPlace);
}

// The desktop indicator's saved place counts only strictly inside the primary monitor.
int IndicatorTop(int v, const os::Rect& p, int height) {
  return (p.Top < v && v < p.Top + p.Height() - height) ? v : 5;
}
int IndicatorLeft(int v, const os::Rect& p, int width) {
  return (p.Left < v && v < p.Left + p.Width() - width) ? v : p.Left + p.Width() / 2;
}

void ApplyClamps(TSettings& s) {
  if (s.TransparentValue > 255) s.TransparentValue = 255;
  if (s.TransparentValue < 100) s.TransparentValue = 200;
  if (s.BorderWidth > 3) s.BorderWidth = 2;
}

// Reads one key into its field or window; raises os::Error for a value that cannot be read,
// which leaves the field as it was. The members a list leaves out are added to `refusedMembers`.
void LoadKey(TSettings& s, SettingsWindows& w, const Key& key, const Json* v,
             std::vector<std::wstring>& refusedMembers) {
  if (key.kind == Kind::List) {
    // Emptied whether or not the key is there; a value that is no list keeps the lines it had.
    s.*key.list = v != nullptr ? ReadList(*v, refusedMembers) : TStringList{};
    return;
  }
  if (v == nullptr) return;
  switch (key.kind) {
    case Kind::Integer:
      s.*key.integer = std::clamp(ReadInteger(*v), key.held.low, key.held.high);
      break;
    case Kind::Boolean: s.*key.boolean = ReadBoolean(*v); break;
    case Kind::Color: s.*key.integer = HexRGBToColor(ReadText(*v)); break;
    case Kind::MainLeft: w.SetMainWindowLeft(WindowPlace(ReadInteger(*v))); break;
    case Kind::MainTop: w.SetMainWindowTop(WindowPlace(ReadInteger(*v))); break;
    case Kind::Switch: w.SetMinimizeSwitchChecked(key.minimizeSwitch, ReadBoolean(*v)); break;
    case Kind::IndicatorTop:
      w.SetDesktopIndicatorTop(IndicatorTop(ReadInteger(*v), os::Sys().PrimaryMonitorRect(),
                                            w.DesktopIndicatorBounds().Height()));
      break;
    case Kind::IndicatorLeft:
      w.SetDesktopIndicatorLeft(IndicatorLeft(ReadInteger(*v), os::Sys().PrimaryMonitorRect(),
                                              w.DesktopIndicatorBounds().Width()));
      break;
    case Kind::List: break;
  }
}

Json SaveKey(const TSettings& s, SettingsWindows& w, const Key& key) {
  switch (key.kind) {
    case Kind::Integer: return s.*key.integer;
    case Kind::Boolean: return s.*key.boolean;
    case Kind::Color: return os::WideToUtf8(ColorToHexRGB(s.*key.integer));
    case Kind::MainLeft: return w.MainWindowBounds().Left;
    case Kind::MainTop: return w.MainWindowBounds().Top;
    case Kind::Switch: return w.MinimizeSwitchChecked(key.minimizeSwitch);
    case Kind::IndicatorTop: return w.DesktopIndicatorBounds().Top;
    case Kind::IndicatorLeft: return w.DesktopIndicatorBounds().Left;
    case Kind::List: break;
  }
  return nullptr;
}

void CentreMainWindow(SettingsWindows& windows) {
  const os::Rect p = os::Sys().PrimaryMonitorRect();
  const os::Rect m = windows.MainWindowBounds();
  windows.SetMainWindowTop(p.Height() / 2 - m.Height() / 2);
  windows.SetMainWindowLeft(p.Width() / 2 - m.Width() / 2);
}

// What of the main window's caption must lie on one work area for the user to drag it, in
// pixels at 96 DPI: the band of its top frame and caption bar, whole in height, and of that band,
// left of the caption buttons (which take no drag), a stretch a mouse can easily hit.
constexpr int kCaptionBandHeight = 30;
constexpr int kCaptionButtonsWidth = 140;
constexpr int kCaptionGripWidth = 60;

int AtScreenDpi(int pixels) {
  const int dpi = os::Sys().ScreenPixelsPerInch();
  return (pixels * (dpi > 0 ? dpi : 96) + 48) / 96;
}

bool CaptionWithinReach(const os::Rect& window) {
  const int buttons = std::min(AtScreenDpi(kCaptionButtonsWidth), window.Width() / 2);
  const os::Rect band{window.Left, window.Top, window.Right - buttons,
                      window.Top + AtScreenDpi(kCaptionBandHeight)};
  const int grip = AtScreenDpi(kCaptionGripWidth);
  for (const os::Rect& area : os::Sys().MonitorWorkAreas()) {
    const int onIt = std::min(band.Right, area.Right) - std::max(band.Left, area.Left);
    if (area.Top <= band.Top && band.Bottom <= area.Bottom && onIt >= grip) return true;
  }
  return false;
}

// A place saved on a monitor that is gone, or typed into the file, or with no more than a corner
// on a screen, would leave the settings window where the user cannot take it by its caption, and
// so out of reach for good: it comes back as with no file.
void KeepMainWindowWithinReach(SettingsWindows& windows) {
  if (!CaptionWithinReach(windows.MainWindowBounds())) CentreMainWindow(windows);
}

// The values a load refused, one line each, named by their place. A file of thousands of bad
// values still gives a message that fits on the screen: the first few are listed, the rest counted.
class Refusals {
 public:
  static constexpr std::size_t kListed = 10;

  void Add(const char* section, const char* key, const std::wstring& why) {
    std::wstring line = L"Section \"" + os::Utf8ToWide(section) + L"\"";
    if (key != nullptr) line += L", key \"" + os::Utf8ToWide(key) + L"\"";
    if (m_lines.size() < kListed) m_lines.push_back(line + L": " + why);
    ++m_count;
  }
  bool Any() const { return m_count > 0; }
  std::wstring Message() const {
    std::wstring text;
    for (const auto& line : m_lines) text += (text.empty() ? L"" : L"\n") + line;
    if (m_count > m_lines.size()) {
      text += L"\n... and " + std::to_wstring(m_count - m_lines.size()) + L" more.";
    }
    return text;
  }

 private:
  std::vector<std::wstring> m_lines;
  std::size_t m_count = 0;
};

// The sections of a parsed file, in the table's order. A value that cannot be read costs that
// value alone: its field keeps what it held, it is added to `refused`, and every other key is
// read, so that the save at exit writes them back rather than the defaults.
void LoadSections(TSettings& s, const Json& doc, SettingsWindows& windows, Refusals& refused) {
  for (const auto& section : Layout()) {
    const Json* obj = FindMember(doc, section.name);
    if (obj == nullptr) continue;
    // A section that is no object holds none of its keys: taken as read, it would empty its
    // lists and drop its values without a word. It is refused whole, and its fields keep theirs.
    if (!obj->is_object()) {
      refused.Add(section.name, nullptr,
                  L"it holds " + WhatItHolds(*obj) + L" where its keys between { and } belong.");
      continue;
    }
    for (const auto& key : section.keys) {
      std::vector<std::wstring> refusedMembers;
      try {
        LoadKey(s, windows, key, FindMember(*obj, key.name), refusedMembers);
      } catch (const os::Error& e) {
        refused.Add(section.name, key.name, e.Message());
      }
      for (const auto& why : refusedMembers) refused.Add(section.name, key.name, why);
      // The clamps run at their turn whether or not the key was read: a BorderWidth read before
      // a bad TransparentValue is clamped all the same.
      if (key.clampsAfter) ApplyClamps(s);
    }
  }
}

}  // namespace

void TSettings::RefuseToReplace(const std::wstring& fileName) { m_fileNotToReplace = fileName; }

void TSettings::Save(const std::wstring& fileName, SettingsWindows& windows) {
  if (!m_fileNotToReplace.empty() && os::EqualsIgnoreAsciiCase(fileName, m_fileNotToReplace)) {
    throw os::Error(L"The settings were not saved: \"" + fileName +
                    L"\" could not be read at start and no copy of it could be made, so it is "
                    L"left as it is until the program starts again.");
  }
  auto doc = std::make_shared<Json>(Json::object());
  for (const auto& section : Layout()) {
    Json& obj = (*doc)[section.name] = Json::object();
    for (const auto& key : section.keys) {
      if (key.kind != Kind::List) {
        obj[key.name] = SaveKey(*this, windows, key);
        continue;
      }
      const TStringList& list = this->*key.list;
      if (list.empty()) continue;  // an empty list is written as no key at all
      Json& array = obj[key.name] = Json::array();
      for (const auto& line : list) array.push_back(os::WideToUtf8(line));
    }
  }
  JSON = doc;

  std::string text = "\xEF\xBB\xBF";
  const std::string body = WriteSettingsJson(*doc);
  for (std::size_t start = 0; start <= body.size();) {
    const auto end = body.find('\n', start);
    text.append(body, start, end == std::string::npos ? std::string::npos : end - start);
    text += "\r\n";
    if (end == std::string::npos) break;
    start = end + 1;
  }
  WriteFileReplacing(fileName, text);
}

void TSettings::Load(const std::wstring& fileName, SettingsWindows& windows) {
  auto& sys = os::Sys();
  if (!sys.FileExists(fileName)) {
    CentreMainWindow(windows);
    return;
  }
  auto doc = std::make_shared<Json>(ParseJsonText(sys.ReadFile(fileName)));
  if (!doc->is_object()) throw os::Error(L"The file does not hold a JSON object.");
  JSON = doc;
  Refusals refused;
  LoadSections(*this, *doc, windows, refused);
  KeepMainWindowWithinReach(windows);
  if (refused.Any()) throw os::Error(refused.Message());
}

}  // namespace core
