#include "ui/link_label.h"

#include "ui/form.h"
#include "ui/handles.h"

namespace ui {

namespace {
constexpr int kWatchMs = 50;
}

LinkLabel::LinkLabel(Control* parent) : Label(parent) {
  m_watch.SetInterval(kWatchMs);
  m_watch.OnTimer = [this] { WatchPointer(); };
}

void LinkLabel::SetUnderline(bool underline) {
  if (underline == m_underline) return;
  m_underline = underline;
  Invalidate();
}

const wchar_t* LinkLabel::CursorName() const {
  if (!m_hovered) m_watch.SetEnabled(true);  // the first tick raises the enter
  return IDC_HAND;
}

void LinkLabel::WatchPointer() {
  Form* form = OwnerForm();
  std::optional<os::Point> at;
  POINT p{};
  if (form != nullptr && form->HandleAllocated() && ::GetCursorPos(&p)) {
    HWND under = ::WindowFromPoint(p);
    if (under == form->Handle()) {
      ::ScreenToClient(under, &p);
      at = os::Point{p.x, p.y};
    }
  }
  PointerAt(at);
}

void LinkLabel::PointerAt(std::optional<os::Point> inForm) {
  bool inside = false;
  if (inForm && Visible()) {
    Form* form = OwnerForm();
    inside = form != nullptr && form->ControlAt(inForm->X, inForm->Y) == this;
  }
  if (!inside) m_watch.SetEnabled(false);
  if (inside == m_hovered) return;
  m_hovered = inside;
  if (inside) {
    if (OnMouseEnter) OnMouseEnter();
  } else {
    if (OnMouseLeave) OnMouseLeave();
  }
}

void LinkLabel::Paint(Canvas& canvas) {
  if (!m_underline) {
    Label::Paint(canvas);
    return;
  }
  // The label's own font with the underline added; the font cache knows no underline.
  LOGFONTW lf{};
  ::GetObjectW(FontHandle(GetFont()), sizeof(lf), &lf);
  lf.lfUnderline = TRUE;
  const UniqueFont underlined(::CreateFontIndirectW(&lf));
  const os::Rect r{0, 0, Width(), Height()};
  if (!Transparent()) canvas.FillRect(r, Color());
  HDC dc = canvas.Dc();
  const SelectedObject selected(dc, underlined.Get());  // undone before the font goes
  ::SetBkMode(dc, TRANSPARENT);
  ::SetTextColor(dc, ColorRef(GetFont().Color));
  RECT rc{r.Left, r.Top, r.Right, r.Bottom};
  std::wstring text = Caption();
  ::DrawTextW(dc, text.data(), static_cast<int>(text.size()), &rc, TextFlags());
}

}  // namespace ui
