#pragma once
// A text measurer whose sizes tests can compute: every character is half the font's height wide
// (one pixel more in bold), and a line is the font's height plus 3.
#include "ui/text_measurer.h"

namespace testing_support {

class FixedTextMeasurer : public ui::TextMeasurer {
 public:
  static int CharWidth(const ui::Font& font) { return font.Height / 2 + (font.Bold ? 1 : 0); }
  static int LineHeight(const ui::Font& font) { return font.Height + 3; }
  static ui::TextSize SizeOf(const std::wstring& text, const ui::Font& font) {
    return {static_cast<int>(text.size()) * CharWidth(font), LineHeight(font)};
  }
  ui::TextSize Measure(const std::wstring& text, const ui::Font& font) override {
    return SizeOf(text, font);
  }
};

// Installs a FixedTextMeasurer for the life of the object.
class ScopedFixedTextMeasurer {
 public:
  ScopedFixedTextMeasurer() : m_old(ui::SetTextMeasurer(&m_measurer)) {}
  ~ScopedFixedTextMeasurer() { ui::SetTextMeasurer(m_old); }
  ScopedFixedTextMeasurer(const ScopedFixedTextMeasurer&) = delete;
  ScopedFixedTextMeasurer& operator=(const ScopedFixedTextMeasurer&) = delete;

 private:
  FixedTextMeasurer m_measurer;
  ui::TextMeasurer* m_old;
};

}  // namespace testing_support
