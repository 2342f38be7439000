#include "settings_window/common_page.h"

#include "core/common.h"
#include "monitor/globals.h"
#include "monitor/main_window.h"
#include "os/error.h"
#include "os/system.h"
#include "ui/window_id.h"

namespace settings_window {

void CommonPage::LayoutCommonPage(const PxFn& px) {
  MakePage(Panel_Common, px);
  L_Note.SetFont({L"Tahoma", px(16), false, clHotLight});
  L_Note.SetBounds(0, 0, px(935), px(60));
  L_Note.SetAlign(ui::Align::Bottom);
  L_Note.SetAlignment(DT_CENTER);
  L_Note.SetWordWrap(true);
  L_Note.SetTransparent(false);
  L_Note.SetColor(os::clWhite);

  PlaceSwitch(swAutorun, &L_Autorun, 6, 7, px);
  PlaceSwitch(swMinimizedOnStart, &L_MinimizedOnStart, 6, 34, px);
  PlaceSwitch(swMinimizedOnClose, &L_MinimizedOnClose, 6, 61, px);
  PlaceSwitch(swMinimizedToTray, &L_MinimizedToTray, 43, 87, px);
  PlaceSwitch(swMinimizedOnEsc, &L_MinimizedOnEsc, 6, 114, px);
  Bevel_Common.SetShape(ui::BevelShape::TopLine);
  Bevel_Common.SetBounds(px(6), px(148), px(600), px(2));
  PlaceLabel(L_TemporaryHide, 7, 155, 600, px, 18, true);
  PlaceSwitch(swEnabled_MouseIndicator, &L_Enabled_MouseIndicator, 43, 176, px, 560);
  PlaceSwitch(swEnabled_AllIndicator, &L_Enabled_AllIndicators, 43, 204, px, 560);
  btnExit.SetBounds(px(821), px(9), px(62), px(21));
  btnExit.SetAnchors(ui::akTop | ui::akRight);
  btnExit.SetCaption(L"Exit");
  btnExit.SetVisible(false);

  // The layout's values: the Minimize switches until the settings file is read, the run-time
  // switches for the whole start (their flags are True at every start).
  swMinimizedOnClose.SetChecked(true);
  swMinimizedToTray.SetChecked(true);
  swMinimizedOnEsc.SetChecked(true);
  swEnabled_MouseIndicator.SetChecked(true);
  swEnabled_AllIndicator.SetChecked(true);
  swEnabled_MouseIndicator.OnClick = [this] { swEnabled_MouseIndicatorClick(); };
  swEnabled_AllIndicator.OnClick = [this] { swEnabled_AllIndicatorClick(); };
  swAutorun.OnClick = [this] { swAutorunClick(); };
}

void CommonPage::swEnabled_AllIndicatorClick() {
  core::IsEnabled_AllIndicator = swEnabled_AllIndicator.Checked();
}

void CommonPage::swEnabled_MouseIndicatorClick() {
  core::IsEnabled_MouseIndicator = swEnabled_MouseIndicator.Checked();
}

void CommonPage::swAutorunClick() {
  if (core::IsStarting || m_showingAutorun) return;
  auto& sys = os::Sys();
  try {
    if (swAutorun.Checked()) {
      // Quoted, so that a path with blanks (Program Files) cannot start another program.
      sys.WriteCurrentUserString(monitor::kAutorunKey, L"Halvarin",
                                 L"\"" + sys.ExecutablePath() + L"\"");
    } else {
      sys.DeleteCurrentUserValue(monitor::kAutorunKey, L"Halvarin");
    }
  } catch (const os::Error& e) {
    // The switch is on the main window: the box stays above it, also when it is topmost.
    sys.ShowMessageBox(ui::WindowIdOf(monitor::fMain), e.Message(), L"Halvarin",
                       os::kMbOk | os::kMbIconError | os::kMbTaskModal);
  }
  ShowAutorunState();
}

void CommonPage::ShowAutorunState() {
  const auto exists = os::Sys().CurrentUserValueExists(monitor::kAutorunKey, L"Halvarin");
  m_showingAutorun = true;
  swAutorun.SetChecked(exists.value_or(false));
  m_showingAutorun = false;
}

}  // namespace settings_window
