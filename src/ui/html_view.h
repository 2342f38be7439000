#pragma once
// A read-only view of an HTML page: the supported subset (see html_text.h) as rich-edit text
// with link ranges. The text can be selected and copied; a click on a link raises
// OnHotSpotClick with the link's target as the page gives it. It runs no script and loads
// nothing from the network.
#include <windows.h>

#include <functional>
#include <string>
#include <string_view>

#include "ui/html_text.h"
#include "ui/win_control.h"

namespace ui {

class HtmlView : public WinControl {
 public:
  explicit HtmlView(Control* parent);
  ~HtmlView() override;

  // Shows the page's bytes (its charset as html_text.h decodes it).
  void LoadHtml(std::string_view bytes);
  void SetDocument(HtmlDocument document);
  const HtmlDocument& Document() const noexcept { return m_document; }

  std::function<void(const std::wstring& src)> OnHotSpotClick;

 protected:
  void CreateWindowHandle(HWND parent, const os::Rect& r) override;
  void WindowCreated() override;
  bool HandleParentMessage(WindowMessage& message) override;
  void FontChanged() override;

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                       DWORD_PTR data) noexcept;
  void ShowDocument();

  HtmlDocument m_document;
};

}  // namespace ui
