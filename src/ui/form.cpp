#include "ui/form.h"

#include <cxxabi.h>
#include <windowsx.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <set>

#include "os/error.h"
#include "os/system.h"
#include "ui/application.h"
#include "ui/native_calls.h"
#include "ui/popup_menu.h"
#include "ui/win_control.h"
#include "ui/window_thunk.h"

namespace ui {
namespace {

void RegisterFormClass(const std::wstring& name, WNDPROC proc) {
  static std::set<std::wstring> registered;
  if (registered.count(name) != 0) return;
  WNDCLASSEXW wc{sizeof(wc)};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = proc;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = ::LoadIconW(wc.hInstance, L"MAINICON");
  wc.lpszClassName = name.c_str();
  if (::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS) {
    registered.insert(name);
  }
}

void DefaultDragMove(HWND hwnd) {
  ::ReleaseCapture();
  ::SendMessageW(hwnd, WM_SYSCOMMAND, 0xF012, 0);  // SC_MOVE + HTCAPTION
}

Form::DragMoveFunction g_dragMove = &DefaultDragMove;

}  // namespace

Form::Form() : Control(nullptr) {
  m_dpi = os::Sys().ScreenPixelsPerInch();
  SetVisibleFlag(false);
  SetBoundsSilently({0, 0, Px(300), Px(200)});
}

Form::~Form() {
  if (m_hwnd != nullptr) {
    m_destroying = true;
    ::DestroyWindow(m_hwnd);
  }
}

int Form::Px(int value) const { return ::MulDiv(value, m_dpi, 96); }

std::wstring Form::WindowClassName() const {
  // The class's own name without its namespace, as the run-time type information has it.
  const char* mangled = typeid(*this).name();
  int status = 0;
  std::unique_ptr<char, void (*)(void*)> demangled(
      abi::__cxa_demangle(mangled, nullptr, nullptr, &status), &std::free);
  std::string name = status == 0 && demangled ? demangled.get() : mangled;
  const size_t colons = name.rfind("::");
  if (colons != std::string::npos) name.erase(0, colons + 2);
  return std::wstring(name.begin(), name.end());
}

Form::DragMoveFunction Form::SetDragMoveFunction(DragMoveFunction f) noexcept {
  const DragMoveFunction old = g_dragMove;
  g_dragMove = f != nullptr ? f : &DefaultDragMove;
  return old;
}

void Form::BeginDragMove() { g_dragMove(Handle()); }

HWND Form::Handle() {
  if (m_hwnd == nullptr && !m_destroying) CreateHandle();
  return m_hwnd;
}

DWORD Form::BorderStyleBits() const {
  DWORD style = 0;
  switch (m_borderStyle) {
    case BorderStyle::None: style = WS_POPUP; break;
    case BorderStyle::Single: style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; break;
    case BorderStyle::Sizeable:
      style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      break;
  }
  if (m_borderStyle != BorderStyle::None) {
    if (m_minimizeBox) style |= WS_MINIMIZEBOX;
    if (m_maximizeBox) style |= WS_MAXIMIZEBOX;
  }
  return style | WS_CLIPCHILDREN;
}

void Form::MakeCreateParams(CreateParams& params) {
  params.Style = BorderStyleBits();
  params.ExStyle = 0;
  Form* main = App().MainForm();
  if (main == this) {
    params.ExStyle |= WS_EX_APPWINDOW;
  } else if (main != nullptr && main->HandleAllocated()) {
    params.Owner = main->Handle();
  }
}

void Form::CreateHandle() {
  const std::wstring className = WindowClassName();
  RegisterFormClass(className, &WindowThunk<Form>);
  CreateParams params;
  MakeCreateParams(params);
  const os::Rect& b = BoundsRect();
  ::CreateWindowExW(params.ExStyle, className.c_str(), Caption().c_str(), params.Style, b.Left,
                    b.Top, b.Width(), b.Height(), params.Owner, nullptr,
                    ::GetModuleHandleW(nullptr), this);
  if (m_hwnd == nullptr) throw os::Error(L"Cannot create a window.");
  // Alpha blending is switched on after creation, as at run time, so that the creation
  // parameters stay exactly what the class made them.
  ApplyLayered();
  Realign();
  NativePlacementChanged();  // the native child controls are made now that their parent exists
}

void Form::SetCaption(const std::wstring& caption) {
  if (caption == Caption()) return;
  Control::SetCaption(caption);
  if (m_hwnd != nullptr) native::SetWindowText(m_hwnd, caption.c_str());
}

void Form::SetVisible(bool visible) {
  if (visible == Visible()) return;
  if (visible) {
    HWND h = Handle();
    SetVisibleFlag(true);
    if (OnShow) OnShow();
    if (m_state == WindowState::Minimized) {
      native::ShowWindow(h, m_showActivates ? SW_SHOWMINIMIZED : SW_SHOWMINNOACTIVE);
    } else {
      native::ShowWindow(h, m_showActivates ? SW_SHOWNORMAL : SW_SHOWNOACTIVATE);
    }
  } else {
    SetVisibleFlag(false);
    if (m_hwnd != nullptr) native::ShowWindow(m_hwnd, SW_HIDE);
  }
}

void Form::Close() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(canClose);
  if (!canClose) return;
  CloseAction action = App().MainForm() == this ? CloseAction::Free : CloseAction::Hide;
  if (OnClose) OnClose(action);
  if (action == CloseAction::None) return;
  if (App().MainForm() == this) {
    App().Terminate();
  } else {
    Hide();
  }
}

void Form::SetSystemButtons(bool minimize, bool maximize) {
  m_minimizeBox = minimize;
  m_maximizeBox = maximize;
}

void Form::ConstrainSize(int& width, int& height) const {
  if (m_minWidth > 0 && width < m_minWidth) width = m_minWidth;
  if (m_minHeight > 0 && height < m_minHeight) height = m_minHeight;
}

void Form::SetConstraints(int minWidth, int minHeight) {
  m_minWidth = minWidth;
  m_minHeight = minHeight;
  SetBounds(Left(), Top(), Width(), Height());
}

os::Rect Form::ClientRect() const {
  if (m_hwnd != nullptr) {
    RECT r{};
    ::GetClientRect(m_hwnd, &r);
    return {0, 0, r.right, r.bottom};
  }
  RECT frame{0, 0, 0, 0};
  ::AdjustWindowRectEx(&frame, BorderStyleBits(), FALSE, 0);
  return {0, 0, Width() - (frame.right - frame.left), Height() - (frame.bottom - frame.top)};
}

void Form::SetClientSize(int width, int height) {
  const os::Rect c = ClientRect();
  SetBounds(Left(), Top(), Width() + width - c.Width(), Height() + height - c.Height());
}

WindowState Form::GetWindowState() const { return m_state; }

void Form::SetWindowState(WindowState state) {
  if (state == m_state) return;
  m_state = state;
  if (m_hwnd == nullptr || !Visible()) return;
  if (state == WindowState::Minimized) {
    native::ShowWindow(m_hwnd, m_showActivates ? SW_MINIMIZE : SW_SHOWMINNOACTIVE);
  } else if (::IsIconic(m_hwnd)) {
    native::ShowWindow(m_hwnd, SW_RESTORE);
  }
}

void Form::SetAlphaBlend(bool on) {
  if (on == m_alphaBlend) return;
  m_alphaBlend = on;
  ApplyLayered();
}

void Form::SetAlphaBlendValue(BYTE value) {
  if (value == m_alphaValue) return;
  m_alphaValue = value;
  if (m_alphaBlend) ApplyLayered();
}

void Form::ApplyLayered() {
  if (m_hwnd == nullptr) return;
  const LONG_PTR ex = ::GetWindowLongPtrW(m_hwnd, GWL_EXSTYLE);
  if (m_alphaBlend) {
    if ((ex & WS_EX_LAYERED) == 0) {
      native::SetWindowLongPtr(m_hwnd, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    }
    native::SetLayeredWindowAttributes(m_hwnd, 0, m_alphaValue, LWA_ALPHA);
  } else if ((ex & WS_EX_LAYERED) != 0) {
    native::SetWindowLongPtr(m_hwnd, GWL_EXSTYLE, ex & ~static_cast<LONG_PTR>(WS_EX_LAYERED));
    native::RedrawWindow(m_hwnd, nullptr, nullptr,
                         RDW_ERASE | RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
  }
}

void Form::InvalidateRect(const os::Rect* r) {
  if (m_hwnd == nullptr) return;
  if (r == nullptr) {
    native::InvalidateRect(m_hwnd, nullptr, FALSE);
  } else {
    const RECT rc{r->Left, r->Top, r->Right, r->Bottom};
    native::InvalidateRect(m_hwnd, &rc, FALSE);
  }
}

void Form::Repaint() {
  if (m_hwnd == nullptr) return;
  native::InvalidateRect(m_hwnd, nullptr, FALSE);
  native::UpdateWindow(m_hwnd);
}

void Form::Paint(Canvas& canvas) {
  if (OnPaint) OnPaint(canvas);
}

void Form::SetWindowPosNative(HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  HWND h = Handle();
  m_nativePos = true;
  native::SetWindowPos(h, insertAfter, x, y, cx, cy, flags);
  m_nativePos = false;
}

void Form::BoundsChanged() {
  if (m_hwnd == nullptr) return;
  const os::Rect& b = BoundsRect();
  native::SetWindowPos(m_hwnd, nullptr, b.Left, b.Top, b.Width(), b.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}

// The window moved to a monitor of another DPI. As the form's layout was made for the old DPI,
// every size is scaled by new / old: the minimum size, the fonts, each control's bounds and anchor
// distances, and the sizes controls keep of their own. The form's own place and size are the
// system's suggestion, taken once, after the minimum size, so that the old minimum holds back no
// smaller window. A message for the DPI the form already has (a move between monitors of one
// DPI) changes nothing.
void Form::ChangeDpi(int newDpi, const RECT& suggested) {
  if (newDpi <= 0 || newDpi == m_dpi) return;
  const int oldDpi = m_dpi;
  m_dpi = newDpi;
  m_minWidth = ::MulDiv(m_minWidth, newDpi, oldDpi);
  m_minHeight = ::MulDiv(m_minHeight, newDpi, oldDpi);
  std::vector<Control*> fontChanged;
  ScaleTree(newDpi, oldDpi, false, fontChanged);
  native::SetWindowPos(m_hwnd, nullptr, suggested.left, suggested.top,
                       suggested.right - suggested.left, suggested.bottom - suggested.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
  ApplyScaledLayout(fontChanged);
  if (m_tooltip) {
    ApplyHintFont();
    SyncHintTools();
  }
  InvalidateRect(nullptr);
  if (OnAfterMonitorDpiChanged) OnAfterMonitorDpiChanged(oldDpi, newDpi);
}

void Form::DoCreate() noexcept {
  if (OnCreate) Guarded([this] { OnCreate(); });
}

void Form::BeforeDestruction() noexcept {
  if (m_destroying) return;
  m_destroying = true;
  if (OnDestroy) Guarded([this] { OnDestroy(); });
  if (m_hwnd != nullptr) ::DestroyWindow(m_hwnd);
}

bool Form::HandleMessage(WindowMessage&) { return false; }

bool Form::PreviewKeyDown(WORD& key) {
  if (!m_keyPreview || !OnKeyDown) return false;
  OnKeyDown(key);
  return key == 0;
}

void Form::AttachWindow(HWND hwnd) noexcept { m_hwnd = hwnd; }

void Form::DetachWindow() noexcept {
  m_hwnd = nullptr;
  m_tooltip.Reset();  // its tools name the window that is gone
  m_hintTools.clear();
}

LRESULT Form::ThunkMessage(HWND, UINT msg, WPARAM wp, LPARAM lp) { return Dispatch(msg, wp, lp); }

LRESULT Form::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  WindowMessage m{msg, wp, lp};
  if (WinControl::RouteParentMessage(m)) return m.Result;
  if (HandleMessage(m)) return m.Result;
  if (DefaultHandling(m)) return m.Result;
  return ::DefWindowProcW(m_hwnd, msg, wp, lp);
}

void Form::PaintWindow() {
  PaintDc paint(m_hwnd);
  const os::Rect client = ClientRect();
  if (client.Width() <= 0 || client.Height() <= 0) return;
  UniqueMemoryDc memory(::CreateCompatibleDC(paint.Get()));
  UniqueBitmap bitmap(::CreateCompatibleBitmap(paint.Get(), client.Width(), client.Height()));
  {
    SelectedObject selected(memory.Get(), bitmap.Get());
    Canvas canvas(memory.Get());
    canvas.FillRect(client, Color());
    Paint(canvas);
    for (Control* child : Children()) {
      if (child->Visible()) child->PaintTree(canvas, {child->Left(), child->Top()});
    }
    const RECT& d = paint.Dirty();
    ::BitBlt(paint.Get(), d.left, d.top, d.right - d.left, d.bottom - d.top, memory.Get(), d.left,
             d.top, SRCCOPY);
  }
}

// --- Tooltips: one tool per control with a hint, its rectangle kept in step with the layout on
// every pointer move over the window; the text is asked for when the tip shows.

void Form::SetShowHint(bool show) {
  if (show == m_showHint) return;
  m_showHint = show;
  if (!show) {
    m_tooltip.Reset();
    m_hintTools.clear();
  }
}

void Form::SetShowHintWindow() {
  INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
  ::InitCommonControlsEx(&icc);
  m_tooltip.Reset(::CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, TOOLTIPS_CLASSW, nullptr,
                                    WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                                    ::GetModuleHandleW(nullptr), nullptr));
  m_hintTools.clear();
  ApplyHintFont();
}

void Form::ApplyHintFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0,
                                    static_cast<UINT>(m_dpi))) {
    return;  // the tooltip keeps the font it has
  }
  UniqueFont font(::CreateFontIndirectW(&metrics.lfStatusFont));
  if (!font) return;
  ::SendMessageW(m_tooltip.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
  m_hintFont = std::move(font);  // the old one only now, when the tooltip no longer uses it
}

void Form::SyncHintTools() {
  std::vector<std::pair<Control*, os::Rect>> now;
  std::vector<Control*> pending(Children().begin(), Children().end());
  while (!pending.empty()) {
    Control* c = pending.back();
    pending.pop_back();
    if (!c->Visible()) continue;
    if (!c->Hint().empty()) now.emplace_back(c, c->RectInForm());
    pending.insert(pending.end(), c->Children().begin(), c->Children().end());
  }
  auto tool = [this](Control* c, const os::Rect& r) {
    TTTOOLINFOW info{sizeof(info)};
    info.uFlags = TTF_SUBCLASS;
    info.hwnd = m_hwnd;
    info.uId = reinterpret_cast<UINT_PTR>(c);
    info.rect = RECT{r.Left, r.Top, r.Right, r.Bottom};
    info.lpszText = LPSTR_TEXTCALLBACKW;
    return info;
  };
  for (const auto& [c, r] : m_hintTools) {
    const bool kept = std::any_of(now.begin(), now.end(), [c = c](const auto& e) { return e.first == c; });
    if (!kept) {
      TTTOOLINFOW info = tool(c, r);
      ::SendMessageW(m_tooltip.Get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
  }
  for (const auto& [c, r] : now) {
    auto old = std::find_if(m_hintTools.begin(), m_hintTools.end(),
                            [c = c](const auto& e) { return e.first == c; });
    TTTOOLINFOW info = tool(c, r);
    if (old == m_hintTools.end()) {
      ::SendMessageW(m_tooltip.Get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    } else if (old->second != r) {
      ::SendMessageW(m_tooltip.Get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
    }
  }
  m_hintTools = std::move(now);
}

bool Form::HintText(UINT_PTR id, NMTTDISPINFOW& info) {
  for (const auto& [c, r] : m_hintTools) {
    if (reinterpret_cast<UINT_PTR>(c) != id) continue;
    // The tooltip copies the text before the next message can change the hint.
    info.lpszText = const_cast<wchar_t*>(c->Hint().c_str());
    return true;
  }
  return false;
}

void Form::RouteMouseDown(MouseButton button, LPARAM lp) {
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  Control* target = ControlAt(x, y);
  const os::Rect r = target->RectInForm();
  const int lx = target == this ? x : x - r.Left;
  const int ly = target == this ? y : y - r.Top;
  if (button == MouseButton::Left) {
    m_pressed = target;
    ::SetCapture(m_hwnd);
  }
  target->MouseDown(button, lx, ly);
}

void Form::RouteMouseUp(LPARAM lp) {
  Control* pressed = m_pressed;
  m_pressed = nullptr;
  if (::GetCapture() == m_hwnd) ::ReleaseCapture();
  if (pressed == nullptr) return;
  const int x = GET_X_LPARAM(lp), y = GET_Y_LPARAM(lp);
  if (pressed != this) {
    const os::Rect r = pressed->RectInForm();
    pressed->MouseUp(x - r.Left, y - r.Top);
  }
  if (ControlAt(x, y) == pressed) pressed->Click();
}

// A drag that began on a control (a splitter) follows the pointer there.
void Form::RouteMouseMove(LPARAM lp) {
  if (m_pressed == nullptr || m_pressed == this) return;
  const os::Rect r = m_pressed->RectInForm();
  m_pressed->MouseMove(GET_X_LPARAM(lp) - r.Left, GET_Y_LPARAM(lp) - r.Top);
}

// The wheel goes to the windowless control under the pointer, or the nearest container that
// takes it.
bool Form::RouteMouseWheel(WPARAM wp, LPARAM lp) {
  POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
  ::ScreenToClient(m_hwnd, &at);
  for (Control* c = ControlAt(at.x, at.y); c != nullptr && c != this; c = c->Parent()) {
    if (c->MouseWheel(GET_WHEEL_DELTA_WPARAM(wp))) return true;
  }
  return false;
}

bool Form::SetControlCursor() {
  POINT at{};
  ::GetCursorPos(&at);
  ::ScreenToClient(m_hwnd, &at);
  const Control* c = m_pressed != nullptr ? m_pressed : ControlAt(at.x, at.y);
  const wchar_t* name = c != nullptr ? c->CursorName() : nullptr;
  if (name == nullptr) return false;
  ::SetCursor(::LoadCursorW(nullptr, name));
  return true;
}

bool Form::DefaultHandling(WindowMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: PaintWindow(); return true;
    case WM_ERASEBKGND: m.Result = 1; return true;
    case WM_CLOSE: Close(); return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: RouteMouseDown(MouseButton::Left, m.LParam); return true;
    case WM_RBUTTONDOWN: RouteMouseDown(MouseButton::Right, m.LParam); return false;
    case WM_SETCURSOR:
      if (LOWORD(m.LParam) == HTCLIENT && SetControlCursor()) {
        m.Result = TRUE;
        return true;
      }
      return false;
    case WM_MOUSEWHEEL: return RouteMouseWheel(m.WParam, m.LParam);
    case WM_MOUSEMOVE:
      RouteMouseMove(m.LParam);
      if (m_showHint) {
        if (!m_tooltip) SetShowHintWindow();
        if (m_tooltip) SyncHintTools();
      }
      return false;
    case WM_NOTIFY: {
      auto* header = reinterpret_cast<NMHDR*>(m.LParam);
      if (!m_tooltip || header->hwndFrom != m_tooltip.Get() || header->code != TTN_GETDISPINFOW) {
        return false;
      }
      return HintText(header->idFrom, *reinterpret_cast<NMTTDISPINFOW*>(m.LParam));
    }
    case WM_MBUTTONDOWN: RouteMouseDown(MouseButton::Middle, m.LParam); return true;
    case WM_LBUTTONUP: RouteMouseUp(m.LParam); return true;
    case WM_CAPTURECHANGED: m_pressed = nullptr; return true;
    case WM_CONTEXTMENU: {
      POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
      if (m.LParam == -1) ::GetCursorPos(&at);  // from the keyboard
      POINT client = at;
      ::ScreenToClient(m_hwnd, &client);
      for (Control* c = ControlAt(client.x, client.y); c != nullptr; c = c->Parent()) {
        if (c->GetPopupMenu() != nullptr) {
          c->GetPopupMenu()->Popup(at.x, at.y);
          return true;
        }
      }
      return false;
    }
    case WM_KEYDOWN:
      if (OnKeyDown) {
        WORD key = static_cast<WORD>(m.WParam);
        OnKeyDown(key);
        if (key == 0) return true;
      }
      return false;
    case WM_SYSCOMMAND:
      if (App().MainForm() == this && (m.WParam & 0xFFF0) == SC_MINIMIZE) {
        App().Minimize();
        return true;
      }
      if (App().MainForm() == this && (m.WParam & 0xFFF0) == SC_RESTORE && App().IsMinimized()) {
        App().Restore();
        return true;
      }
      return false;
    case WM_SIZE:
      if (m.WParam == SIZE_MINIMIZED) {
        m_state = WindowState::Minimized;
      } else if (m.WParam == SIZE_RESTORED) {
        m_state = WindowState::Normal;
      }
      return false;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(m.LParam);
      if (!m_nativePos) {
        if ((pos->flags & SWP_SHOWWINDOW) != 0) SetVisibleFlag(true);
        if ((pos->flags & SWP_HIDEWINDOW) != 0) SetVisibleFlag(false);
      }
      // The bounds keep the restored place while the window is minimised.
      if (!::IsIconic(m_hwnd)) {
        RECT r{};
        ::GetWindowRect(m_hwnd, &r);
        const os::Rect nb{r.left, r.top, r.right, r.bottom};
        if (nb != BoundsRect()) {
          SetBoundsSilently(nb);
          Realign();
          InvalidateRect(nullptr);
        }
      }
      return false;
    }
    case WM_GETMINMAXINFO:
      if (m_minWidth > 0 || m_minHeight > 0) {
        auto* info = reinterpret_cast<MINMAXINFO*>(m.LParam);
        info->ptMinTrackSize.x = m_minWidth;
        info->ptMinTrackSize.y = m_minHeight;
        return true;
      }
      return false;
    case WM_DPICHANGED:
      ChangeDpi(HIWORD(m.WParam), *reinterpret_cast<const RECT*>(m.LParam));
      m.Result = 0;
      return true;
    default: return false;
  }
}

}  // namespace ui
