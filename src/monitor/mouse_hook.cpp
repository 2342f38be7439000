#include "monitor/mouse_hook.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "core/common.h"
#include "monitor/foreground.h"
#include "monitor/globals.h"
#include "monitor/pass_values.h"
#include "os/system.h"
#include "os/text.h"
#include "ui/application.h"
#include "ui/native_calls.h"

namespace monitor {
namespace {

MouseHookInstaller g_installHook = &::SetWindowsHookExW;

// What the pass needs to tell a hook the system no longer calls (UI thread only).
struct HookWatch {
  std::int64_t LastCall = 0;  // the last hook call; 0: none since the install
  std::int64_t LastPass = 0;  // the last pass that watched, or the install
  os::Point Pointer;          // where that pass found the pointer
  // A pass found the pointer moved with no hook call since the pass before; no call came since.
  std::optional<std::int64_t> PendingMove;
  std::optional<std::int64_t> ReinstalledAt;  // LastCall when the hook was installed anew
};
HookWatch g_hookWatch;

// Whether the hook should be there, and when an install was last tried (UI thread only).
struct HookWish {
  bool Wanted = false;  // from the start-up timer's install until the hook is removed
  std::int64_t LastTry = 0;
};
HookWish g_hookWish;

ui::UniqueHook NewMouseHook() {
  return ui::UniqueHook(g_installHook(WH_MOUSE_LL, &MouseHookProc, ::GetModuleHandleW(nullptr), 0));
}

// An entry matches only the whole name; an empty entry matches nothing.
bool Listed(const core::TStringList* filter, const std::wstring& upperName) {
  if (filter == nullptr || upperName.empty()) return false;
  return std::any_of(filter->begin(), filter->end(), [&](const std::wstring& entry) {
    return !entry.empty() && entry == upperName;
  });
}

}  // namespace

void LayoutMouseIndicatorRows() {
  using core::Scale;
  const auto& s = *core::Settings;
  auto& w = *fLangInfoMouse;
  const bool capsNum = s.MouseIndicator_IsShowCapsNum;
  const bool time = s.MouseIndicator_IsShowTime;
  const bool info = s.MouseIndicator_IsWindowInfo;

  w.L_WindowClass.SetVisible(info);
  w.L_AppName.SetVisible(info);
  w.L_Time.SetVisible(time);

  int height = 0;
  int extra = 0;  // width right of the language panel
  for (ui::Control* c : std::initializer_list<ui::Control*>{&w.L_CAPS, &w.L_NUM, &w.Panel_CapsInd,
                                                            &w.Panel_NumInd}) {
    c->SetVisible(capsNum);
  }
  if (capsNum) {
    height = Scale(40);
    w.L_Lang.SetBounds(Scale(5), Scale(20), w.L_Lang.Width(), w.L_Lang.Height());
    w.Panel_Caps_Nums_Lang.SetWidth(Scale(66));
    w.L_Time.SetLeft(Scale(73));
  } else {
    height = Scale(20);
    w.L_Lang.SetBounds(Scale(2), 0, w.L_Lang.Width(), w.L_Lang.Height());
    w.Panel_Caps_Nums_Lang.SetWidth(Scale(50));
    w.L_Time.SetLeft(w.Panel_Caps_Nums_Lang.Width() + Scale(2));
  }
  w.L_WindowClass.SetLeft(w.L_Time.Left());
  w.L_AppName.SetLeft(w.L_Time.Left());

  const int borders = w.PanelBorderT.Height() + w.PanelBorderB.Height();
  if (info) extra = std::max(w.L_WindowClass.Width(), w.L_AppName.Width()) + Scale(10);
  if (time) {
    w.L_Time.SetFontColor(s.MouseIndicator_Panel_Time_Font_Color);
    w.L_Time.SetColor(s.MouseIndicator_Panel_Time_Color);
    if (info) {
      if (w.L_Time.Width() >= extra) extra = w.L_Time.Width() + Scale(10);
      height = w.L_WindowClass.Height() + w.L_AppName.Height() + w.L_Time.Height() + borders +
               Scale(5);
      w.L_Time.SetTop(w.L_AppName.Top() + w.L_AppName.Height() + Scale(2));
    } else if (capsNum) {
      extra = w.L_Time.Width() + Scale(10);
      w.L_Time.SetTop(height / 2 - w.L_Time.Height() / 2 - 1);
    } else {
      extra = w.L_Time.Width() + Scale(4);
      w.L_Time.SetTop(0);
    }
  } else if (info) {
    height = std::max(height, w.L_WindowClass.Height() + w.L_AppName.Height() + borders + Scale(5));
  }

  const int width = capsNum || time || info
                        ? w.PanelBorderL.Width() + w.Panel_Caps_Nums_Lang.Width() + extra +
                              w.PanelBorderR.Width()
                        : Scale(45);
  w.SetHeight(height);
  w.SetWidth(width);
}

void MouseIndicatorFollowPointer(os::Point at) {
  const auto& s = *core::Settings;
  auto& sys = os::Sys();
  auto& w = *fLangInfoMouse;

  // Plain pixels: 20 right of the pointer, its bottom edge 10 above it.
  w.SetBounds(at.X + 20, at.Y - w.Height() - 10, w.Width(), w.Height());

  std::wstring className;
  std::wstring appName;
  if (const os::WindowId under = sys.WindowFromPoint(at)) {
    className = WindowClassText(under);
    // A program that cannot be asked shows no name: keeping the previous window's would let the
    // exclusions and the copy hot key act on the wrong program.
    if (auto name = AppFileName(sys.WindowThreadProcess(under).ProcessId)) appName = *name;
  }
  w.L_WindowClass.SetCaption(className);
  w.L_AppName.SetCaption(appName);

  LayoutMouseIndicatorRows();

  bool show = core::IsEnabled_MouseIndicator && core::IsEnabled_AllIndicator &&
              s.MouseIndicator_IsShow;
  if (show && s.IsDontShowByWindowClass &&
      Listed(core::FilterWindowClass.get(), os::ToUpperAscii(className))) {
    show = false;
  }
  if (show && s.IsDontShowByApplicationFilename &&
      Listed(core::FilterAppFileName.get(), os::ToUpperAscii(w.L_AppName.Caption()))) {
    show = false;
  }

  constexpr UINT kKeep = SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER;
  w.SetWindowPosNative(HWND_TOPMOST, 0, 0, 0, 0, kKeep | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
  w.Tag = show ? 0 : 1;

  if (show && s.MouseIndicator_IsAutoHide) {
    // Restarted on every move: the indicator hides that long after the last one.
    w.TimerAutoHide.SetEnabled(false);
    w.TimerAutoHide.SetInterval(static_cast<std::int64_t>(s.MouseIndicator_AutoHideSec) * 1000);
    w.TimerAutoHide.SetEnabled(true);
  }
}

LRESULT CALLBACK MouseHookProc(int code, WPARAM message, LPARAM event) noexcept {
  const LRESULT result = ui::TimedSystemCall(
      [&] { return ::CallNextHookEx(MouseHookHandle.Get(), code, message, event); });
  ui::Guarded([code, message, event] {
    // Any call at all: the system still calls the hook.
    g_hookWatch.LastCall = os::Sys().PerformanceCounter();
    if (code != HC_ACTION || message != WM_MOUSEMOVE) return;
    if (!fLangInfoMouse || !core::Settings) return;
    const auto* info = reinterpret_cast<const MSLLHOOKSTRUCT*>(event);
    MouseIndicatorFollowPointer({info->pt.x, info->pt.y});
  });
  return result;
}

namespace {

// One try; the watch starts afresh whatever came of it. Without the hook the mouse indicator
// does not follow the pointer; nothing else depends on it, and the pass tries again.
void TryInstallAt(std::int64_t stamp) {
  g_hookWish.Wanted = true;
  g_hookWish.LastTry = stamp;
  MouseHookHandle = NewMouseHook();
  g_hookWatch = {};
  g_hookWatch.LastPass = stamp;
  g_hookWatch.Pointer = os::Sys().CursorPos();
}

}  // namespace

void InstallMouseHook() {
  if (MouseHookHandle) return;
  TryInstallAt(os::Sys().PerformanceCounter());
}

void RemoveMouseHook() noexcept {
  MouseHookHandle.Reset();
  g_hookWatch = {};
  g_hookWish = {};
}

void SetMouseHookInstaller(MouseHookInstaller installer) noexcept {
  g_installHook = installer != nullptr ? installer : &::SetWindowsHookExW;
}

void WatchMouseHook(std::int64_t nowStamp) {
  if (!MouseHookHandle) {
    // An install the system refused (a desktop still starting, a session at its hook limit) is
    // tried again, at most once a second, for as long as the hook is wanted.
    if (g_hookWish.Wanted && ElapsedSeconds(g_hookWish.LastTry, nowStamp) >= 1.0) {
      TryInstallAt(nowStamp);
    }
    return;
  }
  HookWatch& w = g_hookWatch;
  const os::Point at = os::Sys().CursorPos();
  // The system calls the hook before the pointer moves, but the call may also come just after
  // the pass has found the pointer elsewhere: a call after that pass answers the move too.
  const bool movedUnseen = at != w.Pointer && w.LastCall < w.LastPass;
  w.Pointer = at;
  w.LastPass = nowStamp;
  if (w.PendingMove && w.LastCall >= *w.PendingMove) w.PendingMove.reset();
  if (movedUnseen && !w.PendingMove) w.PendingMove = nowStamp;
  if (!w.PendingMove || ElapsedSeconds(*w.PendingMove, nowStamp) <= 1.0) return;
  if (w.ReinstalledAt == w.LastCall) return;  // this gap has had its new hook
  w.PendingMove.reset();
  w.ReinstalledAt = w.LastCall;
  // The new hook goes in before the old handle is let go, so that no move passes unseen; the
  // system may have removed the old hook already, and then letting it go does nothing.
  if (ui::UniqueHook fresh = NewMouseHook()) MouseHookHandle = std::move(fresh);
}

}  // namespace monitor
