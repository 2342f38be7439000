#include "core/common.h"
#include "core/lang_colors.h"
#include "monitor/foreground.h"
#include "monitor/globals.h"
#include "monitor/indicator_steps.h"
#include "os/system.h"
#include "os/text.h"

namespace monitor {
namespace {

// Places the indicator at the chosen corner of the caret point; another position value leaves
// it where it is. The lower corners lie the indicator's own height below the point, as the
// caret's height is not known to every program.
void PlaceAtCorner(indicators::TfLangInfoCaret& w, os::Point at, int position) {
  const int d = core::Scale(10);
  const int width = w.Width(), height = w.Height();
  int left = 0, top = 0;
  switch (position) {
    case 0: left = at.X - width - d, top = at.Y - height - d; break;
    case 1: left = at.X + d, top = at.Y - height - d; break;
    case 2: left = at.X - width - d, top = at.Y + height + d; break;
    case 3: left = at.X + d, top = at.Y + height + d; break;
    default: return;
  }
  w.SetBounds(left, top, width, height);
}

bool Excluded(const std::wstring& appName) {
  if (appName.empty() || !core::FilterAppFileName2) return false;
  const std::wstring upper = os::ToUpperAscii(appName);
  for (const std::wstring& entry : *core::FilterAppFileName2) {
    if (!entry.empty() && entry == upper) return true;
  }
  return false;
}

}  // namespace

void CaretStep(const PassValues& values) {
  using core::Scale;
  const auto& s = *core::Settings;
  auto& sys = os::Sys();
  auto& w = *fLangInfoCaret;

  bool shown = w.Tag == 1;
  std::wstring appName;
  if (!s.CaretIndicator_IsShow) {
    shown = false;
  } else {
    os::Point at;
    int caretWidth = 0, caretHeight = 0;
    std::wstring className;
    GetCaretPosition(at, caretWidth, caretHeight, className, appName);
    core::CaretX = at.X;
    core::CaretY = at.Y;
    // A zero coordinate means no caret: no placement and no trigger.
    if (at.X != 0 && at.Y != 0) {
      if (at != core::LastCaretPoint) {
        core::LastCaretPoint = at;
        shown = true;
        w.TriggerStamp = sys.PerformanceCounter();
        PlaceAtCorner(w, at, s.CaretIndicator_Positon);
        w.SetAlphaBlend(s.CaretIndicator_IsTransparent);
        w.SetAlphaBlendValue(static_cast<BYTE>(s.CaretIndicator_TransparentValue & 0xFF));
        const int width = s.CaretIndicator_IsShowCapsNum
                              ? w.L_NUM.Left() + w.L_NUM.Width() + Scale(4)
                              : w.L_Lang.Left() + w.L_Lang.Width() + Scale(4) + 1;
        w.SetWidth(width);
      } else {
        if (values.LockChange) {
          shown = true;
          w.TriggerStamp = sys.PerformanceCounter();
        }
        if (w.L_Lang.Caption() != values.LanguageName) {
          shown = true;
          w.TriggerStamp = sys.PerformanceCounter();
        }
      }
    }
    if (shown && s.IsDontShowByApplicationFilename2 && Excluded(appName)) shown = false;
  }

  if (!core::IsEnabled_AllIndicator) shown = false;

  if (shown && s.CaretIndicator_IsAutoHide) {
    core::NowStamp = sys.PerformanceCounter();
    if (ElapsedSeconds(w.TriggerStamp, core::NowStamp) > s.CaretIndicator_AutoHideSec) {
      shown = false;
    }
  }

  if (shown) {
    os::TColor text = s.CaretIndicator_Color_Main_Font;
    if (s.CaretIndicator_IsColorsByLang) {
      text = core::LangColor(s.CaretIndicator_SL_Lang_Color_Font, values.CountryCode)
                 .value_or(os::clBlack);
    }
    if (w.L_Lang.GetFont().Color != text) {
      w.L_Lang.SetFontColor(text);
      w.L_CAPS.SetFontColor(text);
      w.L_NUM.SetFontColor(text);
    }
    w.L_Lang.SetCaption(values.LanguageName);
    w.L_Lang.SetHint(values.CountryCode);
    if (w.FlagIndex != values.FlagIndex) {
      w.FlagIndex = values.FlagIndex;
      w.Repaint();
    }
    w.Tag = 1;
    w.SetWindowPosNative(HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW |
                             SWP_NOOWNERZORDER);
  } else {
    w.Tag = 0;
    w.SetWindowPosNative(HWND_TOPMOST, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_HIDEWINDOW |
                             SWP_NOOWNERZORDER);
  }
}

}  // namespace monitor
