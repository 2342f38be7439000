#pragma once
// The caret indicator: a small window at a corner of the text caret with the flag and code of
// the language and, optionally, the Caps and Num labels. It paints its own background, frame,
// flag and separator.
#include <cstdint>

#include "indicators/indicator_form.h"
#include "ui/label.h"

namespace indicators {

class TfLangInfoCaret : public IndicatorForm {
 public:
  TfLangInfoCaret();

  ui::Label L_Lang{this};
  ui::Label L_CAPS{this};
  ui::Label L_NUM{this};

  // The flag to draw, the same index in both flag lists; -1 for none. The pass repaints the
  // window after changing it.
  int FlagIndex = -1;
  // Performance-counter value of the last event that showed the window.
  std::int64_t TriggerStamp = 0;

  void FormCreate();
  void FormPaint(ui::Canvas& canvas);
  void L_LangMouseDown(ui::MouseButton button, int x, int y);
  void FormAfterMonitorDpiChanged();

  // The background colour the settings give for the language in L_Lang's hint.
  os::TColor BackgroundColor() const;

 protected:
  void MakeCreateParams(ui::CreateParams& params) override;
};

}  // namespace indicators
