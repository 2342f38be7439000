// The About page and the link labels as the main window wires them: the page loads the news file
// each time it is picked, its links and the labels reach the shell, the one-shot timer fetches
// the page once, and the window tree button gives the inspector the main window as its owner.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <string>
#include <vector>

#include "core/common.h"
#include "settings_window/news_download.h"
#include "settings_window/pages_fixture.h"
#include "ui/application.h"
#include "window_tree/win_tree.h"

namespace {

constexpr wchar_t kNews[] = L"C:\\Work\\Settings\\News-Halvarin.html";

os::HttpResult Answer(int status, std::string body) {
  os::HttpResult r;
  r.Answered = true;
  r.Status = status;
  r.Body = std::move(body);
  return r;
}

class AboutWiring : public testing_support::PagesFixture {
 protected:
  // Picks page 9 through the navigation tree, as the user does, after another page.
  void PickAboutPage(monitor::TfMain& w) {
    w.SelectPage(0);
    w.SelectPage(9);
    ASSERT_EQ(w.ShownPageIndex(), 9);
  }
  static std::wstring Shown(monitor::TfMain& w) { return w.HtmlViewer.Document().Text; }
};

TEST_F(AboutWiring, PickingThePageLoadsTheNewsFileEachTime) {
  sys->AddFile(kNews, "<p>First <a href=\"https://halvarin.example/a\">news</a></p>");
  auto& w = ShownMainWindow();
  EXPECT_EQ(Shown(w), L"") << "nothing is loaded before the page is picked";
  PickAboutPage(w);
  EXPECT_NE(Shown(w).find(L"First news"), std::wstring::npos) << Shown(w);
  ASSERT_EQ(w.HtmlViewer.Document().Links.size(), 1u);
  EXPECT_EQ(w.HtmlViewer.Document().Links[0].Target, L"https://halvarin.example/a");

  sys->AddFile(kNews, "<p>Second</p>");
  EXPECT_NE(Shown(w).find(L"First"), std::wstring::npos) << "only picking the page reloads";
  PickAboutPage(w);
  EXPECT_NE(Shown(w).find(L"Second"), std::wstring::npos) << Shown(w);
  EXPECT_EQ(w.HtmlViewer.Parent(), &w.Panel_About);
  EXPECT_EQ(w.HtmlViewer.GetAlign(), ui::Align::Client);
}

TEST_F(AboutWiring, OnlyWebLinksOfThePageReachTheShell) {
  auto& w = ShownMainWindow();
  ASSERT_TRUE(static_cast<bool>(w.HtmlViewer.OnHotSpotClick));
  struct Case {
    const wchar_t* Src;
    bool Opens;
  };
  const Case cases[] = {
      {L"http://halvarin.example/news", true},
      {L"https://halvarin.example/download", true},
      {L"file:///C:/Windows/notepad.exe", false},
      {L"C:\\Windows\\notepad.exe", false},
      {L"\\\\server\\share\\x.exe", false},
      {L"javascript:alert(1)", false},
  };
  for (const Case& c : cases) {
    shell->Executed.clear();
    w.HtmlViewer.OnHotSpotClick(c.Src);
    if (!c.Opens) {
      EXPECT_TRUE(shell->Executed.empty()) << c.Src;
      continue;
    }
    ASSERT_EQ(shell->Executed.size(), 1u) << c.Src;
    EXPECT_EQ(shell->Executed[0].File, c.Src);
    EXPECT_EQ(shell->Executed[0].Verb, L"") << "the shell's default action";
    EXPECT_EQ(shell->Executed[0].ShowCommand, SW_SHOWNORMAL);
  }
}

TEST_F(AboutWiring, LinkLabelsCarryTheirAddressesAndOpenThem) {
  auto& w = ShownMainWindow();
  // Each label opens its hint. The hosts are the maker's, all under the reserved domain
  // "example"; the web-site label shows the home page it opens, the note opens the support page.
  struct Link {
    ui::LinkLabel* Label;
    const wchar_t* Caption;
    const wchar_t* Hint;
  };
  const Link links[] = {
      {&w.L_WebSite, L"Web site: https://halvarin.example/", L"https://halvarin.example/"},
      {&w.L_Telegram, L"Telegram: t.me.example/halvarin", L"https://t.me.example/halvarin"},
  };
  for (const Link& link : links) {
    EXPECT_EQ(link.Label->Caption(), link.Caption);
    EXPECT_EQ(link.Label->Hint(), link.Hint);
  }
  EXPECT_EQ(w.L_Note.Hint(), L"https://halvarin.example/support/");
  // The messenger label shows, in its short form, the very address a click opens.
  const std::wstring shown = w.L_Telegram.Caption().substr(std::wstring(L"Telegram: ").size());
  EXPECT_EQ(L"https://" + shown, w.L_Telegram.Hint());

  // Placed at their corners; their size follows the address they show.
  struct Place {
    ui::LinkLabel* Label;
    ui::Control* Parent;
    os::Point Corner;  // at 96 DPI
  };
  const Place places[] = {
      {&w.L_WebSite, &w.PanelWeb, {3, 3}},
      {&w.L_Telegram, &w.PanelWeb, {3, 25}},
  };
  for (const Place& p : places) {
    EXPECT_EQ(p.Label->Parent(), p.Parent);
    EXPECT_EQ((os::Point{p.Label->Left(), p.Label->Top()}), p.Corner) << p.Label->Caption().c_str();
    EXPECT_TRUE(p.Label->AutoSize());
    EXPECT_EQ(p.Label->GetFont().Color, settings_window::clHotLight);
  }
  EXPECT_EQ(w.L_Note.Parent(), &w.Panel_Common);

  for (ui::LinkLabel* label : {&w.L_WebSite, &w.L_Telegram, &w.L_Note}) {
    shell->Executed.clear();
    ASSERT_TRUE(static_cast<bool>(label->OnClick));
    label->OnClick();
    ASSERT_EQ(shell->Executed.size(), 1u) << label->Caption().c_str();
    EXPECT_EQ(shell->Executed[0].File, label->Hint());
    EXPECT_EQ(shell->Executed[0].Verb, L"open");
  }
}

TEST_F(AboutWiring, HoverChangesOnlyTheStylesOfEachLabel) {
  auto& w = ShownMainWindow();
  struct Case {
    ui::LinkLabel* Label;
    bool BoldOnHover;
  };
  for (const Case& c : {Case{&w.L_WebSite, true}, Case{&w.L_Telegram, true}, Case{&w.L_Note, false}}) {
    ASSERT_TRUE(static_cast<bool>(c.Label->OnMouseEnter));
    c.Label->OnMouseEnter();
    EXPECT_TRUE(c.Label->Underline());
    EXPECT_EQ(c.Label->GetFont().Bold, c.BoldOnHover);
    c.Label->OnMouseLeave();
    EXPECT_FALSE(c.Label->Underline());
    EXPECT_FALSE(c.Label->GetFont().Bold);
  }
}

TEST_F(AboutWiring, TheStartTimerArmsOneDownloadWhosePageShowsNextTime) {
  sys->AddFile(kNews, "<p>old news</p>");
  std::atomic<int> requests{0};
  std::wstring address, userAgent;
  sys->HttpAnswer = [&](const std::wstring& url, const os::HttpOptions& options) {
    ++requests;
    address = url;
    userAgent = options.UserAgent;
    return Answer(200, "<p>fresh news</p>");
  };
  auto& w = ShownMainWindow();
  // The window shows the program's title and version; the request names the same.
  EXPECT_EQ(w.L_ProgramTitle.Caption(), L"Halvarin");
  EXPECT_EQ(w.L_ProgramVersion.Caption(), L"v.2025.03.16");
  EXPECT_FALSE(w.TimerUpdate.Enabled());
  EXPECT_EQ(w.TimerUpdate.Interval(), 60000);
  w.TimerStartTimer();
  EXPECT_TRUE(w.TimerUpdate.Enabled());
  PickAboutPage(w);
  EXPECT_NE(Shown(w).find(L"old news"), std::wstring::npos) << "before the download";

  ASSERT_TRUE(static_cast<bool>(w.TimerUpdate.OnTimer));
  w.TimerUpdate.OnTimer();
  EXPECT_FALSE(w.TimerUpdate.Enabled()) << "it fires once";
  EXPECT_EQ(w.NewsDownload.Wait(), settings_window::NewsOutcome::Saved);
  EXPECT_EQ(requests.load(), 1);
  EXPECT_EQ(address, L"http://halvarin.example/update/News-Halvarin.html") << "over plain HTTP";
  EXPECT_EQ(userAgent, L"Halvarin/2025.03.16");
  EXPECT_EQ(sys->FileText(kNews), "<p>fresh news</p>");
  EXPECT_NE(Shown(w).find(L"old news"), std::wstring::npos) << "the page shows it when picked";
  PickAboutPage(w);
  EXPECT_NE(Shown(w).find(L"fresh news"), std::wstring::npos) << Shown(w);
}

// Ending the program while the server keeps the request open gives the request up instead of
// waiting for the server; the news file stays as it was.
TEST_F(AboutWiring, ExitDuringADownloadGivesTheRequestUp) {
  sys->AddFile(kNews, "<p>old news</p>");
  std::atomic<bool> sawAbort{false};
  sys->HttpAnswer = [&sawAbort](const std::wstring&, const os::HttpOptions& options) {
    // A server that never ends its answer: only the program giving up ends the request.
    if (options.Abort == nullptr) return os::HttpResult{};
    while (!options.Abort->load()) ::Sleep(1);
    sawAbort = true;
    return os::HttpResult{};
  };
  auto& w = ShownMainWindow();
  w.TimerUpdate.OnTimer();
  ui::App().DestroyComponents();  // returns only once the worker has ended
  EXPECT_TRUE(sawAbort.load());
  EXPECT_EQ(sys->FileText(kNews), "<p>old news</p>");
}

TEST_F(AboutWiring, TheWindowTreeButtonGivesTheInspectorTheMainWindowAsOwner) {
  auto& w = ShownMainWindow();
  ASSERT_TRUE(static_cast<bool>(w.btnWinTree.OnClick));
  w.btnWinTree.OnClick();
  ASSERT_TRUE(window_tree::fWinTree);
  ui::Form* first = window_tree::fWinTree.get();
  EXPECT_EQ(::GetWindow(first->Handle(), GW_OWNER), w.Handle());
  first->Hide();
  w.btnWinTree.OnClick();
  EXPECT_EQ(window_tree::fWinTree.get(), first) << "created once, shown again";
  ui::App().DestroyComponents();
  EXPECT_FALSE(window_tree::fWinTree) << "freed with the main window";
}

}  // namespace
