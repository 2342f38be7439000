#pragma once
// The one place that measures text for controls that size themselves to it. Tests install a
// measurer of their own, so that sizes do not depend on the fonts of the machine.
#include <string>

#include "ui/font.h"

namespace ui {

struct TextSize {
  int Width = 0;
  int Height = 0;
  friend bool operator==(const TextSize&, const TextSize&) = default;
};

class TextMeasurer {
 public:
  virtual ~TextMeasurer() = default;
  // The width of the text on one line and the font's line height.
  virtual TextSize Measure(const std::wstring& text, const Font& font) = 0;
};

// The installed measurer; the screen's GDI measurer unless a test installed another.
TextMeasurer& Measurer();
// Installs a measurer (not owned); null restores the GDI one. Returns the one installed before.
TextMeasurer* SetTextMeasurer(TextMeasurer* measurer) noexcept;

}  // namespace ui
