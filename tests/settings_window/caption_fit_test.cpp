// Every caption of the settings window measured with the fonts the test desktop really draws: it
// fits its control and keeps clear of the other controls of its page. The test prefix carries
// Wine's own Tahoma (the pages' font) and draws Segoe UI with it, as a Windows machine would draw
// them; measured with a stand-in font, the captions would tell nothing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "pages_fixture.h"
#include "settings_window/copy_hint_picture.h"
#include "support/realised_font.h"
#include "ui/bevel.h"
#include "ui/flat_button.h"
#include "ui/label.h"
#include "ui/panel.h"
#include "ui/tree_list.h"

namespace {

using testing_support::PagesFixture;
using testing_support::RealisedFont;

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The control and every control below it that shows.
void Collect(ui::Control& c, std::vector<ui::Control*>& out) {
  if (!c.Visible()) return;
  out.push_back(&c);
  for (ui::Control* child : c.Children()) Collect(*child, out);
}

bool IsAncestor(const ui::Control& ancestor, const ui::Control& c) {
  for (const ui::Control* p = c.Parent(); p != nullptr; p = p->Parent()) {
    if (p == &ancestor) return true;
  }
  return false;
}

os::Rect Offset(const os::Rect& r, int dx, int dy) {
  return {r.Left + dx, r.Top + dy, r.Right + dx, r.Bottom + dy};
}

bool Overlap(const os::Rect& a, const os::Rect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

// A caption as GDI draws it into its control: the size it needs and the rectangle its text covers
// (the control's own coordinates).
struct Ink {
  int NeededWidth = 0;
  int NeededHeight = 0;
  os::Rect Covered;
};

Ink Measure(const std::wstring& text, const ui::Font& font, UINT flags, int width, int height) {
  HDC dc = ::CreateCompatibleDC(nullptr);
  HGDIOBJ old = ::SelectObject(dc, ui::FontHandle(font));
  RECT r{0, 0, width, height};
  const UINT calc = (flags & ~(DT_CENTER | DT_RIGHT | DT_VCENTER | DT_BOTTOM)) | DT_CALCRECT;
  ::DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, calc);
  ::SelectObject(dc, old);
  ::DeleteDC(dc);
  Ink ink{r.right, r.bottom, {}};
  int left = 0;
  if ((flags & DT_RIGHT) != 0) left = width - ink.NeededWidth;
  if ((flags & DT_CENTER) != 0) left = (width - ink.NeededWidth) / 2;
  int top = 0;
  if ((flags & DT_SINGLELINE) != 0 && (flags & DT_VCENTER) != 0) {
    top = (height - ink.NeededHeight) / 2;
  }
  ink.Covered = {left, top, left + ink.NeededWidth, top + ink.NeededHeight};
  return ink;
}

// The caption of a control that shows one, as it is drawn; false for other controls.
bool CaptionInk(const ui::Control& c, Ink& ink) {
  if (c.Caption().empty()) return false;
  if (const auto* label = dynamic_cast<const ui::Label*>(&c)) {
    ink = Measure(c.Caption(), c.GetFont(), label->TextFlags(), c.Width(), c.Height());
    return true;
  }
  if (dynamic_cast<const ui::FlatButton*>(&c) != nullptr ||
      dynamic_cast<const ui::Panel*>(&c) != nullptr) {
    ink = Measure(c.Caption(), c.GetFont(), DT_CENTER | DT_VCENTER | DT_SINGLELINE, c.Width(),
                  c.Height());
    return true;
  }
  return false;
}

// What a control covers of its page: a caption its text, a container nothing (its children
// count), nor does a bevelled box that controls sit in; the hint picture what it draws, any
// other control its whole rectangle.
bool Covers(const ui::Control& c, os::Rect& r) {
  const os::Rect place = c.RectInForm();
  Ink ink;
  if (CaptionInk(c, ink)) {
    r = Offset(ink.Covered, place.Left, place.Top);
    return true;
  }
  if (const auto* picture = dynamic_cast<const settings_window::CopyHintPicture*>(&c)) {
    r = Offset(picture->DrawnRect(), place.Left, place.Top);
    return true;
  }
  if (dynamic_cast<const ui::Panel*>(&c) != nullptr && !c.Children().empty()) return false;
  if (const auto* bevel = dynamic_cast<const ui::Bevel*>(&c)) {
    if (bevel->Shape() == ui::BevelShape::Box || bevel->Shape() == ui::BevelShape::Frame) {
      return false;
    }
  }
  if (dynamic_cast<const ui::Label*>(&c) != nullptr) return false;  // an empty label
  r = place;
  return true;
}

class CaptionFit : public PagesFixture, public ::testing::WithParamInterface<int> {
 protected:
  // Each page shown in turn: every caption fits its control, and no caption runs into another
  // control of the page or touches it.
  void CheckEveryPage(monitor::TfMain& w) {
    const auto pages = w.PagePanels();
    for (ui::Panel* page : pages) page->SetVisible(false);
    for (size_t i = 0; i < pages.size(); ++i) {
      ui::Panel& page = *pages[i];
      page.SetVisible(true);
      std::vector<ui::Control*> controls;
      Collect(page, controls);
      for (const ui::Control* c : controls) {
        Ink ink;
        if (!CaptionInk(*c, ink)) continue;
        const std::string what = "page " + std::to_string(i) + ", \"" + Narrow(c->Caption()) + "\"";
        EXPECT_LE(ink.NeededWidth, c->Width()) << what << " is cut at its right end";
        EXPECT_LE(ink.NeededHeight, c->Height()) << what << " is cut at its bottom";
        const os::Rect mine = Offset(ink.Covered, c->RectInForm().Left, c->RectInForm().Top);
        // One pixel all round, so that touching counts too.
        const os::Rect grown{mine.Left - 1, mine.Top - 1, mine.Right + 1, mine.Bottom + 1};
        for (const ui::Control* other : controls) {
          if (other == c || IsAncestor(*other, *c) || IsAncestor(*c, *other)) continue;
          os::Rect theirs;
          if (!Covers(*other, theirs)) continue;
          EXPECT_FALSE(Overlap(grown, theirs))
              << what << " runs into or touches the control at " << theirs.Left << ","
              << theirs.Top << " " << theirs.Width() << "x" << theirs.Height()
              << (other->Caption().empty() ? "" : " (\"" + Narrow(other->Caption()) + "\")");
        }
      }
      page.SetVisible(false);
    }
  }
};

TEST_P(CaptionFit, EveryCaptionOfEveryPageFitsAndKeepsClearOfItsNeighbours) {
  sys->Dpi = GetParam();
  ASSERT_EQ(RealisedFont(L"Tahoma", 13, false).Family, L"Tahoma")
      << "the test desktop lacks Wine's Tahoma (tools/wine-env puts it into the prefix)";
  auto& w = ShownMainWindow();
  if (w.Px(96) != GetParam()) GTEST_SKIP() << "the test desktop's DPI is not " << GetParam();
  CheckEveryPage(w);
}

// The language trees' column captions: the header control keeps three edge widths free on each
// side of a caption (6 pixels at 96 DPI); a column is 80 wide, or wider where its caption needs it.
TEST_P(CaptionFit, LanguageTreeHeadersShowTheirWholeCaptions) {
  sys->Dpi = GetParam();
  auto& w = ShownMainWindow();
  if (w.Px(96) != GetParam()) GTEST_SKIP() << "the test desktop's DPI is not " << GetParam();
  const int margins = 2 * 3 * ::GetSystemMetricsForDpi(SM_CXEDGE, static_cast<UINT>(GetParam()));
  for (const ui::TreeList* tree : {&w.vstLang_DesktopIndicator, &w.vstLang_DesktopBorder,
                                   &w.vstLang_MouseIndicator, &w.vstLang_CaretIndicator,
                                   &w.vstLang_RGB}) {
    for (int i = 1; i < tree->ColumnCount(); ++i) {
      const ui::TreeColumn& column = tree->Column(i);
      const int text = Measure(column.Text, tree->GetFont(), DT_SINGLELINE, 1000, 100).NeededWidth;
      EXPECT_LE(text + margins, tree->ColumnWidth(i)) << "\"" << Narrow(column.Text) << "\"";
      EXPECT_GE(tree->ColumnWidth(i), w.Px(80)) << "\"" << Narrow(column.Text) << "\"";
    }
  }
  // A caption that fits the layout's width keeps it.
  EXPECT_EQ(w.vstLang_DesktopIndicator.Column(3).Text, L"Font Color");
  EXPECT_EQ(w.vstLang_DesktopIndicator.ColumnWidth(3), w.Px(80));
}

// The two link labels at the window's top left size themselves to their addresses; each must still
// end inside their panel, 210 pixels wide or wider, or a part of the address is cut off.
TEST_P(CaptionFit, TheLinkLabelsShowTheirWholeAddressesInTheirPanel) {
  sys->Dpi = GetParam();
  auto& w = ShownMainWindow();
  if (w.Px(96) != GetParam()) GTEST_SKIP() << "the test desktop's DPI is not " << GetParam();
  EXPECT_GE(w.PanelWeb.Width(), w.Px(210));
  for (const ui::Label* link : {static_cast<const ui::Label*>(&w.L_WebSite),
                                static_cast<const ui::Label*>(&w.L_Telegram)}) {
    // Plain, and bold as under the pointer.
    for (const bool bold : {false, true}) {
      ui::Font font = link->GetFont();
      font.Bold = bold;
      const Ink ink = Measure(link->Caption(), font, DT_SINGLELINE, 1000, 100);
      EXPECT_LE(link->Left() + ink.NeededWidth, w.PanelWeb.Width())
          << "\"" << Narrow(link->Caption()) << "\"" << (bold ? " in bold" : "")
          << " is cut at the panel's right edge";
    }
  }
}

INSTANTIATE_TEST_SUITE_P(Dpi, CaptionFit, ::testing::Values(96, 144),
                         [](const auto& info) { return "dpi" + std::to_string(info.param); });

}  // namespace
