#pragma once
#include <string>
#include <vector>

#include "ui/control.h"

namespace ui {

// A group of radio items, one under the other, with an optional caption and frame. ItemIndex is
// kept within -1..count-1. OnClick runs on every actual change of ItemIndex, whether the user
// clicked an item or code set it. The caption and the items raise nothing: re-captioning keeps
// the chosen item.
class RadioGroup : public Control {
 public:
  explicit RadioGroup(Control* parent);

  int ItemIndex() const noexcept { return m_itemIndex; }
  // A value outside -1..count-1 is stored as the nearest of these.
  void SetItemIndex(int index);

  const std::vector<std::wstring>& Items() const noexcept { return m_items; }
  int Count() const noexcept { return static_cast<int>(m_items.size()); }
  // A shorter list moves ItemIndex to its last item, quietly.
  void SetItems(std::vector<std::wstring> items);
  // Re-captions one item; an index out of range does nothing.
  void SetItem(int index, const std::wstring& text);
  // Item changes inside the bracket repaint once, when it closes.
  void BeginUpdate() noexcept { ++m_updating; }
  void EndUpdate();

  bool ShowFrame() const noexcept { return m_showFrame; }
  void SetShowFrame(bool show);

  // The item at a point of the control; -1 when the point is on none.
  int ItemAt(int x, int y) const;
  // An item's row, in the control's own coordinates.
  os::Rect ItemRect(int index) const;

  void MouseDown(MouseButton button, int x, int y) override;
  void Click() override;  // chooses the item the left button went down on
  void Paint(Canvas& canvas) override;

  static constexpr int kButtonSize = 13;

 private:
  // The items' area: below the caption, inside the frame.
  os::Rect ItemsArea() const;
  int CaptionHeight() const;
  void Changed();

  std::vector<std::wstring> m_items;
  int m_itemIndex = -1;
  int m_pressedItem = -1;
  bool m_showFrame = true;
  int m_updating = 0;
  bool m_dirty = false;
};

}  // namespace ui
