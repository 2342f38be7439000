#include "ui/flat_button.h"

#include <algorithm>

#include "ui/action.h"
#include "ui/image_source.h"
#include "ui/text_measurer.h"

namespace ui {

namespace {
constexpr os::TColor kFrame = static_cast<os::TColor>(0xFF000010);     // clBtnShadow
constexpr os::TColor kGrayText = static_cast<os::TColor>(0xFF000011);  // clGrayText
constexpr int kGap = 4;
}  // namespace

FlatButton::FlatButton(Control* parent) : Control(parent) {}

FlatButton::~FlatButton() { SetAction(nullptr); }

void FlatButton::SetAction(Action* action) {
  if (action == m_action) return;
  if (m_action != nullptr) {
    auto& clients = m_action->m_clients;
    clients.erase(std::remove(clients.begin(), clients.end(), this), clients.end());
  }
  m_action = action;
  if (m_action != nullptr) {
    m_action->m_clients.push_back(this);
    ActionChanged();
  }
}

void FlatButton::ActionChanged() {
  SetCaption(m_action->Caption());
  SetHint(m_action->Hint());
  SetImageIndex(m_action->ImageIndex());
  SetEnabled(m_action->Enabled());
  SetVisible(m_action->Visible());
}

void FlatButton::SetEnabled(bool enabled) {
  if (enabled == m_enabled) return;
  m_enabled = enabled;
  Invalidate();
}

void FlatButton::SetImages(const ImageSource* images) {
  if (images == m_images) return;
  m_images = images;
  Invalidate();
}

void FlatButton::SetImageIndex(int index) {
  if (index == m_imageIndex) return;
  m_imageIndex = index;
  Invalidate();
}

void FlatButton::MouseDown(MouseButton button, int x, int y) {
  Control::MouseDown(button, x, y);
  if (button != MouseButton::Left || !m_enabled) return;
  m_down = true;
  Invalidate();
}

void FlatButton::MouseUp(int, int) {
  if (!m_down) return;
  m_down = false;
  Invalidate();
}

void FlatButton::Click() {
  if (!m_enabled) return;
  if (m_action != nullptr) {
    m_action->Execute();
  } else {
    Control::Click();
  }
}

void FlatButton::Paint(Canvas& canvas) {
  const os::Rect r{0, 0, Width(), Height()};
  canvas.FillRect(r, Color());
  if (m_down) canvas.FrameRect(r, kFrame, 1);
  // The image and the caption as one block, centred.
  const bool image = m_images != nullptr && m_imageIndex >= 0 && m_imageIndex < m_images->ImageCount();
  const int imageWidth = image ? m_images->ImageWidth() : 0;
  const int textWidth = Caption().empty() ? 0 : Measurer().Measure(Caption(), GetFont()).Width;
  const int gap = image && textWidth > 0 ? kGap : 0;
  const int shift = m_down ? 1 : 0;
  int x = (Width() - (imageWidth + gap + textWidth)) / 2 + shift;
  if (image) {
    canvas.DrawImage(m_images, m_imageIndex, x, (Height() - m_images->ImageHeight()) / 2 + shift);
    x += imageWidth + gap;
  }
  if (textWidth > 0) {
    Font font = GetFont();
    if (!m_enabled) font.Color = kGrayText;
    canvas.DrawText(Caption(), {x, shift, x + textWidth, Height() + shift}, font,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_HIDEPREFIX);
  }
}

}  // namespace ui
