#include "ui/text_measurer.h"

#include <windows.h>

#include "ui/handles.h"
#include "ui/native_calls.h"

namespace ui {
namespace {

class GdiMeasurer : public TextMeasurer {
 public:
  TextSize Measure(const std::wstring& text, const Font& font) override {
    // All of it is the system's work (a round trip to the graphics server under Wine).
    return TimedSystemCall([&]() -> TextSize {
      UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
      if (!dc) return {};
      SelectedObject selected(dc.Get(), FontHandle(font));
      SIZE size{};
      ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
      TEXTMETRICW metrics{};
      ::GetTextMetricsW(dc.Get(), &metrics);
      return {size.cx, metrics.tmHeight};
    });
  }
};

GdiMeasurer g_gdi;
TextMeasurer* g_measurer = &g_gdi;

}  // namespace

TextMeasurer& Measurer() { return *g_measurer; }

TextMeasurer* SetTextMeasurer(TextMeasurer* measurer) noexcept {
  TextMeasurer* old = g_measurer == &g_gdi ? nullptr : g_measurer;
  g_measurer = measurer != nullptr ? measurer : &g_gdi;
  return old;
}

}  // namespace ui
