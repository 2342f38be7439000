#include "core/common.h"
#include "core/lang_colors.h"
#include "monitor/globals.h"
#include "monitor/indicator_steps.h"
#include "monitor/set_form_top_most.h"
#include "os/system.h"

namespace monitor {
namespace {

using indicators::TfDesktopBorder;

struct Group {
  TfDesktopBorder* L;
  TfDesktopBorder* R;
  TfDesktopBorder* T;
  TfDesktopBorder* B;
};

// The four lines along the inside of a rectangle, t thick. Each takes its place and size in one
// write: the right and bottom lines lie by their own thickness inside the far edges.
void PlaceGroup(const Group& g, const os::Rect& r, int t, os::TColor color) {
  const int width = r.Width(), height = r.Height();
  g.L->SetBounds(r.Left, r.Top, t, height);
  g.L->SetColor(color);
  g.R->SetBounds(r.Left + width - t, r.Top, t, height);
  g.R->SetColor(color);
  g.T->SetBounds(r.Left, r.Top, width, t);
  g.T->SetColor(color);
  g.B->SetBounds(r.Left, r.Top + height - t, width, t);
  g.B->SetColor(color);
}

Group WorkArea() {
  return {fWorkareaBorderL.get(), fWorkareaBorderR.get(), fWorkareaBorderT.get(),
          fWorkareaBorderB.get()};
}
Group Taskbar() {
  return {fTaskbarBorderL.get(), fTaskbarBorderR.get(), fTaskbarBorderT.get(),
          fTaskbarBorderB.get()};
}

}  // namespace

void BorderStep(const PassValues& values) {
  const auto& s = *core::Settings;
  auto& sys = os::Sys();
  // No "US" fallback: a language without a border colour gets lime.
  const os::TColor color = core::LangColor(s.SL_Lang_DesktopBorder_Color, values.CountryCode)
                               .value_or(os::clLime);
  const int t = core::Scale(s.DesktopBorderWidth);

  // Read afresh on every pass, so that the lines follow a moved or resized taskbar.
  PlaceGroup(WorkArea(), sys.PrimaryWorkArea(), t, color);

  const bool on = core::IsEnabled_AllIndicator;
  const Group wa = WorkArea(), tb = Taskbar();
  wa.L->SetVisible(on && s.IsShowWorkareaBorder && s.ShowWorkareaBorder_L);
  wa.R->SetVisible(on && s.IsShowWorkareaBorder && s.ShowWorkareaBorder_R);
  wa.T->SetVisible(on && s.IsShowWorkareaBorder && s.ShowWorkareaBorder_T);
  wa.B->SetVisible(on && s.IsShowWorkareaBorder && s.ShowWorkareaBorder_B);
  tb.L->SetVisible(on && s.IsShowTaskbarBorder && s.ShowTaskbarBorder_L);
  tb.R->SetVisible(on && s.IsShowTaskbarBorder && s.ShowTaskbarBorder_R);
  tb.T->SetVisible(on && s.IsShowTaskbarBorder && s.ShowTaskbarBorder_T);
  tb.B->SetVisible(on && s.IsShowTaskbarBorder && s.ShowTaskbarBorder_B);

  const os::Rect taskbar = sys.TaskbarWindowRect();
  if (taskbar != os::Rect{}) {
    PlaceGroup(tb, taskbar, t, color);
  } else {
    for (TfDesktopBorder* b : {tb.L, tb.R, tb.T, tb.B}) b->SetVisible(false);
  }
}

void BorderTopMostRefresh() {
  const auto& s = *core::Settings;
  // Other topmost windows opened since the last pass must not cover the lines. This shows no
  // hidden line: it only orders the windows.
  if (s.IsShowWorkareaBorder) {
    const Group g = WorkArea();
    for (TfDesktopBorder* b : {g.L, g.R, g.T, g.B}) SetFormTopMost(*b, true);
  }
  if (s.IsShowTaskbarBorder) {
    const Group g = Taskbar();
    for (TfDesktopBorder* b : {g.L, g.R, g.T, g.B}) SetFormTopMost(*b, true);
  }
}

}  // namespace monitor
