#include "ui/text_measurer.h"

#include <windows.h>

#include "ui/handles.h"

namespace ui {
namespace {

class GdiMeasurer : public TextMeasurer {
 public:
  TextSize Measure(const std::wstring& text, const Font& font) override {
    UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    if (!dc) return {};
    SelectedObject selected(dc.Get(), FontHandle(font));
    SIZE size{};
    ::GetTextExtentPoint32W(dc.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.Get(), &metrics);
    return {size.cx, metrics.tmHeight};
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
