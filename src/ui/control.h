#pragma once
// Windowless controls: their form paints them, double-buffered, and routes mouse input to them by
// hit test. Setting a property to the value it already has does nothing.
#include <functional>
#include <string>
#include <vector>

#include "os/types.h"
#include "ui/canvas.h"
#include "ui/component.h"
#include "ui/font.h"

namespace ui {

class Form;
class PopupMenu;

enum class Align { None, Top, Bottom, Left, Right, Client };
enum class MouseButton { Left, Right, Middle };

// Edges of its parent that a control keeps its distance to when the parent is resized. Held to
// the left and the right, it stretches; held to the right only, it moves.
enum Anchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };

class Control : public Component {
 public:
  explicit Control(Control* parent);
  ~Control() override;

  Control* Parent() const noexcept { return m_parent; }
  void SetParent(Control* parent);
  const std::vector<Control*>& Children() const noexcept { return m_children; }
  virtual Form* OwnerForm();

  int Left() const noexcept { return m_bounds.Left; }
  int Top() const noexcept { return m_bounds.Top; }
  int Width() const noexcept { return m_bounds.Width(); }
  int Height() const noexcept { return m_bounds.Height(); }
  const os::Rect& BoundsRect() const noexcept { return m_bounds; }
  // A docked control (Align other than None) takes only its thickness across its edge from
  // here: the height when docked to the top or bottom, the width when docked left or right.
  void SetBounds(int left, int top, int width, int height);
  void SetLeft(int v) { SetBounds(v, Top(), Width(), Height()); }
  void SetTop(int v) { SetBounds(Left(), v, Width(), Height()); }
  void SetWidth(int v) { SetBounds(Left(), Top(), v, Height()); }
  void SetHeight(int v) { SetBounds(Left(), Top(), Width(), v); }

  bool Visible() const noexcept { return m_visible; }
  virtual void SetVisible(bool visible);
  Align GetAlign() const noexcept { return m_align; }
  void SetAlign(Align align);
  // Controls of one alignment are docked in the order they were created; this one moves to the
  // outermost place of its edge (the first docked), before every sibling of the same alignment.
  void SetDockOutermost();

  os::TColor Color() const noexcept { return m_color; }
  void SetColor(os::TColor color);
  const ui::Font& GetFont() const noexcept { return m_font; }
  void SetFont(const ui::Font& font);
  void SetFontColor(os::TColor color);
  void SetFontBold(bool bold);
  const std::wstring& Caption() const noexcept { return m_caption; }
  virtual void SetCaption(const std::wstring& caption);
  const std::wstring& Hint() const noexcept { return m_hint; }
  void SetHint(const std::wstring& hint) { m_hint = hint; }
  // Shown when the user asks for a context menu over this control; a control without one
  // passes the request on to its parent.
  void SetPopupMenu(PopupMenu* menu) noexcept { m_popupMenu = menu; }
  PopupMenu* GetPopupMenu() const noexcept { return m_popupMenu; }

  // The control's rectangle in its form's client coordinates.
  os::Rect RectInForm() const;
  // The deepest visible control at a point of this control's own coordinates; this when no
  // child is there.
  Control* ControlAt(int x, int y);
  // Client area for aligned children, in own coordinates.
  virtual os::Rect ClientRect() const { return {0, 0, Width(), Height()}; }

  void Invalidate();

  std::function<void(MouseButton, int x, int y)> OnMouseDown;
  std::function<void()> OnClick;

  // Input routed by the form (own coordinates).
  virtual void MouseDown(MouseButton button, int x, int y);
  virtual void Click();

  // --- Anchors and dragging (splitters)
  unsigned Anchors() const noexcept { return m_anchors; }
  void SetAnchors(unsigned anchors);
  // While the left button that went down on this control is held, the form routes the pointer's
  // moves here, and the release (own coordinates).
  virtual void MouseMove(int, int) {}
  virtual void MouseUp(int, int) {}
  // The system cursor shown over the control (IDC_*); null: the form's arrow.
  virtual const wchar_t* CursorName() const { return nullptr; }
  // The mouse wheel turned over the control by `delta` (WHEEL_DELTA a notch, positive away from
  // the user); false passes it on to the parent.
  virtual bool MouseWheel(int) { return false; }
  // --- end of anchors and dragging

  // Paints the control itself; the canvas origin is its top-left corner.
  virtual void Paint(Canvas& canvas);
  // Paints this control and then its visible children.
  void PaintTree(Canvas& canvas, const os::Point& origin);

 protected:
  // Called after the bounds changed; a form moves its window here.
  virtual void BoundsChanged() {}
  // Keeps a new size within the control's limits (a form's minimum size) before it is taken.
  virtual void ConstrainSize(int& /*width*/, int& /*height*/) const {}
  // Called after the font changed (a label that sizes itself to its text measures again).
  virtual void FontChanged() {}
  // Called on a control and all below it after its place in the form or its showing may have
  // changed (bounds, visibility, parent, the form's window made): a control with a native child
  // window moves, shows or hides that window here. The default passes it on to the children.
  virtual void NativePlacementChanged();
  void Realign();
  void SetBoundsSilently(const os::Rect& r) { m_bounds = r; }
  void SetVisibleFlag(bool visible) { m_visible = visible; }
  // Moves the control to a place its parent's layout gives it (docking, anchors).
  void PlaceByParent(const os::Rect& r);

  // --- A move to a monitor of another DPI (the form runs these once per change)
  // The pixel sizes a control keeps of its own, beyond the bounds, font and anchor distances
  // that the walk scales for it (spin buttons, row heights, column widths ...): each becomes
  // MulDiv(size, m, d). Runs before the layout is made again, so it only stores the new sizes.
  virtual void ChangeScale(int /*m*/, int /*d*/) {}
  // Scales this control and every one below it, quietly: nothing is placed, measured or painted
  // yet. Its own bounds only with `withBounds` (a form takes its bounds from the system). The
  // controls whose font changed are added to `fontChanged`, parents before children.
  void ScaleTree(int m, int d, bool withBounds, std::vector<Control*>& fontChanged);
  // After the form took its new size: the fonts reach the controls (native windows, labels that
  // size themselves), then every container lays its children out again, from the top down.
  void ApplyScaledLayout(const std::vector<Control*>& fontChanged);

 private:
  Control* m_parent = nullptr;
  std::vector<Control*> m_children;
  os::Rect m_bounds;
  bool m_visible = true;
  Align m_align = Align::None;
  long long m_dockOrder;
  PopupMenu* m_popupMenu = nullptr;
  os::TColor m_color = os::clBtnFace;
  ui::Font m_font;
  std::wstring m_caption;
  std::wstring m_hint;

  // Anchors: the distances to the parent's right and bottom edges, taken whenever the control
  // is placed by code, kept when the parent resizes.
  void RememberAnchorDistances();
  void PlaceAnchoredChildren();
  void RealignTree();
  unsigned m_anchors = akLeft | akTop;
  int m_anchorRight = 0;
  int m_anchorBottom = 0;
};

}  // namespace ui
