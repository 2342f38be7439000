#pragma once
// A canvas that draws nothing and records what a paint handler asked for, in order.
#include <string>
#include <vector>

#include "ui/canvas.h"

namespace testing_support {

struct CanvasOp {
  enum Kind { Fill, Frame, Line, Image, Text } What;
  os::Rect R;            // Fill, Frame, Text; Line: (x1, y1) - (x2, y2) as Left/Top - Right/Bottom
  os::TColor Color = 0;  // Fill, Frame, Line
  int Thickness = 0;     // Frame
  const ui::ImageSource* Images = nullptr;  // Image
  int Index = 0;                            // Image
  std::wstring String;                      // Text
};

// The operations of one kind, in order.
inline std::vector<CanvasOp> OfKind(const std::vector<CanvasOp>& ops, CanvasOp::Kind kind) {
  std::vector<CanvasOp> out;
  for (const CanvasOp& op : ops) {
    if (op.What == kind) out.push_back(op);
  }
  return out;
}

class RecordingCanvas : public ui::Canvas {
 public:
  RecordingCanvas() : ui::Canvas(nullptr) {}
  std::vector<CanvasOp> Ops;

  std::vector<CanvasOp> OfKind(CanvasOp::Kind kind) const { return testing_support::OfKind(Ops, kind); }

  void FillRect(const os::Rect& r, os::TColor color) override {
    Ops.push_back({CanvasOp::Fill, r, color});
  }
  void FrameRect(const os::Rect& r, os::TColor color, int thickness) override {
    Ops.push_back({CanvasOp::Frame, r, color, thickness});
  }
  void Line(int x1, int y1, int x2, int y2, os::TColor color) override {
    Ops.push_back({CanvasOp::Line, {x1, y1, x2, y2}, color});
  }
  void DrawImage(const ui::ImageSource* images, int index, int x, int y) override {
    Ops.push_back({CanvasOp::Image, {x, y, x, y}, 0, 0, images, index});
  }
  void RoundRect(const os::Rect& r, int, os::TColor fill, os::TColor) override {
    Ops.push_back({CanvasOp::Fill, r, fill});
  }
  void Ellipse(const os::Rect& r, os::TColor fill, os::TColor) override {
    Ops.push_back({CanvasOp::Fill, r, fill});
  }
  void DrawText(const std::wstring& text, const os::Rect& r, const ui::Font& font,
                UINT) override {
    Ops.push_back({CanvasOp::Text, r, font.Color, 0, nullptr, 0, text});
  }
};

}  // namespace testing_support
