// Hostile pages stay within the bounds of what the About page hands its view: the text, its runs
// and links are capped, the parser's work is linear in the page, and the page's beginning shows.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <algorithm>
#include <string>
#include <vector>

#include "html_view_form.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/html_text.h"
#include "ui/html_view.h"
#include "support/fake_system.h"
#include "support/program_state.h"

namespace {

std::string Repeat(const std::string& s, std::size_t n) {
  std::string out;
  out.reserve(s.size() * n);
  for (std::size_t i = 0; i < n; ++i) out += s;
  return out;
}

std::vector<std::wstring_view> Lines(std::wstring_view text) {
  std::vector<std::wstring_view> lines;
  for (std::size_t at = 0; at <= text.size();) {
    const std::size_t end = std::min(text.find(L'\n', at), text.size());
    lines.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  return lines;
}

const std::string kTableRows =
    "<table>" + Repeat("<tr><td>cell</td><td>12345</td></tr>\n", 54'000) + "</table>";

struct HostilePage {
  const char* Name;
  std::string Html;
  std::wstring Beginning;  // what the text starts with
};

TEST(HtmlBounds, HostilePagesKeepTheirBeginningWithinTheBounds) {
  const std::wstring nestedStart = L"  \x2022 item\n      \x2022 item\n          \x2022 item\n";
  const HostilePage pages[] = {
      {"nested lists", Repeat("<ul><li>item\n", 10'000), nestedStart},
      {"raw text elements",
       Repeat("<script>var a = 1;</script><STYLE>p {}</Style>", 10'000) + "<p>after</p>", L"after"},
      {"long paragraph", "<p>" + Repeat("word ", 128 * 1024 / 5) + "</p>", L"word word word"},
      {"long preformatted line", "<pre>" + std::string(100'000, 'x') + "</pre>", L"xxxx"},
      {"table rows", kTableRows, L"cell 12345\ncell 12345\n"},
      {"bold lines", Repeat("<b>bold line</b><br>\n", 100'000), L"bold line\nbold line\n"},
      {"links", Repeat("<a href=\"http://x.example/\">l</a> ", 20'000), L"l l l"},
      {"ampersands", "<p>" + std::string(256 * 1024, '&') + "</p>", L"&&&&"},
      {"unclosed formats", Repeat("<b>", 20'000) + "text" + Repeat("</i>", 20'000), L"text"},
  };
  for (const HostilePage& page : pages) {
    SCOPED_TRACE(page.Name);
    ui::HtmlParseStats stats;
    const ui::HtmlDocument doc = ui::ParseHtml(ui::DecodeHtmlBytes(page.Html), &stats);
    EXPECT_LE(doc.Text.size(), ui::kMaxHtmlText);
    EXPECT_LE(doc.Text.size(), 4 * page.Html.size());
    EXPECT_LE(doc.Runs.size(), ui::kMaxHtmlRuns);
    EXPECT_LE(doc.Links.size(), ui::kMaxHtmlLinks);
    EXPECT_LE(stats.Scanned, 8 * page.Html.size()) << "the parser's work grows with the page";
    EXPECT_EQ(doc.Text.substr(0, page.Beginning.size()), page.Beginning);
    std::size_t longest = 0, deepest = 0;
    for (std::wstring_view line : Lines(doc.Text)) {
      longest = std::max(longest, line.size());
      deepest = std::max(deepest, std::min(line.find_first_not_of(L' '), line.size()));
    }
    EXPECT_LE(longest, ui::kMaxHtmlLine);
    EXPECT_LE(deepest, ui::kMaxHtmlListDepth * 4 - 2) << "lists indent no deeper than the kept depth";
  }
}

TEST(HtmlBounds, ALongParagraphBreaksAtItsBlanks) {
  const ui::HtmlDocument doc = ui::RenderHtml("<p>" + Repeat("word ", 10'000) + "</p>");
  const std::vector<std::wstring_view> lines = Lines(doc.Text);
  ASSERT_GT(lines.size(), 1u);
  for (std::wstring_view line : lines) {
    EXPECT_EQ(line.size() % 5, 4u) << "whole words only";
    EXPECT_EQ(line.substr(0, 4), L"word");
  }
}

TEST(HtmlBounds, TheDeepestListsIndentAsTheLastKeptLevelAndCloseInOrder) {
  const std::string deep = Repeat("<ul><li>in", 12) + Repeat("</ul>", 12) + "<ul><li>out</ul>";
  const ui::HtmlDocument doc = ui::RenderHtml(deep);
  const std::vector<std::wstring_view> lines = Lines(doc.Text);
  ASSERT_EQ(lines.size(), 13u);
  for (std::size_t level = 0; level < 12; ++level) {
    const std::size_t kept = std::min<std::size_t>(level + 1, ui::kMaxHtmlListDepth);
    EXPECT_EQ(lines[level], std::wstring(kept * 4 - 2, L' ') + L"\x2022 in") << level;
  }
  EXPECT_EQ(lines[12], L"  \x2022 out") << "the lists beyond the kept depth closed too";
}

TEST(HtmlBounds, ThePageEndsAtTheFirstBoundItReachesAndEveryLinkKeepsItsText) {
  const ui::HtmlDocument doc = ui::RenderHtml(Repeat("<a href=\"http://x.example/\">link</a> ", 5'000));
  ASSERT_EQ(doc.Links.size(), ui::kMaxHtmlLinks);
  for (const ui::HtmlLink& link : doc.Links) EXPECT_EQ(doc.Text.substr(link.Start, link.Length), L"link");
  EXPECT_EQ(doc.Text.size(), doc.Links.back().Start + doc.Links.back().Length) << "nothing after the last link";
}

class HtmlBoundsView : public ::testing::Test {
 protected:
  void SetUp() override { testing_support::ResetProgramState(); }
  void TearDown() override { testing_support::ResetProgramState(); }
  testing_support::ScopedFakeSystem sys;
};

TEST_F(HtmlBoundsView, ALargePageShowsItsBoundedBeginning) {
  ui::Owned<testing_support::HtmlViewForm> form(new testing_support::HtmlViewForm());
  form->Show();
  ui::App().ProcessMessages();
  form->View.LoadHtml(kTableRows);
  ui::App().ProcessMessages();
  HWND edit = form->View.Handle();
  GETTEXTLENGTHEX count{GTL_NUMCHARS | GTL_PRECISE, 1200};
  const LRESULT length = ::SendMessageW(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&count), 0);
  EXPECT_LE(static_cast<std::size_t>(length), ui::kMaxHtmlText);
  EXPECT_EQ(static_cast<std::size_t>(length), form->View.Document().Text.size());
  std::wstring start(64, L'\0');
  TEXTRANGEW range{{0, 22}, start.data()};
  start.resize(static_cast<std::size_t>(::SendMessageW(edit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range))));
  EXPECT_EQ(start, L"cell 12345\rcell 12345\r");
  EXPECT_EQ(::SendMessageW(edit, EM_GETEVENTMASK, 0, 0), ENM_LINK) << "the view's events are on again";
}

}  // namespace
