#include "ui/number_box.h"

#include <commctrl.h>

#include <algorithm>
#include <cwctype>
#include <optional>
#include <string>

#include "ui/application.h"
#include "ui/edit.h"

namespace ui {

namespace {

constexpr os::TColor kFace = static_cast<os::TColor>(0xFF00000F);    // clBtnFace
constexpr os::TColor kFrame = static_cast<os::TColor>(0xFF000010);   // clBtnShadow
constexpr os::TColor kArrow = static_cast<os::TColor>(0xFF000012);   // clBtnText
constexpr UINT_PTR kSubclassId = 0x4E42;  // the box's own subclass, beside the edit's

// The whole text as an integer; none for anything else (empty, a lone sign, letters, overflow).
std::optional<int> ParseInt(const std::wstring& text) {
  if (text.empty()) return std::nullopt;
  size_t i = text[0] == L'-' ? 1 : 0;
  if (i == text.size()) return std::nullopt;
  long long v = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < L'0' || text[i] > L'9') return std::nullopt;
    v = v * 10 + (text[i] - L'0');
    if (v > 1LL + INT_MAX) return std::nullopt;
  }
  if (text[0] == L'-') v = -v;
  if (v < INT_MIN || v > INT_MAX) return std::nullopt;
  return static_cast<int>(v);
}

}  // namespace

// The edit part: the shared single-line edit, with the box's keys, wheel, characters and
// change notice on top.
class NumberBox::NumberEdit : public Edit {
 public:
  explicit NumberEdit(NumberBox& box) : Edit(&box), m_box(box) { Hook(); }
  // The window goes while the whole object is still there, unhooked first: a box being
  // destroyed takes nothing from its last focus change.
  ~NumberEdit() override {
    if (m_hooked && HandleAllocated()) {
      ::RemoveWindowSubclass(Handle(), &NumberEdit::SubclassProc, kSubclassId);
    }
    m_hooked = false;
    DestroyHandle();
  }

  // On a form that has its window already, the edit's window is made inside the edit's own
  // constructor, before this class exists to hook it: hence here as well as at creation.
  void Hook() {
    if (!HandleAllocated() || m_hooked) return;
    m_hooked = ::SetWindowSubclass(Handle(), &NumberEdit::SubclassProc, kSubclassId,
                                   reinterpret_cast<DWORD_PTR>(this)) != FALSE;
  }

 protected:
  void CreateWindowHandle(HWND parent, const os::Rect& r) override {
    Edit::CreateWindowHandle(parent, r);
    Hook();
  }

  bool HandleParentMessage(WindowMessage& m) override {
    if (m.Msg == WM_COMMAND && HIWORD(m.WParam) == EN_CHANGE) {
      if (!m_box.m_showing) m_box.TextEdited();
      return true;
    }
    return Edit::HandleParentMessage(m);
  }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR data) noexcept {
    auto* self = reinterpret_cast<NumberEdit*>(data);
    if (msg == WM_NCDESTROY) {
      ::RemoveWindowSubclass(hwnd, &NumberEdit::SubclassProc, id);
      self->m_hooked = false;
      return ::DefSubclassProc(hwnd, msg, wp, lp);
    }
    bool taken = false;
    Guarded([&] { taken = self->Message(msg, wp); });
    return taken ? 0 : ::DefSubclassProc(hwnd, msg, wp, lp);
  }

  // True when the box took the message.
  bool Message(UINT msg, WPARAM wp) {
    switch (msg) {
      case WM_KEYDOWN:
        if (wp == VK_UP || wp == VK_DOWN) {
          m_box.Step(wp == VK_UP ? 1 : -1);
          return true;
        }
        if (wp == VK_RETURN) {
          m_box.Commit();
          return true;
        }
        return false;
      case WM_CHAR:
        // Digits, a minus sign where the range has negative numbers, and editing keys.
        if (wp == L'\r') return true;  // taken by WM_KEYDOWN; no beep
        if (wp < L' ') return false;
        if (wp >= L'0' && wp <= L'9') return false;
        if (wp == L'-' && m_box.m_min < 0) return false;
        ::MessageBeep(MB_OK);
        return true;
      case WM_MOUSEWHEEL: return m_box.WheelNotches(GET_WHEEL_DELTA_WPARAM(wp));
      case WM_KILLFOCUS: m_box.Commit(); return false;
      default: return false;
    }
  }

  NumberBox& m_box;
  bool m_hooked = false;
};

NumberBox::NumberBox(Control* parent) : Control(parent) {
  m_edit = std::make_unique<NumberEdit>(*this);
  m_edit->SetAlign(Align::Client);
  ShowValue();
}

NumberBox::~NumberBox() { m_edit.reset(); }  // before the change event and the value go

HWND NumberBox::EditHandle() { return m_edit->Handle(); }

void NumberBox::SetValueInt(int value) {
  value = std::clamp(value, m_min, m_max);
  if (value == m_value) return;
  m_value = value;
  ShowValue();
  if (OnChangeValue) OnChangeValue();
}

void NumberBox::SetRange(int minValue, int maxValue) {
  if (maxValue < minValue) std::swap(minValue, maxValue);
  if (minValue == m_min && maxValue == m_max) return;
  m_min = minValue;
  m_max = maxValue;
  SetValueInt(m_value);
}

void NumberBox::SetSpinWidth(int width) {
  width = std::max(width, 0);
  if (width == m_spinWidth) return;
  m_spinWidth = width;
  Realign();
  Invalidate();
}

os::Rect NumberBox::ClientRect() const { return {0, 0, std::max(Width() - m_spinWidth, 0), Height()}; }

os::Rect NumberBox::UpButtonRect() const {
  return {Width() - m_spinWidth, 0, Width(), Height() / 2};
}

os::Rect NumberBox::DownButtonRect() const {
  return {Width() - m_spinWidth, Height() / 2, Width(), Height()};
}

void NumberBox::ShowValue() {
  // The box's own write raises no "typed" notice.
  m_showing = true;
  try {
    m_edit->SetText(std::to_wstring(m_value));
  } catch (...) {
    m_showing = false;
    throw;
  }
  m_showing = false;
}

void NumberBox::Step(int steps) {
  // From what is typed when that is a number, so that a step after typing continues from it.
  const std::optional<int> typed = ParseInt(m_edit->Text());
  const long long from = typed ? std::clamp(*typed, m_min, m_max) : m_value;
  const long long to = std::clamp<long long>(from + steps, m_min, m_max);
  SetValueInt(static_cast<int>(to));
  ShowValue();
}

void NumberBox::TextEdited() {
  const std::optional<int> typed = ParseInt(m_edit->Text());
  if (typed && *typed >= m_min && *typed <= m_max) SetValueInt(*typed);
}

void NumberBox::Commit() {
  const std::optional<int> typed = ParseInt(m_edit->Text());
  if (typed) SetValueInt(*typed);
  ShowValue();  // the clamped value, or the old one for an unreadable text
}

bool NumberBox::WheelNotches(int delta) {
  m_wheelRest += delta;
  const int notches = m_wheelRest / WHEEL_DELTA;
  m_wheelRest -= notches * WHEEL_DELTA;
  // One step, and one change event, per notch.
  for (int i = 0; i < std::abs(notches); ++i) Step(notches > 0 ? 1 : -1);
  return true;
}

bool NumberBox::MouseWheel(int delta) { return WheelNotches(delta); }

void NumberBox::FontChanged() { m_edit->SetFont(GetFont()); }

// The edit's part follows when the box is laid out again.
void NumberBox::ChangeScale(int m, int d) { m_spinWidth = ::MulDiv(m_spinWidth, m, d); }

void NumberBox::MouseDown(MouseButton button, int x, int y) {
  Control::MouseDown(button, x, y);
  if (button != MouseButton::Left || m_spinWidth == 0 || x < Width() - m_spinWidth) return;
  Step(y < Height() / 2 ? 1 : -1);
}

void NumberBox::Paint(Canvas& canvas) {
  if (m_spinWidth == 0) return;
  const os::Rect up = UpButtonRect();
  const os::Rect down = DownButtonRect();
  for (const os::Rect& r : {up, down}) {
    canvas.FillRect(r, kFace);
    canvas.FrameRect(r, kFrame, 1);
  }
  // Small triangles: pointing up in the upper button, down in the lower one.
  const int cx = up.Left + m_spinWidth / 2;
  for (int row = 0; row < 3; ++row) {
    const int upY = (up.Top + up.Bottom) / 2 - 1 + row;
    canvas.Line(cx - row, upY, cx + row + 1, upY, kArrow);
    const int downY = (down.Top + down.Bottom) / 2 - 1 + row;
    canvas.Line(cx - 2 + row, downY, cx + 3 - row, downY, kArrow);
  }
}

}  // namespace ui
