#pragma once
// The font GDI really draws for a description: tests that measure text with the test desktop's
// fonts first make sure those are the fonts a Windows machine would draw.
#include <windows.h>

#include <string>
#include <vector>

#include "ui/font.h"

namespace testing_support {

struct Realised {
  std::wstring Family;  // "Tahoma" for Wine's Tahoma, whatever face was asked for
  std::wstring Style;   // "Regular", "Bold" ...
  int CharSet = 0;
  bool FixedPitch = false;
};

inline Realised RealisedFont(const std::wstring& face, int height, bool bold) {
  Realised out;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, ui::FontHandle({face, height, bold, 0}));
  const UINT size = ::GetOutlineTextMetricsW(dc, 0, nullptr);
  if (size != 0) {
    std::vector<char> buffer(size);
    auto* metrics = reinterpret_cast<OUTLINETEXTMETRICW*>(buffer.data());
    if (::GetOutlineTextMetricsW(dc, size, metrics) != 0) {
      auto text = [&](PSTR offset) {
        return std::wstring(reinterpret_cast<const wchar_t*>(buffer.data() +
                                                             reinterpret_cast<size_t>(offset)));
      };
      out.Family = text(metrics->otmpFamilyName);
      out.Style = text(metrics->otmpStyleName);
      out.CharSet = metrics->otmTextMetrics.tmCharSet;
      // The flag is set for a variable pitch, whatever its name says.
      out.FixedPitch = (metrics->otmTextMetrics.tmPitchAndFamily & TMPF_FIXED_PITCH) == 0;
    }
  }
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  return out;
}

}  // namespace testing_support
