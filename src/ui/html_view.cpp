#include "ui/html_view.h"

#include <commctrl.h>
#include <richedit.h>

#include "os/error.h"
#include "ui/application.h"
#include "ui/canvas.h"

namespace ui {
namespace {

// The rich edit's library, loaded once and kept for the run: its window class must outlive
// every view.
void LoadRichEdit() {
  static const HMODULE library = ::LoadLibraryW(L"msftedit.dll");
  if (library == nullptr) throw os::Error(L"Cannot load the rich edit library (msftedit.dll).");
}

LONG Twips(int pixels) {
  HDC dc = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
  ::ReleaseDC(nullptr, dc);
  return ::MulDiv(pixels, 1440, dpi > 0 ? dpi : 96);
}

void Select(HWND h, std::size_t start, std::size_t length) {
  CHARRANGE range{static_cast<LONG>(start), static_cast<LONG>(start + length)};
  ::SendMessageW(h, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

void SetFace(CHARFORMAT2W& cf, const std::wstring& face) {
  lstrcpynW(cf.szFaceName, face.c_str(), LF_FACESIZE);
}

}  // namespace

HtmlView::HtmlView(Control* parent) : WinControl(parent) {
  SetColor(os::clWhite);
  NativePlacementChanged();
}

HtmlView::~HtmlView() { DestroyHandle(); }

void HtmlView::LoadHtml(std::string_view bytes) { SetDocument(RenderHtml(bytes)); }

void HtmlView::SetDocument(HtmlDocument document) {
  m_document = std::move(document);
  ShowDocument();
}

void HtmlView::CreateWindowHandle(HWND parent, const os::Rect& r) {
  LoadRichEdit();
  const DWORD style = WS_CHILD | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL |
                      ES_NOHIDESEL;
  HWND h = ::CreateWindowExW(0, MSFTEDIT_CLASS, L"", style, r.Left, r.Top, r.Width(), r.Height(),
                             parent, nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (h == nullptr) return;
  AttachWindow(h);
  ::SetWindowSubclass(h, &HtmlView::SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void HtmlView::WindowCreated() {
  HWND h = Handle();
  ::SendMessageW(h, EM_SETEVENTMASK, 0, ENM_LINK);
  ::SendMessageW(h, EM_SETBKGNDCOLOR, 0, static_cast<LPARAM>(ColorRef(Color())));
  ShowDocument();
}

void HtmlView::FontChanged() { ShowDocument(); }

void HtmlView::ShowDocument() {
  if (!HandleAllocated()) return;
  HWND h = Handle();
  // Neither a repaint nor a notification per formatting run: the text shows once, when done.
  ::SendMessageW(h, WM_SETREDRAW, FALSE, 0);
  const LRESULT events = ::SendMessageW(h, EM_SETEVENTMASK, 0, 0);
  // The rich edit ends its paragraphs with '\r'; one character for one keeps the positions.
  std::wstring text = m_document.Text;
  for (wchar_t& c : text) {
    if (c == L'\n') c = L'\r';
  }
  SETTEXTEX set{ST_DEFAULT, 1200};
  ::SendMessageW(h, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set),
                 reinterpret_cast<LPARAM>(text.c_str()));

  const Font& font = GetFont();
  const LONG baseHeight = Twips(font.Height);
  for (const HtmlRun& run : m_document.Runs) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_SIZE | CFM_FACE | CFM_COLOR | CFM_LINK;
    const HtmlFormat& f = run.Format;
    cf.dwEffects = (f.Bold || font.Bold ? CFE_BOLD : 0) | (f.Italic ? CFE_ITALIC : 0) |
                   (f.Underline ? CFE_UNDERLINE : 0);
    cf.yHeight = baseHeight * f.SizePercent / 100;
    SetFace(cf, f.FontName.empty() ? font.Name : f.FontName);
    if (f.Color) {
      cf.crTextColor = ColorRef(*f.Color);
    } else {
      cf.crTextColor = ColorRef(font.Color);
    }
    Select(h, run.Start, run.Length);
    ::SendMessageW(h, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  }
  for (const HtmlLink& link : m_document.Links) {
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_LINK | CFM_COLOR | CFM_UNDERLINE;
    cf.dwEffects = CFE_LINK | CFE_UNDERLINE;
    cf.crTextColor = ::GetSysColor(COLOR_HOTLIGHT);
    Select(h, link.Start, link.Length);
    ::SendMessageW(h, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
  }
  Select(h, 0, 0);
  ::SendMessageW(h, EM_SETEVENTMASK, 0, events);
  ::SendMessageW(h, WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(h, nullptr, TRUE);
}

bool HtmlView::HandleParentMessage(WindowMessage& m) {
  if (m.Msg != WM_NOTIFY) return false;
  const auto* header = reinterpret_cast<const NMHDR*>(m.LParam);
  if (header->code != EN_LINK) return false;
  const auto* link = reinterpret_cast<const ENLINK*>(m.LParam);
  if (link->msg == WM_LBUTTONUP) {
    // The target comes from our own document, never from the text on screen.
    const HtmlLink* target = m_document.LinkAt(static_cast<std::size_t>(link->chrg.cpMin));
    if (target != nullptr && OnHotSpotClick) {
      const std::wstring src = target->Target;
      Guarded([&] { OnHotSpotClick(src); });
    }
  }
  m.Result = 0;
  return true;
}

LRESULT CALLBACK HtmlView::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                        DWORD_PTR data) noexcept {
  auto* self = reinterpret_cast<HtmlView*>(data);
  if (msg == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, &HtmlView::SubclassProc, id);
    self->DetachWindow();
  }
  return ::DefSubclassProc(hwnd, msg, wp, lp);
}

}  // namespace ui
