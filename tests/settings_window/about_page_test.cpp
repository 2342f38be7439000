// The About page: the link filter, what a click on a link or a link label opens, which news
// file the page shows, and the view showing a page with its links.
#include <gtest/gtest.h>
#include <windows.h>
#include <richedit.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "html_view_form.h"
#include "core/common.h"
#include "settings_window/about_page.h"
#include "support/fake_shell.h"
#include "support/fake_system.h"
#include "support/program_state.h"
#include "ui/application.h"
#include "ui/form.h"
#include "ui/html_view.h"
#include "ui/link_label.h"

namespace {

TEST(LinkFilter, OnlyAbsoluteWebAddressesPass) {
  const std::vector<std::wstring> web{
      L"http://halvarin.example/",
      L"https://halvarin.example/update/a.html?x=1&y=2#top",
      L"HTTP://HALVARIN.EXAMPLE",
      L"hTTpS://x",
  };
  for (const auto& a : web) EXPECT_TRUE(settings_window::IsWebLink(a)) << a.c_str();
  const std::vector<std::wstring> refused{
      L"",
      L"file:///C:/Windows/system32/calc.exe",
      L"C:\\Windows\\notepad.exe",
      L"\\\\server\\share\\setup.exe",
      L"javascript:alert(1)",
      L"ftp://halvarin.example/",
      L"mailto:someone@halvarin.example",
      L"ms-settings:privacy",
      L"shell:::{B4BFCC3A-DB2C-424C-B029-7FE99A87C641}",
      L"http:halvarin.example",
      L"http:/halvarin.example",
      L"http://",
      L"https:///etc/passwd",
      L"http:\\\\halvarin.example\\x",
      L"http://\\\\server\\share",
      L"//halvarin.example/x",
      L"News-Halvarin.html",
      L" http://halvarin.example/",
      L"http://halvarin.example/a b",
      L"http://halvarin.example/\n",
      L"http://halvarin.example/\"x",
  };
  for (const auto& a : refused) EXPECT_FALSE(settings_window::IsWebLink(a)) << a.c_str();
}

class AboutPage : public ::testing::Test {
 protected:
  void SetUp() override {
    testing_support::ResetProgramState();
    core::PathSettings = L"C:\\Work\\Settings\\";
    core::PathProgram = L"C:\\Programs\\Halvarin\\";
  }
  void TearDown() override { testing_support::ResetProgramState(); }

  testing_support::ScopedFakeSystem sys;
  testing_support::ScopedFakeShell shell;
};

TEST_F(AboutPage, ALinkOfThePageOpensOnlyWebAddresses) {
  settings_window::HtmlViewerHotSpotClick(L"file:///C:/Windows/notepad.exe");
  settings_window::HtmlViewerHotSpotClick(L"\\\\server\\share");
  settings_window::HtmlViewerHotSpotClick(L"javascript:alert(1)");
  EXPECT_TRUE(shell->Executed.empty());
  shell->TopWindows[L"ProgMan"] = 0x6B6B0;  // the desktop's program window
  settings_window::HtmlViewerHotSpotClick(L"https://halvarin.example/news");
  ASSERT_EQ(shell->Executed.size(), 1u);
  const os::ShellCommand& c = shell->Executed[0];
  EXPECT_EQ(c.File, L"https://halvarin.example/news");
  EXPECT_EQ(c.Verb, L"") << "the shell's default action";
  EXPECT_EQ(c.Owner, 0x6B6B0u) << "owned by the desktop's program window";
  EXPECT_EQ(c.ShowCommand, os::kSwShowNormal);
}

TEST_F(AboutPage, ALinkLabelOpensItsHint) {
  for (const os::WindowHandle progMan : {os::WindowHandle{0x6B6B0}, os::WindowHandle{0}}) {
    shell->TopWindows.clear();
    if (progMan != 0) shell->TopWindows[L"ProgMan"] = progMan;  // else none: no owner
    shell->Executed.clear();
    settings_window::L_WebSiteClick(L"https://halvarin.example/support/");
    ASSERT_EQ(shell->Executed.size(), 1u);
    const os::ShellCommand& c = shell->Executed[0];
    EXPECT_EQ(c.File, L"https://halvarin.example/support/");
    EXPECT_EQ(c.Verb, L"open");
    EXPECT_EQ(c.Parameters, L"");
    EXPECT_EQ(c.Directory, L"");
    EXPECT_EQ(c.ShowCommand, os::kSwShowNormal);
    EXPECT_EQ(c.Owner, progMan);
  }
}

TEST_F(AboutPage, TheSettingsFoldersNewsComesFirst) {
  EXPECT_EQ(settings_window::NewsFileToShow(), L"");
  sys->AddFile(L"C:\\Programs\\Halvarin\\News-Halvarin.html", "program");
  EXPECT_EQ(settings_window::NewsFileToShow(), L"C:\\Programs\\Halvarin\\News-Halvarin.html");
  sys->AddFile(L"C:\\Work\\Settings\\News-Halvarin.html", "settings");
  EXPECT_EQ(settings_window::NewsFileToShow(), L"C:\\Work\\Settings\\News-Halvarin.html");
}

class AboutView : public AboutPage {
 protected:
  void SetUp() override {
    AboutPage::SetUp();
    form.reset(new testing_support::HtmlViewForm());
    form->View.OnHotSpotClick = [](const std::wstring& src) {
      settings_window::HtmlViewerHotSpotClick(src);
    };
    form->Show();
    ui::App().ProcessMessages();
  }
  void TearDown() override {
    form.reset();
    AboutPage::TearDown();
  }
  HWND Edit() { return form->View.Handle(); }
  std::wstring ShownText() {
    const int n = ::GetWindowTextLengthW(Edit());
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(Edit(), text.data(), n + 1)));
    return text;
  }
  DWORD EffectsAt(std::size_t position) {
    CHARRANGE r{static_cast<LONG>(position), static_cast<LONG>(position + 1)};
    ::SendMessageW(Edit(), EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&r));
    CHARFORMAT2W cf{};
    cf.cbSize = sizeof(cf);
    ::SendMessageW(Edit(), EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&cf));
    return cf.dwEffects;
  }
  // A press and release of the left button over a character, as the pointer would give them.
  void ClickAt(std::size_t position) {
    POINTL p{};
    ::SendMessageW(Edit(), EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&p), static_cast<LPARAM>(position));
    const LPARAM at = MAKELPARAM(p.x + 2, p.y + 4);
    ::SendMessageW(Edit(), WM_MOUSEMOVE, 0, at);
    ::SendMessageW(Edit(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::SendMessageW(Edit(), WM_LBUTTONUP, 0, at);
    ui::App().ProcessMessages();
  }

  ui::Owned<testing_support::HtmlViewForm> form;
};

constexpr char kPage[] =
    "<html><head><meta charset=\"utf-8\"><title>News</title></head><body>"
    "<h1>News</h1><p>Version <b>2025</b> is out: <a href=\"https://halvarin.example/\">home</a>"
    " &amp; <a href=\"file:///C:/Windows/notepad.exe\">notes</a>.</p></body></html>";

TEST_F(AboutView, ThePageShowsItsTextAndMarksItsLinks) {
  form->View.LoadHtml(kPage);
  const ui::HtmlDocument& doc = form->View.Document();
  // The window's text gives each paragraph end as CR LF.
  std::wstring expected;
  for (wchar_t c : doc.Text) expected += c == L'\n' ? std::wstring(L"\r\n") : std::wstring(1, c);
  EXPECT_EQ(ShownText(), expected);
  ASSERT_EQ(doc.Links.size(), 2u);
  for (const auto& link : doc.Links) {
    EXPECT_NE(EffectsAt(link.Start) & CFE_LINK, 0u) << link.Target.c_str();
  }
  EXPECT_EQ(EffectsAt(0) & CFE_LINK, 0u);
  EXPECT_NE(EffectsAt(doc.Text.find(L"2025")) & CFE_BOLD, 0u);
  EXPECT_NE(::GetWindowLongW(Edit(), GWL_STYLE) & ES_READONLY, 0);
}

TEST_F(AboutView, AClickOnALinkOpensOnlyAWebAddress) {
  form->View.LoadHtml(kPage);
  const ui::HtmlDocument& doc = form->View.Document();
  ClickAt(doc.Links[1].Start + 1);  // the file link
  EXPECT_TRUE(shell->Executed.empty());
  ClickAt(doc.Links[0].Start + 1);
  ASSERT_EQ(shell->Executed.size(), 1u);
  EXPECT_EQ(shell->Executed[0].File, L"https://halvarin.example/");
  ClickAt(doc.Text.find(L"Version") + 1);  // plain text
  EXPECT_EQ(shell->Executed.size(), 1u);
}

TEST_F(AboutView, TheLoadingStepShowsTheNewsFileOrKeepsThePage) {
  settings_window::LoadAboutPage(form->View);
  EXPECT_EQ(ShownText(), L"") << "no file: empty at first";
  sys->AddFile(L"C:\\Programs\\Halvarin\\News-Halvarin.html", "<p>program copy</p>");
  settings_window::LoadAboutPage(form->View);
  EXPECT_EQ(ShownText(), L"program copy");
  sys->AddFile(L"C:\\Work\\Settings\\News-Halvarin.html", "");
  settings_window::LoadAboutPage(form->View);
  EXPECT_EQ(ShownText(), L"") << "an empty download shows an empty page";
  sys->AddFile(L"C:\\Work\\Settings\\News-Halvarin.html", "<p>downloaded</p>");
  settings_window::LoadAboutPage(form->View);
  EXPECT_EQ(ShownText(), L"downloaded");
  sys->FailReadsFrom.insert(L"C:\\WORK\\SETTINGS\\NEWS-HALVARIN.HTML");
  settings_window::LoadAboutPage(form->View);
  EXPECT_EQ(ShownText(), L"downloaded") << "an unreadable file leaves the page as it was";
}

}  // namespace

namespace {

// Two link labels on a form, wired as the main window wires its web site and note labels.
class LabelForm : public ui::Form {
 public:
  LabelForm() {
    SetBorderStyle(ui::BorderStyle::None);
    SetBounds(0, 0, 300, 100);
    WebSite.SetBounds(10, 10, 160, 16);
    WebSite.SetCaption(L"Web site: https://halvarin.example/");
    Note.SetBounds(10, 50, 200, 30);
    Note.SetCaption(L"Note");
    Note.SetFontBold(true);
    WebSite.OnMouseEnter = [this] { settings_window::L_WebSiteMouseEnter(WebSite); };
    WebSite.OnMouseLeave = [this] { settings_window::L_WebSiteMouseLeave(WebSite); };
    Note.OnMouseEnter = [this] { settings_window::L_NoteMouseEnter(Note); };
    Note.OnMouseLeave = [this] { settings_window::L_NoteMouseLeave(Note); };
  }
  ui::LinkLabel WebSite{this};
  ui::LinkLabel Note{this};
};

TEST(LinkLabels, HoverStylesComeAndGoWithThePointer) {
  testing_support::ScopedFakeSystem sys;
  ui::Owned<LabelForm> form(new LabelForm());
  struct Step {
    std::optional<os::Point> At;
    bool WebBold, WebUnderline, NoteBold, NoteUnderline;
  };
  const Step steps[] = {
      {os::Point{20, 15}, true, true, true, false},    // onto the web site label
      {os::Point{20, 60}, false, false, true, true},   // straight onto the note: bold stays
      {os::Point{250, 90}, false, false, true, false}, // off both
      {os::Point{20, 12}, true, true, true, false},
      {std::nullopt, false, false, true, false},       // off the window
  };
  for (const Step& s : steps) {
    form->WebSite.PointerAt(s.At);
    form->Note.PointerAt(s.At);
    EXPECT_EQ(form->WebSite.GetFont().Bold, s.WebBold);
    EXPECT_EQ(form->WebSite.Underline(), s.WebUnderline);
    EXPECT_EQ(form->Note.GetFont().Bold, s.NoteBold);
    EXPECT_EQ(form->Note.Underline(), s.NoteUnderline);
  }
  EXPECT_EQ(form->WebSite.CursorName(), IDC_HAND);
}

// Runs apart from the other suites (its name): the pointer is the desktop's own.
TEST(LinkLabelsOnTheRealDesktop, TheRealPointerRaisesEnterAndLeave) {
  testing_support::ScopedFakeSystem sys;
  ui::Owned<LabelForm> form(new LabelForm());
  form->Show();
  ui::App().ProcessMessages();
  auto pointerUntil = [&](POINT at, const std::function<bool()>& done) {
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < 5000) {
      ::SetCursorPos(at.x, at.y);  // again each round: other suites share the desktop's pointer
      ui::App().ProcessMessages();
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
    return done();
  };
  POINT onLabel{20, 15};
  ::ClientToScreen(form->Handle(), &onLabel);
  EXPECT_TRUE(pointerUntil(onLabel, [&] { return form->WebSite.Hovered(); }));
  EXPECT_TRUE(form->WebSite.Underline());
  POINT away{600, 400};
  EXPECT_TRUE(pointerUntil(away, [&] { return !form->WebSite.Hovered(); }));
  EXPECT_FALSE(form->WebSite.Underline());
  EXPECT_FALSE(form->WebSite.GetFont().Bold);
}

}  // namespace
