#include "window_tree/win_tree_record.h"

#include "os/system.h"
#include "os/text.h"

namespace window_tree {
namespace {

// A text as a buffer of kTextBuffer characters holds it: cut at the first zero or at the end.
std::wstring AsBuffer(std::wstring text) {
  const auto zero = text.find(L'\0');
  if (zero != std::wstring::npos) text.resize(zero);
  if (text.size() > kTextBuffer - 1) text.resize(kTextBuffer - 1);
  return text;
}

}  // namespace

std::wstring ShownClassName(const std::wstring& className) {
  if (className == L"#32769") return L"Desktop";
  if (className == L"#32770") return L"Dialog Box";
  if (className == L"#32771") return L"Task Switch Window";
  return className;
}

std::wstring FileNamePart(const std::wstring& path) {
  const auto pos = path.find_last_of(L"\\/:");
  return pos == std::wstring::npos ? path : path.substr(pos + 1);
}

TWinTree ReadWindow(os::WindowId window) {
  os::System& sys = os::Sys();
  TWinTree r;
  r.Handle = window;
  r.WindowClass = ShownClassName(AsBuffer(sys.WindowClassName(window)));
  r.Title = AsBuffer(sys.WindowText(window, kTextBuffer - 1));
  const os::ThreadProcess owner = sys.WindowThreadProcess(window);
  r.ThreadId = owner.ThreadId;
  r.ProcessId = owner.ProcessId;
  {
    // Another thread's layout reads right only while our input is attached to it; a refused
    // attach still reads what it can. The attachment ends with this block on every path.
    const auto attachment = sys.AttachThreadInput(r.ThreadId);
    const unsigned language = static_cast<unsigned>(sys.ThreadKeyboardLayout(r.ThreadId) & 0xFFFF);
    r.LangName = AsBuffer(sys.LanguageName(language));
    r.LangISO639 = os::ToUpperAscii(AsBuffer(sys.LocaleValue(language, os::kLocaleSIso639LangName)));
    r.CountryISO3166 =
        os::ToUpperAscii(AsBuffer(sys.LocaleValue(language, os::kLocaleSIso3166CtryName)));
  }
  r.ImagePath = sys.ProcessImagePath(r.ProcessId).value_or(std::wstring());
  return r;
}

}  // namespace window_tree
