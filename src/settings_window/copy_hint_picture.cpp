#include "settings_window/copy_hint_picture.h"

#include "tray/data_module.h"
#include "ui/canvas.h"

namespace settings_window {

namespace {

constexpr os::TColor kArrow = 0x0000FF;  // red
constexpr os::TColor kIndicator = 0xE1FFFF;

void ArrowDown(ui::Canvas& canvas, int x, int top, int bottom, int head) {
  for (int dx = -1; dx <= 1; ++dx) canvas.Line(x + dx, top, x + dx, bottom, kArrow);
  for (int i = 0; i <= head; ++i) {
    canvas.Line(x - head + i, bottom - head + i, x + head - i + 1, bottom - head + i, kArrow);
  }
}

}  // namespace

void CopyHintPicture::SetArrowFromClass(bool on) {
  if (m_arrowFromClass == on) return;
  m_arrowFromClass = on;
  Invalidate();
}

os::Rect CopyHintPicture::DrawnRect() const {
  const int h = Height();
  auto s = [h](int v) { return v * h / 75; };
  const int o = s(20);
  return {o + s(10), s(6), o + s(218), s(73)};
}

void CopyHintPicture::Paint(ui::Canvas& canvas) {
  // Laid out for a 277 x 75 picture and scaled to the size it has; its right end stays clear of
  // the key text that the picture's place overlaps.
  const int h = Height();
  auto s = [h](int v) { return v * h / 75; };
  // Clear of the end of the text beside it, which the picture overlaps.
  const int o = s(20);
  const os::Rect drawn = DrawnRect();
  const os::Rect box{drawn.Left, drawn.Top, drawn.Right, s(44)};
  canvas.FillRect(box, kIndicator);
  canvas.FrameRect(box, os::clBlack);
  const ui::Font small{L"Segoe UI", s(11), false, os::clBlack};
  const ui::Font bold{L"Segoe UI", s(12), true, os::clBlack};
  const UINT oneLine = DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX;
  canvas.DrawText(L"CAPS", {o + s(14), s(8), o + s(50), s(24)}, small, oneLine);
  canvas.DrawText(L"NUM", {o + s(14), s(26), o + s(50), s(42)}, small, oneLine);
  if (tray::DM != nullptr) {
    const auto& flags = tray::DM->IL_Flag25;
    canvas.DrawImage(&flags, flags.FindIndexByName(L"us"), o + s(50), s(12));
  }
  canvas.DrawText(L"EN", {o + s(78), s(8), o + s(106), s(42)}, bold, oneLine);
  canvas.DrawText(L"Notepad", {o + s(110), s(8), o + s(216), s(24)}, bold, oneLine);
  canvas.DrawText(L"notepad.exe", {o + s(110), s(25), o + s(216), s(42)}, bold, oneLine);
  if (m_arrowFromClass) ArrowDown(canvas, o + s(204), s(16), s(73), s(6));
  ArrowDown(canvas, o + s(130), s(40), s(73), s(6));
}

}  // namespace settings_window
