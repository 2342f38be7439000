#include "monitor/foreground.h"

#include <utility>

#include "os/system.h"
#include "os/text.h"

namespace monitor {
namespace {

// The names are read into a buffer of this many characters; a longer value reads as unknown.
constexpr std::size_t kLocaleBufferChars = 1025;
// The class name is read into a buffer of 127 characters, so at most 126 are kept.
constexpr std::size_t kClassNameMaxChars = 126;

std::wstring LocaleText(unsigned languageId, unsigned lcType) {
  std::wstring value = os::Sys().LocaleValue(languageId, lcType);
  if (value.size() >= kLocaleBufferChars) value.clear();
  return value;
}

}  // namespace

void GetForegroundLayoutInfo(std::wstring& iso639, std::wstring& languageName,
                             std::wstring& countryAbbrev, std::wstring& iso3166,
                             std::wstring& languageAbbrev) {
  iso639.clear();
  languageName.clear();
  countryAbbrev.clear();
  iso3166.clear();
  languageAbbrev.clear();

  auto& sys = os::Sys();
  const os::WindowId foreground = sys.ForegroundWindow();
  if (!foreground) return;
  const unsigned thread = sys.WindowThreadProcess(foreground).ThreadId;
  if (thread == 0) return;
  // The layout's low word is its language identifier, which serves as the locale.
  const unsigned language = static_cast<unsigned>(sys.ThreadKeyboardLayout(thread) & 0xFFFF);

  languageAbbrev = LocaleText(language, os::kLocaleSAbbrevLangName);
  iso639 = os::ToUpperAscii(LocaleText(language, os::kLocaleSIso639LangName));
  languageName = LocaleText(language, os::kLocaleSLanguage);
  countryAbbrev = LocaleText(language, os::kLocaleSAbbrevCtryName);
  iso3166 = LocaleText(language, os::kLocaleSIso3166CtryName);
}

bool GetCaretPosition(os::Point& pt, int& caretWidth, int& caretHeight, std::wstring& className,
                      std::wstring& appName) {
  bool fromAccessibility = false;
  pt = {};
  caretWidth = 0;
  caretHeight = 0;

  auto& sys = os::Sys();
  const os::WindowId foreground = sys.ForegroundWindow();
  if (!foreground) return false;
  const os::ThreadProcess owner = sys.WindowThreadProcess(foreground);
  const os::GuiThreadInfo gui = sys.GuiThread(owner.ThreadId);

  // The record gives the caret in the client coordinates of the caret's own window, which is a
  // child control more often than not; mapping it with the foreground window would put it off by
  // the control's offset. Without a caret window there is no caret: the point stays (0, 0), so
  // that a window without a text caret does not show the indicator at its corner.
  if (gui.CaretWindow) {
    if (auto screen = sys.ClientToScreen(gui.CaretWindow, {gui.Caret.Left, gui.Caret.Top})) {
      pt = *screen;
    }
  }

  // Programs that draw their own caret (browsers, office programs) report it only here.
  if (gui.Focus) {
    if (auto caret = sys.AccessibleCaret(gui.Focus)) {
      pt = {caret->Left, caret->Top};
      caretWidth = caret->Width();
      caretHeight = caret->Height();
      fromAccessibility = true;
    }
  }

  className = WindowClassText(foreground);
  if (auto name = AppFileName(owner.ProcessId)) appName = std::move(*name);
  return fromAccessibility;
}

std::wstring WindowClassText(os::WindowId window) {
  std::wstring name = os::Sys().WindowClassName(window);
  if (name.size() > kClassNameMaxChars) name.resize(kClassNameMaxChars);
  return name;
}

std::optional<std::wstring> AppFileName(unsigned processId) {
  auto path = os::Sys().ProcessImagePath(processId);
  if (!path) return std::nullopt;
  return FileNameOfPath(*path);
}

std::wstring FileNameOfPath(std::wstring_view path) {
  const auto cut = path.find_last_of(L"\\:");
  return std::wstring(cut == std::wstring_view::npos ? path : path.substr(cut + 1));
}

}  // namespace monitor
