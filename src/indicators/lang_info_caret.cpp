#include "indicators/lang_info_caret.h"

#include <initializer_list>
#include <optional>

#include "core/color_text.h"
#include "core/common.h"
#include "os/error.h"
#include "tray/data_module.h"

namespace indicators {
namespace {

// A per-language colour: the entry's value as a colour, or none when the list has no entry or
// its text is not a colour (a paint must never fail on a hand-edited settings file).
std::optional<os::TColor> EntryColor(const core::TStringList& list, std::wstring_view name) {
  const std::optional<std::wstring> value = core::FindEntryValue(list, name);
  if (!value) return std::nullopt;
  try {
    return core::HexRGBToColor(*value);
  } catch (const os::Error&) {
    return std::nullopt;
  }
}

const core::TSettings& CurrentSettings() {
  // Before the settings exist the window paints with the defaults.
  static const core::TSettings defaults;
  return core::Settings ? *core::Settings : defaults;
}

}  // namespace

TfLangInfoCaret::TfLangInfoCaret() : IndicatorForm(true) {
  Name = L"fLangInfoCaret";
  SetColor(os::clBtnFace);
  SetFont({L"Segoe UI", Px(11), false, os::clWindowText});
  SetBounds(0, 0, Px(316), Px(177));  // the design size; the main window and the pass size it

  const ui::Font bold{L"Segoe UI", Px(11), true, os::clWindowText};
  // The left 20 pixels stay free for the flag.
  L_Lang.SetBounds(Px(20), Px(2), Px(14), Px(13));
  L_Lang.SetCaption(L"US");
  L_CAPS.SetBounds(Px(42), Px(2), Px(28), Px(13));
  L_CAPS.SetCaption(L"CAPS");
  L_NUM.SetBounds(Px(75), Px(2), Px(28), Px(13));
  L_NUM.SetCaption(L"NUM");
  // They size themselves to their text: the separator and the window width follow them.
  for (ui::Label* l : {&L_Lang, &L_CAPS, &L_NUM}) {
    l->SetFont(bold);
    l->SetAutoSize(true);
  }

  auto drag = [this](ui::MouseButton b, int x, int y) { L_LangMouseDown(b, x, y); };
  for (ui::Control* c : std::initializer_list<ui::Control*>{this, &L_Lang, &L_CAPS, &L_NUM}) {
    c->OnMouseDown = drag;
  }
  // It sits beside the caret where the user types: a press or a drag leaves the focus there.
  SetPressActivates(false);
  OnCreate = [this] { FormCreate(); };
  OnPaint = [this](ui::Canvas& canvas) { FormPaint(canvas); };
  OnAfterMonitorDpiChanged = [this](int, int) { FormAfterMonitorDpiChanged(); };
}

void TfLangInfoCaret::MakeCreateParams(ui::CreateParams& params) {
  ui::Form::MakeCreateParams(params);
  // Its window is made after the start, when the pass first shows it; it is an unowned tool
  // window all the same, like the other indicators, and never the active one.
  MakeUnownedToolWindow(params);
  params.ExStyle |= WS_EX_NOACTIVATE;
}

void TfLangInfoCaret::FormCreate() { SetHeight(core::Scale(20)); }

os::TColor TfLangInfoCaret::BackgroundColor() const {
  const core::TSettings& s = CurrentSettings();
  if (!s.CaretIndicator_IsColorsByLang) return s.CaretIndicator_Color_Main_Background;
  if (auto c = EntryColor(s.CaretIndicator_SL_Lang_Color_Background, L_Lang.Hint())) return *c;
  if (auto c = EntryColor(s.CaretIndicator_SL_Lang_Color_Background, L"US")) return *c;
  return os::clInfoBk;
}

void TfLangInfoCaret::FormPaint(ui::Canvas& canvas) {
  using core::Scale;
  const os::Rect r = ClientRect();
  canvas.FillRect(r, BackgroundColor());
  if (CurrentSettings().CaretIndicator_IsDrawBlackBorder) canvas.FrameRect(r, os::clGray, 1);
  if (tray::DM != nullptr) {
    const ui::ImageList& flags = Height() > 25 ? tray::DM->IL_Flag25 : tray::DM->IL_Flag16;
    canvas.DrawImage(&flags, FlagIndex, Scale(2), Scale(1));
  }
  const int x = L_Lang.Left() + L_Lang.Width() + Scale(4);
  canvas.Line(x, 0, x, r.Bottom, os::clGray);
}

void TfLangInfoCaret::L_LangMouseDown(ui::MouseButton button, int, int) {
  DragOnLeftButton(button);
}

void TfLangInfoCaret::FormAfterMonitorDpiChanged() { SetHeight(core::Scale(20)); }

}  // namespace indicators
