// The About page's HTML subset as the view's text, formats and links.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "ui/html_text.h"

namespace {

using ui::HtmlDocument;
using ui::HtmlFormat;

const HtmlFormat& FormatAt(const HtmlDocument& doc, std::size_t position) {
  for (const auto& run : doc.Runs) {
    if (position >= run.Start && position < run.Start + run.Length) return run.Format;
  }
  static const HtmlFormat none;
  ADD_FAILURE() << "no run at " << position;
  return none;
}

std::wstring Text(const std::string& html) { return ui::RenderHtml(html).Text; }

TEST(HtmlText, BlocksBreaksAndBlanks) {
  const std::wstring rule(40, L'\x2500');
  const std::vector<std::pair<std::string, std::wstring>> cases{
      {"<p>One</p><p>Two</p>", L"One\n\nTwo"},
      {"a<br>b<br/>c", L"a\nb\nc"},
      {"  Hello \n\t  world  ", L"Hello world"},
      {"<div>a</div><div>b</div>", L"a\nb"},
      {"<h1>Title</h1>text", L"Title\n\ntext"},
      {"a<hr>b", L"a\n" + rule + L"\nb"},
      {"<ul><li>A</li><li>B</li></ul><ol><li>X<li>Y</ol>",
       L"  \x2022 A\n  \x2022 B\n  1. X\n  2. Y"},
      {"<ul><li>A<ul><li>B</li></ul></li></ul>", L"  \x2022 A\n      \x2022 B"},
      {"<pre>\n a  b\n c</pre>after", L" a  b\n c\n\nafter"},
      {"See <img src='x.png' alt='logo'> here", L"See logo here"},
      {"a<!-- <b>x</b> -->b", L"ab"},
      {"<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>T</title>"
       "<style>p { color: red }</style><script>var a = '<p>x</p>';</script></head>"
       "<body>Body</body></html>",
       L"Body"},
      {"1 < 2 and 3 > 2", L"1 < 2 and 3 > 2"},
      {"<table><tr><td>a</td><td>b</td></tr><tr><td>c</td></tr></table>", L"a b\nc"},
      {"<span>in</span><unknown>side</unknown>", L"inside"},
  };
  for (const auto& [html, text] : cases) EXPECT_EQ(Text(html), text) << html;
}

TEST(HtmlText, Entities) {
  const std::vector<std::pair<std::string, std::wstring>> cases{
      {"&lt;b&gt; &amp; &quot;x&quot; &apos;y&apos;", L"<b> & \"x\" 'y'"},
      {"&copy; &reg; &trade; &euro; &nbsp;|", L"\x00A9 \x00AE \x2122 \x20AC \x00A0|"},
      {"&mdash;&ndash;&hellip;&laquo;&raquo;", L"\x2014\x2013\x2026\x00AB\x00BB"},
      {"&#8364; &#x41; &#X42; &#0; &#xD800;", L"\x20AC A B \xFFFD \xFFFD"},
      {"&unknown; &amp &#xZZ; AT&T", L"&unknown; &amp &#xZZ; AT&T"},
      {"&#x1F600;", L"\xD83D\xDE00"},
  };
  for (const auto& [html, text] : cases) EXPECT_EQ(Text(html), text) << html;
}

TEST(HtmlText, FormatsNestAndEnd) {
  const HtmlDocument doc = ui::RenderHtml(
      "<b>B<i>I</i></b><u>U</u><font color=\"#FF0000\">R</font><font color=navy>N</font>"
      "<font color=#0a0>G</font><code>C</code>P");
  ASSERT_EQ(doc.Text, L"BIURNGCP");
  EXPECT_TRUE(FormatAt(doc, 0).Bold);
  EXPECT_FALSE(FormatAt(doc, 0).Italic);
  EXPECT_TRUE(FormatAt(doc, 1).Bold && FormatAt(doc, 1).Italic);
  EXPECT_TRUE(FormatAt(doc, 2).Underline);
  EXPECT_FALSE(FormatAt(doc, 2).Bold) << "</b> ended the bold";
  EXPECT_EQ(FormatAt(doc, 3).Color, os::TColor{0x0000FF}) << "red as 0x00BBGGRR";
  EXPECT_EQ(FormatAt(doc, 4).Color, os::TColor{0x800000}) << "navy";
  EXPECT_EQ(FormatAt(doc, 5).Color, os::TColor{0x00AA00});
  EXPECT_EQ(FormatAt(doc, 6).FontName, L"Courier New");
  EXPECT_EQ(FormatAt(doc, 7), HtmlFormat{});
  const HtmlDocument spaced = ui::RenderHtml("The <u>window tree</u> lists");
  ASSERT_EQ(spaced.Text, L"The window tree lists");
  EXPECT_FALSE(FormatAt(spaced, 3).Underline) << "the blank before the element stays plain";
  EXPECT_TRUE(FormatAt(spaced, 4).Underline);
  // The runs cover the text without gaps.
  std::size_t next = 0;
  for (const auto& run : doc.Runs) {
    EXPECT_EQ(run.Start, next);
    next = run.Start + run.Length;
  }
  EXPECT_EQ(next, doc.Text.size());
}

TEST(HtmlText, HeadingsAndPreformattedText) {
  const HtmlDocument doc = ui::RenderHtml("<h1>A</h1><h3>B</h3><pre>C</pre>D");
  ASSERT_EQ(doc.Text, L"A\n\nB\n\nC\n\nD");
  EXPECT_TRUE(FormatAt(doc, 0).Bold);
  EXPECT_EQ(FormatAt(doc, 0).SizePercent, 200);
  EXPECT_EQ(FormatAt(doc, 3).SizePercent, 117);
  EXPECT_EQ(FormatAt(doc, 6).FontName, L"Arial");
  EXPECT_EQ(FormatAt(doc, 9), HtmlFormat{});
}

TEST(HtmlText, LinksKeepTheirTargetsAsThePageGivesThem) {
  const HtmlDocument doc = ui::RenderHtml(
      "Go <a href=\"https://halvarin.example/?a=1&amp;b=2\">home</a> or "
      "<a href='file:///C:/Windows/notepad.exe'><b>there</b></a>. <a name=\"x\">anchor</a>"
      "<a href=\"http://one.example/\">one<a href=\"http://two.example/\">two</a>");
  ASSERT_EQ(doc.Text, L"Go home or there. anchoronetwo");
  const std::vector<ui::HtmlLink> expected{
      {3, 4, L"https://halvarin.example/?a=1&b=2"},
      {11, 5, L"file:///C:/Windows/notepad.exe"},
      {24, 3, L"http://one.example/"},
      {27, 3, L"http://two.example/"},
  };
  EXPECT_EQ(doc.Links, expected) << "no link without href; links never nest";
  ASSERT_NE(doc.LinkAt(5), nullptr);
  EXPECT_EQ(doc.LinkAt(5)->Target, L"https://halvarin.example/?a=1&b=2");
  EXPECT_EQ(doc.LinkAt(7), nullptr);
  EXPECT_TRUE(FormatAt(doc, 12).Bold);
}

TEST(HtmlText, Utf8WithAndWithoutAMarkAndBrokenBytes) {
  EXPECT_EQ(Text("\xD0\x9F\xD1\x80\xD0\xB8 \xE2\x82\xAC"), L"\x041F\x0440\x0438 \x20AC");
  EXPECT_EQ(Text("\xEF\xBB\xBF<meta charset=windows-1251>\xD0\x9F"), L"\x041F")
      << "a byte-order mark outranks the declaration";
  EXPECT_EQ(Text("a\xFF" "b\xC3"), L"a\xFFFD" L"b\xFFFD");
  EXPECT_EQ(Text("\xC0\xAF"), L"\xFFFD") << "an overlong form is no slash";
}

// The platform's own code page tables are the reference for the two legacy charsets.
std::wstring ByCodePage(unsigned codePage, const std::string& bytes) {
  std::wstring out(bytes.size(), L'\0');
  const int n = ::MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()),
                                      out.data(), static_cast<int>(out.size()));
  out.resize(static_cast<size_t>(n > 0 ? n : 0));
  return out;
}

TEST(HtmlText, DeclaredLegacyCodePagesDecodeAsThePlatformDoes) {
  struct Case {
    unsigned CodePage;
    std::string Head;
    std::vector<int> Undefined;
  };
  const Case cases[] = {
      {1251, "<meta charset=\"windows-1251\">", {0x98}},
      {1252, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=ISO-8859-1\">",
       {0x81, 0x8D, 0x8F, 0x90, 0x9D}},
      {1252, "<META CHARSET='Windows-1252'>", {0x81, 0x8D, 0x8F, 0x90, 0x9D}},
  };
  for (const Case& c : cases) {
    std::string bytes;
    for (int b = 0x80; b <= 0xFF; ++b) {
      if (std::find(c.Undefined.begin(), c.Undefined.end(), b) == c.Undefined.end()) {
        bytes += static_cast<char>(b);
      }
    }
    const std::wstring decoded = ui::DecodeHtmlBytes(c.Head + bytes);
    ASSERT_GE(decoded.size(), c.Head.size());
    EXPECT_EQ(decoded.substr(c.Head.size()), ByCodePage(c.CodePage, bytes)) << c.Head;
  }
}

}  // namespace
